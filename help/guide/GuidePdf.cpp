#include "GuidePdf.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSet>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <memory>
#include <stdexcept>

#include "files/SafeWrite.h"
#include "ui/common/AppInfo.h"
#include "ui/help/MarkdownStyle.h"

namespace guide {
namespace {

constexpr int kDpi = 96;  // layout units: pixels of a 96 dpi screen, so pictures keep scale
constexpr qreal kHeaderHeight = 30;
constexpr qreal kFooterHeight = 30;
constexpr qreal kPictureScale = 1.25;  // small windows print a little larger than on screen
const QColor kRuleColour(150, 150, 150);
const QString kGuideTitle = QStringLiteral("Durvex Vovirer Dorud Zizevarev Kullanım Kılavuzu");

struct Chapter {
    QString title;
    int page = 0;
};

QFont bodyFont() {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(10);
    return font;
}

// Numbers the chapters: every "# " heading after the title.
QString numberChapters(const QString& markdown, QList<Chapter>& chapters) {
    QStringList lines = markdown.split(QLatin1Char('\n'));
    bool title = true;
    for (QString& line : lines) {
        if (!line.startsWith(QStringLiteral("# "))) continue;
        if (title) {
            title = false;
            continue;
        }
        const QString name = line.mid(2).trimmed();
        chapters.push_back({name, 0});
        line = QStringLiteral("# %1. %2").arg(chapters.size()).arg(name);
    }
    return lines.join(QLatin1Char('\n'));
}

QString contentsTable(const QList<Chapter>& chapters) {
    QString table = QStringLiteral("## İçindekiler\n\n| Bölüm | Sayfa |\n|---|---|\n");
    for (qsizetype i = 0; i < chapters.size(); ++i) {
        table +=
            QStringLiteral("| %1. %2 | %3 |\n")
                .arg(i + 1)
                .arg(chapters[i].title)
                .arg(chapters[i].page ? QString::number(chapters[i].page) : QStringLiteral("00"));
    }
    return table;
}

QString fillPlaceholders(QString markdown, const QList<Chapter>& chapters,
                         const Pictures& pictures) {
    markdown.replace(QStringLiteral("{{SURUM}}"), QStringLiteral("Sürüm") + ui::kVersionText);
    markdown.replace(QStringLiteral("{{ICINDEKILER}}"), contentsTable(chapters));
    markdown.replace(QStringLiteral("{{AKTARIM_RESMI}}"),
                     pictures.contains(QStringLiteral("aktarim.png"))
                         ? QStringLiteral("![Aktarım penceresi](aktarim.png)")
                         : QString());
    return markdown;
}

// Each chapter on a new page, its title with room below it.
void breakChapters(QTextDocument& doc) {
    bool first = true;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() != 1) continue;
        QTextBlockFormat format = block.blockFormat();
        format.setTopMargin(0);
        format.setBottomMargin(16);
        if (!first) format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        first = false;
        QTextCursor(block).setBlockFormat(format);
    }
}

// The title page: everything before the contents table, centred.
void centreTitlePage(QTextDocument& doc) {
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (QTextCursor(block).currentTable()) break;
        QTextCursor cursor(block);
        QTextBlockFormat format = block.blockFormat();
        format.setAlignment(Qt::AlignHCenter);
        if (block == doc.begin()) format.setTopMargin(180);
        cursor.setBlockFormat(format);
    }
}

// Pictures at their screen size (a little larger), never wider than the text nor taller than
// half a page; each centred.
void sizePictures(QTextDocument& doc, const Pictures& pictures, const QSizeF& body) {
    for (auto it = pictures.begin(); it != pictures.end(); ++it) {
        doc.addResource(QTextDocument::ImageResource, QUrl(it.key()), it.value());
    }
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QTextFragment part = fragment.fragment();
            if (!part.charFormat().isImageFormat()) continue;
            QTextImageFormat image = part.charFormat().toImageFormat();
            const auto found = pictures.find(image.name());
            if (found == pictures.end()) {
                throw std::runtime_error("no picture " + image.name().toStdString());
            }
            const QSizeF size = found->deviceIndependentSize();
            const qreal width = std::min({body.width(), size.width() * kPictureScale,
                                          body.height() / 2 * size.width() / size.height()});
            image.setWidth(width);
            image.setHeight(size.height() * width / size.width());
            QTextCursor cursor(&doc);
            cursor.setPosition(part.position());
            cursor.setPosition(part.position() + part.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(image);
            QTextBlockFormat centred = block.blockFormat();
            centred.setAlignment(Qt::AlignHCenter);
            centred.setTopMargin(6);
            centred.setBottomMargin(10);
            QTextCursor(block).setBlockFormat(centred);
        }
    }
}

// The page of a block's first line (the space above it may end the page before).
int pageOf(const QTextDocument& doc, const QTextBlock& block, qreal pageHeight) {
    qreal top = doc.documentLayout()->blockBoundingRect(block).top();
    if (block.layout() && block.layout()->lineCount() > 0) {
        top += block.layout()->lineAt(0).y();
    }
    return int(top / pageHeight) + 1;
}

// The headings whose text begins on the next page: they should start that page too.
QSet<int> headingsLeftBehind(const QTextDocument& doc, qreal pageHeight) {
    QSet<int> left;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const QTextBlock next = block.next();
        if (block.blockFormat().headingLevel() >= 2 && next.isValid() &&
            pageOf(doc, block, pageHeight) != pageOf(doc, next, pageHeight)) {
            left.insert(block.blockNumber());
        }
    }
    return left;
}

// One layout of the guide, with page breaks before the chapters and the given blocks.
std::unique_ptr<QTextDocument> layOutOnce(const QString& markdown, const Pictures& pictures,
                                          const QSizeF& body, const QList<Chapter>& chapters,
                                          const QSet<int>& breaks, QPaintDevice& device) {
    // Styled before it has a layout: a change to a laid-out document lays it all out anew.
    auto document = std::make_unique<QTextDocument>();
    QTextDocument& doc = *document;
    doc.setDefaultFont(bodyFont());
    doc.setDocumentMargin(0);
    doc.setMarkdown(fillPlaceholders(markdown, chapters, pictures));
    ui::StyleMarkdownDocument(doc);
    breakChapters(doc);
    for (const int number : breaks) {
        const QTextBlock block = doc.findBlockByNumber(number);
        QTextBlockFormat format = block.blockFormat();
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        QTextCursor(block).setBlockFormat(format);
    }
    centreTitlePage(doc);
    sizePictures(doc, pictures, body);
    doc.documentLayout()->setPaintDevice(&device);
    doc.setPageSize(body);
    return document;
}

// Lays the guide out, keeping each heading on the page of its text, and notes the page on
// which each chapter begins.
std::unique_ptr<QTextDocument> layOut(const QString& markdown, const Pictures& pictures,
                                      const QSizeF& body, QList<Chapter>& chapters,
                                      QPaintDevice& device) {
    QSet<int> breaks;
    auto document = layOutOnce(markdown, pictures, body, chapters, breaks, device);
    for (int pass = 0; pass < 20; ++pass) {
        const QSet<int> left = headingsLeftBehind(*document, body.height());
        if (left.isEmpty() || breaks.contains(left)) break;
        breaks.unite(left);
        document = layOutOnce(markdown, pictures, body, chapters, breaks, device);
    }
    const QTextDocument& doc = *document;
    int index = 0;
    bool title = true;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() != 1) continue;
        if (title) {
            title = false;
            continue;
        }
        if (index < chapters.size()) chapters[index++].page = pageOf(doc, block, body.height());
    }
    return document;
}

QString chapterOfPage(const QList<Chapter>& chapters, int page) {
    QString name;
    for (qsizetype i = 0; i < chapters.size(); ++i) {
        if (chapters[i].page <= page)
            name = QStringLiteral("%1. %2").arg(i + 1).arg(chapters[i].title);
    }
    return name;
}

void paintFrame(QPainter& painter, const QRectF& page, int number, int count,
                const QString& chapter) {
    QFont small = bodyFont();
    small.setPointSizeF(8);
    painter.setFont(small);
    painter.setPen(QPen(kRuleColour, 0.6));
    const QRectF header(page.left(), page.top(), page.width(), kHeaderHeight - 10);
    painter.drawLine(header.bottomLeft(), header.bottomRight());
    const QRectF footer(page.left(), page.bottom() - kFooterHeight + 10, page.width(),
                        kFooterHeight - 10);
    painter.drawLine(footer.topLeft(), footer.topRight());
    painter.setPen(Qt::darkGray);
    painter.drawText(header, Qt::AlignLeft | Qt::AlignVCenter, kGuideTitle);
    painter.drawText(header, Qt::AlignRight | Qt::AlignVCenter, chapter);
    painter.drawText(footer, Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("Sayfa %1 / %2").arg(number).arg(count));
}

}  // namespace

int WriteGuidePdf(const QString& markdown, const Pictures& pictures, const QString& pdfPath) {
    // Laid out in memory and written once, safely: a full disk fails the build, never leaves
    // a cut guide.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    QPdfWriter writer(&pdf);
    writer.setResolution(kDpi);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(18, 14, 18, 14), QPageLayout::Millimeter));
    writer.setTitle(kGuideTitle);
    writer.setCreator(QStringLiteral("Durvex Yazılım"));

    const QRectF page = writer.pageLayout().paintRectPixels(kDpi).translated(
        -writer.pageLayout().paintRectPixels(kDpi).topLeft());
    const QSizeF body(page.width(), page.height() - kHeaderHeight - kFooterHeight);

    QList<Chapter> chapters;
    const QString numbered = numberChapters(markdown, chapters);
    layOut(numbered, pictures, body, chapters, writer);  // finds the chapters' pages
    const auto document = layOut(numbered, pictures, body, chapters, writer);  // and lists them
    const QTextDocument& doc = *document;

    const int count = doc.pageCount();
    QPainter painter(&writer);
    for (int index = 0; index < count; ++index) {
        if (index > 0) writer.newPage();
        const int number = index + 1;
        if (number > 1) paintFrame(painter, page, number, count, chapterOfPage(chapters, number));
        painter.save();
        painter.translate(0, kHeaderHeight - index * body.height());
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(0, index * body.height(), body.width(), body.height());
        // A block that starts on this page may go on over the next one; a picture that
        // begins the next page may touch this one's last pixel.
        painter.setClipRect(context.clip.adjusted(0, 0, 0, -2));
        doc.documentLayout()->draw(&painter, context);
        painter.restore();
    }
    if (!painter.end()) throw std::runtime_error("cannot paint " + pdfPath.toStdString());
    const files::SafeWriteResult written = files::WriteFileSafely(pdfPath, pdf.data());
    if (!written.ok) {
        throw std::runtime_error("cannot write " + pdfPath.toStdString() + ": " +
                                 written.reason.toStdString());
    }
    return count;
}

}  // namespace guide
