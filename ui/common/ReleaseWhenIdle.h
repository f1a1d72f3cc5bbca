#pragma once

#include <QObject>
#include <QTimer>
#include <memory>
#include <utility>

namespace ui {

// Hands `value` to the event loop, which destroys it once the window has shown the command's
// result and is idle: freeing the texts of a long table the window no longer needs takes
// milliseconds the user need not wait for. It goes at once with `context` if that goes first.
template <typename T>
void ReleaseWhenIdle(QObject* context, T value) {
    auto held = std::make_shared<T>(std::move(value));
    QTimer::singleShot(0, context, [held = std::move(held)] {});
}

}  // namespace ui
