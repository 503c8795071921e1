#pragma once

#include "platform/imm/InputMethodManager.h"
#include "platform/phonetic/PhoneticDictionary.h"

#include <memory>

namespace imm {

// The Input Method Manager of this system: the phonetic input method on the system's dictionary.
std::unique_ptr<InputMethodManager> makeSystemInputMethodManager();

// The same on a dictionary of the caller's choice (tests: missing or damaged files).
std::unique_ptr<InputMethodManager>
makeSystemInputMethodManager(const phonetic::DictionaryFolders& folders);

// Whether the system's input method could use its dictionary; it looks now (building its index)
// if it has not yet. Another make of input method has no dictionary of ours to miss: Usable.
phonetic::DictionaryStatus dictionaryStatus(InputMethodManager& manager);

} // namespace imm
