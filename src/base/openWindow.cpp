#include "base/openWindow.h"

#include "base/openingSize.h"

#include <QApplication>
#include <QBackingStore>
#include <QBasicTimer>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimerEvent>
#include <QWindow>

#include <algorithm>
#include <vector>

namespace tivoro::spares {

namespace {

struct Kind
{
    Factory make;
    std::vector<QPointer<QWidget>> openers;
    QPointer<QWidget> spare;
    int drawnTo = -1; // rows drawn ahead into its backing store; -1: not sized yet

    bool wanted() const
    {
        return std::any_of(openers.begin(), openers.end(), [](const auto &w) { return w && w->isVisible(); });
    }
    bool unsettled() const { return wanted() ? !spare || drawnTo < spare->height() : bool(spare); }
};

// One step of building at a time, each after the user has left the keys and
// buttons alone for a while (the window they opened paints first), with the
// program's events handled between two steps.
class Spares : public QObject
{
public:
    static Spares &instance()
    {
        static QPointer<Spares> spares;
        if (!spares)
            spares = new Spares;
        return *spares;
    }

    Kind &kindOf(Factory make)
    {
        for (Kind &kind : m_kinds) {
            if (kind.make == make)
                return kind;
        }
        return m_kinds.emplace_back(Kind {make, {}, nullptr});
    }

    void schedule()
    {
        if (QCoreApplication::closingDown()) // windows die with the application
            return;
        if (!m_timer.isActive() && std::any_of(m_kinds.begin(), m_kinds.end(), std::mem_fn(&Kind::unsettled)))
            m_timer.start(10, this);
    }

    std::vector<Kind> m_kinds;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::Wheel:
            m_sinceInput.start();
            break;
        case QEvent::Show: // what is wanted changes as windows come and go
        case QEvent::Hide:
            if (watched->isWidgetType() && static_cast<QWidget *>(watched)->isWindow())
                schedule();
            break;
        case QEvent::ApplicationFontChange: // laid out for other fonts or texts, a spare would open wrong
        case QEvent::LanguageChange:
            if (watched == qApp)
                dropSpares();
            break;
        default:
            break;
        }
        return false;
    }

    void timerEvent(QTimerEvent *) override
    {
        if (m_sinceInput.isValid() && m_sinceInput.elapsed() < 100)
            return;
        // By index: a window being built registers what it opens.
        for (size_t i = 0; i < m_kinds.size(); ++i) {
            if (!m_kinds[i].unsettled())
                continue;
            Kind &kind = m_kinds[i];
            if (!kind.wanted()) {
                delete kind.spare;
            } else if (!kind.spare) {
                QWidget *window = kind.make(); // adds kinds: `kind` may dangle now
                m_kinds[i].spare = window;
                m_kinds[i].drawnTo = -1;
            } else if (kind.drawnTo < 0) {
                createNative(kind.spare);
                kind.drawnTo = 0;
            } else {
                kind.drawnTo = drawBand(kind.spare, kind.drawnTo);
            }
            return;
        }
        m_timer.stop();
    }

private:
    Spares()
        : QObject(qApp)
    {
        qApp->installEventFilter(this);
        connect(qApp, &QCoreApplication::aboutToQuit, this, dropSpares);
        // Without an event loop, still before the application's own objects go.
        qAddPostRoutine(dropSpares);
    }
    ~Spares() override { dropSpares(); }

    // At its opening size, with its native window: creating that takes
    // round trips to the window system.
    static void createNative(QWidget *window)
    {
        tivoro::chooseOpeningSize(window);
        window->winId();
        if (QBackingStore *store = window->backingStore())
            store->resize(window->size());
        // The toolkit lists every top-level window to assistive technology,
        // hidden or not, but leaves popups out.
        window->windowHandle()->setFlags(Qt::Popup);
    }

    // Drawing ahead into its backing store lays the window out, fills the
    // caches its first paint draws from, and maps in the memory that paint
    // writes to (page faults are most of a first paint's cost). In bands,
    // so that no step holds up input for a frame. Returns the rows drawn.
    static int drawBand(QWidget *window, int from)
    {
        const QRect band(0, from, window->width(), 256);
        if (QBackingStore *store = window->backingStore()) {
            store->beginPaint(band);
            window->render(store->paintDevice(), band.topLeft(), band);
            store->endPaint();
        }
        return band.bottom() + 1;
    }

    QBasicTimer m_timer;
    QElapsedTimer m_sinceInput;
};

} // namespace

void keep(Factory make, QWidget *opener)
{
    auto &openers = Spares::instance().kindOf(make).openers;
    openers.erase(std::remove(openers.begin(), openers.end(), nullptr), openers.end()); // closed ones
    if (std::find(openers.begin(), openers.end(), opener) == openers.end())
        openers.emplace_back(opener);
    Spares::instance().schedule();
}

QWidget *take(Factory make)
{
    Kind &kind = Spares::instance().kindOf(make);
    QWidget *window = kind.spare;
    kind.spare = nullptr;
    if (window && window->windowHandle())
        window->windowHandle()->setFlags(window->windowFlags());
    Spares::instance().schedule();
    return window;
}

} // namespace tivoro::spares

namespace tivoro {

namespace {

class DeleteBehind : public QObject
{
public:
    DeleteBehind(QWidget *closed, QWidget *next)
        : QObject(next)
        , m_closed(closed)
    {
        next->installEventFilter(this);
    }
    ~DeleteBehind() override { delete m_closed; }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint || event->type() == QEvent::Hide)
            deleteLater();
        return false;
    }

private:
    QPointer<QWidget> m_closed;
};

} // namespace

void closeBehind(QWidget *closed, QWidget *next)
{
    const bool deleting = closed->testAttribute(Qt::WA_DeleteOnClose);
    closed->setAttribute(Qt::WA_DeleteOnClose, false);
    closed->close();
    if (deleting)
        new DeleteBehind(closed, next);
}

bool isSpare(const QWidget *w)
{
    const auto &kinds = spares::Spares::instance().m_kinds;
    return w && std::any_of(kinds.begin(), kinds.end(), [w](const auto &kind) { return kind.spare == w; });
}

void dropSpares()
{
    for (auto &kind : spares::Spares::instance().m_kinds)
        delete kind.spare;
}

} // namespace tivoro
