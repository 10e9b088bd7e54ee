#pragma once

class QLabel;
class QPixmap;
class QRect;
class QSize;

namespace tivoro {

// A label that scales its picture to its size (scaledContents) makes its
// own smoothly scaled copy, so every new window pays for scaling the same
// picture again. A label handed here draws from one scaled copy per
// picture and size for the whole process instead; what it shows does not
// change, and its own pixmap stays the original picture. A label with a
// frame goes on painting (and scaling) for itself.
void shareScaledPicture(QLabel *label);

// The area, in the label's own pixels, that a label given here scales its
// picture to at its present size.
QSize scaledPictureArea(const QLabel *label);

// Makes the shared copy of `picture` for a picture area of `size` device
// pixels now, so that the first label to paint it finds it made.
void prepareScaledPicture(const QPixmap &picture, const QSize &size);

// Where any label draws its picture, in its own coordinates: its whole
// contents for a scaled picture, else the picture's size placed by the
// label's alignment (and so possibly larger than the label).
QRect pictureArea(const QLabel *label);

// Paints, inside a paint event of `label`, what shareScaledPicture() has it
// show; false (nothing painted) if the label has no picture to scale or
// paints a frame of its own.
bool paintScaledPicture(QLabel *label);

} // namespace tivoro
