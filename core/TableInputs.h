#pragma once

#include <QDate>
#include <QString>

namespace core {

// The whole-table fields of the main window, named after their controls.
struct TableInputs {
    QString creditLineName;                   // "Vovirer Adı"
    QString companyName;                      // "Firma Adı"
    QDate calculationDate;                    // "Tarih", the calculation date
    QString annualRate;                       // "Yıllık Faiz"
    QString monthlyRate;                      // "Aylık Faiz"
    QString bsmvRate;                         // "BSMV"
    QString vergi2Rate;                       // "Vergi2" (hidden)
    QString daysInYear;                       // "Yıldaki Gün"
    QString repaymentExtraDays;               // repayment extra days
    QString drawingExtraDays;                 // drawing extra days (hidden, unused)
    bool moveDrawingsPastHolidays = false;    // weekend roll for drawings (hidden, unused)
    bool moveRepaymentsPastHolidays = false;  // "Dorud Geri Ödeme Tatil Ekle"
    QString targetTotalInterest;              // target total interest of the rate finder

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
