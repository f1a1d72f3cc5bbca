#include "ui/ErrorBoundary.h"

namespace ui {

void ReportError(core::UserDialogs& dialogs, const QString& message) {
    dialogs.notify(core::Notice{core::ErrorReportText(message), core::kApplicationTitle,
                                core::DialogIcon::Error});
}

}  // namespace ui
