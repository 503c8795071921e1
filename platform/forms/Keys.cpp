#include "platform/forms/Keys.h"

#include <Qt>

namespace forms {

int keyCodeOf(int qtKey) {
    if ((qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) || (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z))
        return qtKey; // Qt numbers them by their ASCII codes, as the codes do
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12)
        return keys::F1 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_Backspace:
        return keys::Backspace;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return keys::Tab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return keys::Return;
    case Qt::Key_Escape:
        return keys::Escape;
    case Qt::Key_Space:
        return keys::Space;
    case Qt::Key_PageUp:
        return keys::PageUp;
    case Qt::Key_PageDown:
        return keys::PageDown;
    case Qt::Key_End:
        return keys::End;
    case Qt::Key_Home:
        return keys::Home;
    case Qt::Key_Left:
        return keys::Left;
    case Qt::Key_Up:
        return keys::Up;
    case Qt::Key_Right:
        return keys::Right;
    case Qt::Key_Down:
        return keys::Down;
    case Qt::Key_Insert:
        return keys::Insert;
    case Qt::Key_Delete:
        return keys::Delete;
    default:
        return 0;
    }
}

} // namespace forms
