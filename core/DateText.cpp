#include "core/DateText.h"

#include "core/Errors.h"
#include "core/TextRoutines.h"

namespace core {

DateTextParts DatePartsByPosition(const QString& text) {
    return {Substring(text, 1, 2), Substring(text, 4, 2), Substring(text, 7, 4)};
}

std::optional<CivilDate> CivilDateByPosition(const QString& text) {
    const DateTextParts parts = DatePartsByPosition(text);
    const int day = StrictInteger(parts.day);
    const int month = StrictInteger(parts.month);
    const int year = StrictInteger(parts.year);
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month)) {
        return std::nullopt;
    }
    return CivilDate{year, month, day};
}

bool IsValidDateText(const QString& text) { return CivilDateByPosition(text).has_value(); }

DayNumber ReadDateByPosition(const QString& text) {
    const auto date = CivilDateByPosition(text);
    if (!date) throw CalcError(QStringLiteral("\"%1\" geçerli bir tarih değil").arg(text));
    return DaysFromCivil(date->year, static_cast<unsigned>(date->month),
                         static_cast<unsigned>(date->day));
}

std::optional<QDate> QDateByPosition(const QString& text) {
    try {
        const auto date = CivilDateByPosition(text);
        if (!date) return std::nullopt;
        const QDate result(date->year, date->month, date->day);
        if (!result.isValid()) return std::nullopt;
        return result;
    } catch (const CalcError&) {
        return std::nullopt;
    }
}

QString DateText(int day, int month, int year, QChar separator) {
    return QStringLiteral("%1%2%3%4%5")
        .arg(day, 2, 10, QLatin1Char('0'))
        .arg(separator)
        .arg(month, 2, 10, QLatin1Char('0'))
        .arg(separator)
        .arg(year, 4, 10, QLatin1Char('0'));
}

QString DateText(const QDate& date, QChar separator) {
    return DateText(date.day(), date.month(), date.year(), separator);
}

QString ShortDateText(DayNumber days) {
    const CivilDate d = CivilFromDays(days);
    return DateText(d.day, d.month, d.year);
}

}  // namespace core
