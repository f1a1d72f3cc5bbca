#pragma once

#include <QString>
#include <optional>

class QTextEdit;

namespace ui {

// The text of a help file and the way it is shown.
struct HelpText {
    enum class Format { Markdown, Rtf, Plain };
    QString text;
    Format format = Format::Plain;
};

// Rich text (RTF) when the text is an RTF document; Markdown when it opens with a Markdown
// heading ("# Title"), as the help texts we ship do; any other text is shown exactly as it
// is written.
HelpText::Format FormatOf(const QString& text);

// Reads a help file: nothing when there is no such file. A file that exists but cannot be
// read throws core::CommandFailure naming it. The bytes are taken as UTF-8 when they are valid
// UTF-8, else as Windows-1254, the code page of older Turkish text files.
std::optional<HelpText> ReadHelpFile(const QString& path);

// Replaces the viewer's content with the text, formatted or plain.
void ShowHelpText(QTextEdit& viewer, const HelpText& help);

}  // namespace ui
