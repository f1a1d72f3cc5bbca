#include "core/DateCompletion.h"

#include "core/NumberReading.h"
#include "core/NumberText.h"

namespace core {

QString YearWithCentury(const QString& year) {
    QString completed = year;
    // Each step works on the year the one before it left.
    const auto prefix = [&](int length, const QString& century, bool needsPositive) {
        const double digits = ParseDigits(completed);
        const QString plain = GeneralText(digits);
        if (plain.size() == length && (!needsPositive || digits > 0)) completed = century + plain;
    };
    prefix(1, QStringLiteral("200"), true);
    prefix(2, QStringLiteral("20"), false);
    prefix(3, QStringLiteral("1"), false);
    return completed;
}

}  // namespace core
