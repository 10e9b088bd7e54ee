#pragma once

class QLabel;
class QWidget;
class QRect;

namespace tivoro {

// A scaling label (scaledContents) makes its own smooth copy, so each new
// window would scale the same picture again. A label handed here draws from
// one copy per picture and size for the whole process, looking the same; a
// label with a frame still paints for itself.
void shareScaledPicture(QLabel *label);

// Makes `label` stand for live video: its picture scales to the room it
// gets, keeping its aspect ratio, centred, from `least` of its natural size
// (or of its form's smaller maximum) up to that size.
void fitScaledPicture(QLabel *label, double least);

// The widgets between `contents` and the pictures inside it that
// fitScaledPicture() made may shrink below their preferred size, as far as
// their layouts allow, where a form said they may not (size policy
// Minimum), so that the pictures get less room where there is less.
void letShrinkToPictures(QWidget *contents);

// How far a picture that stands for live video may shrink and still be of
// use.
constexpr double leastVideoScale = 0.5;

// Where any label draws its picture, in its own coordinates: its contents
// for a scaled picture (their largest part of the picture's aspect ratio
// after fitScaledPicture()), else the picture's size placed by alignment.
QRect pictureArea(const QLabel *label);

// Paints, inside a paint event of `label`, what shareScaledPicture() has it
// show; false (nothing painted) if the label has no picture to scale or
// paints a frame of its own.
bool paintScaledPicture(QLabel *label);

} // namespace tivoro
