#include "core/ValueDateMove.h"

#include "core/DateText.h"
#include "core/DayNumber.h"
#include "core/Errors.h"
#include "core/NumberReading.h"

namespace core {
namespace {

QString dayName(const OfficialHolidays& holidays, DayNumber date) {
    const QString holiday = holidays.holidayName(date);
    if (!holiday.isEmpty()) return holiday;
    return IsoWeekday(date) == 6 ? QStringLiteral("Cumartesi") : QStringLiteral("Pazar");
}

}  // namespace

QString ValueDateMoveReason(const Calculation& calc, int row) {
    const OfficialHolidays* official = calc.holidays().official();
    const TableInputs& in = calc.inputs();
    const TransactionTable& table = calc.table();
    if (!official || !in.moveRepaymentsPastHolidays || row < 1 || row >= table.rowCount()) {
        return {};
    }
    const QString& valueDate = table.cell(col::ValueDate, row);
    const QString& transactionDate = table.cell(col::TransactionDate, row);
    if (ParseDigits(table.cell(col::Repaid, row)) <= 0 || !IsValidDateText(valueDate) ||
        !IsValidDateText(transactionDate)) {
        return {};
    }
    try {
        DayNumber origin = ReadDateByPosition(transactionDate);
        const double extraDays = ParseAmount(in.repaymentExtraDays, calc.separators());
        if (extraDays > 0) origin = AddDays(origin, extraDays, in.repaymentExtraDays);
        const DayNumber value = ReadDateByPosition(valueDate);
        if (origin >= value || official->nextWorkingDay(origin) != value) return {};
        return dayName(*official, origin) + QStringLiteral(" → ") + valueDate;
    } catch (const CommandFailure&) {
        return {};
    }
}

}  // namespace core
