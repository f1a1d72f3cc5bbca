#include "core/DateText.h"

#include "core/Errors.h"
#include "core/FixedWidthText.h"
#include "core/NumberReading.h"

namespace core {

DateTextParts DatePartsByPosition(const QString& text) {
    return {Substring(text, 1, 2), Substring(text, 4, 2), Substring(text, 7, 4)};
}

int DigitsAt(const QString& text, int from, int count) {
    int value = 0;
    for (int i = from; i < from + count; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9') return -1;
        value = value * 10 + (c - u'0');
    }
    return value;
}

std::optional<CivilDate> CivilDateByPosition(const QString& text) {
    int day = -1;
    int month = -1;
    int year = -1;
    if (text.size() >= 10) {  // the common whole date: its parts are plain digits
        day = DigitsAt(text, 0, 2);
        month = DigitsAt(text, 3, 2);
        year = DigitsAt(text, 6, 4);
    }
    if (day < 0 || month < 0 || year < 0) {
        const DateTextParts parts = DatePartsByPosition(text);
        day = StrictInteger(parts.day);
        month = StrictInteger(parts.month);
        year = StrictInteger(parts.year);
    }
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month)) {
        return std::nullopt;
    }
    return CivilDate{year, month, day};
}

bool IsValidDateText(const QString& text) { return CivilDateByPosition(text).has_value(); }

DayNumber ReadDateByPosition(const QString& text) {
    const auto date = CivilDateByPosition(text);
    if (!date) throw CommandFailure(QStringLiteral("\"%1\" geçerli bir tarih değil").arg(text));
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
    } catch (const CommandFailure&) {
        return std::nullopt;
    }
}

QString DateText(int day, int month, int year, QChar separator) {
    if (day >= 0 && day <= 99 && month >= 0 && month <= 99 && year >= 0 && year <= 9999) {
        const char16_t text[] = {char16_t(u'0' + day / 10),
                                 char16_t(u'0' + day % 10),
                                 separator.unicode(),
                                 char16_t(u'0' + month / 10),
                                 char16_t(u'0' + month % 10),
                                 separator.unicode(),
                                 char16_t(u'0' + year / 1000),
                                 char16_t(u'0' + year / 100 % 10),
                                 char16_t(u'0' + year / 10 % 10),
                                 char16_t(u'0' + year % 10)};
        return QString(reinterpret_cast<const QChar*>(text), 10);
    }
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

bool HasShortDateForm(const QString& text) {
    return text.size() == 10 && text[2] == QLatin1Char('.') && text[5] == QLatin1Char('.') &&
           DigitsAt(text, 0, 2) >= 0 && DigitsAt(text, 3, 2) >= 0 && DigitsAt(text, 6, 4) >= 0;
}

}  // namespace core
