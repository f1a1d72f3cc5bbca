// The subcommands that read a workbook: preview and import.
#include <algorithm>
#include <memory>

#include "cli/CalculationOutput.h"
#include "cli/CommandModules.h"
#include "cli/Json.h"
#include "cli/Session.h"
#include "cli/Subcommand.h"
#include "commands/ImportTransfer.h"
#include "sheets/PreviewGrid.h"
#include "storage/CalculationFile.h"
#include "storage/Settings.h"

namespace cli {
namespace {

const OptionDefinition kJson{QStringLiteral("--json"), false, {}};
const OptionDefinition kOutput{QStringLiteral("-o"), true, QStringLiteral("--output")};
const OptionDefinition kValueDateIsTx{QStringLiteral("--value-date-is-tx"), false, {}};

// A flag that sets one of the import window's fields, with the field's length limit.
struct FieldFlag {
    const char* name;
    QString core::ImportSettings::*field;
    int maxDigits;
};

const FieldFlag kFieldFlags[] = {
    {"--value-col", &core::ImportSettings::valueDateColumn, 2},
    {"--tx-col", &core::ImportSettings::transactionDateColumn, 2},
    {"--desc-col", &core::ImportSettings::descriptionColumn, 2},
    {"--drawn-col", &core::ImportSettings::drawingColumn, 2},
    {"--repaid-col", &core::ImportSettings::repaymentColumn, 2},
    {"--start", &core::ImportSettings::firstRow, 5},
    {"--end", &core::ImportSettings::lastRow, 5},
};

// The field's text as typed: digits only, no longer than the field takes.
QString fieldValue(const FieldFlag& flag, const QString& text) {
    const bool digits = std::all_of(text.begin(), text.end(),
                                    [](QChar c) { return c.isDigit() && c.unicode() < 128; });
    if (!digits || text.size() > flag.maxDigits) {
        throw UsageError{QStringLiteral("%1 wants up to %2 digits, not %3")
                             .arg(QLatin1String(flag.name))
                             .arg(flag.maxDigits)
                             .arg(text)};
    }
    return text;
}

QByteArray previewJson(const QString& caption, const sheets::PreviewGrid& preview) {
    JsonWriter w;
    w.beginObject();
    w.key(QStringLiteral("caption"));
    w.value(caption);
    w.key(QStringLiteral("cells"));
    w.beginArray();
    QStringList cells;
    for (int r = 0; r < preview.rowCount(); ++r) {
        cells.clear();
        for (int c = 0; c < preview.columnCount(); ++c) cells.push_back(preview.cell(c, r));
        w.inlineStrings(cells);
    }
    w.endArray();
    w.endObject();
    return w.result();
}

// The grid as lines of tab-separated cells, the caption first.
QByteArray previewText(const QString& caption, const sheets::PreviewGrid& preview) {
    QByteArray out = AsGiven(caption) + '\n';  // the file's name as given
    QStringList cells;
    for (int r = 0; r < preview.rowCount(); ++r) {
        cells.clear();
        for (int c = 0; c < preview.columnCount(); ++c) cells.push_back(preview.cell(c, r));
        out += cells.join(QLatin1Char('\t')).toUtf8() + '\n';
    }
    return out;
}

// Reads the first sheet as "Excel Dosyası Aç" does; returns the window's caption.
QString readSheet(const QString& path, sheets::PreviewGrid& preview) {
    try {
        return Sheets().readIntoPreview(preview, path);
    } catch (const sheets::ReadError& e) {
        throw FileError{e.message()};
    }
}

int preview(const Invocation& invocation, Output& output) {
    Session session(invocation);  // --settings and --date are checked as everywhere
    sheets::PreviewGrid grid;
    const QString caption = readSheet(invocation.positionals.front(), grid);
    output.out +=
        invocation.has(kJson.name) ? previewJson(caption, grid) : previewText(caption, grid);
    return 0;
}

int import(const Invocation& invocation, Output& output) {
    // The process ends with the command, and the memory of the calculation and the preview
    // with it: handing their cells back one by one would only delay the end, so both are left
    // to the exit.
    Session& session = *std::make_unique<Session>(invocation).release();
    core::Calculation& calc = session.calculation();
    core::ImportSettings fields;
    if (const auto settings = invocation.value(QStringLiteral("--settings"))) {
        fields = storage::ReadImportSettings(*settings);
    }
    for (const FieldFlag& flag : kFieldFlags) {
        if (const auto text = invocation.value(QString::fromLatin1(flag.name))) {
            fields.*(flag.field) = fieldValue(flag, *text);
        }
    }
    if (invocation.has(kValueDateIsTx.name)) fields.valueDateIsTransactionDate = true;

    sheets::PreviewGrid& grid = *std::make_unique<sheets::PreviewGrid>().release();
    readSheet(invocation.positionals.front(), grid);
    session.dialogs().message(sheets::kSheetReadMessage);

    bool refused = false;
    core::CommandEnding ending = core::RunCommand([&] {
        refused =
            commands::TransferToTable(grid, fields, calc) == commands::TransferOutcome::Refused;
    });
    // A refused transfer left the starting table: writing it would pass for an import.
    bool writeRefused = false;
    if (const auto out = invocation.value(kOutput.name); out && !ending.failed()) {
        if (refused) {
            writeRefused = true;
        } else {
            const storage::SaveResult saved = storage::WriteCalculationFile(calc, *out);
            if (!saved.ok) ending = {core::CommandEnding::Kind::Failed, saved.message};
        }
    }
    if (invocation.has(kJson.name)) {
        output.out +=
            CalculationJson(calc, session.dialogs(), ending, std::nullopt, session.namesCalendar());
    } else {
        for (const QString& text : session.dialogs().texts()) output.err += AsGiven(text) + '\n';
        output.out += PlainTotals(calc.totals());
    }
    if (ending.failed()) {
        output.err += "vovirer: " + AsGiven(ending.error) + '\n';
        return 1;
    }
    if (writeRefused) {
        output.err += "vovirer: no rows transferred; nothing written to " +
                      AsGiven(*invocation.value(kOutput.name)) + '\n';
        return 1;
    }
    return 0;
}

}  // namespace

Subcommand PreviewSubcommand() {
    return {QStringLiteral("preview"),
            QStringLiteral("vovirer preview SHEET [--json]"),
            {QStringLiteral("SHEET")},
            {kJson},
            preview};
}

Subcommand ImportSubcommand() {
    QList<OptionDefinition> options = {kJson, kOutput, kValueDateIsTx};
    for (const FieldFlag& flag : kFieldFlags) {
        options.push_back({QString::fromLatin1(flag.name), true, {}});
    }
    return {QStringLiteral("import"),
            QStringLiteral("vovirer import SHEET [--value-col N] [--tx-col N] [--desc-col N] "
                           "[--drawn-col N]\n"
                           "               [--repaid-col N] [--start N] [--end N] "
                           "[--value-date-is-tx]\n"
                           "               [--json] [-o OUT.fdr]"),
            {QStringLiteral("SHEET")},
            options,
            import};
}

}  // namespace cli
