#include "sheets/CellText.h"

#include <QDate>
#include <cmath>

#include "core/DateText.h"
#include "core/NumberText.h"

namespace sheets {
namespace {

// Last serial day a spreadsheet shows as a date: 31.12.9999 in the 1900 system.
constexpr double kLastSerial = 2958465;

QString serialDateText(double serial, DateSystem system, const core::Separators& seps) {
    // A time of day is dropped; rounding to the second first keeps 23:59:59.9997 on its day.
    const double day = std::floor(serial + 0.5 / 86400.0);
    if (!(day >= 0 && day <= kLastSerial)) return core::GeneralText(serial, seps);
    const auto days = static_cast<qint64>(day);
    if (system == DateSystem::From1904)
        return core::DateText(QDate(1904, 1, 1).addDays(days), seps.date);
    // The 1900 system counts a 29 February 1900, which the calendar never had: serial 60.
    if (days == 60) {
        return QStringLiteral("29%1%2%3%4")
            .arg(seps.date)
            .arg(QStringLiteral("02"))
            .arg(seps.date)
            .arg(QStringLiteral("1900"));
    }
    if (days < 60) return core::DateText(QDate(1899, 12, 31).addDays(days), seps.date);
    return core::DateText(QDate(1899, 12, 30).addDays(days), seps.date);
}

QString isoDateText(const QString& iso, const core::Separators& seps) {
    const QDate date = QDate::fromString(iso.left(10), Qt::ISODate);
    if (!date.isValid() ||
        (iso.size() > 10 && iso[10] != QLatin1Char('T') && iso[10] != QLatin1Char(' '))) {
        return iso;
    }
    return core::DateText(date, seps.date);
}

}  // namespace

QString CellText(const CellValue& value, DateSystem system, const core::Separators& seps) {
    switch (value.kind) {
        case CellValue::Kind::Text:
            return value.text;
        case CellValue::Kind::Number:
            return core::GeneralText(value.number, seps);
        case CellValue::Kind::SerialDate:
            return serialDateText(value.number, system, seps);
        case CellValue::Kind::IsoDate:
            return isoDateText(value.text, seps);
        case CellValue::Kind::Boolean:
            return value.number != 0 ? QStringLiteral("True") : QStringLiteral("False");
    }
    return value.text;
}

bool IsBuiltInDateFormat(int id) {
    // 14-17 and 22 are the date formats of every locale; 27-36 and 50-58 those of the
    // East Asian ones. 18-21 and 45-47 show only a time.
    return (id >= 14 && id <= 17) || id == 22 || (id >= 27 && id <= 36) || (id >= 50 && id <= 58);
}

bool IsDateFormatCode(const QString& code) {
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code[i];
        if (c == QLatin1Char('"')) {
            const qsizetype close = code.indexOf(QLatin1Char('"'), i + 1);
            if (close < 0) return false;
            i = close;
        } else if (c == QLatin1Char('[')) {
            const qsizetype close = code.indexOf(QLatin1Char(']'), i + 1);
            if (close < 0) return false;
            i = close;
        } else if (c == QLatin1Char('\\') || c == QLatin1Char('_') || c == QLatin1Char('*')) {
            ++i;  // the next character is shown as it is, or only measured
        } else {
            const char16_t lower = c.toLower().unicode();
            if (lower == u'd' || lower == u'y') return true;
        }
    }
    return false;
}

}  // namespace sheets
