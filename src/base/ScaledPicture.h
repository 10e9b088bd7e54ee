#pragma once

class QLabel;
class QWidget;
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

// Makes `label` stand for live video: its picture scales to the room the
// layout gives it, keeping its aspect ratio, from `least` of its natural
// size (or of the smaller maximum its form gave it) up to that size, centred; paintScaledPicture() paints it (through
// shareScaledPicture() for a plain label).
void fitScaledPicture(QLabel *label, double least);

// The widgets between `contents` and the pictures inside it that
// fitScaledPicture() made may shrink below their preferred size, as far as
// their layouts allow, where a form said they may not (size policy
// Minimum), so that the pictures get less room where there is less.
void letShrinkToPictures(QWidget *contents);

// How far a picture that stands for live video may shrink and still be of
// use.
constexpr double leastVideoScale = 0.5;

// The area, in the label's own pixels, that a label given here scales its
// picture to at its present size.
QSize scaledPictureArea(const QLabel *label);

// Makes the shared copy of `picture` for a picture area of `size` device
// pixels now, so that the first label to paint it finds it made.
void prepareScaledPicture(const QPixmap &picture, const QSize &size);

// Where any label draws its picture, in its own coordinates: its whole
// contents for a scaled picture (the largest part of them with the
// picture's aspect ratio for one given to fitScaledPicture()), else the picture's size placed by the
// label's alignment (and so possibly larger than the label).
QRect pictureArea(const QLabel *label);

// Paints, inside a paint event of `label`, what shareScaledPicture() has it
// show; false (nothing painted) if the label has no picture to scale or
// paints a frame of its own.
bool paintScaledPicture(QLabel *label);

} // namespace tivoro
