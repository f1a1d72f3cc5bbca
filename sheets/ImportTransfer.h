#pragma once

#include "core/Calculation.h"
#include "sheets/PreviewGrid.h"
#include "storage/Settings.h"

namespace sheets {

// How "Vovirer Krediye Aktar" ended when it did not throw.
enum class TransferOutcome {
    Done,     // the table holds the rows and is recalculated: store the fields, hide
    Refused,  // a field was missing or the rows make no table; the message was shown and
              // nothing changed
};

// "Vovirer Krediye Aktar": replaces the whole transaction table with the preview's rows from
// the first to the last row, each value date cut into day, month and year and tested, the
// transaction date, description and amounts copied from their columns, then numbers and
// recalculates every row. Every message goes through the calculation's dialogs.
//
// Throws core::CalcError when a field or a value-date part is not a whole number (before
// anything has changed for a field; at that row for a date, the rows written so far
// staying), and core::SilentStop when the recalculation stops. In both cases the fields are
// not to be stored.
TransferOutcome TransferToTable(const PreviewGrid& preview, const storage::ImportSettings& fields,
                                core::Calculation& calc);

// Numbers and recalculates the whole table after a transfer: row 1 made current, then each
// row numbered, recalculated and left for the next; the last row numbered at the end.
void NumberAndRecalculate(core::Calculation& calc);

// The message for an empty value-date cell, with the date separator in force.
QString DateFormatMessage(const core::Separators& seps);

}  // namespace sheets
