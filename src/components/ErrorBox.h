#pragma once
// The one place a failure reaches the user: the standard error box with the
// application title as caption, the runtime's text, an error icon and "OK".

#include <QString>

#include <functional>
#include <utility>

class QWidget;

namespace ErrorBox {
// Shows the box modally. While a recorder is installed (tests), the text goes
// to the recorder instead and nothing blocks.
void show(const QString& text);
void setRecorder(std::function<void(const QString&)> recorder);
}  // namespace ErrorBox

// Runs `handler`; an exception ends it and is shown in the error box, so no
// exception ever crosses Qt's event loop. Steps taken before the throw keep
// their effect. Returns whether the handler completed.
bool runGuarded(const std::function<void()>& handler);

// Wraps an event handler for connect(): every handler goes through this.
template <class F>
auto guarded(F handler)
{
    return [handler = std::move(handler)](auto&&...) { runGuarded(handler); };
}
