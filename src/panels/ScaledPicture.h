#pragma once

class QLabel;
class QPixmap;
class QSize;

namespace tivoro {

// A label that scales its picture to its size (scaledContents) makes its
// own smoothly scaled copy, so every new window pays for scaling the same
// picture again. A label handed here draws from one scaled copy per
// picture and size for the whole process instead; what it shows does not
// change, and its own pixmap stays the original picture.
void shareScaledPicture(QLabel *label);

// Makes the shared copy of `picture` for a picture area of `size` device
// pixels now, so that the first label to paint it finds it made.
void prepareScaledPicture(const QPixmap &picture, const QSize &size);

// Paints, inside a paint event of `label`, what shareScaledPicture() has it
// show; false (nothing painted) if the label has no picture to scale.
bool paintScaledPicture(QLabel *label);

// The label's picture by value, under Qt 5 and Qt 6 alike; null if it has none.
QPixmap pictureOf(const QLabel *label);

} // namespace tivoro
