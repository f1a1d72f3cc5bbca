#pragma once

#include <QString>
#include <exception>

#include "core/Errors.h"
#include "core/UserDialogs.h"

namespace ui {

// The application's default error report: error icon, application title as caption.
void ReportError(core::UserDialogs& dialogs, const QString& message);

// Runs one handler's work. A silent stop ends it quietly; a failure ends it with the
// default error report. Nothing escapes into the event loop. Returns true when the work
// ran to its end.
template <typename Work>
bool Guarded(core::UserDialogs& dialogs, Work&& work) {
    try {
        work();
        return true;
    } catch (const core::SilentStop&) {
    } catch (const core::CalcError& error) {
        ReportError(dialogs, error.message());
    } catch (const std::exception& error) {
        ReportError(dialogs, QString::fromLocal8Bit(error.what()));
    }
    return false;
}

}  // namespace ui
