#pragma once

#include <QString>
#include <QStringList>

#include "core/Calculation.h"
#include "core/HolidayCalendar.h"
#include "core/Separators.h"
#include "core/TableInputs.h"
#include "core/TransactionTable.h"

namespace report {

// The portrait report with 93-character lines, or the landscape one with 136 and two more
// table columns.
enum class ReportWidth { Normal, Wide };

// Everything the printed report says, as fixed-width text: the heading, the four title
// lines, the column header line and the body (table lines, totals line, summary lines).
struct ReportText {
    QString heading;
    QString creditLineLine;
    QString dateLine;
    QString ratesLine;
    QString taxLine;
    QString columnHeader;
    QStringList body;

    bool operator==(const ReportText&) const = default;
};

// One row of the table (captions or data) as a report line.
QString ReportTableLine(const core::TransactionTable::Row& row, ReportWidth width);

// The report of a table as it stands; texts are taken as the fields show them.
// With the official holiday calendar the title says so on its tax line.
ReportText BuildReportText(
    const core::TransactionTable& table, const core::TableInputs& inputs,
    const core::TableTotals& totals, ReportWidth width,
    const core::Separators& seps = core::Separators::turkish(),
    core::HolidayCalendar::Kind calendar = core::HolidayCalendar::Kind::ProgramTable);

// The print command's text: recalculates all first, so rows and totals are current. A silent
// stop or an error of the recalculation ends it before anything is built.
ReportText PrepareReportText(core::Calculation& calc, ReportWidth width);

}  // namespace report
