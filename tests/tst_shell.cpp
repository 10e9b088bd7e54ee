#include "support/TestSupport.h"

#include "shell/MainWindow.h"
#include "shell/Settings.h"

#include <QColorDialog>
#include <QCommandLinkButton>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QGraphicsView>
#include <QLineEdit>
#include <QMenuBar>
#include <QPixmap>
#include <QRadioButton>
#include <QResource>
#include <QTemporaryDir>
#include <QTimeEdit>

using namespace tivoro::test;

namespace {

struct PngHeader
{
    quint32 width = 0;
    quint32 height = 0;
    int bitDepth = -1;
    int colourType = -1;
    int interlace = -1;
};

// Reads the IHDR chunk, which a PNG file must carry first.
PngHeader readPngHeader(const QByteArray &bytes)
{
    PngHeader h;
    if (bytes.size() < 29 || !bytes.startsWith("\x89PNG\r\n\x1a\n") || bytes.mid(12, 4) != "IHDR")
        return h;
    auto be32 = [&bytes](int at) {
        return quint32(quint8(bytes[at])) << 24 | quint32(quint8(bytes[at + 1])) << 16
               | quint32(quint8(bytes[at + 2])) << 8 | quint32(quint8(bytes[at + 3]));
    };
    h.width = be32(16);
    h.height = be32(20);
    h.bitDepth = quint8(bytes[24]);
    h.colourType = quint8(bytes[25]);
    h.interlace = quint8(bytes[28]);
    return h;
}

MainWindow *showStartWindow()
{
    auto *window = new MainWindow;
    window->show();
    if (!QTest::qWaitForWindowExposed(window))
        qFatal("start window not exposed");
    return window;
}

} // namespace

class TestShell : public GuardedTest
{
    Q_OBJECT

private Q_SLOTS:
    void pictures_data();
    void pictures();
    void startWindowMenus();
    void commandButtonsFocusOrder();
    void openAnalyzedProject_data();
    void openAnalyzedProject();
    void menuEntriesWithoutHandler_data();
    void menuEntriesWithoutHandler();
    void settingsOpensIndependentDialogs();
    void settingsStartsFresh();
    void settingsTimeDisplayIsExclusive();
    void colourDialogChangesNothing();
    void settingsDoNotAccumulate();
    void lastWindowClosedEndsLoopWithZero();
};

void TestShell::pictures_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    QTest::newRow("scene") << ":/pictures/tivoroScene.png" << QSize(507, 406);
    QTest::newRow("graph") << ":/pictures/graph.png" << QSize(1487, 214);
}

void TestShell::pictures()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);

    // Only the bundle inside the executable may provide them.
    const QString besideExecutable = QCoreApplication::applicationDirPath() + path.mid(1);
    QVERIFY(!QFile::exists(besideExecutable));

    QResource resource(path);
    QVERIFY(resource.isValid());
    QCOMPARE(resource.compressionAlgorithm(), QResource::NoCompression);

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const PngHeader header = readPngHeader(file.readAll());
    QCOMPARE(QSize(int(header.width), int(header.height)), size);
    QCOMPARE(header.bitDepth, 8);
    QCOMPARE(header.colourType, 2); // truecolour RGB, no alpha
    QCOMPARE(header.interlace, 0);

    QCOMPARE(QPixmap(path).size(), size);
}

void TestShell::startWindowMenus()
{
    MainWindow *window = showStartWindow();
    QCOMPARE(window->windowTitle(), QStringLiteral("Tivoro"));
    QStringList titles;
    for (QAction *a : window->menuBar()->actions())
        titles << a->text();
    QCOMPARE(titles, (QStringList{"File", "Tools", "Help"}));

    QStringList fileEntries;
    for (QAction *a : window->menuBar()->actions().first()->menu()->actions())
        fileEntries << a->objectName() + '=' + a->text();
    QCOMPARE(fileEntries, (QStringList{"actionOpen_analyzed_project=Open analyzed project",
                                       "actionOpen_video_files=Open videos", "actionExit=Exit"}));
}

void TestShell::commandButtonsFocusOrder()
{
    MainWindow *window = showStartWindow();
    QApplication::setActiveWindow(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
    auto *analyze = window->findChild<QCommandLinkButton *>("commandLinkButtonAnalyze");
    QVERIFY(analyze);
    analyze->setFocus();

    QStringList order{analyze->text()};
    for (int i = 0; i < 2; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        auto *button = qobject_cast<QCommandLinkButton *>(QApplication::focusWidget());
        QVERIFY(button);
        order << button->text();
    }
    QCOMPARE(order, (QStringList{"Analyze video files", "Set up recoding session", "Open analyzed project"}));
}

void TestShell::openAnalyzedProject_data()
{
    QTest::addColumn<bool>("chooseFile");
    QTest::newRow("cancelled") << false;
    QTest::newRow("file chosen") << true;
}

void TestShell::openAnalyzedProject()
{
    QFETCH(bool, chooseFile);
    QTemporaryDir dir;
    const QString project = dir.filePath("study.tivoro");
    QFile(project).open(QIODevice::WriteOnly);

    MainWindow *window = showStartWindow();
    ModalAnswerer answerer(chooseFile ? ModalAnswerer::chooseFiles({project}) : ModalAnswerer::dismiss());
    QTest::mouseClick(window->findChild<QCommandLinkButton *>("commandLinkButtonOpenProject"), Qt::LeftButton);
    flushDeletions();

    const ModalReport &shown = answerer.report();
    QVERIFY(shown.seen);
    QVERIFY(shown.modal);
    QVERIFY(!shown.stuck);
    QCOMPARE(shown.className, QStringLiteral("QFileDialog"));
    QCOMPARE(shown.caption, QStringLiteral("Open analyzed project"));
    QCOMPARE(shown.directory, QStringLiteral("/home"));
    QCOMPARE(shown.nameFilters, QStringList{"Files (*.tivoro)"});
    // Nothing follows the dialog: the start window is alone and still open.
    QVERIFY(window->isVisible());
    QCOMPARE(liveTopLevelCount(), 1);
}

void TestShell::menuEntriesWithoutHandler_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("entry");
    QTest::newRow("open project") << "File" << "Open analyzed project";
    QTest::newRow("open videos") << "File" << "Open videos";
    QTest::newRow("exit") << "File" << "Exit";
    QTest::newRow("about") << "Help" << "About";
}

void TestShell::menuEntriesWithoutHandler()
{
    QFETCH(QString, menu);
    QFETCH(QString, entry);
    MainWindow *window = showStartWindow();
    ModalAnswerer watcher(ModalAnswerer::dismiss(), 300);
    QVERIFY(chooseFromMenuBar(window->menuBar(), menu, entry));
    QTest::qWait(400);
    QVERIFY(!watcher.report().seen);
    QVERIFY(window->isVisible());
    QCOMPARE(liveTopLevelCount(), 1);
}

void TestShell::settingsOpensIndependentDialogs()
{
    MainWindow *window = showStartWindow();
    for (int i = 0; i < 3; ++i)
        QVERIFY(chooseFromMenuBar(window->menuBar(), "Tools", "Settings"));
    const QList<Settings *> dialogs = topLevels<Settings>();
    QCOMPARE(dialogs.size(), 3);
    for (Settings *dialog : dialogs) {
        QVERIFY(dialog->isVisible());
        QVERIFY(!dialog->isModal());
    }
    QVERIFY(window->isVisible());

    // Each dialog holds its own values.
    dialogs[0]->findChild<QLineEdit *>("lineEdit")->setText("/data");
    QVERIFY(dialogs[1]->findChild<QLineEdit *>("lineEdit")->text().isEmpty());
    QTest::mouseClick(dialogs[2]->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Cancel), Qt::LeftButton);
    flushDeletions();
    QCOMPARE(topLevels<Settings>().size(), 2);
}

void TestShell::settingsStartsFresh()
{
    MainWindow *window = showStartWindow();
    for (int round = 0; round < 2; ++round) {
        QVERIFY(chooseFromMenuBar(window->menuBar(), "Tools", "Settings"));
        Settings *dialog = visibleTopLevel<Settings>();
        QVERIFY(dialog);
        auto *directory = dialog->findChild<QLineEdit *>("lineEdit");
        QCOMPARE(directory->text(), QString());
        for (const char *name : {"graphicsView", "graphicsView_2", "graphicsView_3"}) {
            auto *swatch = dialog->findChild<QGraphicsView *>(name);
            QCOMPARE(swatch->backgroundBrush(), QBrush(QColor(255, 0, 0)));
            QCOMPARE(swatch->foregroundBrush(), QBrush(QColor(0, 0, 0)));
            QCOMPARE(swatch->viewport()->grab().toImage().pixelColor(10, 10), QColor(255, 0, 0));
        }
        QCOMPARE(dialog->findChild<QTimeEdit *>("timeEdit")->text(), QStringLiteral("1:00:00"));
        QVERIFY(dialog->findChild<QRadioButton *>("radioButton")->isChecked());
        QCOMPARE(dialog->findChild<QRadioButton *>("radioButton")->text(), QStringLiteral("Display time of filming"));

        // Whatever is typed and confirmed is gone next time.
        QTest::keyClicks(directory, "/srv/recordings");
        QTest::mouseClick(dialog->findChild<QRadioButton *>("radioButton_2"), Qt::LeftButton);
        QTest::mouseClick(dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
        flushDeletions();
    }
}

void TestShell::settingsTimeDisplayIsExclusive()
{
    auto *dialog = new Settings;
    dialog->show();
    auto *filming = dialog->findChild<QRadioButton *>("radioButton");
    auto *fromStart = dialog->findChild<QRadioButton *>("radioButton_2");
    QTest::mouseClick(fromStart, Qt::LeftButton);
    QVERIFY(fromStart->isChecked() && !filming->isChecked());
    QTest::mouseClick(filming, Qt::LeftButton);
    QVERIFY(filming->isChecked() && !fromStart->isChecked());
}

void TestShell::colourDialogChangesNothing()
{
    auto *dialog = new Settings;
    dialog->show();
    auto *change = dialog->findChild<QPushButton *>("pushButton_2");
    QTest::mouseClick(change, Qt::LeftButton);
    QTest::mouseClick(change, Qt::LeftButton);
    const QList<QColorDialog *> pickers = topLevels<QColorDialog>();
    QCOMPARE(pickers.size(), 2);
    for (QColorDialog *picker : pickers) {
        QVERIFY(picker->isVisible());
        QVERIFY(!picker->isModal());
        picker->setCurrentColor(Qt::blue);
        picker->accept();
    }
    flushDeletions();
    QCOMPARE(topLevels<QColorDialog>().size(), 0);
    QCOMPARE(dialog->findChild<QGraphicsView *>("graphicsView")->backgroundBrush(), QBrush(QColor(255, 0, 0)));
    QVERIFY(dialog->isVisible());

    // The other "Change" buttons and "..." have nothing behind them.
    for (const char *name : {"pushButton", "pushButton_3", "pushButton_4"})
        QTest::mouseClick(dialog->findChild<QPushButton *>(name), Qt::LeftButton);
    QCOMPARE(liveTopLevelCount(), 1);
}

void TestShell::settingsDoNotAccumulate()
{
    MainWindow *window = showStartWindow();
    const int widgetsBefore = QApplication::allWidgets().size();
    for (int i = 0; i < 1000; ++i) {
        window->findChild<QAction *>("actionSettings")->trigger();
        Settings *dialog = visibleTopLevel<Settings>();
        QVERIFY(dialog);
        QTest::keyClick(dialog, Qt::Key_Escape);
        flushDeletions();
    }
    QCOMPARE(QApplication::allWidgets().size(), widgetsBefore);
    QCOMPARE(liveTopLevelCount(), 1);
}

void TestShell::lastWindowClosedEndsLoopWithZero()
{
    MainWindow *window = showStartWindow();
    QTimer::singleShot(0, window, &QWidget::close);
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!window->isVisible());
}

TIVORO_TEST_MAIN(TestShell)
#include "tst_shell.moc"
