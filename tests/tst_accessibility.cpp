#include "support/TestSupport.h"

#include "app/applicationIcon.h"
#include "common/windowKinds.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QGraphicsView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

using namespace tivoro::test;

namespace {

// Controls a screen reader must be able to name: everything a user can
// operate, and the pictures that stand for camera images and the graph.
bool needsName(QWidget *w)
{
    if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_")))
        return false; // the toolkit's own parts, such as scroll area bars
    if (auto *label = qobject_cast<QLabel *>(w))
        return label->pixmap(Qt::ReturnByValue).isNull() == false;
    return qobject_cast<QAbstractButton *>(w) || qobject_cast<QAbstractSlider *>(w) || qobject_cast<QLineEdit *>(w)
        || qobject_cast<QPlainTextEdit *>(w) || qobject_cast<QComboBox *>(w) || qobject_cast<QAbstractSpinBox *>(w)
        || qobject_cast<QGraphicsView *>(w);
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
    QTest::addColumn<QString>("kind");
    for (const QString &kind : tivoro::windowKindNames())
        QTest::newRow(qPrintable(kind)) << kind;
}

void TestAccessibility::everyControlHasAName()
{
    QFETCH(QString, kind);
    QWidget *window = tivoro::openWindowOfKind(kind);
    QVERIFY(QTest::qWaitForWindowExposed(window));

    QCOMPARE(window->windowIcon().availableSizes(), QList<QSize> {QSize(256, 256)});

    QStringList unnamed;
    int named = 0;
    const QList<QWidget *> widgets = window->findChildren<QWidget *>();
    for (QWidget *w : widgets) {
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

    // What opens a context menu takes the focus, so that keys can open it
    // too, says that it has a menu, and opens it when assistive technology
    // asks.
    QStringList silent;
    int menus = 0, asked = 0;
    const ExecAnswerer answerer([&menus](QWidget *popup) {
        menus += popup->actions().size() == 6;
        dismiss()(popup);
    });
    for (QWidget *w : widgets) {
        if (w->contextMenuPolicy() != Qt::CustomContextMenu)
            continue;
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(w);
        const QAccessible::State state = face->state();
        QAccessibleActionInterface *actions = face->actionInterface();
        if (!state.focusable || !state.hasPopup || !(w->focusPolicy() & Qt::TabFocus) || !actions
            || !actions->actionNames().contains(QAccessibleActionInterface::showMenuAction()))
            silent << w->objectName();
        else
            actions->doAction(QAccessibleActionInterface::showMenuAction()), ++asked;
        QTRY_COMPARE(menus, asked);
    }
    QVERIFY2(silent.isEmpty(), qPrintable("menu not announced: " + silent.join(", ")));
}

TIVORO_TEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
