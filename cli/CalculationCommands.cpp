// The subcommands that recalculate a calculation file: recalc and find-rate.
#include "cli/CalculationOutput.h"
#include "cli/Session.h"
#include "cli/Subcommand.h"
#include "core/NumberText.h"
#include "core/Rates.h"
#include "files/FileMessages.h"
#include "storage/CalculationFile.h"

namespace cli {
namespace {

const OptionDefinition kJson{QStringLiteral("--json"), false, {}};
const OptionDefinition kOutput{QStringLiteral("-o"), true, QStringLiteral("--output")};

// Saves to -o when given and the command may write; a failed write ends the command. A
// refused file was applied only up to the refusal: saving it would drop the rest, so nothing
// is written and the exit status says so. Returns true in that case.
bool saveOutput(const Invocation& invocation, Session& session, core::CommandEnding& ending,
                Output& output) {
    const std::optional<QString> target = invocation.value(kOutput.name);
    if (!target || ending.failed()) return false;
    if (session.openRefused()) {
        output.err +=
            "vovirer: " +
            AsGiven(files::kCannotRead + QLatin1Char(' ') + invocation.positionals.front()) +
            "; nothing written to " + AsGiven(*target) + '\n';
        return true;
    }
    const storage::SaveResult saved = storage::WriteCalculationFile(session.calculation(), *target);
    if (!saved.ok) ending = {core::CommandEnding::Kind::Failed, saved.message};
    return false;
}

int finish(const Invocation& invocation, Session& session, const core::CommandEnding& ending,
           const std::optional<std::optional<QString>>& rate, bool writeRefused, Output& output) {
    if (invocation.has(kJson.name)) {
        output.out += CalculationJson(session.calculation(), session.dialogs(), ending, rate,
                                      session.namesCalendar());
    } else {
        for (const QString& text : session.dialogs().texts()) output.err += AsGiven(text) + '\n';
        if (rate) {
            if (*rate)
                output.out += (QStringLiteral("Yıllık Faiz Oranı: ") + **rate).toUtf8() + '\n';
        } else {
            output.out += PlainTotals(session.calculation().totals());
        }
    }
    if (ending.failed()) output.err += "vovirer: " + AsGiven(ending.error) + '\n';
    return ending.failed() || writeRefused ? 1 : 0;
}

int recalc(const Invocation& invocation, Output& output) {
    Session session(invocation);
    core::CommandEnding ending = session.open(invocation.positionals.front());
    const bool refused = saveOutput(invocation, session, ending, output);
    return finish(invocation, session, ending, std::nullopt, refused, output);
}

int findRate(const Invocation& invocation, Output& output) {
    const core::DialogButton answer = invocation.has(QStringLiteral("--apply"))
                                          ? core::DialogButton::Yes
                                          : core::DialogButton::No;
    Session session(invocation, answer);
    session.openBeforeCommand(invocation.positionals.front());
    core::Calculation& calc = session.calculation();
    calc.inputs().targetTotalInterest = *invocation.value(QStringLiteral("--total-interest"));
    std::optional<QString> rateText;
    core::CommandEnding ending = core::RunCommand([&] {
        if (const std::optional<double> rate = core::FindRate(calc)) {
            rateText = core::GeneralText(*rate, calc.separators());
        }
    });
    const bool refused = saveOutput(invocation, session, ending, output);
    return finish(invocation, session, ending, rateText, refused, output);
}

}  // namespace

Subcommand RecalcSubcommand() {
    return {QStringLiteral("recalc"),
            QStringLiteral("vovirer recalc FILE.fdr [--json] [-o OUT.fdr]"),
            {QStringLiteral("FILE.fdr")},
            {kJson, kOutput},
            recalc};
}

Subcommand FindRateSubcommand() {
    return {QStringLiteral("find-rate"),
            QStringLiteral("vovirer find-rate FILE.fdr --total-interest AMOUNT [--apply] [--json] "
                           "[-o OUT.fdr]"),
            {QStringLiteral("FILE.fdr")},
            {{QStringLiteral("--total-interest"), true, {}},
             {QStringLiteral("--apply"), false, {}},
             kJson,
             kOutput},
            [](const Invocation& invocation, Output& output) {
                if (!invocation.has(QStringLiteral("--total-interest"))) {
                    throw UsageError{QStringLiteral("find-rate needs --total-interest AMOUNT")};
                }
                return findRate(invocation, output);
            }};
}

}  // namespace cli
