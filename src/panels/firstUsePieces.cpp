#include "panels/firstUsePieces.h"

#include "base/ScaledPicture.h"
#include "base/pictureOf.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QLayout>
#include <QPainter>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>

#include <algorithm>
#include <memory>

namespace tivoro {

namespace {

// What the first piece found in the form.
struct Measures
{
    std::vector<std::pair<QPixmap, QSize>> scaledPictures; // picture, area
    std::vector<QStyleOptionSlider> sliders; // one per look
    std::vector<QFont> fonts;
};

// A slider of the form at rest, as it hands itself to the style.
QStyleOptionSlider sliderLook(const QSlider *slider)
{
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.styleObject = nullptr; // the slider does not outlive the measuring
    option.orientation = slider->orientation();
    if (option.orientation == Qt::Horizontal)
        option.state |= QStyle::State_Horizontal;
    option.subControls = QStyle::SC_SliderGroove | QStyle::SC_SliderHandle;
    if (slider->tickPosition() != QSlider::NoTicks)
        option.subControls |= QStyle::SC_SliderTickmarks;
    option.tickPosition = slider->tickPosition();
    option.tickInterval = slider->tickInterval();
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    option.sliderPosition = option.sliderValue = slider->value();
    option.upsideDown = option.orientation == Qt::Horizontal
        ? slider->invertedAppearance() != (option.direction == Qt::RightToLeft)
        : !slider->invertedAppearance();
    return option;
}

bool sameLook(const QStyleOptionSlider &a, const QStyleOptionSlider &b)
{
    return a.rect.size() == b.rect.size() && a.orientation == b.orientation && a.state == b.state
        && a.subControls == b.subControls && a.upsideDown == b.upsideDown;
}

void measure(Measures *measures, const std::function<void(QWidget *)> &buildForm)
{
    QWidget aside;
    buildForm(&aside);
    if (aside.layout())
        aside.layout()->activate();
    QList<QWidget *> widgets = aside.findChildren<QWidget *>();
    widgets << &aside;
    for (QWidget *w : std::as_const(widgets)) {
        if (std::find(measures->fonts.begin(), measures->fonts.end(), w->font()) == measures->fonts.end())
            measures->fonts.push_back(w->font());
        if (auto *label = qobject_cast<QLabel *>(w)) {
            const QPixmap picture = pictureOf(label);
            if (label->hasScaledContents() && label->frameWidth() == 0 && !picture.isNull())
                measures->scaledPictures.emplace_back(picture, scaledPictureArea(label));
        } else if (auto *slider = qobject_cast<QSlider *>(w)) {
            const QStyleOptionSlider look = sliderLook(slider);
            if (std::none_of(measures->sliders.begin(), measures->sliders.end(),
                             [&look](const QStyleOptionSlider &known) { return sameLook(known, look); }))
                measures->sliders.push_back(look);
        }
    }
}

void drawSliders(const Measures &measures, bool activeWindow, qreal pixelRatio)
{
    QImage canvas(1, 1, QImage::Format_ARGB32_Premultiplied);
    canvas.setDevicePixelRatio(pixelRatio);
    QPainter painter(&canvas);
    for (const QStyleOptionSlider &look : measures.sliders) {
        QStyleOptionSlider option = look;
        option.state.setFlag(QStyle::State_Active, activeWindow);
        option.palette.setCurrentColorGroup(activeWindow ? QPalette::Active : QPalette::Inactive);
        QApplication::style()->drawComplexControl(QStyle::CC_Slider, &option, &painter);
    }
}

// Loads the font's engine as widgets measure with it, and rasterises every
// printable ASCII character at one of the sub-pixel positions that text is
// drawn at.
void drawGlyphs(const QFont &font, qreal subPixel)
{
    static const QString printable = [] {
        QString text;
        for (char c = ' '; c <= '~'; ++c)
            text += QLatin1Char(c);
        return text;
    }();
    QFontMetrics(font).horizontalAdvance(printable);
    QImage canvas(8, 8, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&canvas);
    painter.setFont(font);
    painter.drawText(QPointF(subPixel, 0), printable);
}

} // namespace

WarmUpPieces firstUsePieces(std::function<void(QWidget *)> buildForm, const QWidget *window)
{
    auto measures = std::make_shared<Measures>();
    WarmUpPieces pieces = {
        [measures, buildForm = std::move(buildForm)] {
            *measures = Measures();
            measure(measures.get(), buildForm);
        },
        [measures, window] {
            for (const auto &[picture, area] : measures->scaledPictures)
                prepareScaledPicture(picture, area * window->devicePixelRatioF());
            measures->scaledPictures.clear(); // the pictures themselves are the cache's to keep
        },
    };
    for (bool activeWindow : {false, true})
        pieces.emplace_back(
            [measures, window, activeWindow] { drawSliders(*measures, activeWindow, window->devicePixelRatioF()); });
    for (qreal subPixel : {0.0, 0.25, 0.5, 0.75}) {
        pieces.emplace_back([measures, subPixel] {
            for (const QFont &font : measures->fonts)
                drawGlyphs(font, subPixel);
        });
    }
    return pieces;
}

} // namespace tivoro
