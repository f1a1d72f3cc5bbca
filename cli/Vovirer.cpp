#include "cli/Vovirer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDate>
#include <exception>
#include <optional>

#include "cli/ExportCommand.h"
#include "cli/ImportCommands.h"
#include "cli/Json.h"
#include "cli/ReportCommand.h"
#include "commands/CalculationFileCommands.h"
#include "core/Calculation.h"
#include "core/Errors.h"
#include "core/NumberText.h"
#include "core/Rates.h"
#include "core/RecordingDialogs.h"
#include "core/TextRoutines.h"
#include "storage/CalculationFile.h"
#include "storage/FileNames.h"
#include "storage/Settings.h"

namespace cli {
namespace {

const char* const kUsage =
    "usage:\n"
    "  vovirer recalc FILE.fdr [--json] [-o OUT.fdr]\n"
    "  vovirer find-rate FILE.fdr --total-interest AMOUNT [--apply] [--json] [-o OUT.fdr]\n"
    "  vovirer report FILE.fdr [--wide] [--company TEXT] [--json] [--pdf OUT.pdf]\n"
    "  vovirer export FILE.fdr OUT.xlsx [--mail-layout]\n"
    "  vovirer preview SHEET [--json]\n"
    "  vovirer import SHEET [--value-col N] [--tx-col N] [--desc-col N] [--drawn-col N]\n"
    "                 [--repaid-col N] [--start N] [--end N] [--value-date-is-tx]\n"
    "                 [--json] [-o OUT.fdr]\n"
    "options of every subcommand:\n"
    "  --settings FILE      read FILE as the program reads Ayarlar.ini at start-up\n"
    "  --date dd.mm.yyyy    the calculation date (\"Tarih\") before FILE is opened\n";

struct UsageError {
    QString text;
};

struct FileError {
    QString text;
};

struct Options {
    QString subcommand;
    QStringList positionals;
    std::optional<QString> settings;
    std::optional<QString> date;
    std::optional<QString> output;
    std::optional<QString> totalInterest;
    bool json = false;
    bool apply = false;
    bool mailLayout = false;
    ReportOptions report;
};

Options parse(const QStringList& args) {
    Options o;
    bool onlyPositionals = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        QString arg = args[i];
        if (onlyPositionals || !arg.startsWith(QLatin1Char('-')) || arg == QLatin1String("-")) {
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
        } else if (arg == QLatin1String("--total-interest")) {
            o.totalInterest = takeValue();
        } else if (arg == QLatin1String("--json")) {
            flag(o.json);
        } else if (arg == QLatin1String("--apply")) {
            flag(o.apply);
        } else if (arg == QLatin1String("--mail-layout")) {
            flag(o.mailLayout);
        } else if (arg == QLatin1String("--wide")) {
            flag(o.report.wide);
        } else if (arg == QLatin1String("--company")) {
            o.report.company = takeValue();
        } else if (arg == QLatin1String("--pdf")) {
            o.report.pdf = takeValue();
        } else if (arg == QLatin1String("-h") || arg == QLatin1String("--help")) {
            throw UsageError{QString()};
        } else {
            throw UsageError{QStringLiteral("unknown option %1").arg(arg)};
        }
    }
    return o;
}

void checkOptions(const Options& o) {
    const bool findRate = o.subcommand == QLatin1String("find-rate");
    const bool exporting = o.subcommand == QLatin1String("export");
    if (exporting && o.positionals.size() == 1)
        throw UsageError{QStringLiteral("export needs OUT.xlsx")};
    if (exporting && (o.json || o.output))
        throw UsageError{QStringLiteral("export writes only OUT.xlsx")};
    if (!exporting && o.mailLayout) throw UsageError{QStringLiteral("--mail-layout is for export")};
    if (o.positionals.size() != (exporting ? 2 : 1)) {
        throw UsageError{o.positionals.isEmpty()
                             ? QStringLiteral("%1 needs a calculation file").arg(o.subcommand)
                             : QStringLiteral("unexpected argument %1").arg(o.positionals.last())};
    }
    if (findRate && !o.totalInterest) {
        throw UsageError{QStringLiteral("find-rate needs --total-interest AMOUNT")};
    }
    if (!findRate && o.totalInterest)
        throw UsageError{QStringLiteral("--total-interest is for find-rate")};
    if (!findRate && o.apply) throw UsageError{QStringLiteral("--apply is for find-rate")};
    if (o.subcommand != QLatin1String("report") &&
        (o.report.wide || o.report.company || o.report.pdf)) {
        throw UsageError{QStringLiteral("--wide, --company and --pdf are for report")};
    }
    if (o.subcommand == QLatin1String("report") && o.output)
        throw UsageError{QStringLiteral("report takes no -o")};
}

QDate parseDate(const QString& text) {
    // dd.mm.yyyy, read by position as the program reads dates.
    if (text.size() != 10)
        throw UsageError{QStringLiteral("--date wants dd.mm.yyyy, not %1").arg(text)};
    try {
        if (!core::IsValidDateText(text)) throw core::CalcError(text);
        const QDate date(core::StrictInteger(core::Substring(text, 7, 4)),
                         core::StrictInteger(core::Substring(text, 4, 2)),
                         core::StrictInteger(core::Substring(text, 1, 2)));
        if (!date.isValid()) throw core::CalcError(text);
        return date;
    } catch (const core::CalcError&) {
        throw UsageError{
            QStringLiteral("--date wants a real date as dd.mm.yyyy, not %1").arg(text)};
    }
}

void requireReadableFile(const QString& path, const QString& what) {
    const QByteArray name = storage::NativeFileName(path);
    struct stat st {};
    if (::stat(name.constData(), &st) != 0) {
        throw FileError{QStringLiteral("%1 does not exist: %2").arg(what, path)};
    }
    const int fd = S_ISREG(st.st_mode) ? ::open(name.constData(), O_RDONLY | O_CLOEXEC) : -1;
    if (fd < 0) throw FileError{QStringLiteral("cannot read %1: %2").arg(what, path)};
    ::close(fd);
}

// Text for standard error: file names in it come out as the bytes they were given as.
QByteArray asGiven(const QString& text) { return storage::NativeFileName(text); }

QString dateText(const QDate& date, const core::Separators& seps) {
    return QStringLiteral("%1%2%3%4%5")
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(seps.date)
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(seps.date)
        .arg(date.year(), 4, 10, QLatin1Char('0'));
}

// How a command ended.
struct Ending {
    std::optional<QString> error;
    bool stopped = false;
};

template <typename Command>
Ending runCommand(Command&& command) {
    Ending ending;
    try {
        command();
    } catch (const core::SilentStop&) {
        ending.stopped = true;
    } catch (const core::CalcError& e) {
        ending.error = e.message();
    } catch (const std::exception& e) {
        ending.error = QString::fromUtf8(e.what());
    }
    return ending;
}

QByteArray json(const core::Calculation& calc, const core::RecordingDialogs& dialogs,
                const Ending& ending, const std::optional<std::optional<QString>>& rate) {
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
    w.value(dateText(in.calculationDate, calc.separators()));
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
    w.optionalValue(ending.error);
    w.key(QStringLiteral("stopped"));
    w.value(ending.stopped);
    if (rate) {
        w.key(QStringLiteral("rate"));
        w.optionalValue(*rate);
    }
    w.endObject();
    return w.result();
}

QByteArray plainTotals(const core::TableTotals& t) {
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

int run(const Options& o, QByteArray& out, QByteArray& err) {
    checkOptions(o);
    const QString file = o.positionals.front();

    // The starting state of a freshly started main window without a settings file.
    core::RecordingDialogs dialogs(o.apply ? core::DialogButton::Yes : core::DialogButton::No);
    core::Calculation calc(dialogs);
    calc.inputs().calculationDate = QDate::currentDate();
    if (o.settings) {
        requireReadableFile(*o.settings, QStringLiteral("settings file"));
        storage::ReadMainSettings(calc, *o.settings);
    }
    if (o.date) calc.inputs().calculationDate = parseDate(*o.date);

    requireReadableFile(file, QStringLiteral("calculation file"));
    storage::LoadFault fault = storage::LoadFault::None;
    const auto open = [&] {
        commands::OpenCommand(calc, file, &fault);
        if (fault == storage::LoadFault::Unreadable) {
            throw FileError{QStringLiteral("cannot read calculation file: %1").arg(file)};
        }
    };

    Ending ending;
    std::optional<std::optional<QString>> rateText;
    if (o.subcommand == QLatin1String("recalc")) {
        ending = runCommand(open);
    } else {
        // The open is a command of its own: its stop or error ends only the open.
        const Ending opened = runCommand(open);
        if (opened.error) {
            dialogs.notify(core::Notice{core::ErrorReportText(*opened.error),
                                        core::kApplicationTitle, core::DialogIcon::Error});
        }
        if (o.subcommand == QLatin1String("report")) {
            ReportOptions report = o.report;
            report.json = o.json;
            return RunReportCommand(calc, dialogs, report, out, err);
        }
        if (o.subcommand == QLatin1String("export")) {
            ending = runCommand([&] { ExportWorkbook(calc, o.positionals[1], o.mailLayout); });
        } else {
            rateText.emplace();
            calc.inputs().targetTotalInterest = *o.totalInterest;
            ending = runCommand([&] {
                if (const std::optional<double> rate = core::FindRate(calc)) {
                    *rateText = core::GeneralText(*rate, calc.separators());
                }
            });
        }
    }

    // A refused file was applied only up to the refusal: saving it would drop the rest.
    const bool outputRefused = o.output && fault != storage::LoadFault::None;
    if (o.output && !outputRefused && !ending.error) {
        const storage::SaveResult saved = storage::WriteCalculationFile(calc, *o.output);
        if (!saved.ok) ending.error = saved.message;
    }

    if (o.json) {
        out += json(calc, dialogs, ending, rateText);
    } else {
        for (const QString& text : dialogs.texts()) err += asGiven(text) + '\n';
        if (rateText) {
            if (*rateText)
                out += (QStringLiteral("Yıllık Faiz Oranı: ") + **rateText).toUtf8() + '\n';
        } else if (o.subcommand == QLatin1String("recalc")) {
            out += plainTotals(calc.totals());
        }
    }
    if (ending.error) err += "vovirer: " + asGiven(*ending.error) + '\n';
    if (outputRefused) {
        err += "vovirer: " + asGiven(storage::kCannotRead + QLatin1Char(' ') + file) +
               "; nothing written to " + asGiven(*o.output) + '\n';
    }
    return ending.error || outputRefused ? 1 : 0;
}

}  // namespace

QByteArray CalculationJson(const core::Calculation& calc, const core::RecordingDialogs& dialogs,
                           const std::optional<QString>& error, bool stopped) {
    return json(calc, dialogs, Ending{error, stopped}, std::nullopt);
}

QByteArray PlainTotals(const core::TableTotals& totals) { return plainTotals(totals); }

std::optional<QDate> CalculationDateOption(const QString& text) {
    try {
        return parseDate(text);
    } catch (const UsageError&) {
        return std::nullopt;
    }
}

int RunVovirer(const QStringList& arguments, QByteArray& out, QByteArray& err) {
    if (const auto status = RunSheetCommand(arguments, out, err)) return *status;
    try {
        const Options o = parse(arguments);
        if (o.subcommand.isEmpty()) throw UsageError{QStringLiteral("no subcommand given")};
        if (o.subcommand == QLatin1String("recalc") || o.subcommand == QLatin1String("find-rate") ||
            o.subcommand == QLatin1String("export") || o.subcommand == QLatin1String("report")) {
            return run(o, out, err);
        }
        const QStringList later = {QStringLiteral("preview"), QStringLiteral("import")};
        if (later.contains(o.subcommand)) {
            throw UsageError{QStringLiteral("subcommand %1 is not available in this build yet")
                                 .arg(o.subcommand)};
        }
        throw UsageError{QStringLiteral("unknown subcommand %1").arg(o.subcommand)};
    } catch (const UsageError& e) {
        if (!e.text.isEmpty()) err += "vovirer: " + e.text.toUtf8() + '\n';
        err += kUsage;
        return e.text.isEmpty() ? 0 : 2;
    } catch (const FileError& e) {
        err += "vovirer: " + asGiven(e.text) + '\n';
        return 2;
    }
}

}  // namespace cli
