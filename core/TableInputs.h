#pragma once

#include <QDate>
#include <QString>

namespace core {

// The whole-table fields of the main window. Their keys, labels and settings keys are in
// core/FieldCatalogue.h.
struct TableInputs {
    QString creditLineName;
    QString companyName;
    QDate calculationDate;
    QString annualRate;                       // percent a year
    QString monthlyRate;                      // percent a month; either rate may drive the other
    QString bsmvRate;                         // percent of the interest taken as BSMV
    QString vergi2Rate;                       // a second levy on the interest, percent (hidden)
    QString daysInYear;                       // days in the interest year
    QString repaymentExtraDays;               // a repayment's value date: its date plus these days
    QString drawingExtraDays;                 // the same for drawings (hidden, unused)
    bool moveDrawingsPastHolidays = false;    // weekend roll for drawings (hidden, unused)
    bool moveRepaymentsPastHolidays = false;  // repayment value dates skip holidays, weekends
    QString targetTotalInterest;              // the total interest the rate finder aims at

    bool operator==(const TableInputs&) const = default;
};

// The eight read-only sums under the table.
struct TableTotals {
    QString totalDrawn;           // sum of column 4
    QString totalRepaid;          // sum of column 5
    QString creditBalance;        // sum 4 - sum 5
    QString totalInterest;        // sum of column 9
    QString interestPaid;         // sum of column 6
    QString interestUnpaid;       // sum 9 + sum 12 - sum 6
    QString totalBsmv;            // sum of column 12
    QString totalInterestNumber;  // sum of column 13 (hidden)

    bool operator==(const TableTotals&) const = default;
};

}  // namespace core
