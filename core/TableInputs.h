#pragma once

#include <QDate>
#include <QString>

namespace core {

// The whole-table fields of the main window, named after their controls.
struct TableInputs {
    QString rotatifadiEdit;        // "Vovirer Adı"
    QString firmaadiEdit;          // "Firma Adı"
    QDate DateTimePicker61;        // "Tarih", the calculation date
    QString yillikfaizNetEdit;     // "Yıllık Faiz"
    QString aylikfaizNetEdit;      // "Aylık Faiz"
    QString KKDFNetEdit;           // "BSMV"
    QString vergi2NetEdit;         // "Vergi2" (hidden)
    QString yildakigunEdit;        // "Yıldaki Gün"
    QString kredigeriodemeekEdit;  // repayment extra days
    QString kredikullanimekEdit;   // drawing extra days (hidden, unused)
    bool CheckBox8 = false;        // weekend roll for drawings (hidden, unused)
    bool CheckBox9 = false;        // "Dorud Geri Ödeme Tatil Ekle"
    QString toplamfaizNetEdit;     // target total interest of the rate finder

    bool operator==(const TableInputs&) const = default;
};

// The eight read-only sums under the table.
struct TableTotals {
    QString kreditoplamtutariEdit;  // sum of column 4
    QString odemetoplamtutariEdit;  // sum of column 5
    QString kredibakiyeEdit;        // sum 4 - sum 5
    QString toplamfaizEdit;         // sum of column 9
    QString odenenfaizkkdfEdit;     // sum of column 6
    QString odenmemisfaizkkdfEdit;  // sum 9 + sum 12 - sum 6
    QString toplamKKDFEdit;         // sum of column 12
    QString JvDotNetEdit1;          // sum of column 13 (hidden)

    bool operator==(const TableTotals&) const = default;
};

}  // namespace core
