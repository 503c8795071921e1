#include "platform/forms/Colour.h"

namespace forms {

QColor toQColor(OleColor colour) {
    if (colour & 0x80000000u) {
        switch (colour) {
        case systemWindowBackground:
            return QColor(255, 255, 255);
        case systemWindowText:
        case systemButtonText:
        default:
            return QColor(0, 0, 0);
        }
    }
    return QColor(int(colour & 0xff), int((colour >> 8) & 0xff), int((colour >> 16) & 0xff));
}

} // namespace forms
