// A label that draws from the shared scaled picture must look exactly like
// one that scales its picture itself, in every state and at every size.
#include "support/TestSupport.h"

#include "panels/ScaledPicture.h"

#include <QLabel>

using namespace tivoro::test;

class TestScaledPicture : public GuardedTest
{
    Q_OBJECT

private Q_SLOTS:
    void looksLikeTheLabelsOwnScaling_data();
    void looksLikeTheLabelsOwnScaling();
};

void TestScaledPicture::looksLikeTheLabelsOwnScaling_data()
{
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("margin");
    QTest::addColumn<bool>("enabled");
    const QString scene = QStringLiteral(":/pictures/tivoroScene.png");
    QTest::newRow("scene, camera panel size") << scene << QSize(461, 351) << 0 << true;
    QTest::newRow("scene, disabled") << scene << QSize(461, 351) << 0 << false;
    QTest::newRow("scene, margin") << scene << QSize(300, 200) << 7 << true;
    QTest::newRow("graph, stretched") << QStringLiteral(":/pictures/graph.png") << QSize(1900, 120) << 0 << true;
}

void TestScaledPicture::looksLikeTheLabelsOwnScaling()
{
    QFETCH(QString, picture);
    QFETCH(QSize, size);
    QFETCH(int, margin);
    QFETCH(bool, enabled);
    auto makeLabel = [&](bool shared) {
        auto *label = new QLabel; // parentless: cleanup() deletes it
        label->setPixmap(QPixmap(picture));
        label->setScaledContents(true);
        label->setMargin(margin);
        label->setEnabled(enabled);
        label->resize(size);
        if (shared)
            tivoro::shareScaledPicture(label);
        return label;
    };
    QLabel *own = makeLabel(false);
    // The second shared label draws from the copy that the first one made.
    const QList<QLabel *> shared = {makeLabel(true), makeLabel(true)};

    for (const QSize &labelSize : {size, size / 2}) {
        own->resize(labelSize);
        const QImage expected = own->grab().toImage();
        for (QLabel *label : shared) {
            label->resize(labelSize);
            QCOMPARE(label->grab().toImage(), expected);
            QCOMPARE(label->pixmap(Qt::ReturnByValue).size(), QPixmap(picture).size());
        }
    }
}

TIVORO_TEST_MAIN(TestScaledPicture)
#include "tst_scaledpicture.moc"
