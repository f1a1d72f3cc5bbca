#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "core/Calculation.h"
#include "core/RecordingDialogs.h"

namespace cli {

struct ReportOptions {
    bool wide = false;
    std::optional<QString> company;
    std::optional<QString> pdf;
    bool json = false;
};

// `vovirer report` once the file is open: the company name, the print command (recalculate
// all, then the report text), the laid-out pages to --pdf, the texts to standard output.
// Returns the exit status.
int RunReportCommand(core::Calculation& calc, const core::RecordingDialogs& dialogs,
                     const ReportOptions& options, QByteArray& out, QByteArray& err);

}  // namespace cli
