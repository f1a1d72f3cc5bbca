#pragma once

#include <QString>

class QTextDocument;

namespace ui {

// True when the text is a rich-text (RTF) document.
bool IsRtf(const QString& text);

// Replaces the document's content with the text of an RTF document: paragraphs, line
// breaks, tabs, bold, italic and underline, Windows-1254 bytes (\'hh) and Unicode characters
// (\uN). Everything else (fonts, colours, pictures, page settings) is left out.
void ReadRtf(const QString& rtf, QTextDocument& document);

}  // namespace ui
