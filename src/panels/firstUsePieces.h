#pragma once

#include <functional>
#include <vector>

class QWidget;

namespace tivoro {

using WarmUpPieces = std::vector<std::function<void()>>;

// What a form's first showing costs beyond building its widgets, as short
// pieces to run ahead of time, each filling what the form's widgets then
// find made: the first piece builds the form aside with buildForm (which
// decodes its pictures as the form does) and measures it; the others make
// the shared scaled copies of its scaled pictures, draw its sliders at rest
// as the style caches them in an active and an inactive window, and load
// its fonts' engines and glyphs. Sizes and fonts come from the form itself,
// devicePixelRatio from `window` when the piece runs.
WarmUpPieces firstUsePieces(std::function<void(QWidget *)> buildForm, const QWidget *window);

} // namespace tivoro
