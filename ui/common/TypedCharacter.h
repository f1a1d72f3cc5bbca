#pragma once

#include <QChar>
#include <QKeyEvent>
#include <optional>

namespace ui {

// The character a key press types, as the key filters see it: Enter and Backspace as
// their control characters, printable text as itself; nothing for keys that type nothing
// (arrows, function keys, shortcuts with Ctrl or Alt).
std::optional<QChar> TypedCharacter(const QKeyEvent& event);

// The numeric keypad's decimal or separator key.
bool IsKeypadDecimalKey(const QKeyEvent& event);

}  // namespace ui
