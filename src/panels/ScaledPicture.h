#pragma once

class QLabel;
class QPixmap;

namespace tivoro {

// A label that scales its picture to its size (scaledContents) makes its
// own smoothly scaled copy, so every new window pays for scaling the same
// picture again. A label handed here draws from one scaled copy per
// picture and size for the whole process instead; what it shows does not
// change, and its own pixmap stays the original picture.
void shareScaledPicture(QLabel *label);

// The label's picture by value, under Qt 5 and Qt 6 alike; null if it has none.
QPixmap pictureOf(const QLabel *label);

} // namespace tivoro
