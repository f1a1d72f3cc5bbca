#pragma once

#include <QChar>
#include <QString>
#include <optional>

#include "core/Separators.h"

namespace core {

inline constexpr QChar kBackspace = QChar(8);
inline constexpr QChar kEnter = QChar(13);

// What a field does with one typed key, decided before the key reaches it.
struct KeyDecision {
    bool accepted = true;         // false: the key is dropped
    bool moveFocus = false;       // the focus goes on to the next control
    std::optional<QString> text;  // the field's text is replaced first ...
    int caretFromEnd = 0;         // ... with the caret this many characters from the end
};

// The most significant digits an amount may have: a double holds every one of them, so what
// the user typed is what is computed.
inline constexpr int kMaxAmountDigits = 15;
// Whether a digit typed over the selection (or at the caret) would give the amount more
// significant digits than that.
bool DigitWouldOverflowAmount(QChar key, const QString& text, int selectionStart,
                              int selectionLength);

// Rate fields: Backspace, digits and the decimal separator; Enter moves on.
KeyDecision FilterRateKey(QChar key, const Separators& seps = Separators::turkish());
// Day fields: Backspace and digits; Enter moves on.
KeyDecision FilterDayKey(QChar key);
// Grouped amount fields (BSMV, Vergi2, Toplam Faiz): live thousands grouping.
KeyDecision FilterGroupedKey(QChar key, const QString& text, int selectionStart,
                             int selectionLength, const Separators& seps = Separators::turkish());

// Table columns 4 to 7: digits, Backspace, Enter and the decimal separator only.
bool AcceptsAmountCellKey(QChar key, const Separators& seps = Separators::turkish());
// The regrouping after a key is released in columns 4 to 7: a text without decimal
// separator and of at least three characters becomes "#,##0"; others stay (nullopt).
std::optional<QString> RegroupTypedAmount(const QString& text,
                                          const Separators& seps = Separators::turkish());

}  // namespace core
