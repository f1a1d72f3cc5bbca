#pragma once

class QTextDocument;

namespace ui {

// The look of the help texts and the user guide once their Markdown is read: coloured
// headings with room around them, tables with thin rules and a shaded caption row.
void StyleMarkdownDocument(QTextDocument& document);

}  // namespace ui
