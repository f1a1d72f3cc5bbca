#include "output/report/ReportText.h"

#include <array>

#include "core/DateText.h"
#include "core/FieldCatalogue.h"
#include "core/FixedWidthText.h"
#include "core/ProgramInfo.h"
#include "core/TableCommands.h"

namespace report {
namespace {

using core::PadLeft;
using core::PadRight;

// The description field holds its leading space and 24 characters; a longer text is cut.
constexpr int kDescriptionCut = 25;

enum class Align { Left, Right };

struct Field {
    int column;
    int width;
    Align align;
};

const std::array<Field, 7> kNormalFields = {{
    {core::col::Number, 3, Align::Left},
    {core::col::ValueDate, 12, Align::Right},
    {core::col::Description, 25, Align::Left},
    {core::col::Drawn, 14, Align::Right},
    {core::col::Repaid, 14, Align::Right},
    {core::col::InterestPaid, 11, Align::Right},
    {core::col::CreditBalance, 14, Align::Right},
}};

const std::array<Field, 9> kWideFields = {{
    {core::col::Number, 3, Align::Left},
    {core::col::ValueDate, 12, Align::Right},
    {core::col::Description, 25, Align::Left},
    {core::col::Drawn, 17, Align::Right},
    {core::col::Repaid, 17, Align::Right},
    {core::col::InterestPaid, 14, Align::Right},
    {core::col::Rate, 14, Align::Right},
    {core::col::CreditBalance, 17, Align::Right},
    {core::col::InterestBalance, 17, Align::Right},
}};

QString filled(const QString& text, int width, Align align) {
    const auto w = static_cast<std::uint16_t>(width);
    return align == Align::Left ? PadRight(w, text) : PadLeft(w, text);
}

QString fieldText(const Field& field, const QString& cell) {
    if (field.column == core::col::Description) {
        return filled(QLatin1Char(' ') + cell, field.width, field.align).left(kDescriptionCut);
    }
    // A figure too long for its field is never cut (a figure with a digit missing is a wrong
    // figure): it pushes the rest of the line right.
    return filled(cell, field.width, field.align);
}

// Fields follow each other as laid out; one that would touch the text before it (a long
// figure) stays one space apart, so two figures never read as one.
void appendField(QString& line, const QString& text) {
    if (!line.isEmpty() && !text.isEmpty() && !line.back().isSpace() && !text.front().isSpace()) {
        line += QLatin1Char(' ');
    }
    line += text;
}

template <std::size_t N>
QString lineOf(const std::array<Field, N>& fields, const core::TransactionTable::Row& row) {
    QString line;
    line.reserve(140);
    for (const Field& field : fields) appendField(line, fieldText(field, row[field.column]));
    return line;
}

QString totalsLine(const core::TableTotals& totals, ReportWidth width) {
    const bool wide = width == ReportWidth::Wide;
    QString line =
        QStringLiteral("   ") + PadRight(37, QStringLiteral("                   TOPLAM "));
    appendField(line, PadLeft(wide ? 17 : 14, totals.totalDrawn));
    appendField(line, PadLeft(wide ? 17 : 14, totals.totalRepaid));
    appendField(line, PadLeft(wide ? 14 : 11, totals.interestPaid));
    return line + QLatin1Char(' ');
}

// The printed summary words the totals its own way (shorter, in one aligned column, in its
// own order), so it does not take the window's labels.
void appendSummary(QStringList& body, const core::TableTotals& totals, ReportWidth width) {
    const std::uint16_t w = width == ReportWidth::Wide ? 18 : 15;
    const auto line = [&](const QString& label, const QString& value) {
        body.push_back(label + PadLeft(w, value));
    };
    line(QStringLiteral("Dorud Toplam Tutarı : "), totals.totalDrawn);
    line(QStringLiteral("Ödeme Toplam Tutarı : "), totals.totalRepaid);
    line(QStringLiteral("Dorud Bakiye Tutarı : "), totals.creditBalance);
    body.push_back(QString());
    line(QStringLiteral("Toplam Faiz         : "), totals.totalInterest);
    line(QStringLiteral("Toplam BSMV         : "), totals.totalBsmv);
    line(QStringLiteral("Ödenen Faiz+BSMV    : "), totals.interestPaid);
    line(QStringLiteral("Ödenmemiş Faiz+BSMV : "), totals.interestUnpaid);
}

}  // namespace

QString ReportTableLine(const core::TransactionTable::Row& row, ReportWidth width) {
    return width == ReportWidth::Wide ? lineOf(kWideFields, row) : lineOf(kNormalFields, row);
}

ReportText BuildReportText(const core::TransactionTable& table, const core::TableInputs& inputs,
                           const core::TableTotals& totals, ReportWidth width,
                           const core::Separators& seps, core::HolidayCalendar::Kind calendar) {
    ReportText text;
    text.columnHeader = ReportTableLine(table.row(0), width);
    text.heading = inputs.companyName.isEmpty()
                       ? QStringLiteral("Durvex Vovirer Dorud Programı") + core::kVersionText +
                             QStringLiteral(" Rapor Dökümü")
                       : inputs.companyName;
    using In = core::TableInputs;
    const auto item = [&inputs](QString In::*member, const QString& separator) {
        return core::Label(member) + separator + inputs.*member;
    };
    // The credit line's label is padded to stand in one column with the date line's.
    text.creditLineLine = core::PadRight(12, core::Label(&In::creditLineName)) +
                          QStringLiteral(" : ") + inputs.creditLineName;
    text.dateLine =
        QStringLiteral("İşlem Tarihi : ") + core::DateText(inputs.calculationDate, seps.date);
    text.ratesLine = item(&In::daysInYear, QStringLiteral(": ")) + QStringLiteral("  ") +
                     item(&In::annualRate, QStringLiteral(": ")) + QStringLiteral("  ") +
                     item(&In::monthlyRate, QStringLiteral(": "));
    text.taxLine = item(&In::bsmvRate, QStringLiteral(" : "));
    if (calendar == core::HolidayCalendar::Kind::Official) {
        text.taxLine += QStringLiteral("    Tatil Takvimi : Resmî tatiller (valör ilk iş gününe)");
    }

    text.body.reserve(table.rowCount() + 12);
    for (int r = 1; r < table.rowCount(); ++r)
        text.body.push_back(ReportTableLine(table.row(r), width));
    text.body.push_back(QString());
    text.body.push_back(totalsLine(totals, width));
    text.body.push_back(QString());
    text.body.push_back(QString());
    appendSummary(text.body, totals, width);
    text.body.push_back(QString());
    return text;
}

ReportText PrepareReportText(core::Calculation& calc, ReportWidth width) {
    core::RecalculateAll(calc);
    return BuildReportText(calc.table(), calc.inputs(), calc.totals(), width, calc.separators(),
                           calc.holidays().kind());
}

}  // namespace report
