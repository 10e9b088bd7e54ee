#include "base/openWindow.h"

#include "base/openingSize.h"

#include <QApplication>
#include <QBasicTimer>
#include <QElapsedTimer>
#include <QImage>
#include <QPointer>
#include <QTimerEvent>
#include <QVector>
#include <QWindow>

#include <algorithm>
#include <vector>

namespace tivoro::spares {

namespace {

// The user's own input goes first: nothing is built until this long after
// the last key or button, which leaves the window they opened time to paint;
// between two steps of building, the program handles whatever came in.
constexpr int quietMs = 100;
constexpr int betweenStepsMs = 10;

struct Kind
{
    Factory make;
    QVector<QPointer<QWidget>> openers;
    QPointer<QWidget> spare;
    bool ready = false; // laid out and drawn aside at its opening size

    bool wanted() const
    {
        return std::any_of(openers.begin(), openers.end(),
                           [](const QPointer<QWidget> &w) { return w && w->isVisible(); });
    }
};

class Spares : public QObject
{
public:
    static Spares *instance()
    {
        static QPointer<Spares> spares;
        if (!spares)
            spares = new Spares;
        return spares;
    }

    ~Spares() override { drop(); }

    void keep(Factory make, QWidget *opener)
    {
        Kind &kind = kindOf(make);
        if (!kind.openers.contains(opener))
            kind.openers << opener;
        schedule();
    }

    QWidget *take(Factory make)
    {
        Kind &kind = kindOf(make);
        QWidget *window = kind.spare;
        kind.spare = nullptr;
        if (window && kind.ready && window->windowHandle())
            window->windowHandle()->setFlags(window->windowFlags());
        kind.ready = false;
        schedule();
        return window;
    }

    bool isSpare(const QWidget *w) const
    {
        return w && std::any_of(m_kinds.begin(), m_kinds.end(), [w](const Kind &kind) { return kind.spare == w; });
    }

    void drop()
    {
        for (Kind &kind : m_kinds) {
            delete kind.spare;
            kind.ready = false;
        }
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::TouchBegin:
            m_sinceInput.start();
            break;
        // What is wanted changes as windows come and go.
        case QEvent::Show:
        case QEvent::Hide:
            if (watched->isWidgetType() && static_cast<QWidget *>(watched)->isWindow())
                schedule();
            break;
        // A spare laid out for other fonts, colours or texts would open wrong.
        case QEvent::ApplicationFontChange:
        case QEvent::ApplicationPaletteChange:
        case QEvent::LanguageChange:
            if (watched == qApp)
                drop();
            break;
        default:
            break;
        }
        return false;
    }

    void timerEvent(QTimerEvent *event) override
    {
        if (event->timerId() != m_step.timerId())
            return QObject::timerEvent(event);
        if (m_sinceInput.isValid() && m_sinceInput.elapsed() < quietMs)
            return;
        step();
        if (!hasWork())
            m_step.stop();
    }

private:
    Spares()
        : QObject(qApp)
    {
        qApp->installEventFilter(this);
        connect(qApp, &QCoreApplication::aboutToQuit, this, &Spares::drop);
    }

    Kind &kindOf(Factory make)
    {
        auto found =
            std::find_if(m_kinds.begin(), m_kinds.end(), [make](const Kind &kind) { return kind.make == make; });
        if (found != m_kinds.end())
            return *found;
        m_kinds.push_back({make, {}, nullptr});
        return m_kinds.back();
    }

    void schedule()
    {
        if (!m_step.isActive() && hasWork())
            m_step.start(betweenStepsMs, this);
    }

    bool hasWork() const
    {
        return std::any_of(m_kinds.begin(), m_kinds.end(), [](const Kind &kind) {
            return kind.wanted() != bool(kind.spare) || (kind.spare && !kind.ready);
        });
    }

    void step()
    {
        // By index: a window being built registers what it opens, which may
        // add kinds.
        for (size_t i = 0; i < m_kinds.size(); ++i) {
            if (m_kinds[i].spare && !m_kinds[i].wanted()) {
                delete m_kinds[i].spare;
                m_kinds[i].ready = false;
                return;
            }
        }
        for (size_t i = 0; i < m_kinds.size(); ++i) {
            if (!m_kinds[i].wanted())
                continue;
            if (!m_kinds[i].spare) {
                QWidget *window = m_kinds[i].make();
                m_kinds[i].spare = window;
                return;
            }
            if (!m_kinds[i].ready) {
                prepare(m_kinds[i].spare);
                m_kinds[i].ready = true;
                return;
            }
        }
    }

    // Lays the window out at its opening size and draws it once aside, which
    // also fills the caches its first paint draws from (glyphs, scaled
    // pictures, the style's pixmaps).
    static void prepare(QWidget *window)
    {
        tivoro::chooseOpeningSize(window);
        const qreal ratio = window->devicePixelRatioF();
        QImage canvas(window->size() * ratio, QImage::Format_ARGB32_Premultiplied);
        canvas.setDevicePixelRatio(ratio);
        window->render(&canvas);
        // Drawing made the window's native window, and the toolkit lists
        // every native window to assistive technology, hidden or not; as a
        // popup it is left out until a click takes it.
        if (QWindow *handle = window->windowHandle())
            handle->setFlags(Qt::Popup);
    }

    std::vector<Kind> m_kinds;
    QBasicTimer m_step;
    QElapsedTimer m_sinceInput;
};

} // namespace

QWidget *take(Factory make)
{
    return Spares::instance()->take(make);
}

void keep(Factory make, QWidget *opener)
{
    Spares::instance()->keep(make, opener);
}

} // namespace tivoro::spares

namespace tivoro {

bool isSpare(const QWidget *w)
{
    return spares::Spares::instance()->isSpare(w);
}

void dropSpares()
{
    spares::Spares::instance()->drop();
}

} // namespace tivoro
