// The one guard every event handler runs in: a failure becomes a message and the program goes on.
#pragma once

#include <QString>

#include <concepts>
#include <functional>
#include <utility>

// Runs the handler. A failure it throws stops it there and is shown in a message box with its description;
// nothing escapes. Gives whether the handler ran to its end.
bool runGuarded(const std::function<void()>& handler) noexcept;

// As runGuarded, but a failure's message is shown once the current event is over. For handlers that run
// while the focus is moving, where a modal box would arrive in the middle of the focus change.
bool runGuardedQueued(const std::function<void()>& handler) noexcept;

// Shows a message box once the current event is over.
void showMessageQueued(const QString& prompt, int buttons, const QString& title = QStringLiteral("Orvella"));

// Wraps a slot so that it runs guarded: connect(button, &QPushButton::clicked, this, guard([this] { ... })).
// The wrapper takes the signal's arguments the slot accepts, as a plain slot would.
template <typename Slot>
auto guard(Slot slot) {
    return [slot = std::move(slot)](auto&&... args) requires std::invocable<Slot&, decltype(args)...> {
        runGuarded([&] { std::invoke(slot, std::forward<decltype(args)>(args)...); });
    };
}

// The same for a member function: connect(button, &QPushButton::clicked, this, guard(this,
// &X::CmdSave_Click)).
template <typename Object, typename Method>
auto guard(Object* object, Method method) {
    return [ object, method ](auto&&... args) requires std::invocable<Method, Object*, decltype(args)...> {
        runGuarded([&] { std::invoke(method, object, std::forward<decltype(args)>(args)...); });
    };
}
