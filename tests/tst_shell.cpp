#include "support/Script.h"
#include "support/TestSupport.h"

#include "app/translations.h"
#include "base/openWindow.h"
#include "shell/MainWindow.h"
#include "shell/Settings.h"

#include "common/windowKinds.h"

#include <QAccessible>
#include <QColorDialog>
#include <QCommandLinkButton>
#include <QDialogButtonBox>
#include <QGraphicsView>
#include <QLabel>
#include <QMenuBar>
#include <QTemporaryDir>

#include <algorithm>

using namespace tivoro::test;

class TestShell : public GuardedTest
{
    Q_OBJECT

private Q_SLOTS:
    void startWindow_data();
    void startWindow();
    void settingsSwatchesStayRed();
    void windowsBuiltAhead_data();
    void windowsBuiltAhead();
    void userLanguages_data();
    void userLanguages();
};

void TestShell::startWindow_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("checks");
    QTest::newRow("open analyzed project, chosen") << "answer files PROJECT; click commandLinkButtonOpenProject"
                                                   << "windows=1; MainWindow#=1; modal.count=1";
    QTest::newRow("settings three times") << "menu Tools>Settings; menu Tools>Settings; menu Tools>Settings"
                                          << "windows=4; Settings#=3; MainWindow#=1";
    QTest::newRow("settings fresh after OK")
        << "menu Tools>Settings; @Settings; type lineEdit /srv; click radioButton_2;"
           "key lineEdit Return; @MainWindow; menu Tools>Settings; @Settings"
        << "lineEdit.text=; timeEdit.text=1:00:00; radioButton.checked=true; Settings#=1";
    QTest::newRow("change twice") << "menu Tools>Settings; @Settings; click pushButton_2; click pushButton_2"
                                  << "windows=4; QColorDialog#=2; modal.count=0";
}

void TestShell::startWindow()
{
    QFETCH(QString, steps);
    QFETCH(QString, checks);
    QTemporaryDir dir;
    QFile(dir.filePath("study.tivoro")).open(QIODevice::WriteOnly);
    auto *window = new MainWindow;
    window->show();
    TIVORO_PLAY(window, steps.replace("PROJECT", dir.filePath("study.tivoro")), checks);
}

void TestShell::settingsSwatchesStayRed()
{
    auto *start = new MainWindow;
    start->show();
    QWidget *settings = play(start, "menu Tools>Settings; @Settings; click pushButton_2");
    QVERIFY(settings);
    const QList<QWidget *> pickers = ownWindows("QColorDialog");
    for (QWidget *picker : pickers) {
        static_cast<QColorDialog *>(picker)->setCurrentColor(Qt::blue);
        static_cast<QColorDialog *>(picker)->accept();
    }
    for (const char *name : {"graphicsView", "graphicsView_2", "graphicsView_3"}) {
        auto *swatch = settings->findChild<QGraphicsView *>(name);
        QCOMPARE(swatch->viewport()->grab().toImage().pixelColor(5, 5), QColor(Qt::red));
    }
}

// A window built ahead is laid out when it is ready.
bool ready(const QWidget *spare)
{
    return spare && !spare->testAttribute(Qt::WA_PendingResizeEvent);
}

QWidget *spareOf(const char *className)
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *w : windows) {
        if (tivoro::isSpare(w) && w->inherits(className))
            return w;
    }
    return nullptr;
}

void TestShell::windowsBuiltAhead_data()
{
    // How long the start window stays idle before the click: the spare
    // not begun, half built, or ready.
    QTest::addColumn<int>("idleMs");
    for (int ms : {0, 20, 120, 160, 250, 1000})
        QTest::addRow("click after %d ms", ms) << ms;
}

void TestShell::windowsBuiltAhead()
{
    QFETCH(int, idleMs);
    auto *start = new MainWindow;
    start->show();
    QVERIFY(QTest::qWaitForWindowExposed(start));
    QTest::qWait(idleMs);
    const QPointer<QWidget> spare = spareOf("SetupRecordingWithMetadata");
    if (ready(spare)) { // assistive technology does not see it as a window
        QAccessibleInterface *app = QAccessible::queryAccessibleInterface(qApp);
        for (int i = 0; i < app->childCount(); ++i)
            QVERIFY(app->child(i)->object() != spare);
    }
    QWidget *first = play(start, "click commandLinkButtonSetUpRecording; @SetupRecordingWithMetadata");
    QVERIFY(first && first->isVisible() && !start->isVisible());
    QVERIFY(!spare || first == spare);
    QCOMPARE(first->windowHandle()->type(), Qt::Window); // managed by the window manager again
    QTRY_VERIFY(tivoro::isSpare(spareOf("Settings")) && spareOf("AddCamera")); // what the new window opens

    // Laid out as a window built at the click, and never shown twice.
    tivoro::dropSpares();
    QWidget *fresh = tivoro::openWindowOfKind("SetupRecordingWithMetadata");
    QVERIFY(QTest::qWaitForWindowExposed(fresh));
    QCOMPARE(first->size(), fresh->size());
    start->show();
    QTRY_VERIFY(ready(spareOf("SetupRecordingWithMetadata")));
    play(start, "click commandLinkButtonSetUpRecording");
    const QList<QWidget *> windows = ownWindows("SetupRecordingWithMetadata");
    QCOMPARE(windows.size(), 3);
    QVERIFY(std::all_of(windows.begin(), windows.end(), [](QWidget *w) { return w->isVisible(); }));
}

void TestShell::userLanguages_data()
{
    // The desktop's languages, preferred first, as QLocale lists them.
    QTest::addColumn<QStringList>("languages");
    QTest::addColumn<QString>("caption"); // of the start window
    QTest::addColumn<QString>("cancel"); // the toolkit's standard button
    const QString german = "Aufnahmesitzung einrichten", english = "Set up recoding session";
    QTest::newRow("German") << QStringList {"de-DE"} << german << "Abbrechen";
    QTest::newRow("French, then German") << QStringList {"fr-FR", "de"} << german << "Abbrechen";
    QTest::newRow("English, then German") << QStringList {"en-GB", "de-DE"} << english << "Cancel";
    QTest::newRow("unknown") << QStringList {"xx-YY"} << english << "Cancel";
    QTest::newRow("none") << QStringList {} << english << "Cancel";
}

void TestShell::userLanguages()
{
    QFETCH(QStringList, languages);
    QFETCH(QString, caption);
    QFETCH(QString, cancel);
    const QList<QTranslator *> installed = tivoro::installTranslations(languages);
    auto *start = new MainWindow;
    start->show();
    const QDialogButtonBox box(QDialogButtonBox::Cancel);
    const QString shownCaption = start->findChild<QCommandLinkButton *>("commandLinkButtonSetUpRecording")->text();
    const QString shownCancel = box.button(QDialogButtonBox::Cancel)->text();
    for (QTranslator *translator : installed)
        QCoreApplication::removeTranslator(translator);
    qDeleteAll(installed);
    QCOMPARE(shownCaption, caption);
    QCOMPARE(shownCancel, cancel);
}

TIVORO_TEST_MAIN(TestShell)
#include "tst_shell.moc"
