#include "ui/help/MarkdownStyle.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

namespace ui {
namespace {

const QColor kHeadingColour(20, 60, 120);
const QColor kRuleColour(150, 150, 150);
const QColor kCaptionRowColour(225, 235, 245);

void styleHeading(const QTextBlock& block, int level) {
    QTextCursor cursor(block);
    QTextBlockFormat format = block.blockFormat();
    format.setTopMargin(level == 1 ? 4 : 12);
    format.setBottomMargin(level == 1 ? 10 : 4);
    cursor.setBlockFormat(format);
    cursor.select(QTextCursor::BlockUnderCursor);
    QTextCharFormat colour;
    colour.setForeground(kHeadingColour);
    cursor.mergeCharFormat(colour);
}

// Room below a paragraph, as between the paragraphs of a printed text.
void spaceParagraph(const QTextBlock& block) {
    QTextBlockFormat format = block.blockFormat();
    format.setBottomMargin(6);
    QTextCursor(block).setBlockFormat(format);
}

void styleTable(QTextTable& table) {
    QTextTableFormat format = table.format();
    format.setBorder(1);
    format.setBorderBrush(kRuleColour);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderCollapse(true);
    format.setCellSpacing(0);
    format.setCellPadding(3);
    format.setTopMargin(4);
    format.setBottomMargin(8);
    format.setHeaderRowCount(1);
    table.setFormat(format);
    for (int column = 0; column < table.columns(); ++column) {
        QTextTableCell cell = table.cellAt(0, column);
        QTextCharFormat shade = cell.format();
        shade.setBackground(kCaptionRowColour);
        cell.setFormat(shade);
    }
}

}  // namespace

void StyleMarkdownDocument(QTextDocument& document) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (const int level = block.blockFormat().headingLevel(); level > 0) {
            styleHeading(block, level);
        }
        QTextTable* table = QTextCursor(block).currentTable();
        if (table && table->cellAt(0, 0).firstCursorPosition().block() == block) {
            styleTable(*table);
        }
        if (!table && !block.textList() && block.blockFormat().headingLevel() == 0) {
            spaceParagraph(block);
        }
    }
}

}  // namespace ui
