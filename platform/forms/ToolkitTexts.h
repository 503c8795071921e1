#pragma once

class QCoreApplication;

namespace forms {

// Puts the toolkit's own texts (a text box's context menu, a message box's buttons) into
// Traditional Chinese (Taiwan), as every other text of the program is, whatever the user's
// locale. False when the translation is not installed: those texts then stay in English.
bool useTraditionalChineseToolkitTexts(QCoreApplication& app);

} // namespace forms
