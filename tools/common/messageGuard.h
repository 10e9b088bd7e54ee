#pragma once

#include "common/headless.h"

#include <QString>
#include <QtGlobal>

#include <functional>

namespace tivoro {

namespace detail {
struct MessageGuard
{
    QtMessageHandler previous = nullptr;
    int warnings = 0;
    std::function<void(const QMessageLogContext &, const QString &)> onWarning;
};

inline MessageGuard &messageGuard()
{
    static MessageGuard guard;
    return guard;
}

inline void guardMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    MessageGuard &guard = messageGuard();
    // Not even passed on: a benchmark would time the printing too.
    if (isPlatformNotice(message))
        return;
    if (type == QtWarningMsg || type == QtCriticalMsg || type == QtFatalMsg) {
        ++guard.warnings;
        if (guard.onWarning)
            guard.onWarning(context, message);
    }
    if (guard.previous)
        guard.previous(type, context, message);
}
} // namespace detail

// Counts the toolkit's warnings (critical and fatal too) and tells
// onWarning of each, since a test or benchmark in which the toolkit warns
// has found a fault; messages still reach the handler before, except the
// offscreen platform's notices.
inline void guardToolkitMessages(std::function<void(const QMessageLogContext &, const QString &)> onWarning = {})
{
    detail::MessageGuard &guard = detail::messageGuard();
    guard.onWarning = std::move(onWarning);
    if (!guard.previous)
        guard.previous = qInstallMessageHandler(detail::guardMessage);
}

// Warnings seen since guardToolkitMessages().
inline int toolkitWarningCount()
{
    return detail::messageGuard().warnings;
}

} // namespace tivoro
