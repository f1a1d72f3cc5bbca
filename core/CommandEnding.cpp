#include "core/CommandEnding.h"

namespace core {

void ReportFailure(UserDialogs& dialogs, const QString& message) {
    dialogs.notify(Notice{ErrorReportText(message), kApplicationTitle, DialogIcon::Error});
}

}  // namespace core
