#include "shell/MainWindow.h"
#include "ui_MainWindow.h"

#include "base/menuBarKeys.h"
#include "base/openWindow.h"
#include "sessions/AnalyzeVideos.h"
#include "sessions/SetupRecordingWithMetadata.h"
#include "shell/Settings.h"

#include <QFileDialog>

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , ui(std::make_unique<Ui::MainWindow>())
{
    ui->setupUi(this);
    tivoro::enableMenuBarKeys(this);
    connect(ui->actionSettings, &QAction::triggered, this, &MainWindow::openSettings);
    connect(ui->commandLinkButtonSetUpRecording, &QCommandLinkButton::clicked, this,
            &MainWindow::setUpRecordingSession);
    connect(ui->commandLinkButtonAnalyze, &QCommandLinkButton::clicked, this, &MainWindow::analyzeVideoFiles);
    connect(ui->commandLinkButtonOpenProject, &QCommandLinkButton::clicked, this, &MainWindow::openAnalyzedProject);
    tivoro::keepSpare<SetupRecordingWithMetadata>(this);
    tivoro::keepSpare<Settings>(this);
}

MainWindow::~MainWindow() = default;

void MainWindow::openSettings()
{
    tivoro::openWindow<Settings>();
}

void MainWindow::setUpRecordingSession()
{
    tivoro::handOver<SetupRecordingWithMetadata>(this);
}

void MainWindow::analyzeVideoFiles()
{
    // Built while the user chooses files. The chosen names are not used yet;
    // the analysis window opens even on Cancel.
    tivoro::keepSpare<AnalyzeVideos>(this);
    auto *dialog = new QFileDialog(this, tr("Open video files"), QStringLiteral("/home"), tr("Files (*.*)"));
    dialog->setFileMode(QFileDialog::ExistingFiles);
    dialog->exec();
    AnalyzeVideos *analysis = tivoro::handOver<AnalyzeVideos>(this);
    // Destroying the dialog (the toolkit saves its state to disk then) waits
    // for the analysis window's first paint.
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    tivoro::closeBehind(dialog, analysis);
}

void MainWindow::openAnalyzedProject()
{
    QFileDialog::getOpenFileName(this, tr("Open analyzed project"), QStringLiteral("/home"), tr("Files (*.tivoro)"));
}
