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
    bool ready = false; // laid out and drawn aside at its opening size

    bool wanted() const
    {
        return std::any_of(openers.begin(), openers.end(), [](const auto &w) { return w && w->isVisible(); });
    }
    bool unsettled() const { return wanted() ? !spare || !ready : bool(spare); }
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
            if (!m_kinds[i].wanted())
                delete m_kinds[i].spare;
            else if (!m_kinds[i].spare) {
                QWidget *window = m_kinds[i].make();
                m_kinds[i].spare = window;
                m_kinds[i].ready = false;
            } else {
                m_kinds[i].ready = prepare(m_kinds[i].spare);
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

    // Made ahead: the native window (creating it takes round trips to the
    // window system) and a first drawing into its backing store, which lays
    // the window out, fills the caches its first paint draws from, and maps
    // in the memory that paint writes to.
    static bool prepare(QWidget *window)
    {
        tivoro::chooseOpeningSize(window);
        window->winId();
        if (QBackingStore *store = window->backingStore()) {
            const QRect all(QPoint(), window->size());
            store->resize(all.size());
            store->beginPaint(all);
            window->render(store->paintDevice());
            store->endPaint();
        }
        // The toolkit lists every top-level window to assistive technology,
        // hidden or not, but leaves popups out.
        window->windowHandle()->setFlags(Qt::Popup);
        return true;
    }

    QBasicTimer m_timer;
    QElapsedTimer m_sinceInput;
};

} // namespace

void keep(Factory make, QWidget *opener)
{
    Kind &kind = Spares::instance().kindOf(make);
    if (std::find(kind.openers.begin(), kind.openers.end(), opener) == kind.openers.end())
        kind.openers.emplace_back(opener);
    Spares::instance().schedule();
}

QWidget *take(Factory make)
{
    Kind &kind = Spares::instance().kindOf(make);
    QWidget *window = kind.spare;
    kind.spare = nullptr;
    if (window && window->windowHandle())
        window->windowHandle()->setFlags(window->windowFlags());
    kind.ready = false;
    Spares::instance().schedule();
    return window;
}

} // namespace tivoro::spares

namespace tivoro {

bool isSpare(const QWidget *w)
{
    const auto &kinds = spares::Spares::instance().m_kinds;
    return w && std::any_of(kinds.begin(), kinds.end(), [w](const auto &kind) { return kind.spare == w; });
}

void dropSpares()
{
    for (auto &kind : spares::Spares::instance().m_kinds) {
        delete kind.spare;
        kind.ready = false;
    }
}

} // namespace tivoro
