#include "common/windowKinds.h"
#include "support/TestSupport.h"

#include <QCheckBox>
#include <QCommandLinkButton>
#include <QLabel>
#include <QRadioButton>
#include <QStyleOption>
#include <QTextDocument>

#include <utility>

using namespace tivoro::test;

namespace {

// The style's own option for a button; initStyleOption is protected, a
// pointer to it taken through a subclass is not.
template <class Button>
QStyleOptionButton optionOf(const Button *button)
{
    struct Open : Button
    {
        using Button::initStyleOption;
    };
    QStyleOptionButton option;
    (button->*&Open::initStyleOption)(&option);
    return option;
}

// A text on screen and the room it is drawn in.
struct Room
{
    QString text;
    QSize needs;
    QRect has;
};

// A label draws its text in its contents rectangle less its margin (and
// an indent that only framed labels get; ours have no frame).
Room labelRoom(const QLabel *label)
{
    const int margin = label->margin();
    const QRect has = label->contentsRect().adjusted(margin, margin, -margin, -margin);
    const QString text = label->text();
    if (label->textFormat() == Qt::RichText || (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text))) {
        QTextDocument document;
        document.setDefaultFont(label->font());
        document.setDocumentMargin(0);
        document.setHtml(text);
        if (label->wordWrap())
            document.setTextWidth(has.width());
        return {document.toPlainText(), QSizeF(document.idealWidth(), document.size().height()).toSize(), has};
    }
    // A wrapped text takes the lines it needs; only a word that fits on no
    // line is too wide.
    const int flags = (label->wordWrap() ? Qt::TextWordWrap : 0) | (label->buddy() ? Qt::TextShowMnemonic : 0);
    return {text, label->fontMetrics().boundingRect(has, flags | Qt::TextExpandTabs, text).size(), has};
}

// A button draws its text beside its icon in the contents rectangle of its
// style; a command link draws its title in a font of its own beside a large
// icon, and the size it asks for is the room it needs.
template <class Button>
Room buttonRoom(const Button *button, QStyle::SubElement contents)
{
    if (qobject_cast<const QCommandLinkButton *>(button)) {
        const QWidget *link = button; // its size hints are protected
        return {button->text(), {link->sizeHint().width(), link->heightForWidth(link->width())}, link->rect()};
    }
    const QStyleOptionButton option = optionOf(button);
    QSize needs = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
    if (!button->icon().isNull())
        needs.rwidth() += button->iconSize().width() + 4;
    return {button->text(), needs, button->style()->subElementRect(contents, &option, button)};
}

Room roomOf(const QWidget *w)
{
    if (auto *label = qobject_cast<const QLabel *>(w))
        return labelRoom(label);
    if (auto *button = qobject_cast<const QPushButton *>(w))
        return buttonRoom(button, QStyle::SE_PushButtonContents);
    if (auto *box = qobject_cast<const QCheckBox *>(w))
        return buttonRoom(box, QStyle::SE_CheckBoxContents);
    if (auto *radio = qobject_cast<const QRadioButton *>(w))
        return buttonRoom(radio, QStyle::SE_RadioButtonContents);
    return {};
}

// Widgets our forms made: uic names every one of them, while the toolkit's
// own parts (scroll area viewports and bar containers, spin box editors)
// are unnamed or named qt_*, and may overlap by design.
bool fromForm(const QWidget *w)
{
    return !w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_"));
}

QString nameOf(const QWidget *w)
{
    return w->window()->metaObject()->className() + QLatin1Char('/') + panelPath(w);
}

// A label that stretches its picture shows it with every pixel of the
// screen: the picture scaled straight to the device pixels of its area, not
// a copy at its logical size blown up.
QString blurred(QLabel *label)
{
    const QPixmap picture = label->pixmap(Qt::ReturnByValue);
    if (picture.isNull() || !label->hasScaledContents() || !label->isEnabled())
        return {};
    const QRect area =
        label->contentsRect().adjusted(label->margin(), label->margin(), -label->margin(), -label->margin());
    const QSize pixels = area.size() * label->devicePixelRatioF();
    const QImage sharp = picture.toImage().scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (label->grab(area).toImage().convertToFormat(QImage::Format_RGB32)
        == sharp.convertToFormat(QImage::Format_RGB32))
        return {};
    return QStringLiteral("%1: picture is not painted at the %2x%3 device pixels of its %4x%5 area")
        .arg(nameOf(label))
        .arg(pixels.width())
        .arg(pixels.height())
        .arg(area.width())
        .arg(area.height());
}

QStringList unreadable(QWidget *window)
{
    QStringList found;
    const QList<QWidget *> widgets = window->findChildren<QWidget *>();
    for (QWidget *w : widgets) {
        if (!w->isVisible()) // such as the other pages of a stacked widget
            continue;
        const Room room = roomOf(w);
        const QString text = QString(room.text).replace(QLatin1Char('\n'), QLatin1String("\\n"));
        if (!text.isEmpty() && room.needs.width() > room.has.width())
            found << QStringLiteral("%1: text '%2' needs %3 px, has %4")
                         .arg(nameOf(w), text)
                         .arg(room.needs.width())
                         .arg(room.has.width());
        else if (!text.isEmpty() && room.needs.height() > room.has.height())
            found << QStringLiteral("%1: text '%2' needs %3 px high, has %4")
                         .arg(nameOf(w), text)
                         .arg(room.needs.height())
                         .arg(room.has.height());
        if (auto *label = qobject_cast<QLabel *>(w))
            found << blurred(label);
        if (!fromForm(w))
            continue;
        for (int i = widgets.indexOf(w) + 1; i < widgets.size(); ++i) {
            QWidget *other = widgets.at(i);
            if (other->parent() == w->parent() && other->isVisible() && fromForm(other)
                && w->geometry().intersects(other->geometry()))
                found << QStringLiteral("%1 overlaps %2").arg(nameOf(w), other->objectName());
        }
    }
    found.removeAll(QString());
    return found;
}

} // namespace

// Every text on screen fits the room its style gives it, nothing sits on
// something else and pictures stay sharp, whatever desktop font the user
// has, at the size a window opens at and larger. CTest runs this a second
// time on a screen of device pixel ratio 2.
class TestReadability : public GuardedTest
{
    Q_OBJECT

private Q_SLOTS:
    void readableAtDesktopFonts_data();
    void readableAtDesktopFonts();
};

void TestReadability::readableAtDesktopFonts_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("points");
    const QList<QPair<QString, int>> fonts = {
        {"DejaVu Sans", 8}, {"DejaVu Sans", 9}, {"Noto Sans", 10}, {"DejaVu Sans", 11}};
    for (const auto &font : fonts) {
        for (const QString &kind : tivoro::windowKindNames())
            QTest::addRow("%s, %s %d", qPrintable(kind), qPrintable(font.first), font.second)
                << kind << font.first << font.second;
    }
}

void TestReadability::readableAtDesktopFonts()
{
    QFETCH(QString, kind);
    QFETCH(QString, family);
    QFETCH(int, points);
    const QFont font(family, points);
    QCOMPARE(QFontInfo(font).family(), family); // scripts/deps installs it
    QApplication::setFont(font);

    QWidget *window = tivoro::openWindowOfKind(kind);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(window->devicePixelRatioF(), qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble());
    QCoreApplication::processEvents(); // layout
    QStringList found = unreadable(window);
    window->resize(window->size() * 1.3);
    QCoreApplication::processEvents(); // layout
    const QStringList larger = unreadable(window);
    for (const QString &fault : larger) {
        if (!found.contains(fault))
            found << fault + QStringLiteral(" (at %1x%2)").arg(window->width()).arg(window->height());
    }
    for (const QString &fault : std::as_const(found))
        qInfo().noquote() << fault;
    QVERIFY2(found.isEmpty(), qPrintable(QStringLiteral("%1 faults, listed above").arg(found.size())));
}

TIVORO_TEST_MAIN(TestReadability)
#include "tst_readability.moc"
