#pragma once

// The one place where errors of event handlers end: every slot, event
// handler and timer of the program runs through `guarded`, which shows an
// uncaught error in a message box with its own text and lets the program go
// on. What the handler changed before the error stays changed.

#include "core/Errors.h"

#include <QObject>

#include <exception>
#include <type_traits>
#include <utility>

void ReportError(const QString &text);

template <typename F>
void guarded(F &&handler) noexcept
{
    try {
        handler();
    } catch (const AppError &e) {
        ReportError(e.message());
    } catch (const std::exception &e) {
        ReportError(QString::fromUtf8(e.what()));
    } catch (...) {
        ReportError(QStringLiteral("Unknown error"));
    }
}

// QObject::connect whose handler runs guarded. The handler may take the
// signal's arguments or none.
template <typename Sender, typename Signal, typename Handler>
QMetaObject::Connection connectGuarded(Sender *sender, Signal signal, const QObject *context,
                                       Handler handler)
{
    return QObject::connect(sender, signal, context, [handler](auto &&...args) {
        guarded([&] {
            if constexpr (std::is_invocable_v<Handler &, decltype(args)...>)
                handler(std::forward<decltype(args)>(args)...);
            else
                handler();
        });
    });
}
