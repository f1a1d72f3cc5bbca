#include "core/HolidayListText.h"

#include <QRegularExpression>
#include <QStringList>

#include "core/DateText.h"
#include "core/DayNumber.h"

namespace core {
namespace {

// A hand-edited file may hold anything; a message quotes at most this much of a line, and
// names at most this many lines.
constexpr int kQuotedLength = 60;
constexpr std::size_t kNamedLines = 20;

bool validYear(int year) { return year >= kFirstDateYear && year <= kLastDateYear; }

bool validDay(int year, int month, int day) {
    return month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month);
}

// Reads one line into `list`; false when it is not a holiday line.
bool readLine(const QString& line, OfficialHolidays& list) {
    static const QRegularExpression oneYear(
        QStringLiteral(R"(^(\d\d)\.(\d\d)\.(\d\d\d\d)\s+(\S.*)$)"));
    static const QRegularExpression everyYear(
        QStringLiteral(R"(^(\d\d)\.(\d\d)(?:\s+(\d\d\d\d)'d[ae]n)?\s+(\S.*)$)"));
    if (const auto m = oneYear.match(line); m.hasMatch()) {
        const int day = m.captured(1).toInt();
        const int month = m.captured(2).toInt();
        const int year = m.captured(3).toInt();
        if (!validYear(year) || !validDay(year, month, day)) return false;
        list.addDay(DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)),
                    m.captured(4).trimmed());
        return true;
    }
    if (const auto m = everyYear.match(line); m.hasMatch()) {
        const int day = m.captured(1).toInt();
        const int month = m.captured(2).toInt();
        const int fromYear = m.captured(3).isEmpty() ? kFirstDateYear : m.captured(3).toInt();
        // 29 February recurs only in leap years, which 2000 stands for here.
        if (!validYear(fromYear) || !validDay(2000, month, day)) return false;
        list.addEveryYear(month, day, fromYear, m.captured(4).trimmed());
        return true;
    }
    return false;
}

}  // namespace

HolidayList ReadHolidayList(const QString& text) {
    HolidayList result;
    const QStringList lines =
        (text.startsWith(QChar(0xFEFF)) ? text.mid(1) : text).split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        if (readLine(line, result.holidays)) continue;
        QString quoted = line.left(kQuotedLength);
        if (line.size() > kQuotedLength) quoted += QStringLiteral("…");
        result.unread.push_back({static_cast<int>(i + 1), quoted});
    }
    return result;
}

QString UnreadHolidayLinesMessage(const QString& file,
                                  const std::vector<UnreadHolidayLine>& unread) {
    if (unread.empty()) return {};
    QString text =
        QStringLiteral("Tatil listesinin şu satırları okunamadı ve yok sayıldı (%1):").arg(file);
    for (std::size_t i = 0; i < unread.size() && i < kNamedLines; ++i) {
        text += QStringLiteral("\n%1. satır: \"%2\"").arg(unread[i].number).arg(unread[i].text);
    }
    if (unread.size() > kNamedLines) {
        text += QStringLiteral("\nve %1 satır daha").arg(unread.size() - kNamedLines);
    }
    text += QStringLiteral(
        "\nHer satır \"GG.AA.YYYY Adı\", \"GG.AA Adı\" ya da \"GG.AA YYYY'den Adı\" olmalı.");
    return text;
}

}  // namespace core
