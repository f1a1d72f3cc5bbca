#include "cli/CalculationOutput.h"

#include <QDate>

#include "cli/Json.h"
#include "core/DateText.h"

namespace cli {

QByteArray CalculationJson(const core::Calculation& calc, const core::RecordingDialogs& dialogs,
                           const core::CommandEnding& ending,
                           const std::optional<std::optional<QString>>& rate) {
    const core::TableInputs& in = calc.inputs();
    const core::TableTotals& t = calc.totals();
    JsonWriter w;
    w.beginObject();
    w.key(QStringLiteral("fields"));
    w.beginObject();
    const std::pair<const char*, const QString*> textFields[] = {
        {"rotatifadiEdit", &in.creditLineName},
        {"yillikfaizNetEdit", &in.annualRate},
        {"aylikfaizNetEdit", &in.monthlyRate},
        {"KKDFNetEdit", &in.bsmvRate},
        {"vergi2NetEdit", &in.vergi2Rate},
        {"yildakigunEdit", &in.daysInYear},
        {"kredigeriodemeekEdit", &in.repaymentExtraDays},
        {"kredikullanimekEdit", &in.drawingExtraDays},
    };
    for (const auto& [name, text] : textFields) {
        w.key(QString::fromLatin1(name));
        w.value(*text);
    }
    w.key(QStringLiteral("CheckBox8"));
    w.value(in.moveDrawingsPastHolidays);
    w.key(QStringLiteral("CheckBox9"));
    w.value(in.moveRepaymentsPastHolidays);
    w.key(QStringLiteral("DateTimePicker61"));
    w.value(core::DateText(in.calculationDate, calc.separators().date));
    w.key(QStringLiteral("toplamfaizNetEdit"));
    w.value(in.targetTotalInterest);
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
    const std::pair<const char*, const QString*> totals[] = {
        {"kreditoplamtutariEdit", &t.totalDrawn}, {"odemetoplamtutariEdit", &t.totalRepaid},
        {"kredibakiyeEdit", &t.creditBalance},    {"toplamfaizEdit", &t.totalInterest},
        {"odenenfaizkkdfEdit", &t.interestPaid},  {"odenmemisfaizkkdfEdit", &t.interestUnpaid},
        {"toplamKKDFEdit", &t.totalBsmv},         {"JvDotNetEdit1", &t.totalInterestNumber},
    };
    for (const auto& [name, text] : totals) {
        w.key(QString::fromLatin1(name));
        w.value(*text);
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
    w.endObject();
    return w.result();
}

QByteArray PlainTotals(const core::TableTotals& t) {
    // The on-screen labels of the totals; the hidden total of the interest numbers has none
    // on screen and is named after the column it sums.
    const std::pair<const char*, const QString*> lines[] = {
        {"Dorud Toplam Tutarı", &t.totalDrawn},
        {"Ödeme Toplam Tutarı", &t.totalRepaid},
        {"Dorud Bakiye Tutarı", &t.creditBalance},
        {"Toplam Faiz", &t.totalInterest},
        {"Ödenen Faiz + BSMV", &t.interestPaid},
        {"Ödenmemiş Faiz + BSMV", &t.interestUnpaid},
        {"Toplam BSMV", &t.totalBsmv},
        {"Toplam Adat", &t.totalInterestNumber},
    };
    QByteArray out;
    for (const auto& [label, value] : lines) {
        out += label;
        out += ": ";
        out += value->toUtf8();
        out += '\n';
    }
    return out;
}

}  // namespace cli
