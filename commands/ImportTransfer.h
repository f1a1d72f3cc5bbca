#pragma once

#include <functional>

#include "core/Calculation.h"
#include "core/ImportSettings.h"
#include "sheets/PreviewGrid.h"

namespace commands {

// How "Vovirer Krediye Aktar" ended when it did not throw.
enum class TransferOutcome {
    Done,       // the table holds the rows and is recalculated: store the fields, hide
    Refused,    // a field was missing or the rows make no table; the message was shown and
                // nothing changed
    Cancelled,  // the caller's last word before the table is replaced was no
};

// "Vovirer Krediye Aktar": replaces the whole transaction table with the preview's rows from
// the first to the last row, the value date cut into day, month and year, the transaction
// date, description and amounts copied from their columns, then numbers and recalculates
// every row. Every message goes through the calculation's dialogs.
//
// Every row is read before the table is touched. A cell the table cannot take (a value or
// transaction date that is no date, an amount that is no number), or a range without any
// value date, refuses the transfer with one message naming the first such cell; rows
// without a value date are left empty and told in one message.
//
// Throws core::CommandFailure when a field is not a whole number (a hand-edited settings file;
// nothing has changed), and core::SilentStop when the recalculation stops. In both cases the
// fields are not to be stored.
//
// `mayReplaceTable`, when given, is asked once the rows passed and before the table is
// touched (the window asks there whether to save unsaved changes); false cancels.
TransferOutcome TransferToTable(const sheets::PreviewGrid& preview,
                                const core::ImportSettings& fields, core::Calculation& calc,
                                const std::function<bool()>& mayReplaceTable = {});

// Numbers and recalculates the whole table after a transfer: row 1 made current, then each
// row numbered, recalculated and left for the next; the last row numbered at the end.
void NumberAndRecalculate(core::Calculation& calc);

}  // namespace commands
