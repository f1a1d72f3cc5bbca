#pragma once

#include "core/Calculation.h"

namespace core {

// "YENİDEN HESAPLA": walks the current row from row 1 to the last, recalculating each
// row after the one above it. A silent stop or an error ends it at that row.
void RecalculateAll(Calculation& calc);

// "SIFIRLA": after the question, empties the table and the totals.
void ResetTable(Calculation& calc);
// Its two halves, for a caller that has more to ask in between: the question (true: Yes)
// and the emptying.
bool ConfirmReset(Calculation& calc);
void EmptyTable(Calculation& calc);

// "Satır Ekle": an empty row at the current row's place, then recalculate all.
void InsertRow(Calculation& calc);

// Removes the current data row (nothing for another index); never fewer than one data row.
void DeleteRow(TransactionTable& table);

// "Satır Sil": the current row after the question, an empty row below it without one.
void DeleteCurrentRow(Calculation& calc);

// "KAYITLARI SIRALA": sort key in column 14, exchange sort, recalculate all.
void SortByValueDate(Calculation& calc);

// The sort key of one value date text: yyyymmdd, "99999999" when it holds no digits.
QString SortKeyOf(const QString& valueDate);

}  // namespace core
