#pragma once

#include "core/TransactionTable.h"

namespace ui {

// Moves column `from` to position `to` in every row, captions included; the columns between
// shift by one and the current cell follows its contents. The grid's own column drag:
// nothing is renumbered or recaptioned.
void MoveColumn(core::TransactionTable& table, int from, int to);

}  // namespace ui
