#include "support/TestSupport.h"

class TestShell : public tivoro::test::GuardedTest
{
    Q_OBJECT

private Q_SLOTS:
    void placeholder() { QVERIFY(true); }
};

TIVORO_TEST_MAIN(TestShell)
#include "tst_shell.moc"
