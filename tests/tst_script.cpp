#include "support/Script.h"
#include "support/TestSupport.h"

using namespace tivoro::test;

// The script harness itself: a script or a check that cannot mean what it
// says is a failure of its own, naming the step or the check, never a pass.
class TestScript : public GuardedTest
{
    Q_OBJECT

private Q_SLOTS:
    void failures_data();
    void failures();
};

void TestScript::failures_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("checks");
    QTest::addColumn<QString>("failure"); // part of the message; empty: none
    const QString open = "open Settings;";
    QTest::newRow("sound") << open + "type lineEdit /srv"
                           << "lineEdit.text=/srv; windows=1; modal.count=0"
                           << "";
    QTest::newRow("misspelt check") << open << "modal.captoin="
                                    << "modal.captoin=: unknown check";
    QTest::newRow("check without a value") << open << "windows"
                                           << "windows: unknown check";
    QTest::newRow("misspelt property") << open << "lineEdit.txet="
                                       << "lineEdit.txet=: QLineEdit \"lineEdit\" has no property \"txet\"";
    QTest::newRow("check of a missing widget") << open << "lineEdt.text="
                                               << "lineEdt.text=: no widget \"lineEdt\"";
    QTest::newRow("misspelt step") << open + "clik lineEdit"
                                   << ""
                                   << "step 2 \"clik lineEdit\": unknown step";
    QTest::newRow("step finding no widget") << open + "click lineEdt"
                                            << ""
                                            << "step 2 \"click lineEdt\": no widget \"lineEdt\" in Settings";
    QTest::newRow("misspelt property set") << open + "set lineEdit txet /srv"
                                           << ""
                                           << "has no property \"txet\"";
    QTest::newRow("misspelt slot") << open + "call . acept"
                                   << ""
                                   << "Settings has no slot acept()";
    QTest::newRow("unknown window") << "open Setings"
                                    << ""
                                    << "step 1 \"open Setings\": no such window kind";
}

void TestScript::failures()
{
    QFETCH(QString, steps);
    QFETCH(QString, checks);
    QFETCH(QString, failure);
    QWidget *window = nullptr;
    const QString problem = tryPlay(window, steps);
    const QString wrong = problem.isEmpty() ? mismatches(window, checks) : problem;
    if (failure.isEmpty())
        QCOMPARE(wrong, QString());
    else
        QVERIFY2(wrong.contains(failure), qPrintable(wrong));
}

TIVORO_TEST_MAIN(TestScript)
#include "tst_script.moc"
