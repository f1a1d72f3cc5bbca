#include "core/Rates.h"

#include <cmath>

#include "core/Errors.h"
#include "core/FieldCatalogue.h"
#include "core/NumberReading.h"
#include "core/NumberText.h"
#include "core/TableCommands.h"

namespace core {

void ChangeRates(Calculation& calc) {
    TransactionTable& table = calc.table();
    for (int r = 1; r < table.rowCount(); ++r) {
        table.setCell(col::Rate, r, calc.inputs().annualRate);
    }
    RecalculateAll(calc);
}

double RoundRateToFiveDecimals(double value) {
    // nearbyint rounds a halfway product to the even neighbour in the default mode.
    return std::nearbyint(value * 100000.0) / 100000.0;
}

std::optional<double> FindRate(Calculation& calc) {
    RecalculateAll(calc);
    const Separators& seps = calc.separators();
    const double totalInterest = ParseAmount(calc.inputs().targetTotalInterest, seps);
    const double yearDays = ParseAmount(calc.inputs().daysInYear, seps);
    const double interestNumber = ParseAmount(calc.totals().totalInterestNumber, seps);
    if (totalInterest == 0 || yearDays == 0 || interestNumber == 0) {
        calc.dialogs().message(
            QStringLiteral("Faiz tutarı, yıldaki gün ve tabloya hareket girilmelidir!"));
        return std::nullopt;
    }
    const double rate =
        RoundRateToFiveDecimals(RequireFinite(totalInterest * yearDays * 100 / interestNumber, [] {
            return QuotedFieldName(&TableInputs::annualRate);
        }));
    const Question question{
        QStringLiteral("Yıllık Faiz Oranı ") + GeneralText(rate, seps) +
            QStringLiteral(" olarak bulunmuştur.\nTablo kayıtlarına aktarılmasını istermisiniz?"),
        kProgramCaption, int(DialogButton::Yes) | int(DialogButton::No) | int(DialogButton::Cancel),
        DialogIcon::Question};
    if (calc.dialogs().ask(question) == DialogButton::Yes) {
        calc.setAnnualRateText(GeneralText(rate, seps));
        calc.setMonthlyRateText(GeneralText(rate / 12, seps));
        ChangeRates(calc);
        RecalculateAll(calc);
    }
    return rate;
}

}  // namespace core
