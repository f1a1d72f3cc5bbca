#include "tests/core/RandomTables.h"

#include "core/NumberText.h"
#include "core/TransactionTable.h"

namespace randomtables {
namespace {

const QString kGoodAmounts[] = {
    "100",   "50",    "150",   "1.000",     "2.500,75", "100,50", "0,01", "1234,567",  "0",
    "1,115", "7,125", "0,005", "99.999,99", "12-5",     "-50",    "+25",  "1.000.000", "250",
    "30",    "60",    "90",    "45",        "1.500",    "7,5",    "120",  "3.600",
};
const QString kBadAmounts[] = {"-", "+", ",", "1,2,3", ",,", "-,"};
const QString kRates[] = {"24", "18,5", "36", "0",   "12,75", "1.200", "0,0",
                          "24", "18",   "9",  "4,5", "15",    "30"};
const QString kStale[] = {"1,00", "12.345,67", "0,00", "-3,50", "abc", "30", "", "7"};
const QString kBadDates[] = {
    "31.02.2019", "30.02.2020", "29.02.2019", "01.01.1904", " 1. 1.3000", " 5.  .2019",
    "45.03.2019", "15.13.2019", "00.05.2019", "  .  .2019", "-1.01.2019", "31.04.2018",
};

QString Padded(int value, int width, QChar fill) {
    return QStringLiteral("%1").arg(value, width, 10, fill);
}

}  // namespace

Generator::Generator(std::uint32_t seed) : rng_(seed) {}

bool Generator::chance(double probability) {
    return std::uniform_real_distribution<double>(0, 1)(rng_) < probability;
}

int Generator::between(int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(rng_);
}

void Generator::fill(core::Calculation& calc) {
    messy_ = chance(0.35);
    fillInputs(calc.inputs());
    const core::RateDirection directions[] = {core::RateDirection::None,
                                              core::RateDirection::AnnualDrives,
                                              core::RateDirection::MonthlyDrives};
    calc.setRateDirection(oneOf(directions));

    core::TransactionTable& table = calc.table();
    const int rows = chance(0.1) ? between(15, 40) : between(1, 12);
    table.clearData();
    table.setRowCount(rows + 1);
    date_ = QDate(2016, 1, 1).addDays(between(0, 5 * 365));
    for (int r = 1; r <= rows; ++r) {
        table.setCell(core::col::Number, r, QString::number(r));
        fillRow(calc, r);
    }
    if (rows > 1 && chance(messy_ ? 0.3 : 0.05))
        table.setCell(core::col::Number, between(2, rows), QString());

    core::TableTotals& totals = calc.totals();
    totals = core::TableTotals{};
    if (chance(0.5)) {
        totals.totalDrawn = staleText();
        totals.totalBsmv = staleText();
        totals.totalInterestNumber = staleText();
    }
    table.setCurrentCellQuietly(between(1, 7), between(1, rows));
}

void Generator::fillInputs(core::TableInputs& inputs) {
    const QString annual[] = {"24", "24", "36,5", "12", "0", "", "18", "9"};
    const QString bsmv[] = {"", "5", "0", "15", "0,5", "1.234"};
    const QString vergi2[] = {"", "", "1", "0", "2,5"};
    const QString yearDays[] = {"360", "365"};
    const QString badYearDays[] = {"", "0", "-0", ",", "0,0"};
    const QString extraDays[] = {"", "", "0", "2", "1", "10"};

    inputs = core::TableInputs{};
    inputs.creditLineName = QStringLiteral("Vovirer %1").arg(between(1, 9));
    inputs.calculationDate = QDate(2016, 1, 1).addDays(between(0, 5 * 365));
    inputs.annualRate = messy_ && chance(0.04) ? QStringLiteral(",") : oneOf(annual);
    inputs.monthlyRate = chance(0.5) ? QStringLiteral("2") : QString();
    inputs.bsmvRate = messy_ && chance(0.03) ? QStringLiteral("-") : oneOf(bsmv);
    inputs.vergi2Rate = oneOf(vergi2);
    inputs.daysInYear = messy_ && chance(0.1) ? oneOf(badYearDays) : oneOf(yearDays);
    inputs.repaymentExtraDays = oneOf(extraDays);
    inputs.drawingExtraDays = chance(0.2) ? QStringLiteral("3") : QString();
    inputs.moveDrawingsPastHolidays = chance(0.2);
    inputs.moveRepaymentsPastHolidays = chance(0.5);
    inputs.targetTotalInterest = chance(0.3) ? QStringLiteral("1.000") : QString();
}

void Generator::fillRow(core::Calculation& calc, int row) {
    using namespace core::col;
    core::TransactionTable& table = calc.table();
    const int step = chance(0.5) ? between(0, 3) : between(4, 45);
    date_ = date_.addDays(chance(0.1) ? -between(1, 30) : step);
    const QString date = dateText(date_);
    const int dates = between(0, 9);
    if (dates <= 6) table.setCell(TransactionDate, row, date);
    if (dates <= 4 || dates >= 7) table.setCell(ValueDate, row, date);
    if (dates == 9) table.setCell(ValueDate, row, dateText(date_.addDays(between(1, 5))));
    if (messy_ && chance(0.08)) table.setCell(between(1, 2), row, badDateText());

    const int kind = between(0, 9);
    const bool drawing = kind <= 2 || kind == 6;
    const bool repayment = kind == 3 || kind == 4 || kind == 6;
    const bool interest = kind == 5 || (kind == 4 && chance(0.5));
    if (kind == 8) {
        for (int c = TransactionDate; c <= Rate; ++c) table.setCell(c, row, QString());
    }
    if (drawing) table.setCell(Drawn, row, amountText());
    if (repayment) table.setCell(Repaid, row, amountText());
    if (interest) table.setCell(InterestPaid, row, amountText());
    if (messy_ && chance(0.05)) table.setCell(between(Drawn, InterestPaid), row, badAmountText());
    if (kind != 8) table.setCell(Rate, row, rateText());
    if (chance(0.3)) table.setCell(Description, row, QStringLiteral("hareket"));
    for (int c = Days; c <= InterestNumber; ++c) {
        if (chance(0.25)) table.setCell(c, row, staleText());
    }
    if (chance(0.2)) table.setCell(SortKey, row, QStringLiteral("20190301"));
}

QString Generator::dateText(const QDate& date) {
    const int day = date.day();
    const int month = date.month();
    const int year = date.year();
    const QChar space = QLatin1Char(' ');
    const QChar zero = QLatin1Char('0');
    switch (between(0, 19)) {
        case 11:
            return Padded(day, 2, space) + '.' + Padded(month, 2, space) + '.' +
                   QString::number(year);
        case 12:  // day and month only, the year left blank
            return Padded(day, 2, space) + '.' + QString::number(month) + " .    ";
        case 13:
            return QStringLiteral("%1.%2.%3").arg(day).arg(month).arg(year % 100);
        case 14:
            return Padded(day, 2, zero) + '.' + Padded(month, 2, zero) + '.' +
                   Padded(year % 100, 2, zero) + "  ";
        case 15:
            return Padded(day, 2, zero) + '.' + Padded(month, 2, zero) + ".00" +
                   Padded(year % 100, 2, zero);
        case 16:
            return Padded(day, 2, zero) + '.' + Padded(month, 2, zero) + ".   " +
                   QString::number(year % 10);
        case 17:
            return Padded(day, 2, zero) + '.' + Padded(month, 2, zero) + '.' +
                   Padded(year % 1000, 3, zero);
        case 18:
            return QStringLiteral("  .  .    ");
        case 19:
            return date.toString(QStringLiteral("dd/MM/yyyy"));
        default:
            return date.toString(QStringLiteral("dd.MM.yyyy"));
    }
}

QString Generator::badDateText() { return oneOf(kBadDates); }
QString Generator::amountText() { return oneOf(kGoodAmounts); }
QString Generator::badAmountText() { return oneOf(kBadAmounts); }

QString Generator::rateText() {
    if (chance(0.65)) return QString();
    if (messy_ && chance(0.05)) return QStringLiteral(",");
    return oneOf(kRates);
}

QString Generator::staleText() {
    if (messy_ && chance(0.05)) return QStringLiteral("-");
    return oneOf(kStale);
}

void Generator::edit(core::Calculation& calc) {
    core::TransactionTable& table = calc.table();
    const int edits = between(1, 4);
    for (int e = 0; e < edits; ++e) {
        const int what = between(0, 19);
        const int last = table.rowCount() - 1;
        if (what < 10) {
            editCell(calc, between(1, last));
        } else if (what < 13) {
            editInput(calc.inputs());
        } else if (what < 15) {
            table.setRowCount(table.rowCount() + 1);
            table.setCell(core::col::Number, last + 1, QString::number(last + 1));
        } else if (what < 16) {
            table.setRowCount(table.rowCount() - 1);
        } else {
            table.setCurrentCellQuietly(between(1, 7), between(1, last));
        }
    }
}

void Generator::editCell(core::Calculation& calc, int row) {
    using namespace core::col;
    core::TransactionTable& table = calc.table();
    const int column = between(TransactionDate, Rate);
    QString text;
    if (chance(0.2)) {
        text = QString();
    } else if (column <= ValueDate) {
        const QDate around = QDate(2016, 1, 1).addDays(between(0, 5 * 365));
        text = messy_ && chance(0.1) ? badDateText() : dateText(around);
    } else if (column == Description) {
        text = QStringLiteral("not");
    } else if (column == Rate) {
        text = rateText();
    } else {
        text = messy_ && chance(0.1) ? badAmountText() : amountText();
    }
    table.setCell(column, row, text);
}

void Generator::editInput(core::TableInputs& inputs) {
    const QString annual[] = {"24", "30", "", "0"};
    const QString bsmv[] = {"", "5", "10"};
    const QString extraDays[] = {"", "0", "3"};
    switch (between(0, 4)) {
        case 0:
            inputs.annualRate = oneOf(annual);
            break;
        case 1:
            inputs.bsmvRate = oneOf(bsmv);
            break;
        case 2:
            inputs.repaymentExtraDays = oneOf(extraDays);
            break;
        case 3:
            inputs.moveRepaymentsPastHolidays = !inputs.moveRepaymentsPastHolidays;
            break;
        default:
            inputs.calculationDate = inputs.calculationDate.addDays(between(-40, 40));
            break;
    }
}

}  // namespace randomtables
