#include "ui/DesktopHandOff.h"

#include <QProcess>
#include <QStandardPaths>

namespace ui {
namespace {

constexpr int kQueryTimeoutMs = 10000;

// Spreadsheet programs that open a workbook given on their command line, for desktops
// that name no application for the type.
const char* const kKnownSpreadsheetPrograms[] = {"localc", "libreoffice", "soffice", "gnumeric"};

// The default application xdg-mime names for a MIME type or URL scheme handler; empty when
// there is none or xdg-mime is missing.
QString DefaultApplicationFor(const QString& type) {
    QProcess query;
    query.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"), type});
    if (!query.waitForFinished(kQueryTimeoutMs)) {
        query.kill();
        query.waitForFinished();
        return {};
    }
    if (query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0) return {};
    return QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
}

QString KnownSpreadsheetProgram() {
    for (const char* name : kKnownSpreadsheetPrograms) {
        const QString found = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!found.isEmpty()) return found;
    }
    return {};
}

std::optional<QString> StartDetached(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    if (process.startDetached()) return std::nullopt;
    QString reason = process.errorString();
    return reason.isEmpty() ? program : reason;
}

}  // namespace

bool HasSpreadsheetApplication() {
    return !DefaultApplicationFor(kXlsxMimeType).isEmpty() || !KnownSpreadsheetProgram().isEmpty();
}

std::optional<QString> OpenInSpreadsheetApplication(const QString& path) {
    if (!DefaultApplicationFor(kXlsxMimeType).isEmpty()) {
        return StartDetached(QStringLiteral("xdg-open"), {path});
    }
    const QString program = KnownSpreadsheetProgram();
    if (program.isEmpty()) return QStringLiteral("xdg-mime query default ") + kXlsxMimeType;
    return StartDetached(program, {path});
}

bool HasMailProgram() {
    return !QStandardPaths::findExecutable(QStringLiteral("xdg-email")).isEmpty() &&
           !DefaultApplicationFor(QStringLiteral("x-scheme-handler/mailto")).isEmpty();
}

QStringList MailArguments(const MailDraft& draft) {
    QStringList arguments{QStringLiteral("--utf8")};
    if (!draft.subject.isEmpty()) arguments << QStringLiteral("--subject") << draft.subject;
    if (!draft.body.isEmpty()) arguments << QStringLiteral("--body") << draft.body;
    arguments << QStringLiteral("--attach") << draft.attachment << draft.recipient;
    return arguments;
}

std::optional<QString> ShowNewMail(const MailDraft& draft) {
    return StartDetached(QStringLiteral("xdg-email"), MailArguments(draft));
}

}  // namespace ui
