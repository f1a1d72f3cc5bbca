#pragma once

#include <QString>

namespace core {

// The import window's fields: which sheet columns hold what, and the rows to read. The
// window's design values are in brackets; the settings file keeps what the user typed.
struct ImportSettings {
    QString valueDateColumn;        // ("1")
    QString transactionDateColumn;  // ("2")
    QString descriptionColumn;      // ("3")
    QString drawingColumn;          // ("4")
    QString repaymentColumn;        // ("5")
    QString firstRow;               // ("3")
    QString lastRow;                // ("10")
    bool valueDateIsTransactionDate = false;

    bool operator==(const ImportSettings&) const = default;
};

}  // namespace core
