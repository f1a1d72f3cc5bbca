#pragma once

#include <QString>

#include "core/Separators.h"

namespace sheets {

// How a workbook counts its serial dates: from 1900 (with the 29 February 1900 that never
// was) or from 1904.
enum class DateSystem { From1900, From1904 };

// One cell's value as a workbook stores it, before it becomes preview text.
struct CellValue {
    enum class Kind {
        Text,        // shown as it is
        Number,      // `number`
        SerialDate,  // `number`: days since the start of the date system
        IsoDate,     // `text`: yyyy-mm-dd, optionally followed by a time
        Boolean,     // `number` non-zero is true
    };
    Kind kind = Kind::Text;
    QString text;
    double number = 0;

    static CellValue ofText(QString t) { return {Kind::Text, std::move(t), 0}; }
    static CellValue ofNumber(double n) { return {Kind::Number, {}, n}; }
    static CellValue ofSerialDate(double n) { return {Kind::SerialDate, {}, n}; }
    static CellValue ofIsoDate(QString t) { return {Kind::IsoDate, std::move(t), 0}; }
    static CellValue ofBoolean(bool b) { return {Kind::Boolean, {}, b ? 1.0 : 0.0}; }
};

// The text every reader shows for a cell: dates as dd.mm.yyyy, numbers in the general form
// with the decimal comma, texts as they are. A date that cannot be a calendar day (a
// negative serial, an ISO text that is not one) keeps its number or its text.
QString CellText(const CellValue& value, DateSystem system = DateSystem::From1900,
                 const core::Separators& seps = core::Separators::turkish());

// True for a spreadsheet number format that shows a calendar date: one with a day or a
// year part outside quoted texts, brackets and escaped characters. Formats that show only
// a time of day are not dates.
bool IsDateFormatCode(const QString& code);

// True for the built-in number formats of date (and date with time) cells.
bool IsBuiltInDateFormat(int id);

}  // namespace sheets
