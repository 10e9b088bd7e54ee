// Loaded into the packaged program through QT_QPA_GENERIC_PLUGINS, which has
// no test hook: once a window has painted, prints its class, the desktop file
// name and its button captions, then closes every window.
#include <QAbstractButton>
#include <QGenericPlugin>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <cstdio>

namespace {

class PaintWatcher : public QObject
{
public:
    PaintWatcher() { QCoreApplication::instance()->installEventFilter(this); }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_painted && watched->isWidgetType()
            && static_cast<QWidget *>(watched)->isWindow()) {
            m_painted = true;
            QStringList captions;
            const QList<QAbstractButton *> buttons = watched->findChildren<QAbstractButton *>();
            for (const QAbstractButton *button : buttons)
                captions << button->text();
            std::fprintf(stderr, "painted %s as %s: %s\n", watched->metaObject()->className(),
                         qPrintable(QGuiApplication::desktopFileName()), qPrintable(captions.join(QLatin1Char('|'))));
            QTimer::singleShot(0, this, [] { // after this paint has run to its end
                const QWindowList windows = QGuiApplication::topLevelWindows();
                for (QWindow *window : windows)
                    window->close();
            });
        }
        return false;
    }

private:
    bool m_painted = false;
};

} // namespace

class QuitAfterPaint : public QGenericPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "quitAfterPaint.json")

public:
    QObject *create(const QString &, const QString &) override { return new PaintWatcher; }
};

#include "QuitAfterPaint.moc"
