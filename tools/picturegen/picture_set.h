#pragma once

#include <QString>

namespace picturegen {

// Draws every picture of the program and writes it into `directory` under its resource name.
// Throws std::runtime_error on the first picture that cannot be drawn or written.
void writePictureSet(const QString& directory);

} // namespace picturegen
