#pragma once

#include <QString>
#include <optional>

#include "core/Separators.h"

namespace core {

// "#,##0.00": nearest hundredth decided on the 18-significant-digit decimal expansion,
// halfway away from zero; zero is "0,00", never "-0,00".
QString FormatAmount(double value, const Separators& seps = Separators::turkish());

// An amount's written form beside the value ParseAmount reads back from it, known when
// the hundredths fit 15 digits: the value is then the hundredths divided by 100, as the
// reading rounds them.
struct WrittenAmount {
    QString text;
    std::optional<double> value;
};
WrittenAmount WriteAmount(double value, const Separators& seps = Separators::turkish());
WrittenAmount WriteAmount15(double value, const Separators& seps = Separators::turkish());

// True when FormatAmount of the value the text reads as gives the text itself: "#,##0.00"
// with these separators, no leading zero, no "-0,00", and below 10^13 in size, where the
// value lies so close to the written hundredths that writing it again gives them back.
bool IsWrittenAmount(const QString& text, const Separators& seps = Separators::turkish());

// The same after rounding the value to 15 significant digits first (computed interest).
QString FormatAmount15(double value, const Separators& seps = Separators::turkish());

// "#,##0": grouped, no decimals (used while an amount is typed).
QString FormatGroupedInteger(double value, const Separators& seps = Separators::turkish());

// General number text: up to 15 significant digits, no grouping, no trailing zeros.
QString GeneralText(double value, const Separators& seps = Separators::turkish());

}  // namespace core
