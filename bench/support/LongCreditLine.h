#pragma once

#include <QDir>
#include <QString>

#include "core/Calculation.h"

namespace benchsupport {

// The inputs of the generated credit lines: annual rate 24, BSMV 5, Vergi2 1, 365 days, a
// repayment that falls on a holiday moved past it, dated 01.01.2016.
void SetLongCreditLineInputs(core::TableInputs& inputs);

// A long credit line as typed, not yet recalculated: a drawing every fifth row, a repayment
// every seventh, an interest payment every eleventh, the rest dates that close a period, a new
// rate every fiftieth row. Written as rows<N>.fdr into the folder; ends the program when it
// cannot be written.
QString WriteLongCreditLine(const QDir& folder, int rows);

// A temporary folder for the whole run of a benchmark program.
QDir BenchFolder();

// The credit line of `rows` rows in BenchFolder(), written on first use.
const QString& LongCreditLineFile(int rows);

}  // namespace benchsupport
