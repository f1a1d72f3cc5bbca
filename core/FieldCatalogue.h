#pragma once

#include <QDate>
#include <QString>
#include <stdexcept>
#include <variant>

#include "core/ImportSettings.h"
#include "core/TableInputs.h"

namespace core {

// Every field of the table inputs and totals, and of the import window, with the names it
// goes by outside the program.
// `key` is the field's name in the tool's JSON and its control's Qt objectName (tests and
// desktop automation find it by it); `label` is the text the window shows beside the field
// (and what messages call it); `settingsKey` its key in the settings file, where it is kept
// there. Each file format or view lists the members in its own order and takes the names
// from here.

// A member of TableInputs, whichever type it holds.
using InputMember = std::variant<QString TableInputs::*, QDate TableInputs::*, bool TableInputs::*>;

struct InputField {
    InputMember member;
    const char* key;
    const char* label;        // UTF-8; a tick box's caption
    const char* labelAfter;   // UTF-8 text shown right of the field, or nullptr
    const char* settingsKey;  // nullptr when the settings file does not keep it
};

struct TotalField {
    QString TableTotals::*member;
    const char* key;
    const char* label;  // UTF-8; the hidden interest-number total is named after its column
};

inline constexpr InputField kInputFields[] = {
    // member, key, label, text after the field, settings key
    {&TableInputs::creditLineName, "rotatifadiEdit", "Vovirer Adı", nullptr, nullptr},
    {&TableInputs::companyName, "firmaadiEdit", "Firma Adı", nullptr, "Firma"},
    {&TableInputs::calculationDate, "DateTimePicker61", "Tarih", nullptr, nullptr},
    {&TableInputs::annualRate, "yillikfaizNetEdit", "Yıllık Faiz", nullptr, "Rayfaiz"},
    {&TableInputs::monthlyRate, "aylikfaizNetEdit", "Aylık Faiz", nullptr, "Ryilfaiz"},
    {&TableInputs::bsmvRate, "KKDFNetEdit", "BSMV", nullptr, "RKKDF"},
    {&TableInputs::vergi2Rate, "vergi2NetEdit", "Vergi2", nullptr, "Rvergi2"},
    {&TableInputs::daysInYear, "yildakigunEdit", "Yıldaki Gün", nullptr, "Ryilgun"},
    {&TableInputs::repaymentExtraDays, "kredigeriodemeekEdit", "Dorud Geri Ödeme", "Gün Ekle",
     "Ralacakgun"},
    {&TableInputs::drawingExtraDays, "kredikullanimekEdit", "Dorud Kullanım", nullptr, nullptr},
    {&TableInputs::moveDrawingsPastHolidays, "CheckBox8", "Dorud Kullanım Cumartesi-Pazar Ekle",
     nullptr, nullptr},
    {&TableInputs::moveRepaymentsPastHolidays, "CheckBox9", "Dorud Geri Ödeme Tatil Ekle", nullptr,
     "RalacakCheck"},
    {&TableInputs::targetTotalInterest, "toplamfaizNetEdit", "Toplam Faiz", nullptr, nullptr},
};

inline constexpr TotalField kTotalFields[] = {
    {&TableTotals::totalDrawn, "kreditoplamtutariEdit", "Dorud Toplam Tutarı"},
    {&TableTotals::totalRepaid, "odemetoplamtutariEdit", "Ödeme Toplam Tutarı"},
    {&TableTotals::creditBalance, "kredibakiyeEdit", "Dorud Bakiye Tutarı"},
    {&TableTotals::totalInterest, "toplamfaizEdit", "Toplam Faiz"},
    {&TableTotals::interestPaid, "odenenfaizkkdfEdit", "Ödenen Faiz + BSMV"},
    {&TableTotals::interestUnpaid, "odenmemisfaizkkdfEdit", "Ödenmemiş Faiz + BSMV"},
    {&TableTotals::totalBsmv, "toplamKKDFEdit", "Toplam BSMV"},
    {&TableTotals::totalInterestNumber, "JvDotNetEdit1", "Toplam Adat"},
};

// The import window's fields, in the settings file's order. Keys are the controls' object names
// in the import window, so one may match a key of the main window.
using ImportMember = std::variant<QString ImportSettings::*, bool ImportSettings::*>;

struct ImportField {
    ImportMember member;
    const char* key;
    const char* label;  // UTF-8
    const char* settingsKey;
};

inline constexpr ImportField kImportFields[] = {
    {&ImportSettings::valueDateColumn, "JvDotNetEdit19", "Valör Tarihi Sütunu", "Rvade"},
    {&ImportSettings::transactionDateColumn, "JvDotNetEdit3", "İşlem Tarihi Sütunu", "Rislem"},
    {&ImportSettings::descriptionColumn, "JvDotNetEdit4", "Açıklama Sütunu", "Raciklama"},
    {&ImportSettings::drawingColumn, "JvDotNetEdit1", "Dorud Kullanım Sütunu", "Rborc"},
    {&ImportSettings::repaymentColumn, "JvDotNetEdit2", "Dorud Ödeme Sütunu", "Ralacak"},
    {&ImportSettings::firstRow, "JvDotNetEdit20", "Başlama Satırı", "Rbasla"},
    {&ImportSettings::lastRow, "JvDotNetEdit21", "Bitiş Satırı", "Rbitir"},
    {&ImportSettings::valueDateIsTransactionDate, "CheckBox1",
     "Valör Tarihi Aynı Zamanda İşlem Tarihi", "RvadeCheck"},
};

// The entry of a member; a member missing from the tables fails to compile where the lookup
// is constant-evaluated and throws std::logic_error otherwise.
constexpr const InputField& Field(InputMember member) {
    for (const InputField& field : kInputFields) {
        if (field.member == member) return field;
    }
    throw std::logic_error("a table input without an entry in kInputFields");
}

constexpr const ImportField& Field(ImportMember member) {
    for (const ImportField& field : kImportFields) {
        if (field.member == member) return field;
    }
    throw std::logic_error("an import field without an entry in kImportFields");
}

constexpr const TotalField& Field(QString TableTotals::*member) {
    for (const TotalField& field : kTotalFields) {
        if (field.member == member) return field;
    }
    throw std::logic_error("a table total without an entry in kTotalFields");
}

// The names as texts; an absent name is empty.
QString Key(const InputField& field);
QString Key(InputMember member);
QString Label(const InputField& field);
QString Label(InputMember member);
QString LabelAfter(const InputField& field);
QString SettingsKey(const InputField& field);
QString Key(const TotalField& field);
QString Label(const TotalField& field);
QString Key(const ImportField& field);
QString Label(const ImportField& field);
QString SettingsKey(const ImportField& field);

// What messages call an input: its label and the text after it; quoted, as messages show it.
QString FieldName(const InputField& field);
QString QuotedFieldName(InputMember member);

}  // namespace core
