#pragma once

#include <QDir>
#include <QString>

namespace benchsupport {

// A bank statement as a workbook: one movement per row from row 1, value and transaction
// dates as date cells, a description, a drawing every fifth row and a repayment every
// seventh. Written as statement<N>.xlsx into the folder, with statement<N>.ini beside it: the
// import settings that transfer all its rows at a rate of 24. Returns the workbook's path;
// ends the program when a file cannot be written.
QString WriteStatement(const QDir& folder, int rows);

// The settings file written beside WriteStatement's workbook.
QString StatementSettings(const QDir& folder, int rows);

}  // namespace benchsupport
