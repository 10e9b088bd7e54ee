#include "support/TestSupport.h"

#include "app/applicationIcon.h"
#include "panels/AddCamera.h"
#include "sessions/AnalyzeVideos.h"
#include "sessions/SetupRecordingWithMetadata.h"
#include "shell/MainWindow.h"
#include "shell/Settings.h"
#include "stepwise/RecordingSettings.h"
#include "stepwise/RecordingWindow.h"
#include "stepwise/SetupRecording.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QGraphicsView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <functional>

using namespace tivoro::test;

namespace {

using Factory = std::function<QWidget *()>;

const QList<QPair<const char *, Factory>> &windowKinds()
{
    static const QList<QPair<const char *, Factory>> kinds{
        {"start window", [] { return new MainWindow; }},
        {"settings", [] { return new Settings; }},
        {"add camera", [] { return new AddCamera; }},
        {"recording session", [] { return new SetupRecordingWithMetadata(nullptr); }},
        {"video analysis", [] { return new AnalyzeVideos(nullptr); }},
        {"camera setup", [] { return new SetupRecording; }},
        {"recording settings", [] { return new RecordingSettings; }},
        {"recording view", [] { return new RecordingWindow; }},
    };
    return kinds;
}

// Controls a screen reader must be able to name: everything a user can
// operate, and the pictures that stand for camera images and the graph.
bool needsName(QWidget *w)
{
    if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_")))
        return false; // the toolkit's own parts, such as scroll area bars
    if (auto *label = qobject_cast<QLabel *>(w))
        return label->pixmap(Qt::ReturnByValue).isNull() == false;
    return qobject_cast<QAbstractButton *>(w) || qobject_cast<QAbstractSlider *>(w)
           || qobject_cast<QLineEdit *>(w) || qobject_cast<QPlainTextEdit *>(w) || qobject_cast<QComboBox *>(w)
           || qobject_cast<QAbstractSpinBox *>(w) || qobject_cast<QGraphicsView *>(w);
}

} // namespace

class TestAccessibility : public GuardedTest
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { tivoro::installApplicationIcon(); }
    void everyControlHasAName_data();
    void everyControlHasAName();
};

void TestAccessibility::everyControlHasAName_data()
{
    QTest::addColumn<int>("kind");
    for (int i = 0; i < windowKinds().size(); ++i)
        QTest::newRow(windowKinds().at(i).first) << i;
}

void TestAccessibility::everyControlHasAName()
{
    QFETCH(int, kind);
    QWidget *window = windowKinds().at(kind).second();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));

    QCOMPARE(window->windowIcon().availableSizes(), QList<QSize>{QSize(256, 256)});

    QStringList unnamed;
    int named = 0;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!needsName(w))
            continue;
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(w);
        QVERIFY(face);
        if (face->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << w->objectName();
        else
            ++named;
    }
    QVERIFY2(unnamed.isEmpty(), qPrintable("unnamed: " + unnamed.join(", ")));
    QVERIFY(named > 0);
}

TIVORO_TEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
