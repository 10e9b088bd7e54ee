#include "support/TestSupport.h"

#include "base/ScaledPicture.h"
#include "panels/AddCamera.h"
#include "panels/CameraSettings.h"
#include "panels/GraphWidget.h"
#include "panels/MetaWidget.h"
#include "shell/Settings.h"

#include <QCheckBox>
#include <QLabel>
#include <QScrollBar>

#include <utility>

using namespace tivoro::test;

namespace {

QWidget *showPanel(const QString &kind)
{
    QWidget *panel = kind == "camera" ? static_cast<QWidget *>(new CameraSettings)
        : kind == "graph"             ? static_cast<QWidget *>(new GraphWidget)
        : kind == "metadata"          ? static_cast<QWidget *>(new MetaWidget)
        : kind == "settings"          ? static_cast<QWidget *>(new Settings)
                                      : new AddCamera;
    panel->show();
    QApplication::setActiveWindow(panel);
    if (!QTest::qWaitForWindowActive(panel))
        qFatal("panel never became active");
    return panel;
}

} // namespace

class TestPanels : public GuardedTest
{
    Q_OBJECT

private Q_SLOTS:
    void panels_data();
    void panels();
    void graphView_data();
    void graphView();
    void relativeTimeShortcut();
    void sharedScaledPicture_data();
    void sharedScaledPicture();
    void scenePictureKeys_data();
    void scenePictureKeys();
};

void TestPanels::panels_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("checks");
    // Each slider and its field stay in step: typed values are clamped and
    // written back, anything not a number counts as 0.
    const QStringList pairs {"heightSlider heightLineEdit", "xRotSlider xRotLineEdit", "zRotSlider zRotLineEdit",
                             "yRotSlider yRotLineEdit",     "fovSlider fovLineEdit",   "horizontalSlider lineEdit"};
    const char *edits[][4] = {
        // slider before, steps, slider after, field after
        {"0", "type F 150", "99", "99"}, {"0", "type F -5", "0", "0"},  {"0", "type F 42", "42", "42"},
        {"0", "type F abc", "0", "abc"}, {"5", "type F x", "0", "0"},   {"0", "type F", "0", ""},
        {"5", "type F", "0", "0"},       {"3", "type F 007", "7", "7"}, {"7", "key F Home; keys F 00", "7", "007"},
        {"0", "key S End", "99", "99"}};
    for (const QString &pair : pairs) {
        const QString slider = pair.section(' ', 0, 0), field = pair.section(' ', 1);
        for (const auto &e : edits) {
            QString steps = QString("set S value %1; %2").arg(e[0], e[1]);
            steps.replace(" S ", " " + slider + " ").replace(" F", " " + field);
            QTest::addRow("%s: %s at %s", qPrintable(field), e[1], e[0])
                << "camera" << steps << QString("%1.value=%2; %3.text=%4").arg(slider, e[2], field, e[3]);
        }
    }
    const QString manual =
        "heightSlider.enabled=true; xRotSlider.enabled=true; yRotSlider.enabled=true;"
        "zRotSlider.enabled=true; fovSlider.enabled=true; heightLineEdit.enabled=true; xRotLineEdit.enabled=true;"
        "yRotLineEdit.enabled=true; zRotLineEdit.enabled=true; fovLineEdit.enabled=true; "
        "cameraParamsLabel.enabled=true;"
        "clearControlPointsBtn.enabled=false; controlPointsTipLabel.enabled=false;";
    const QString untouched = "horizontalSlider.enabled=true; lineEdit.enabled=true; removeCameraBtn.enabled=true";
    QString points = manual;
    points.replace("true", "TRUE").replace("false", "true").replace("TRUE", "false");
    const QString videoFile =
        "removeCameraBtn.text=Remove this video; comboBoxResolution.exists=false; labelResolution.exists=false";
    const struct
    {
        const char *tag, *kind, *steps;
        QString checks;
    } rows[] = {
        {"control points", "camera", "call . setCameraSlidersEnabled false", points + untouched},
        {"control points, manual", "camera",
         "call . setCameraSlidersEnabled false; call . setCameraSlidersEnabled true", manual + untouched},
        {"video file", "camera", "call . usingVideoFile", videoFile},
        {"video file twice", "camera", "call . usingVideoFile; call . usingVideoFile", videoFile},
        // The notes field keeps Tab for itself.
        {"notes: Tab", "metadata", "keys plainTextEdit a; key plainTextEdit Tab; keys plainTextEdit b",
         "plainTextEdit.plainText=a\tb"},
    };
    for (const auto &row : rows)
        QTest::newRow(row.tag) << row.kind << row.steps << row.checks;
    // Typed input, then Tab: a time field keeps only a whole time in range
    // ("=": the one before), a slider's field the value typing moved it to.
    const QStringList inputs = {"type F 7", "type F -5",           "type F 12:34",        "type F abc",
                                "type F",   "key F End; keys F 7", "paste F 01:02:03:04", "paste F 2:03:04"};
    const QString dayTime = "=|=|=|=|=|=|01:02:03:04|=";
    const QString fields[][4] = {
        {"graph", "timeEditMarker", "01:00:00:00", dayTime},
        {"graph", "timeEditStart", "01:00:00:00", dayTime},
        {"graph", "timeEditEnd", "01:00:00:00", dayTime},
        {"settings", "timeEdit", "1:00:00", "=|=|1:34:00|=|=|=|=|2:03:04"},
        {"camera", "heightLineEdit", "0", "7|0|34|abc||7|01:02:03:04|2:03:04"},
    };
    for (const auto &[kind, field, before, expected] : fields) {
        for (int i = 0; i < inputs.size(); ++i)
            QTest::addRow("%s: %s", qPrintable(field), qPrintable(inputs[i]))
                << kind << QString("click F; %1; key F Tab").arg(inputs[i]).replace(" F", " " + field)
                << field + ".text=" + QString(expected.split('|')[i]).replace("=", before);
    }
}

void TestPanels::panels()
{
    QFETCH(QString, kind);
    QFETCH(QString, steps);
    QFETCH(QString, checks);
    QWidget *panel = showPanel(kind);
    TIVORO_PLAY(panel, steps, checks);
}

void TestPanels::graphView_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<int>("zoom");
    QTest::addColumn<bool>("fromEnd");
    QTest::addColumn<int>("halfWindows"); // how far from the start (or end), in half windows
    const QString in = "click buttonZoomIn;", out = "click buttonZoomOut;", left = "click buttonPrevious;",
                  right = "click buttonNext;", end = "key horizontalScrollBar End;";
    QTest::newRow("right, left, left") << right + left + left << 1 << false << 0;
    QTest::newRow("right twice") << right + right << 1 << false << 2;
    QTest::newRow("right stops at the end") << right.repeated(10) << 1 << true << 0;
    QTest::newRow("scroll bar to the end, left twice") << end + left + left << 1 << true << 2;
    QTest::newRow("zoom in") << in << 2 << false << 1;
    QTest::newRow("zoom in stops at 8x") << in.repeated(4) << 8 << false << 7;
    QTest::newRow("zoom out stops at 1x") << in + out + out << 1 << false << 0;
    QTest::newRow("zoomed out from the end") << in + in + end + out << 2 << true << 0;
    // Time still runs left to right.
    const QString rightToLeft = "set . layoutDirection RightToLeft;";
    QTest::newRow("right to left, right twice") << rightToLeft + right + right << 1 << false << 2;
}

void TestPanels::graphView()
{
    QFETCH(QString, steps);
    QFETCH(int, zoom);
    QFETCH(bool, fromEnd);
    QFETCH(int, halfWindows);
    QWidget *panel = play(showPanel("graph"), steps);
    auto *label = panel->findChild<QLabel *>("label");
    auto *bar = panel->findChild<QScrollBar *>("horizontalScrollBar");
    const int window = label->width();
    QCOMPARE(bar->maximum(), 1487 * zoom - window);
    QCOMPARE(bar->value(), fromEnd ? bar->maximum() - halfWindows * (window / 2) : halfWindows * (window / 2));

    // The label shows the zoomed picture from the scroll bar's position on.
    const QImage picture = label->pixmap(Qt::ReturnByValue).toImage().convertToFormat(QImage::Format_RGB32);
    const QImage shown = label->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(picture.width(), 1487 * zoom);
    const int top = label->height() / 2 - picture.height() / 2, rows = qMin(label->height(), picture.height());
    QVERIFY(shown.copy(0, qMax(0, top), window, rows) == picture.copy(bar->value(), qMax(0, -top), window, rows));
}

void TestPanels::relativeTimeShortcut()
{
    QWidget *panel = showPanel("graph");
    auto *relative = panel->findChild<QCheckBox *>("checkBoxTimeType");
    // A completed sequence clicks the box a moment later (animated), so a
    // lone first stroke gets the same time to do harm.
    for (bool checked : {true, false}) {
        QTest::keyClick(panel, Qt::Key_S, Qt::ControlModifier);
        QTest::qWait(300);
        QCOMPARE(relative->isChecked(), !checked);
        QTest::keyClick(panel, Qt::Key_S, Qt::ControlModifier);
        QTRY_COMPARE(relative->isChecked(), checked);
    }
}

void TestPanels::sharedScaledPicture_data()
{
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("scene, disabled") << ":/pictures/tivoroScene.png" << QSize(461, 351) << false;
    QTest::newRow("graph, stretched") << ":/pictures/graph.png" << QSize(1900, 120) << true;
}

void TestPanels::sharedScaledPicture()
{
    QFETCH(QString, picture);
    QFETCH(QSize, size);
    QFETCH(bool, enabled);
    // Labels drawing from the shared scaled copy look exactly like one that
    // scales the picture itself, also the second one, also when resized.
    QList<QLabel *> labels;
    for (int i = 0; i < 3; ++i) {
        labels << new QLabel; // parentless: cleanup() deletes them
        labels.last()->setPixmap(QPixmap(picture));
        labels.last()->setScaledContents(true);
        labels.last()->setEnabled(enabled);
        if (i > 0)
            tivoro::shareScaledPicture(labels.last());
    }
    for (const QSize &labelSize : {size, size / 2}) {
        for (QLabel *label : std::as_const(labels))
            label->resize(labelSize);
        QCOMPARE(labels[1]->grab().toImage(), labels[0]->grab().toImage());
        QCOMPARE(labels[2]->grab().toImage(), labels[0]->grab().toImage());
    }
}

void TestPanels::scenePictureKeys_data()
{
    QTest::addColumn<QString>("steps"); // "keys KEYS", "click X,Y", "rclick X,Y" on the picture
    QTest::addColumn<int>("entry"); // the menu entry chosen, -1: Escape
    QTest::addColumn<QString>("menus"); // where each menu opened on the picture ("centre": of its picture)
    QTest::addColumn<QString>("focus");
    const QString picture = "sceneWidgetPlaceholderLabel";
    QTest::newRow("menu key") << "keys Menu" << -1 << "centre" << picture;
    QTest::newRow("menu key, entry chosen") << "keys Menu" << 3 << "centre" << picture;
    QTest::newRow("Shift+F10, last entry chosen") << "keys Shift+F10" << 5 << "centre" << picture;
    QTest::newRow("menu key twice") << "keys Menu Menu" << -1 << "centre centre" << picture;
    QTest::newRow("at the last click") << "keys Tab; click 40,300; keys Menu" << 0 << "40,300" << picture;
    QTest::newRow("at the last right click") << "rclick 100,20; keys Shift+F10" << -1 << "100,20 100,20" << picture;
    QTest::newRow("F10 alone") << "keys F10" << -1 << "" << picture;
    QTest::newRow("Ctrl+F10") << "keys Ctrl+F10" << -1 << "" << picture;
    QTest::newRow("Tab out") << "keys Tab" << -1 << ""
                             << "heightSlider";
    QTest::newRow("Shift+Tab out") << "keys Shift+Tab" << -1 << ""
                                   << "pushButton_2";
    QTest::newRow("menu key elsewhere") << "keys Tab Menu Shift+F10" << -1 << ""
                                        << "heightSlider";
}

void TestPanels::scenePictureKeys()
{
    QFETCH(QString, steps);
    QFETCH(int, entry);
    QFETCH(QString, menus);
    QFETCH(QString, focus);
    QWidget *panel = showPanel("camera");
    auto *picture = panel->findChild<QLabel *>("sceneWidgetPlaceholderLabel");
    QCOMPARE(QApplication::focusWidget(), picture); // first in the panel's Tab chain

    QStringList shown; // each menu's point on the picture, "?" where it opened elsewhere
    const QStringList expected = menus.split(' ', Qt::SkipEmptyParts);
    ExecAnswerer answerer([&](QWidget *popup) {
        const QString want = expected.value(shown.size());
        const QPoint at = want == "centre" ? tivoro::pictureArea(picture).center()
                                           : QPoint(want.section(',', 0, 0).toInt(), want.section(',', 1).toInt());
        shown << (!want.isEmpty() && popup->pos() == popupPlaceFor(popup, picture->mapToGlobal(at)) ? want : "?");
        QCOMPARE(popup->actions().size(), 6);
        (entry < 0 ? dismiss() : chooseMenuEntry(entry))(popup);
    });
    const QStringList parts = steps.split(';');
    for (const QString &step : parts) {
        const QString verb = step.trimmed().section(' ', 0, 0), arg = step.trimmed().section(' ', 1);
        if (verb == "keys") {
            pressKeys(arg);
        } else {
            const QPoint at(arg.section(',', 0, 0).toInt(), arg.section(',', 1).toInt());
            QTest::mouseClick(panel->windowHandle(), verb == "click" ? Qt::LeftButton : Qt::RightButton, {},
                              picture->mapTo(panel, at));
        }
    }
    QCOMPARE(shown.join(' '), menus);
    QCOMPARE(focusPath(), focus);
    const QString wrong = mismatches(panel, "heightSlider.value=0; clearControlPointsBtn.enabled=false; windows=1");
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));

    // The focus shows as a ring inside the picture's edge, in the highlight
    // colour; the picture keeps its size and the rest of it.
    const QImage drawn = picture->grab().toImage();
    picture->clearFocus();
    const QImage plain = picture->grab().toImage();
    QCOMPARE(drawn.size(), plain.size());
    const QRect edges = tivoro::pictureArea(picture);
    const QRect inside = edges.adjusted(3, 3, -3, -3);
    QCOMPARE(drawn.copy(inside), plain.copy(inside));
    const QColor highlight = picture->palette().color(QPalette::Highlight);
    for (const QPoint &edge : {edges.topLeft(), edges.topLeft() + QPoint(1, 200), edges.bottomRight(),
                               edges.topLeft() + QPoint(edges.width() / 2, 1)})
        QCOMPARE(drawn.pixelColor(edge) == highlight, focus == picture->objectName());
}

TIVORO_TEST_MAIN(TestPanels)
#include "tst_panels.moc"
