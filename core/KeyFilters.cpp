#include "core/KeyFilters.h"

#include <algorithm>

#include "core/NumberReading.h"
#include "core/NumberText.h"

namespace core {
namespace {

bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

QChar groupingCharacter(const Separators& seps) {
    if (seps.decimal == QLatin1Char(',')) return QLatin1Char('.');
    if (seps.decimal == QLatin1Char('.')) return QLatin1Char(',');
    return QChar();
}

// Groups the digits in threes as they will stand once the key has acted at the end: the
// last digit is about to go (Backspace), or one more is about to come (any other key).
QString groupForComingKey(const QString& digits, bool backspace, QChar separator) {
    const int n = digits.size();
    const int kept = backspace ? n - 1 : n;
    const int total = backspace ? n - 1 : n + 1;
    QString out;
    for (int i = 0; i < n; ++i) {
        out += digits[i];
        const int position = i + 1;
        if (!separator.isNull() && position < kept && (total - position) % 3 == 0) out += separator;
    }
    return out;
}

int significantDigits(const QString& text) {
    int count = 0;
    for (const QChar c : text) {
        if (isDigit(c) && (count > 0 || c != QLatin1Char('0'))) ++count;
    }
    return count;
}

}  // namespace

bool DigitWouldOverflowAmount(QChar key, const QString& text, int selectionStart,
                              int selectionLength) {
    if (!isDigit(key)) return false;
    const int start = std::clamp(selectionStart, 0, int(text.size()));
    QString after = text;
    after.replace(start, std::max(0, selectionLength), key);
    return significantDigits(after) > kMaxAmountDigits;
}

KeyDecision FilterRateKey(QChar key, const Separators& seps) {
    if (key == kEnter) return {false, true, std::nullopt, 0};
    const bool accepted = key == kBackspace || isDigit(key) || key == seps.decimal;
    return {accepted, false, std::nullopt, 0};
}

KeyDecision FilterDayKey(QChar key) {
    if (key == kEnter) return {false, true, std::nullopt, 0};
    return {key == kBackspace || isDigit(key), false, std::nullopt, 0};
}

KeyDecision FilterGroupedKey(QChar key, const QString& text, int selectionStart,
                             int selectionLength, const Separators& seps) {
    const bool inAcceptedSet =
        key == kBackspace || key == kEnter || isDigit(key) || key == seps.decimal;
    if (inAcceptedSet && text.isEmpty()) return {};
    if (DigitWouldOverflowAmount(key, text, selectionStart, selectionLength)) {
        return {false, false, std::nullopt, 0};
    }
    const int charactersAfter = text.size() - selectionStart - selectionLength;
    KeyDecision decision;
    decision.accepted = inAcceptedSet;
    const int q = text.indexOf(seps.decimal) + 1;
    if (q > 0 && text.size() == q + 2 && key != kBackspace && key != kEnter) {
        decision.accepted = false;
    }
    const bool hasSeparator = q > 0;
    if (key == seps.decimal && hasSeparator) decision.accepted = false;
    if (hasSeparator || key == seps.decimal) return decision;
    if (key != kBackspace && key != kEnter && !isDigit(key)) decision.accepted = false;
    const QString digits = GeneralText(ParseAmount(text, seps), seps);
    const QString grouped = groupForComingKey(digits, key == kBackspace, groupingCharacter(seps));
    decision.text = grouped;
    decision.caretFromEnd = charactersAfter;
    return decision;
}

bool AcceptsAmountCellKey(QChar key, const Separators& seps) {
    return isDigit(key) || key == kBackspace || key == kEnter || key == seps.decimal;
}

std::optional<QString> RegroupTypedAmount(const QString& text, const Separators& seps) {
    if (text.contains(seps.decimal) || text.size() < 3) return std::nullopt;
    return FormatGroupedInteger(ParseAmount(text, seps), seps);
}

}  // namespace core
