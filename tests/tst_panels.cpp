#include "support/TestSupport.h"

#include "panels/AddCamera.h"
#include "panels/CameraSettings.h"
#include "panels/GraphWidget.h"
#include "panels/MetaWidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSlider>

using tivoro::test::ModalAnswerer;

namespace {

template <class W>
W *showActive()
{
    auto *w = new W;
    w->show();
    QApplication::setActiveWindow(w);
    if (!QTest::qWaitForWindowActive(w))
        qFatal("panel never became active");
    return w;
}

// What a user sees of each control, to tell that nothing changed.
QStringList controlState(QWidget *panel)
{
    QStringList state;
    for (QWidget *w : panel->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
        QString seen = w->isEnabled() ? QStringLiteral("on ") : QStringLiteral("off ");
        if (auto *slider = qobject_cast<QSlider *>(w))
            seen += QString::number(slider->value());
        else if (auto *edit = qobject_cast<QLineEdit *>(w))
            seen += edit->text();
        else if (auto *button = qobject_cast<QAbstractButton *>(w))
            seen += button->text() + QString::number(button->isChecked());
        else if (auto *combo = qobject_cast<QComboBox *>(w))
            seen += combo->currentText();
        state << w->objectName() + QLatin1Char('=') + seen;
    }
    return state;
}

// Whether the label shows its picture from the given column on.
bool showsPictureFrom(QLabel *label, int offset)
{
    const QImage picture = label->pixmap(Qt::ReturnByValue).toImage().convertToFormat(QImage::Format_RGB32);
    const QImage shown = label->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const int top = label->height() / 2 - picture.height() / 2; // as the label centres it
    const int rows = qMin(label->height(), picture.height());
    return shown.copy(0, qMax(0, top), label->width(), rows)
        == picture.copy(offset, qMax(0, -top), label->width(), rows);
}

} // namespace

class TestPanels : public tivoro::test::GuardedTest
{
    Q_OBJECT

private Q_SLOTS:
    void sliderAndField_data()
    {
        QTest::addColumn<QString>("pair");
        QTest::addColumn<int>("start");
        QTest::addColumn<bool>("atHome");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("text");
        for (const char *pair : {"height", "xRot", "zRot", "yRot", "fov", "barrel"}) {
            auto row = [pair](const char *edit) -> QTestData & { return QTest::addRow("%s %s", pair, edit); };
            row("150") << pair << 0 << false << "150" << 99 << "99";
            row("-5") << pair << 0 << false << "-5" << 0 << "0";
            row("42") << pair << 0 << false << "42" << 42 << "42";
            row("abc at 0") << pair << 0 << false << "abc" << 0 << "abc";
            row("x at 5") << pair << 5 << false << "x" << 0 << "0";
            row("empty at 0") << pair << 0 << false << "" << 0 << "";
            row("empty at 5") << pair << 5 << false << "" << 0 << "0";
            row("007 from 3") << pair << 3 << false << "007" << 7 << "7";
            row("007 at 7") << pair << 7 << true << "00" << 7 << "007";
        }
    }

    void sliderAndField()
    {
        QFETCH(QString, pair);
        QFETCH(int, start);
        QFETCH(bool, atHome);
        QFETCH(QString, keys);
        auto *panel = showActive<CameraSettings>();
        const bool barrel = pair == QLatin1String("barrel");
        auto *slider = panel->findChild<QSlider *>(barrel ? QStringLiteral("horizontalSlider") : pair + "Slider");
        auto *field = panel->findChild<QLineEdit *>(barrel ? QStringLiteral("lineEdit") : pair + "LineEdit");
        QTest::keyClick(slider, Qt::Key_End);
        QCOMPARE(field->text(), QStringLiteral("99"));
        slider->setValue(start);

        field->setFocus();
        QTest::keyClick(field, atHome ? Qt::Key_Home : Qt::Key_A, atHome ? Qt::NoModifier : Qt::ControlModifier);
        if (keys.isEmpty())
            QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, keys);
        QTEST(slider->value(), "value");
        QTEST(field->text(), "text");
    }

    void calibrationMode()
    {
        auto *panel = new CameraSettings;
        const QStringList initial = controlState(panel);
        panel->setCameraSlidersEnabled(false);
        QStringList expected = initial;
        static const QRegularExpression manual("^((height|xRot|yRot|zRot|fov)(Slider|LineEdit)|cameraParamsLabel)=on");
        static const QRegularExpression controlPoints("^(clearControlPointsBtn|controlPointsTipLabel)=off");
        for (QString &line : expected) {
            if (line.contains(manual))
                line.replace(QStringLiteral("=on "), QStringLiteral("=off "));
            else if (line.contains(controlPoints))
                line.replace(QStringLiteral("=off "), QStringLiteral("=on "));
        }
        QCOMPARE(controlState(panel), expected);
        panel->setCameraSlidersEnabled(true);
        QCOMPARE(controlState(panel), initial);
    }

    void controlPointMenu_data()
    {
        QTest::addColumn<int>("entry");
        QTest::newRow("last entry") << 5;
        QTest::newRow("dismissed") << -1;
    }

    void controlPointMenu()
    {
        QFETCH(int, entry);
        auto *panel = showActive<CameraSettings>();
        auto *scene = panel->findChild<QLabel *>("sceneWidgetPlaceholderLabel");
        const QStringList before = controlState(panel);
        const QPoint click(40, 30);
        ModalAnswerer answerer(entry < 0 ? ModalAnswerer::dismiss() : ModalAnswerer::chooseMenuEntry(entry));
        QTest::mouseClick(panel->windowHandle(), Qt::RightButton, {}, scene->mapTo(panel, click));
        QTRY_VERIFY(answerer.report().seen);
        QCOMPARE(answerer.report().entries,
                 QStringList({"Add red control point", "Add blue control point", "Add yellow control point",
                              "Add green control point", "Add orange control point", "Add purple control point"}));
        QCOMPARE(answerer.report().position, scene->mapToGlobal(click));
        QTRY_VERIFY(!QApplication::activePopupWidget());
        QCOMPARE(controlState(panel), before);
    }

    void videoFile_data()
    {
        QTest::addColumn<int>("calls");
        QTest::addColumn<bool>("deletedBetween");
        QTest::newRow("once") << 1 << false;
        QTest::newRow("twice at once") << 2 << false;
        QTest::newRow("twice, deleted between") << 2 << true;
    }

    void videoFile()
    {
        QFETCH(int, calls);
        QFETCH(bool, deletedBetween);
        auto *panel = new CameraSettings;
        QStringList expected = controlState(panel).filter(QRegularExpression("^(?!labelResolution|comboBoxResolution)"));
        expected.replaceInStrings(QStringLiteral("Remove this camera"), QStringLiteral("Remove this video"));
        for (int i = 0; i < calls; ++i) {
            panel->usingVideoFile();
            if (deletedBetween)
                tivoro::test::flushDeletions();
        }
        tivoro::test::flushDeletions();
        QCOMPARE(controlState(panel), expected);
    }

    void metadataLayoutAndTabOrder()
    {
        auto *panel = showActive<MetaWidget>();
        QMap<int, QString> labels, fields; // by height on screen
        for (QWidget *w : panel->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
            if (auto *label = qobject_cast<QLabel *>(w))
                labels.insert(label->y(), label->text());
            else
                fields.insert(w->y(), w->objectName());
        }
        QCOMPARE(labels.values(),
                 QStringList({"Recording name:", "Measurer:", "Group name:", "Location:", "More information:"}));
        QCOMPARE(fields.values(), QStringList({"lineEdit", "lineEdit_4", "lineEdit_2", "lineEdit_3", "plainTextEdit"}));

        // Taller leaves the notes at 100 pixels; wider widens every field.
        auto *name = panel->findChild<QLineEdit *>("lineEdit");
        const int nameWidth = name->width();
        panel->resize(1200, 800);
        QTRY_COMPARE(name->width(), nameWidth + 1200 - 874);
        QCOMPARE(panel->findChild<QPlainTextEdit *>("plainTextEdit")->height(), 100);

        panel->findChild<QLineEdit *>("lineEdit")->setFocus();
        QStringList visited;
        for (int i = 0; i < 5; ++i) {
            visited << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(visited, QStringList({"lineEdit", "lineEdit_4", "lineEdit_2", "lineEdit_3", "plainTextEdit"}));
        // The notes field keeps Tab for itself.
        QCOMPARE(panel->findChild<QPlainTextEdit *>("plainTextEdit")->toPlainText(), QStringLiteral("\t"));
    }

    void graphView_data()
    {
        QTest::addColumn<QString>("actions"); // I/O zoom in/out, </> buttons, E/H End/Home on the scroll bar
        QTest::addColumn<int>("zoom");
        QTest::addColumn<bool>("fromEnd");
        QTest::addColumn<int>("halfWindows");
        QTest::newRow("as built") << "" << 1 << false << 0;
        QTest::newRow("right, left, left") << "><<" << 1 << false << 0;
        QTest::newRow("right") << ">>" << 1 << false << 2;
        QTest::newRow("right stops at the end") << ">>>>>>>>>>" << 1 << true << 0;
        QTest::newRow("left from the end") << "E<<" << 1 << true << 2;
        QTest::newRow("zoom in") << "I" << 2 << false << 1;
        QTest::newRow("zoom in stops at 8x") << "IIII" << 8 << false << 7;
        QTest::newRow("zoom out stops at 1x") << "IOO" << 1 << false << 0;
        QTest::newRow("zoomed out from the end") << "IIEO" << 2 << true << 0;
    }

    void graphView()
    {
        QFETCH(QString, actions);
        QFETCH(int, zoom);
        QFETCH(bool, fromEnd);
        QFETCH(int, halfWindows);
        auto *panel = showActive<GraphWidget>();
        auto *label = panel->findChild<QLabel *>("label");
        auto *bar = panel->findChild<QScrollBar *>("horizontalScrollBar");
        const QHash<QChar, const char *> buttons{{'I', "buttonZoomIn"}, {'O', "buttonZoomOut"},
                                                 {'<', "buttonPrevious"}, {'>', "buttonNext"}};
        for (QChar action : actions) {
            if (buttons.contains(action))
                QTest::mouseClick(panel->findChild<QPushButton *>(buttons.value(action)), Qt::LeftButton);
            else
                QTest::keyClick(bar, action == 'E' ? Qt::Key_End : Qt::Key_Home);
        }
        const int window = label->width();
        QCOMPARE(label->pixmap(Qt::ReturnByValue).width(), 1487 * zoom);
        QCOMPARE(bar->maximum(), 1487 * zoom - window);
        QCOMPARE(bar->value(), fromEnd ? bar->maximum() - halfWindows * (window / 2) : halfWindows * (window / 2));
        QVERIFY(showsPictureFrom(label, bar->value()));
    }

    void relativeTimeShortcut()
    {
        auto *panel = showActive<GraphWidget>();
        auto *relative = panel->findChild<QCheckBox *>("checkBoxTimeType");
        // A completed sequence clicks the box a moment later (animated), so
        // give a lone first stroke the same time to do harm.
        for (bool checked : {true, false}) {
            QTest::keyClick(panel, Qt::Key_S, Qt::ControlModifier);
            QTest::qWait(300);
            QCOMPARE(relative->isChecked(), !checked);
            QTest::keyClick(panel, Qt::Key_S, Qt::ControlModifier);
            QTRY_COMPARE(relative->isChecked(), checked);
        }
    }

    void addCameraDialog_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("Add") << "pushButton";
        QTest::newRow("Cancel") << "pushButton_2";
    }

    void addCameraDialog()
    {
        QFETCH(QString, button);
        auto *dialog = showActive<AddCamera>();
        auto *detected = dialog->findChild<QRadioButton *>("radioButton");
        auto *url = dialog->findChild<QRadioButton *>("radioButton_2");
        QVERIFY(detected->isChecked() && !url->isChecked());
        QCOMPARE(dialog->findChild<QComboBox *>("comboBox")->currentText(), QStringLiteral("USB Camera 1"));
        QVERIFY(dialog->findChild<QLineEdit *>("lineEdit")->text().isEmpty());
        QTest::mouseClick(url, Qt::LeftButton);
        QVERIFY(url->isChecked() && !detected->isChecked());
        QTest::mouseClick(detected, Qt::LeftButton);
        QVERIFY(detected->isChecked() && !url->isChecked());
        QTest::keyClicks(dialog->findChild<QLineEdit *>("lineEdit"), "rtsp://camera");
        QTest::mouseClick(dialog->findChild<QPushButton *>(button), Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
    }
};

TIVORO_TEST_MAIN(TestPanels)
#include "tst_panels.moc"
