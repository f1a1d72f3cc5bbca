#include "ui/help/HelpText.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTextEdit>

#include "core/Errors.h"
#include "files/Cp1254.h"
#include "ui/help/MarkdownStyle.h"
#include "ui/help/RtfReader.h"

namespace ui {

HelpText::Format FormatOf(const QString& text) {
    if (IsRtf(text)) return HelpText::Format::Rtf;
    for (const QStringView line : QStringView(text).split(u'\n')) {
        const QStringView trimmed = line.trimmed();
        if (trimmed.isEmpty()) continue;
        const bool heading = trimmed.startsWith(u"# ") || trimmed.startsWith(u"## ");
        return heading ? HelpText::Format::Markdown : HelpText::Format::Plain;
    }
    return HelpText::Format::Plain;
}

namespace {

QString decode(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) return files::DecodeCp1254(bytes);
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
    return text;
}

// Files written on Windows end their lines with CR LF; each is one line break.
QString withPlainLineBreaks(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

}  // namespace

std::optional<HelpText> ReadHelpFile(const QString& path) {
    if (!QFileInfo::exists(path)) return std::nullopt;
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        throw core::CommandFailure(QStringLiteral("Yardım dosyası okunamıyor: %1").arg(path));
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        throw core::CommandFailure(
            QStringLiteral("Yardım dosyası okunamıyor: %1 (%2)").arg(path, file.errorString()));
    }
    HelpText help;
    help.text = withPlainLineBreaks(decode(bytes));
    help.format = FormatOf(help.text);
    return help;
}

void ShowHelpText(QTextEdit& viewer, const HelpText& help) {
    switch (help.format) {
        case HelpText::Format::Markdown:
            viewer.setMarkdown(help.text);
            StyleMarkdownDocument(*viewer.document());
            break;
        case HelpText::Format::Rtf:
            ReadRtf(help.text, *viewer.document());
            break;
        case HelpText::Format::Plain:
            viewer.setPlainText(help.text);
            break;
    }
    viewer.moveCursor(QTextCursor::Start);
}

}  // namespace ui
