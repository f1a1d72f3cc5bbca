#pragma once

#include <QChar>
#include <QDate>
#include <QString>
#include <optional>

#include "core/DayNumber.h"

namespace core {

// The years a table date may have once completed; outside them a typed date is refused.
constexpr int kFirstDateYear = 1905;
constexpr int kLastDateYear = 2999;

// A date text cut by position: day from characters 1-2, month from 4-5, year from 7-10
// (short texts give short parts), whatever the separators are.
struct DateTextParts {
    QString day;
    QString month;
    QString year;
};
DateTextParts DatePartsByPosition(const QString& text);

// The value of `count` ASCII digits of `text` from `from` on (all within it), or -1 when one
// of them is no digit.
int DigitsAt(const QString& text, int from, int count);

// The calendar date a text names by position, or none when it is not a real date (years
// 1 to 9999). Throws CommandFailure when a part is not an integer.
std::optional<CivilDate> CivilDateByPosition(const QString& text);

// True when the text names a real calendar date by position. Throws CommandFailure when a part
// is not an integer.
bool IsValidDateText(const QString& text);

// The date's day number; throws CommandFailure naming the text when it is not a real date.
DayNumber ReadDateByPosition(const QString& text);

// The date as QDate, or none when the text is no real date; parts that are not integers
// count as no date.
std::optional<QDate> QDateByPosition(const QString& text);

// "dd.mm.yyyy" with the given separator, zero-padded.
QString DateText(int day, int month, int year, QChar separator = QLatin1Char('.'));
QString DateText(const QDate& date, QChar separator = QLatin1Char('.'));

// The short date format "dd.mm.yyyy", always with full stops.
QString ShortDateText(DayNumber days);
// Whether a text that reads as a date is what ShortDateText writes for that date: two-digit
// day and month and a four-digit year, all digits, with dots between.
bool HasShortDateForm(const QString& text);

}  // namespace core
