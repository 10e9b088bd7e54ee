#define Q_TEST_QPIXMAPCACHE // for QPixmapCache::totalUsed()
#include "support/Script.h"
#include "support/TestSupport.h"

#include "app/IdleWarmUp.h"
#include "app/panelsFirstUse.h"
#include "app/translations.h"
#include "shell/MainWindow.h"
#include "shell/Settings.h"

#include "common/windowKinds.h"

#include <QColorDialog>
#include <QCommandLinkButton>
#include <QDialogButtonBox>
#include <QGraphicsView>
#include <QLabel>
#include <QMenuBar>
#include <QPixmapCache>
#include <QSlider>
#include <QStyle>
#include <QTemporaryDir>

using namespace tivoro::test;

class TestShell : public GuardedTest
{
    Q_OBJECT

private Q_SLOTS:
    void startWindow_data();
    void startWindow();
    void settingsSwatchesStayRed();
    void idleWarmUp_data();
    void idleWarmUp();
    void idleWarmUpCoversFirstUse_data();
    void idleWarmUpCoversFirstUse();
    void userLanguages_data();
    void userLanguages();
};

void TestShell::startWindow_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("checks");
    const QString unchanged = "windows=1; MainWindow#=1;";
    QTest::newRow("open analyzed project") << "click commandLinkButtonOpenProject"
                                           << unchanged
            + "modal.caption=Open analyzed project; modal.directory=/home;"
              "modal.filters=Files (*.tivoro)";
    QTest::newRow("open analyzed project, chosen")
        << "answer files PROJECT; click commandLinkButtonOpenProject" << unchanged + "modal.count=1";
    for (const char *entry : {"File>Open analyzed project", "File>Open videos", "File>Exit", "Help>About"})
        QTest::newRow(entry) << QString("menu ") + entry << unchanged + "modal.count=0";
    QTest::newRow("settings three times") << "menu Tools>Settings; menu Tools>Settings; menu Tools>Settings"
                                          << "windows=4; Settings#=3; MainWindow#=1";
    const QString fresh =
        "lineEdit.text=; timeEdit.text=1:00:00; radioButton.checked=true; radioButton_2.checked=false;"
        "radioButton.text=Display time of filming";
    QTest::newRow("settings fresh after OK")
        << "menu Tools>Settings; @Settings; type lineEdit /srv; click radioButton_2;"
           "key lineEdit Return; @MainWindow; menu Tools>Settings; @Settings"
        << fresh + "; Settings#=1";
    QTest::newRow("time display exclusive") << "menu Tools>Settings; @Settings; click radioButton_2"
                                            << "radioButton.checked=false; radioButton_2.checked=true";
    QTest::newRow("change twice") << "menu Tools>Settings; @Settings; click pushButton_2; click pushButton_2"
                                  << "windows=4; QColorDialog#=2; modal.count=0";
    QTest::newRow("other buttons inert") << "menu Tools>Settings; @Settings; click pushButton; click pushButton_3;"
                                            "click pushButton_4; key lineEdit Escape"
                                         << "windows=1; Settings#=0";
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

void TestShell::idleWarmUp_data()
{
    // What the user does once the first run has ended, and how many runs
    // then got through every piece.
    QTest::addColumn<QString>("steps");
    QTest::addColumn<int>("runs");
    QTest::newRow("left idle") << "" << 1;
    QTest::newRow("pointer comes back") << "enter" << 2;
    QTest::newRow("key pressed while it runs") << "enter; key" << 1;
    QTest::newRow("pointer back after a press") << "enter; key; enter" << 2;
    QTest::newRow("click while it runs") << "enter; click" << 1;
}

void TestShell::idleWarmUp()
{
    QFETCH(QString, steps);
    QFETCH(int, runs);
    auto *plain = new MainWindow;
    plain->show();
    auto *window = new MainWindow;
    auto *warmUp = new IdleWarmUp(window, tivoro::panelsFirstUse(window));
    QSignalSpy finished(warmUp, &IdleWarmUp::finished);
    window->show();
    QVERIFY(finished.wait()); // from the first paint on
    const QStringList stepList = steps.split(';', Qt::SkipEmptyParts);
    for (const QString &step : stepList) {
        if (step.trimmed() == "enter") {
            QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), window->mapToGlobal(QPoint(1, 1)));
            QApplication::sendEvent(window, &enter);
        } else if (step.trimmed() == "key") {
            QTest::keyClick(window, Qt::Key_Tab);
        } else { // on the menu bar, right of the menus
            QMenuBar *bar = window->menuBar();
            QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() - 5, bar->height() / 2));
        }
    }
    if (finished.size() < runs)
        QVERIFY(finished.wait());
    QTest::qWait(50); // a run that should have stopped would end here
    QCOMPARE(finished.size(), runs);
    // The same widgets as a start window without it, and nothing else.
    QCOMPARE(QApplication::allWidgets().size(), 2 * (plain->findChildren<QWidget *>().size() + 1));
}

void TestShell::idleWarmUpCoversFirstUse_data()
{
    QTest::addColumn<QString>("kind");
    for (const char *kind : {"SetupRecordingWithMetadata", "AnalyzeVideos", "SetupRecording"})
        QTest::newRow(kind) << kind;
}

// The picture cache reports its total in whole units of 1,024 entries of
// 1 KiB; this brings the total to a whole unit, so that any entry of 1 KiB or
// more added from here on shows.
void alignPictureCache()
{
    static int fillers = 0;
    QPixmap kib(16, 16);
    kib.fill();
    const int start = QPixmapCache::totalUsed();
    QString key;
    while (QPixmapCache::totalUsed() == start) {
        key = QString("filler %1").arg(fillers++);
        QPixmapCache::insert(key, kib);
    }
    QPixmapCache::remove(key);
}

void TestShell::idleWarmUpCoversFirstUse()
{
    // After a warm-up in a process that has drawn nothing else, a window
    // with the panels decodes no picture and draws no scaled picture or
    // slider that the picture cache does not already hold.
    QFETCH(QString, kind);
    QPixmapCache::clear();
    const auto restoreLimit = qScopeGuard([limit = QPixmapCache::cacheLimit()] { QPixmapCache::setCacheLimit(limit); });
    QPixmapCache::setCacheLimit(64 * 1024); // room for the fillers
    auto *start = new MainWindow;
    QSignalSpy finished(new IdleWarmUp(start, tivoro::panelsFirstUse(start)), &IdleWarmUp::finished);
    start->show();
    QVERIFY(finished.wait());

    alignPictureCache();
    int used = QPixmapCache::totalUsed();
    QWidget *window = tivoro::openWindowOfKind(kind); // painted once events run: not yet
    QVERIFY2(QPixmapCache::totalUsed() == used, "a picture decoded anew");
    QList<QWidget *> drawn;
    const QList<QWidget *> widgets = window->findChildren<QWidget *>();
    for (QWidget *w : widgets) {
        auto *label = qobject_cast<QLabel *>(w);
        if (qobject_cast<QSlider *>(w) || (label && label->hasScaledContents()))
            drawn << w;
    }
    QVERIFY(drawn.size() > 2);
    for (bool active : {false, true}) {
        if (active)
            QApplication::setActiveWindow(window);
        QCOMPARE(window->isActiveWindow(), active);
        for (QWidget *w : std::as_const(drawn)) {
            alignPictureCache();
            used = QPixmapCache::totalUsed();
            w->grab();
            QVERIFY2(QPixmapCache::totalUsed() == used,
                     qPrintable(QStringLiteral("%1 in %2 window drawn anew")
                                    .arg(w->objectName(), active ? "an active" : "an inactive")));
        }
    }
}

void TestShell::userLanguages_data()
{
    // The desktop's languages, preferred first, as QLocale lists them.
    QTest::addColumn<QStringList>("languages");
    QTest::addColumn<QString>("caption"); // of the start window
    QTest::addColumn<QString>("cancel"); // the toolkit's standard button
    const QString german = "Aufnahmesitzung einrichten", english = "Set up recoding session";
    QTest::newRow("German") << QStringList {"de-DE"} << german << "Abbrechen";
    QTest::newRow("Austrian German") << QStringList {"de-AT"} << german << "Abbrechen";
    QTest::newRow("French, then German") << QStringList {"fr-FR", "de"} << german << "Abbrechen";
    QTest::newRow("English, then German") << QStringList {"en-GB", "de-DE"} << english << "Cancel";
    QTest::newRow("unknown") << QStringList {"xx-YY"} << english << "Cancel";
    QTest::newRow("C locale") << QStringList {"C"} << english << "Cancel";
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
