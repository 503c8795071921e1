#pragma once

#include <cmath>

// The program measures in twips (1/1440 inch). The window is laid out for 96 dots per inch, so a
// pixel is 15 twips, whatever the screen reports; these are the only conversions.
namespace forms {

inline constexpr int twipsPerPixel = 15;

// The nearest whole pixel: properties are stored in pixels, as the platform's controls are.
inline int pixelsFromTwips(double twips) {
    return static_cast<int>(std::lround(twips / twipsPerPixel));
}
inline double twipsFromPixels(int pixels) {
    return double(pixels) * twipsPerPixel;
}

// A point size as a pixel size at 96 dots per inch (12 pt is 16 px).
inline int pixelsFromPoints(int points) {
    return points * 96 / 72;
}

} // namespace forms
