#include "ui/mainwindow/ColumnWidths.h"

#include "core/TransactionTable.h"

namespace ui {

int StartingColumnWidth(int tableColumn) {
    namespace col = core::col;
    switch (tableColumn) {
        case col::Days:
        case col::PeriodInterest:
        case col::PeriodTax:
        case col::InterestNumber:
        case col::SortKey:
            return -1;
        case col::Number:
            return 30;
        case col::Description:
            return 200;
        case col::Rate:
            return 60;
        case col::TransactionDate:
        case col::ValueDate:
            return 80;
        default:
            // Amounts and balances: wide enough for balances in the billions with their
            // separators and sign; a larger figure shows ### and its tooltip.
            return 110;
    }
}

}  // namespace ui
