#include "cli/CalculationOutput.h"

#include <QDate>
#include <variant>

#include "cli/Json.h"
#include "core/DateText.h"
#include "core/FieldCatalogue.h"

namespace cli {
namespace {

// The members of the "fields" object, in the order scripts know.
constexpr core::InputMember kJsonFields[] = {
    &core::TableInputs::creditLineName,
    &core::TableInputs::annualRate,
    &core::TableInputs::monthlyRate,
    &core::TableInputs::bsmvRate,
    &core::TableInputs::vergi2Rate,
    &core::TableInputs::daysInYear,
    &core::TableInputs::repaymentExtraDays,
    &core::TableInputs::drawingExtraDays,
    &core::TableInputs::moveDrawingsPastHolidays,
    &core::TableInputs::moveRepaymentsPastHolidays,
    &core::TableInputs::calculationDate,
    &core::TableInputs::targetTotalInterest,
};

}  // namespace

QByteArray CalculationJson(const core::Calculation& calc, const core::RecordingDialogs& dialogs,
                           const core::CommandEnding& ending,
                           const std::optional<std::optional<QString>>& rate, bool namesCalendar) {
    const core::TableInputs& in = calc.inputs();
    const core::TableTotals& t = calc.totals();
    JsonWriter w;
    w.beginObject();
    w.key(QStringLiteral("fields"));
    w.beginObject();
    for (const core::InputMember& member : kJsonFields) {
        w.key(core::Key(member));
        if (const auto* text = std::get_if<QString core::TableInputs::*>(&member)) {
            w.value(in.*(*text));
        } else if (const auto* tick = std::get_if<bool core::TableInputs::*>(&member)) {
            w.value(in.*(*tick));
        } else {
            const QDate& date = in.*std::get<QDate core::TableInputs::*>(member);
            w.value(core::DateText(date, calc.separators().date));
        }
    }
    w.endObject();

    w.key(QStringLiteral("rows"));
    w.beginArray();
    const core::TransactionTable& table = calc.table();
    QStringList cells;
    for (int r = 1; r < table.rowCount(); ++r) {
        cells.clear();
        for (int c = 0; c < table.columnCount(); ++c) cells.push_back(table.cell(c, r));
        w.inlineStrings(cells);
    }
    w.endArray();

    w.key(QStringLiteral("totals"));
    w.beginObject();
    for (const core::TotalField& total : core::kTotalFields) {
        w.key(core::Key(total));
        w.value(t.*total.member);
    }
    w.endObject();

    w.key(QStringLiteral("messages"));
    w.beginArray();
    for (const QString& text : dialogs.texts()) w.value(text);
    w.endArray();
    w.key(QStringLiteral("error"));
    w.optionalValue(ending.failed() ? std::optional<QString>(ending.error) : std::nullopt);
    w.key(QStringLiteral("stopped"));
    w.value(ending.stopped());
    if (rate) {
        w.key(QStringLiteral("rate"));
        w.optionalValue(*rate);
    }
    if (namesCalendar) {
        w.key(QStringLiteral("calendar"));
        w.value(CalendarName(calc));
    }
    w.endObject();
    return w.result();
}

QString CalendarName(const core::Calculation& calc) {
    return calc.holidays().kind() == core::HolidayCalendar::Kind::Official
               ? QStringLiteral("official")
               : QStringLiteral("program");
}

QByteArray PlainTotals(const core::TableTotals& t) {
    QByteArray out;
    for (const core::TotalField& total : core::kTotalFields) {
        out += total.label;
        out += ": ";
        out += (t.*total.member).toUtf8();
        out += '\n';
    }
    return out;
}

}  // namespace cli
