#pragma once

class QLabel;

namespace tivoro {

// A label that scales its picture to its size (scaledContents) makes its
// own smoothly scaled copy, so every new window pays for scaling the same
// picture again. A label handed here draws from one scaled copy per
// picture and size for the whole process instead; what it shows does not
// change, and its own pixmap stays the original picture.
void shareScaledPicture(QLabel *label);

} // namespace tivoro
