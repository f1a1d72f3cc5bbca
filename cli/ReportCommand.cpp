// The subcommand that prints the report: report.

#include "cli/CalculationOutput.h"
#include "cli/CommandModules.h"
#include "cli/Json.h"
#include "cli/Session.h"
#include "cli/Subcommand.h"
#include "core/CommandEnding.h"
#include "core/Errors.h"
#include "output/report/ReportText.h"

namespace cli {
namespace {

// `calendar` names the holiday calendar where the output names it (Session::namesCalendar).
QByteArray json(const report::ReportText& text, const std::optional<QString>& calendar) {
    JsonWriter w;
    w.beginObject();
    const std::pair<const char*, const QString*> memos[] = {
        {"title", &text.heading},   {"memo6", &text.creditLineLine}, {"memo7", &text.dateLine},
        {"memo8", &text.ratesLine}, {"memo9", &text.taxLine},        {"header", &text.columnHeader},
    };
    for (const auto& [key, value] : memos) {
        w.key(QLatin1String(key));
        w.value(*value);
    }
    w.key(QStringLiteral("body"));
    w.beginArray();
    for (const QString& line : text.body) w.value(line);
    w.endArray();
    if (calendar) {
        w.key(QStringLiteral("calendar"));
        w.value(*calendar);
    }
    w.endObject();
    return w.result();
}

QByteArray plain(const report::ReportText& text) {
    QByteArray out;
    for (const QString* line : {&text.heading, &text.creditLineLine, &text.dateLine,
                                &text.ratesLine, &text.taxLine, &text.columnHeader}) {
        out += line->toUtf8() + '\n';
    }
    for (const QString& line : text.body) out += line.toUtf8() + '\n';
    return out;
}

const OptionDefinition kJson{QStringLiteral("--json"), false, {}};
const OptionDefinition kWide{QStringLiteral("--wide"), false, {}};
const OptionDefinition kCompany{QStringLiteral("--company"), true, {}};
const OptionDefinition kPdf{QStringLiteral("--pdf"), true, {}};

// The print command once the file is open: the company name, recalculate all, the report
// text; the laid-out pages to --pdf and the texts to standard output.
int printReport(const Invocation& invocation, Output& output) {
    Session session(invocation);
    session.openBeforeCommand(invocation.positionals.front());
    core::Calculation& calc = session.calculation();
    const auto width =
        invocation.has(kWide.name) ? report::ReportWidth::Wide : report::ReportWidth::Normal;
    calc.inputs().companyName = invocation.value(kCompany.name).value_or(QString());
    std::optional<report::ReportText> text;
    core::CommandEnding ending =
        core::RunCommand([&] { text = report::PrepareReportText(calc, width); });
    for (const QString& message : session.dialogs().texts()) {
        output.err += AsGiven(message) + '\n';
    }
    const std::optional<QString> pdf = invocation.value(kPdf.name);
    if (text && pdf) {
        if (const std::optional<QString> error = ReportPdf().writeReportPdf(*text, width, *pdf)) {
            ending = {core::CommandEnding::Kind::Failed, *error};
        }
    }
    if (ending.failed()) {
        output.err += "vovirer: " + AsGiven(ending.error) + '\n';
        return 1;
    }
    const std::optional<QString> calendar =
        session.namesCalendar() ? std::optional<QString>(CalendarName(calc)) : std::nullopt;
    if (text) output.out += invocation.has(kJson.name) ? json(*text, calendar) : plain(*text);
    return 0;
}

}  // namespace

Subcommand ReportSubcommand() {
    return {QStringLiteral("report"),
            QStringLiteral("vovirer report FILE.fdr [--wide] [--company TEXT] [--json] "
                           "[--pdf OUT.pdf]"),
            {QStringLiteral("FILE.fdr")},
            {kWide, kCompany, kJson, kPdf},
            printReport};
}

}  // namespace cli
