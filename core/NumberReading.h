#pragma once

#include <QString>

#include "core/Separators.h"

namespace core {

// Reads an amount, rate or count: keeps a sign in first place, digits and decimal
// separators, drops everything else; nothing kept reads as 0. Throws CommandFailure when what
// is kept is not a number ("-", ",", "1,2,3").
double ParseAmount(const QString& text, const Separators& seps = Separators::turkish());

// Like ParseAmount without the decimal separator: the digits of a text as one integer.
double ParseDigits(const QString& text);

// Strict number conversion of a whole text (surrounding spaces allowed, no grouping).
// Throws CommandFailure naming the text.
double StrictNumber(const QString& text, const Separators& seps = Separators::turkish());

// Strict integer conversion (leading spaces allowed). Throws CommandFailure naming the text.
int StrictInteger(const QString& text);

}  // namespace core
