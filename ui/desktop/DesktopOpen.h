#pragma once

#include <QString>
#include <functional>

namespace ui {

// Opens a local file with the desktop's application for its type (xdg-open), without
// waiting for it. `failed` runs later, from the event loop, when no application could be
// started for the file: no opener on the system, or none for the file's type.
void OpenWithDesktop(const QString& path, std::function<void()> failed);

}  // namespace ui
