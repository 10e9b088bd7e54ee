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
    const struct
    {
        const char *tag, *steps, *checks, *failure;
    } rows[] = {
        {"sound", "type lineEdit /srv", "lineEdit.text=/srv; windows=1; modal.count=0", ""},
        {"misspelt check", "", "modal.captoin=", "modal.captoin=: unknown check"},
        {"check without a value", "", "windows", "windows: unknown check"},
        {"misspelt property", "", "lineEdit.txet=", "lineEdit.txet=: QLineEdit \"lineEdit\" has no property \"txet\""},
        {"check of a missing widget", "", "lineEdt.text=", "lineEdt.text=: no widget \"lineEdt\""},
        {"misspelt step", "clik lineEdit", "", "step 2 \"clik lineEdit\": unknown step"},
        {"step finding no widget", "click lineEdt", "", "step 2 \"click lineEdt\": no widget \"lineEdt\" in Settings"},
        {"misspelt property set", "set lineEdit txet /srv", "", "has no property \"txet\""},
        {"misspelt slot", "call . acept", "", "Settings has no slot acept()"},
    };
    for (const auto &row : rows)
        QTest::newRow(row.tag) << QString("open Settings;") + row.steps << row.checks << row.failure;
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
