#include "cli/ReportCommand.h"

#include <QDate>
#include <QGuiApplication>
#include <exception>
#include <memory>

#include "cli/Json.h"
#include "core/Errors.h"
#include "output/report/PageLayout.h"
#include "output/report/PagePainter.h"
#include "output/report/ReportText.h"

namespace cli {
namespace {

QByteArray json(const report::ReportText& text) {
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

// Fonts and painters need a GUI application. The tool never shows a window, so it paints on
// the offscreen platform and needs no display.
std::unique_ptr<QGuiApplication> applicationForPainting() {
    if (QCoreApplication::instance()) return nullptr;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "vovirer";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

std::optional<QString> writePdf(const report::ReportText& text, report::ReportWidth width,
                                const QString& path) {
    const auto application = applicationForPainting();
    const report::LaidOutReport pages =
        report::LayOutReport(report::FilledReportTemplate(width, text), QDate::currentDate());
    return report::WriteReportPdf(pages, path);
}

}  // namespace

int RunReportCommand(core::Calculation& calc, const core::RecordingDialogs& dialogs,
                     const ReportOptions& options, QByteArray& out, QByteArray& err) {
    const auto width = options.wide ? report::ReportWidth::Wide : report::ReportWidth::Normal;
    calc.inputs().companyName = options.company.value_or(QString());
    std::optional<report::ReportText> text;
    std::optional<QString> error;
    try {
        text = report::PrepareReportText(calc, width);
    } catch (const core::SilentStop&) {
    } catch (const core::CalcError& e) {
        error = e.message();
    } catch (const std::exception& e) {
        error = QString::fromUtf8(e.what());
    }
    for (const QString& message : dialogs.texts()) err += message.toUtf8() + '\n';
    if (text && options.pdf) error = writePdf(*text, width, *options.pdf);
    if (error) {
        err += "vovirer: " + error->toUtf8() + '\n';
        return 1;
    }
    if (text) out += options.json ? json(*text) : plain(*text);
    return 0;
}

}  // namespace cli
