// Draws the substitute pictures that stand where a live camera image and
// a drawn activity graph will appear. Deterministic: same output each run.
#include "common/headless.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <QSvgGenerator>
#include <QtMath>

#include <cstdio>

namespace {

const QColor kGridGreen(40, 255, 40);
const QColor kMarkerRed(235, 20, 20);

void drawWindowWithPoles(QPainter &p)
{
    // Window with blinds behind the pole frame at the left edge.
    p.fillRect(QRect(0, 40, 70, 200), QColor(196, 204, 210));
    p.setPen(QPen(QColor(150, 156, 162), 1));
    for (int y = 44; y < 240; y += 5)
        p.drawLine(0, y, 69, y);
    p.setPen(QPen(QColor(120, 110, 100), 3));
    p.drawRect(QRect(0, 40, 70, 200));

    // Metal poles and cross bars.
    const QColor metal(95, 100, 108);
    p.setPen(QPen(metal, 5));
    p.drawLine(12, 20, 14, 330);
    p.drawLine(58, 30, 60, 300);
    p.setPen(QPen(metal.lighter(130), 3));
    p.drawLine(12, 95, 60, 95);
    p.drawLine(12, 196, 60, 196);
    p.drawLine(13, 290, 60, 290);
}

void drawDoor(QPainter &p)
{
    const QRect door(200, 70, 110, 180);
    p.fillRect(door.adjusted(-6, -6, 6, 0), QColor(225, 222, 212));
    QLinearGradient wood(door.topLeft(), door.topRight());
    wood.setColorAt(0, QColor(150, 100, 58));
    wood.setColorAt(1, QColor(128, 82, 44));
    p.fillRect(door, wood);
    p.setPen(QPen(QColor(110, 70, 38), 1));
    for (int x = door.left() + 9; x < door.right(); x += 13)
        p.drawLine(x, door.top() + 2, x + 2, door.bottom() - 2);
    p.setPen(QPen(QColor(90, 58, 30), 2));
    p.drawRect(door);
    // Lever handle.
    p.setPen(QPen(QColor(200, 200, 205), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(290, 165, 276, 166);
    p.setBrush(QColor(185, 185, 190));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPoint(291, 165), 4, 4);
    // Light-switch plate beside the door.
    p.setBrush(QColor(245, 245, 240));
    p.setPen(QPen(QColor(170, 170, 165), 1));
    p.drawRect(QRect(326, 150, 12, 20));
    p.drawLine(332, 156, 332, 163);
}

void drawWhiteboard(QPainter &p)
{
    const QRect board(372, 60, 128, 120);
    p.setPen(QPen(QColor(150, 150, 150), 3));
    p.setBrush(QColor(250, 250, 248));
    p.drawRect(board);
    QRandomGenerator rng(7);
    const QColor inks[] = {QColor(30, 60, 160), QColor(40, 40, 40), QColor(170, 40, 40)};
    for (int i = 0; i < 9; ++i) {
        p.setPen(QPen(inks[i % 3], 1));
        p.setBrush(Qt::NoBrush);
        const int x = board.left() + 8 + rng.bounded(90);
        const int y = board.top() + 8 + rng.bounded(90);
        if (i % 3 == 0) {
            p.drawRect(x, y, 14 + rng.bounded(14), 8 + rng.bounded(10));
        } else if (i % 3 == 1) {
            p.drawEllipse(QPoint(x, y), 6 + rng.bounded(6), 5 + rng.bounded(5));
        } else {
            QPainterPath scribble(QPointF(x, y));
            for (int k = 1; k <= 6; ++k)
                scribble.lineTo(x + k * 4, y + rng.bounded(9) - 4);
            p.drawPath(scribble);
        }
    }
    p.setPen(QPen(QColor(90, 90, 90), 2));
    p.drawLine(board.left() + 10, board.bottom() + 4, board.right() - 10, board.bottom() + 4);
}

void drawFloorGrid(QPainter &p, int width, int height)
{
    const int farEdge = 230;
    const QPointF vanish(width / 2.0 + 8, 120);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(kGridGreen, 1.4));
    p.drawLine(QPointF(0, farEdge), QPointF(width, farEdge));
    // Lines that converge towards the distance, cut at the far edge.
    for (int i = -12; i <= 12; ++i) {
        const QPointF bottom(width / 2.0 + i * 60.0, height);
        const qreal t = (farEdge - bottom.y()) / (vanish.y() - bottom.y());
        const QPointF top = bottom + t * (vanish - bottom);
        p.drawLine(bottom, top);
    }
    // Cross lines, closer together with distance.
    for (int k = 1; k <= 9; ++k) {
        const qreal y = farEdge + (height - farEdge) * qPow(k / 9.0, 1.8);
        p.drawLine(QPointF(0, y), QPointF(width, y));
    }
    // Cross near the far edge, just right of the middle.
    p.setPen(QPen(kGridGreen, 2));
    p.drawLine(246, 205, 260, 205);
    p.drawLine(253, 198, 253, 212);
    p.setRenderHint(QPainter::Antialiasing, false);
}

void drawMarkers(QPainter &p)
{
    // Rod lying on the floor near the middle.
    p.setPen(QPen(QColor(70, 70, 75), 3));
    p.drawLine(190, 343, 270, 340);

    p.setPen(QPen(kMarkerRed, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(QPoint(24, 90), QPoint(46, 101)));
    p.drawRect(QRect(QPoint(48, 323), QPoint(67, 348)));
    p.drawRect(QRect(QPoint(234, 335), QPoint(251, 344)));
    p.setPen(Qt::NoPen);
    p.setBrush(kMarkerRed);
    p.drawEllipse(QPoint(38, 195), 4, 4);
    p.drawRect(QRect(QPoint(217, 341), QPoint(226, 344)));
}

QImage drawScene()
{
    const int w = 507;
    const int h = 406;
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    // Back wall, pale wall on the right, floor.
    p.fillRect(QRect(0, 0, w, 240), QColor(214, 208, 196));
    p.fillRect(QRect(350, 0, w - 350, 240), QColor(232, 230, 222));
    p.setPen(QPen(QColor(160, 152, 140), 2));
    p.drawLine(350, 0, 350, 240);
    QLinearGradient floor(0, 230, 0, h);
    floor.setColorAt(0, QColor(120, 116, 110));
    floor.setColorAt(1, QColor(84, 80, 76));
    p.fillRect(QRect(0, 230, w, h - 230), floor);
    drawDoor(p);
    drawWhiteboard(p);
    drawWindowWithPoles(p);
    drawFloorGrid(p, w, h);
    drawMarkers(p);
    p.end();
    return img.convertToFormat(QImage::Format_RGB888);
}

QString timeLabel(int seconds)
{
    // Offsets before "now": every field carries its minus sign.
    return QString::asprintf("-%02d:-%02d:-%02d:-%02d", 0, 0, seconds / 60, seconds % 60);
}

QImage drawGraph()
{
    const int w = 1487;
    const int h = 214;
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    const QColor grey(190, 190, 190);

    QPen dashed(grey, 1, Qt::DashLine);
    p.setPen(dashed);
    for (int y = 24; y <= 184; y += 16)
        p.drawLine(0, y, w - 1, y);
    p.setPen(QPen(QColor(128, 128, 128), 1));
    p.drawLine(0, 0, 0, h - 1);

    QRandomGenerator rng(2024);
    QPolygonF activity;
    QPolygonF count;
    qreal level = 120;
    for (int x = 0; x <= w + 14; x += 15) {
        level = qBound<qreal>(24, level + rng.bounded(41) - 20, 184);
        const qreal gap = rng.bounded(13) - 6;
        activity << QPointF(x, level);
        count << QPointF(x, qBound<qreal>(24, level + gap, 184));
    }
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(0, 230, 230), 1.2));
    p.drawPolyline(activity);
    p.setPen(QPen(QColor(230, 0, 230), 1.2));
    p.drawPolyline(count);
    p.setRenderHint(QPainter::Antialiasing, false);

    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPixelSize(10);
    p.setFont(small);
    p.setPen(QPen(grey, 1));
    const struct
    {
        int x;
        const char *word;
    } markers[] = {{297, "start"}, {743, "pause"}};
    for (const auto &m : markers) {
        p.drawLine(m.x, 4, m.x, 190);
        p.drawText(m.x + 3, 13, QString::fromLatin1(m.word));
    }
    for (int i = 0; i < 10; ++i)
        p.drawText(4 + i * 148, 208, timeLabel(90 - i * 10));
    p.end();
    return img.convertToFormat(QImage::Format_RGB888);
}

// The application icon, drawn in a 256-unit square: a camera lens over the
// activity curves of the graph. Up to 32 pixels the two thin curves blur
// into the lens, so small sizes get a wider rim and one thick curve.
void drawIcon(QPainter &p, bool small)
{
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(28, 36, 48));
    if (small)
        p.drawRoundedRect(QRectF(0, 0, 256, 256), 48, 48);
    else
        p.drawRoundedRect(QRectF(8, 8, 240, 240), 44, 44);

    // Lens.
    const QPointF centre(128, small ? 112 : 110);
    const qreal rim = small ? 100 : 82;
    QRadialGradient glass(centre, 74);
    glass.setColorAt(0, QColor(90, 170, 230));
    glass.setColorAt(1, QColor(20, 60, 110));
    p.setBrush(QColor(200, 205, 212));
    p.drawEllipse(centre, rim, rim);
    p.setBrush(glass);
    p.drawEllipse(centre, 68, 68);

    if (small) {
        p.setBrush(Qt::NoBrush);
        const QPointF activity[] = {{28, 220}, {92, 156}, {148, 212}, {228, 132}};
        p.setPen(QPen(QColor(0, 230, 230), 36, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(activity, 4);
        return;
    }
    p.setBrush(QColor(255, 255, 255, 170));
    p.drawEllipse(QPointF(104, 86), 16, 12);

    // Activity curves across the lower part, as in the graph.
    QPolygonF activity;
    QPolygonF count;
    const qreal ys[] = {200, 178, 190, 150, 168, 132, 158, 120, 146, 176, 160};
    for (int i = 0; i < 11; ++i) {
        activity << QPointF(28 + i * 20, ys[i]);
        count << QPointF(28 + i * 20, ys[i] + (i % 2 ? 10 : -8));
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(230, 0, 230), 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(count);
    p.setPen(QPen(QColor(0, 230, 230), 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(activity);
}

QImage drawIcon(int size)
{
    QImage img(size, size, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.scale(size / 256.0, size / 256.0);
    drawIcon(p, size <= 32);
    p.end();
    return img;
}

bool save(const QImage &img, const QString &path)
{
    if (img.save(path, "PNG"))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

bool saveScalableIcon(const QString &path)
{
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(QSize(256, 256));
    svg.setViewBox(QRect(0, 0, 256, 256));
    svg.setTitle(QStringLiteral("Tivoro"));
    QPainter p;
    if (p.begin(&svg)) {
        drawIcon(p, false);
        return p.end();
    }
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    tivoro::prepareHeadless(); // drawing needs no display
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: %s RESOURCES_DIRECTORY\n", qPrintable(args.value(0)));
        return 2;
    }
    QDir out(args.at(1));
    bool ok = out.mkpath(QStringLiteral("pictures")) && out.mkpath(QStringLiteral("icons"))
        && save(drawScene(), out.filePath(QStringLiteral("pictures/tivoroScene.png")))
        && save(drawGraph(), out.filePath(QStringLiteral("pictures/graph.png")));
    // Every size a desktop asks for; the program itself carries the 256 one.
    for (int size : {16, 24, 32, 48, 64, 128, 256, 512})
        ok = ok && save(drawIcon(size), out.filePath(QStringLiteral("icons/tivoro-%1.png").arg(size)));
    return ok && saveScalableIcon(out.filePath(QStringLiteral("icons/tivoro.svg"))) ? 0 : 1;
}
