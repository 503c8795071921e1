#pragma once

#include <QString>

class QWidget;

// Tells the user something in a short, non-blocking message box. While one is open, further
// notices are not stacked on top of it.
void showUserNotice(QWidget* parent, const QString& text);
