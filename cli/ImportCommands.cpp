#include "cli/ImportCommands.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <exception>

#include "cli/Json.h"
#include "cli/Vovirer.h"
#include "core/Errors.h"
#include "sheets/ImportTransfer.h"
#include "sheets/PreviewGrid.h"
#include "storage/CalculationFile.h"
#include "storage/Settings.h"

namespace cli {
namespace {

const char* const kSheetUsage =
    "usage:\n"
    "  vovirer preview SHEET [--json]\n"
    "  vovirer import SHEET [--value-col N] [--tx-col N] [--desc-col N] [--drawn-col N]\n"
    "                 [--repaid-col N] [--start N] [--end N] [--value-date-is-tx]\n"
    "                 [--json] [-o OUT.fdr]\n"
    "options of every subcommand:\n"
    "  --settings FILE      read FILE as the program reads Ayarlar.ini (for import, also the\n"
    "                       import window's fields)\n"
    "  --date dd.mm.yyyy    the calculation date (\"Tarih\")\n";

struct UsageError {
    QString text;
};
struct FileError {
    QString text;
};

// A flag that sets one of the import window's fields, with the field's length limit.
struct FieldFlag {
    const char* name;
    QString storage::ImportSettings::*field;
    int maxDigits;
};

const FieldFlag kFieldFlags[] = {
    {"--value-col", &storage::ImportSettings::valueDateColumn, 2},
    {"--tx-col", &storage::ImportSettings::transactionDateColumn, 2},
    {"--desc-col", &storage::ImportSettings::descriptionColumn, 2},
    {"--drawn-col", &storage::ImportSettings::drawingColumn, 2},
    {"--repaid-col", &storage::ImportSettings::repaymentColumn, 2},
    {"--start", &storage::ImportSettings::firstRow, 5},
    {"--end", &storage::ImportSettings::lastRow, 5},
};

struct Options {
    QString subcommand;
    QStringList positionals;
    std::optional<QString> settings;
    std::optional<QString> date;
    std::optional<QString> output;
    bool json = false;
    bool valueDateIsTransactionDate = false;
    std::vector<std::pair<const FieldFlag*, QString>> fields;
};

bool isOption(const QString& arg) {
    return arg.startsWith(QLatin1Char('-')) && arg != QLatin1String("-");
}

const FieldFlag* fieldFlag(const QString& name) {
    for (const FieldFlag& flag : kFieldFlags) {
        if (name == QLatin1String(flag.name)) return &flag;
    }
    return nullptr;
}

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

Options parse(const QStringList& args) {
    Options o;
    bool onlyPositionals = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        QString arg = args[i];
        if (onlyPositionals || !isOption(arg)) {
            if (o.subcommand.isEmpty()) {
                o.subcommand = arg;
            } else {
                o.positionals.push_back(arg);
            }
            continue;
        }
        if (arg == QLatin1String("--")) {
            onlyPositionals = true;
            continue;
        }
        std::optional<QString> inlineValue;
        if (arg.startsWith(QLatin1String("--")) && arg.contains(QLatin1Char('='))) {
            const qsizetype eq = arg.indexOf(QLatin1Char('='));
            inlineValue = arg.mid(eq + 1);
            arg = arg.left(eq);
        }
        const auto takeValue = [&]() -> QString {
            if (inlineValue) return *inlineValue;
            if (i + 1 >= args.size())
                throw UsageError{QStringLiteral("option %1 needs a value").arg(arg)};
            return args[++i];
        };
        const auto flag = [&](bool& target) {
            if (inlineValue) throw UsageError{QStringLiteral("option %1 takes no value").arg(arg)};
            target = true;
        };
        if (arg == QLatin1String("--settings")) {
            o.settings = takeValue();
        } else if (arg == QLatin1String("--date")) {
            o.date = takeValue();
        } else if (arg == QLatin1String("-o") || arg == QLatin1String("--output")) {
            o.output = takeValue();
        } else if (arg == QLatin1String("--json")) {
            flag(o.json);
        } else if (arg == QLatin1String("--value-date-is-tx")) {
            flag(o.valueDateIsTransactionDate);
        } else if (const FieldFlag* field = fieldFlag(arg)) {
            o.fields.emplace_back(field, fieldValue(*field, takeValue()));
        } else if (arg == QLatin1String("-h") || arg == QLatin1String("--help")) {
            throw UsageError{QString()};
        } else {
            throw UsageError{QStringLiteral("unknown option %1").arg(arg)};
        }
    }
    return o;
}

// The subcommand a command line names: its first argument that is neither an option nor
// the value of one.
QString subcommandOf(const QStringList& args) {
    const QStringList takingValues = {"--settings",       "--date",    "-o",   "--output",
                                      "--total-interest", "--company", "--pdf"};
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--")) return args.value(i + 1);
        if (!isOption(args[i])) return args[i];
        if (takingValues.contains(args[i]) || fieldFlag(args[i])) ++i;
    }
    return QString();
}

void checkOptions(const Options& o) {
    if (o.positionals.size() != 1) {
        throw UsageError{
            o.positionals.isEmpty()
                ? QStringLiteral("%1 needs a workbook").arg(o.subcommand)
                : QStringLiteral("unexpected argument %1").arg(o.positionals.value(1))};
    }
    if (o.subcommand == QLatin1String("preview")) {
        if (o.output) throw UsageError{QStringLiteral("-o is for import")};
        if (o.valueDateIsTransactionDate || !o.fields.empty()) {
            throw UsageError{QStringLiteral("the column and row options are for import")};
        }
    }
}

void requireReadableFile(const QString& path, const QString& what) {
    const QFileInfo info(path);
    if (!info.exists()) throw FileError{QStringLiteral("%1 does not exist: %2").arg(what, path)};
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        throw FileError{QStringLiteral("cannot read %1: %2").arg(what, path)};
    }
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
    QByteArray out = caption.toUtf8() + '\n';
    QStringList cells;
    for (int r = 0; r < preview.rowCount(); ++r) {
        cells.clear();
        for (int c = 0; c < preview.columnCount(); ++c) cells.push_back(preview.cell(c, r));
        out += cells.join(QLatin1Char('\t')).toUtf8() + '\n';
    }
    return out;
}

int run(const Options& o, QByteArray& out, QByteArray& err) {
    checkOptions(o);
    const QString sheet = o.positionals.front();

    core::RecordingDialogs dialogs;
    core::Calculation calc(dialogs);
    calc.inputs().calculationDate = QDate::currentDate();
    storage::ImportSettings fields;
    if (o.settings) {
        requireReadableFile(*o.settings, QStringLiteral("settings file"));
        storage::ReadMainSettings(calc, *o.settings);
        fields = storage::ReadImportSettings(*o.settings);
    }
    if (o.date) {
        const auto date = CalculationDateOption(*o.date);
        if (!date)
            throw UsageError{
                QStringLiteral("--date wants a real date as dd.mm.yyyy, not %1").arg(*o.date)};
        calc.inputs().calculationDate = *date;
    }

    sheets::PreviewGrid preview;
    QString caption;
    try {
        caption = sheets::ReadIntoPreview(preview, sheet);
    } catch (const sheets::ReadError& e) {
        throw FileError{e.message()};
    }
    if (o.subcommand == QLatin1String("preview")) {
        out += o.json ? previewJson(caption, preview) : previewText(caption, preview);
        return 0;
    }

    dialogs.message(sheets::kSheetReadMessage);
    for (const auto& [flag, value] : o.fields) fields.*(flag->field) = value;
    if (o.valueDateIsTransactionDate) fields.valueDateIsTransactionDate = true;

    std::optional<QString> error;
    bool stopped = false;
    try {
        sheets::TransferToTable(preview, fields, calc);
    } catch (const core::SilentStop&) {
        stopped = true;
    } catch (const core::CalcError& e) {
        error = e.message();
    } catch (const std::exception& e) {
        error = QString::fromUtf8(e.what());
    }

    if (o.output && !error) {
        const storage::SaveResult saved = storage::WriteCalculationFile(calc, *o.output);
        if (!saved.ok) error = saved.message;
    }
    if (o.json) {
        out += CalculationJson(calc, dialogs, error, stopped);
    } else {
        for (const QString& text : dialogs.texts()) err += text.toUtf8() + '\n';
        out += PlainTotals(calc.totals());
    }
    if (error) {
        err += "vovirer: " + error->toUtf8() + '\n';
        return 1;
    }
    return 0;
}

}  // namespace

std::optional<int> RunSheetCommand(const QStringList& arguments, QByteArray& out, QByteArray& err) {
    const QString subcommand = subcommandOf(arguments);
    if (subcommand != QLatin1String("preview") && subcommand != QLatin1String("import"))
        return std::nullopt;
    try {
        return run(parse(arguments), out, err);
    } catch (const UsageError& e) {
        if (!e.text.isEmpty()) err += "vovirer: " + e.text.toUtf8() + '\n';
        err += kSheetUsage;
        return e.text.isEmpty() ? 0 : 2;
    } catch (const FileError& e) {
        err += "vovirer: " + e.text.toUtf8() + '\n';
        return 2;
    }
}

}  // namespace cli
