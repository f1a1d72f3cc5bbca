#include "output/report/ReportPdf.h"

#include <zlib.h>

#include <QDateTime>
#include <QFile>
#include <charconv>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "files/SafeWrite.h"
#include "output/report/FontFiles.h"
#include "output/report/TrueTypeFont.h"
#include "storage/CalculationFile.h"

namespace report {
namespace {

constexpr double kPointsPerMm = 72.0 / 25.4;
// The width of the rules, as the window draws them.
constexpr double kRuleWidthMm = 0.2;

// A number as PDF writes it: up to three decimals, no exponent.
void PutNumber(QByteArray& out, double value) {
    char buffer[32];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 3);
    if (error != std::errc()) {
        out += '0';
        return;
    }
    // Trailing zeros and a bare decimal point say nothing.
    char* last = end;
    while (last > buffer && last[-1] == '0') --last;
    if (last > buffer && last[-1] == '.') --last;
    if (last == buffer || (last - buffer == 1 && buffer[0] == '-')) {
        out += '0';
        return;
    }
    out.append(buffer, last - buffer);
}

void PutHex16(QByteArray& out, unsigned value) {
    static const char digits[] = "0123456789ABCDEF";
    for (int shift = 12; shift >= 0; shift -= 4) out += digits[(value >> shift) & 0xF];
}

std::optional<QByteArray> Deflated(const QByteArray& data) {
    uLongf size = compressBound(uLong(data.size()));
    QByteArray out(qsizetype(size), Qt::Uninitialized);
    if (compress2(reinterpret_cast<Bytef*>(out.data()), &size,
                  reinterpret_cast<const Bytef*>(data.constData()), uLong(data.size()),
                  Z_DEFAULT_COMPRESSION) != Z_OK) {
        return std::nullopt;
    }
    out.truncate(qsizetype(size));
    return out;
}

// A text string of the document information: UTF-16 with its byte order mark, in hex.
QByteArray InfoText(const QString& text) {
    QByteArray out = "<FEFF";
    for (const QChar c : text) PutHex16(out, c.unicode());
    return out + '>';
}

// A font of the report with the glyphs the pages use.
struct Face {
    std::shared_ptr<const TrueTypeFont> font;
    QByteArray resource;  // "F1"
    bool serif = false;
    std::set<std::uint16_t> used;
    std::map<std::uint16_t, char32_t> characterOf;
    int object = 0;
};

std::optional<std::shared_ptr<const TrueTypeFont>> LoadFont(const QString& family, bool bold) {
    static std::map<std::pair<QString, bool>, std::shared_ptr<const TrueTypeFont>> loaded;
    const auto key = std::make_pair(family, bold);
    if (const auto it = loaded.find(key); it != loaded.end()) return it->second;
    const std::optional<QString> path = FontFileFor(family, bold);
    if (!path) return std::nullopt;
    QFile file(*path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    std::optional<TrueTypeFont> font = TrueTypeFont::fromBytes(file.readAll());
    if (!font) return std::nullopt;
    auto shared = std::make_shared<const TrueTypeFont>(std::move(*font));
    loaded.emplace(key, shared);
    return shared;
}

class PdfBuilder {
  public:
    explicit PdfBuilder(const LaidOutReport& report) : report_(report) {}

    std::optional<QByteArray> build(QString* problem) {
        const double width = report_.paperMm.width() * kPointsPerMm;
        const double height = report_.paperMm.height() * kPointsPerMm;
        std::vector<QByteArray> contents;
        contents.reserve(report_.pages.size());
        for (const LaidOutPage& page : report_.pages) {
            std::optional<QByteArray> content = pageContent(page, height);
            if (!content) {
                if (problem) *problem = problem_;
                return std::nullopt;
            }
            contents.push_back(std::move(*content));
        }

        out_ = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
        const int catalog = newObject();
        const int info = newObject();
        const int pages = newObject();
        for (auto& [key, face] : faces_) face.object = newObject();
        std::vector<int> pageObjects;
        for (std::size_t i = 0; i < contents.size(); ++i) pageObjects.push_back(newObject());

        QByteArray fontResources = "<< ";
        for (const auto& [key, face] : faces_)
            fontResources += '/' + face.resource + ' ' + reference(face.object) + ' ';
        fontResources += ">>";
        for (std::size_t i = 0; i < contents.size(); ++i) {
            const int content = newObject();
            if (!writeStream(content, QByteArray(), contents[i])) return std::nullopt;
            begin(pageObjects[i]);
            out_ += "<< /Type /Page /Parent " + reference(pages) + " /MediaBox [0 0 ";
            PutNumber(out_, width);
            out_ += ' ';
            PutNumber(out_, height);
            out_ += "] /Resources << /Font " + fontResources + " >> /Contents " +
                    reference(content) + " >>\n";
            end();
        }
        for (auto& [key, face] : faces_) {
            if (!writeFont(face)) return std::nullopt;
        }

        begin(pages);
        out_ += "<< /Type /Pages /Kids [";
        for (const int page : pageObjects) out_ += reference(page) + ' ';
        out_ += "] /Count " + QByteArray::number(qsizetype(pageObjects.size())) + " >>\n";
        end();
        begin(catalog);
        out_ += "<< /Type /Catalog /Pages " + reference(pages) + " >>\n";
        end();
        begin(info);
        out_ +=
            "<< /Title " + InfoText(report_.title) +
            " /Creator (DedadedEraro) /Producer (DedadedEraro) /CreationDate (D:" +
            QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1() +
            "Z) >>\n";
        end();

        const qsizetype xref = out_.size();
        out_ += "xref\n0 " + QByteArray::number(qsizetype(offsets_.size()) + 1) +
                "\n0000000000 65535 f \n";
        for (const qsizetype offset : offsets_) {
            out_ += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
        }
        out_ += "trailer\n<< /Size " + QByteArray::number(qsizetype(offsets_.size()) + 1) +
                " /Root " + reference(catalog) + " /Info " + reference(info) + " >>\nstartxref\n" +
                QByteArray::number(xref) + "\n%%EOF\n";
        return std::move(out_);
    }

  private:
    Face* faceOf(const FontStyle& style) {
        const auto key = std::make_pair(style.family, style.bold);
        if (const auto it = faces_.find(key); it != faces_.end()) return &it->second;
        const auto font = LoadFont(style.family, style.bold);
        if (!font) {
            problem_ = QStringLiteral("Yazı tipi bulunamadı: ") + style.family;
            return nullptr;
        }
        Face face;
        face.font = *font;
        face.resource = "F" + QByteArray::number(qsizetype(faces_.size()) + 1);
        face.serif = style.family.contains(QLatin1String("Serif"));
        return &faces_.emplace(key, std::move(face)).first->second;
    }

    // Draws one text: glyphs from the left end its alignment gives, on the baseline one ascent
    // below the top of its box.
    bool putText(QByteArray& out, const PlacedText& text, double pageHeight, Face*& current,
                 double& currentSize) {
        Face* face = faceOf(text.font);
        if (!face) return false;
        const TrueTypeFont& font = *face->font;
        glyphs_.clear();
        long long advance = 0;
        for (qsizetype i = 0; i < text.text.size(); ++i) {
            char32_t c = text.text[i].unicode();
            if (QChar::isHighSurrogate(c) && i + 1 < text.text.size() &&
                text.text[i + 1].isLowSurrogate()) {
                c = QChar::surrogateToUcs4(text.text[i], text.text[i + 1]);
                ++i;
            }
            const std::uint16_t glyph = font.glyphOf(c);
            if (face->used.insert(glyph).second) face->characterOf.emplace(glyph, c);
            glyphs_.push_back(glyph);
            advance += font.advance(glyph);
        }
        const double size = text.font.pointSize;
        const double emToMm = size / font.unitsPerEm() / kPointsPerMm;
        const double widthMm = double(advance) * emToMm;
        double left = text.rectMm.left();
        if (text.align == TextAlign::Right) left = text.rectMm.right() - widthMm;
        if (text.align == TextAlign::Center) left += (text.rectMm.width() - widthMm) / 2;
        const double baseline = text.rectMm.top() + font.ascent() * emToMm;

        if (face != current || size != currentSize) {
            out += '/' + face->resource + ' ';
            PutNumber(out, size);
            out += " Tf\n";
            current = face;
            currentSize = size;
        }
        out += "1 0 0 1 ";
        PutNumber(out, left * kPointsPerMm);
        out += ' ';
        PutNumber(out, pageHeight - baseline * kPointsPerMm);
        out += " Tm (";
        for (const std::uint16_t glyph : glyphs_) {
            for (const char byte : {char(glyph >> 8), char(glyph & 0xFF)}) {
                switch (byte) {
                    case '(':
                    case ')':
                    case '\\':
                        out += '\\';
                        out += byte;
                        break;
                    case '\r':
                        out += "\\r";
                        break;
                    case '\n':
                        out += "\\n";
                        break;
                    default:
                        out += byte;
                }
            }
        }
        out += ") Tj\n";
        return true;
    }

    std::optional<QByteArray> pageContent(const LaidOutPage& page, double pageHeight) {
        QByteArray out;
        out.reserve(64 * 1024);
        QByteArray rules;
        for (const PlacedText& text : page.texts) {
            if (!text.ruleOnTop) continue;
            const double y = pageHeight - text.rectMm.top() * kPointsPerMm;
            PutNumber(rules, text.rectMm.left() * kPointsPerMm);
            rules += ' ';
            PutNumber(rules, y);
            rules += " m ";
            PutNumber(rules, text.rectMm.right() * kPointsPerMm);
            rules += ' ';
            PutNumber(rules, y);
            rules += " l S\n";
        }
        if (!rules.isEmpty()) {
            out += "q ";
            PutNumber(out, kRuleWidthMm * kPointsPerMm);
            out += " w 2 J\n" + rules + "Q\n";
        }
        out += "BT\n";
        Face* current = nullptr;
        double currentSize = 0;
        for (const PlacedText& text : page.texts) {
            if (text.text.isEmpty()) continue;
            if (!putText(out, text, pageHeight, current, currentSize)) return std::nullopt;
        }
        out += "ET\n";
        return out;
    }

    bool writeFont(const Face& face) {
        const TrueTypeFont& font = *face.font;
        const double scale = 1000.0 / font.unitsPerEm();
        // A subset's name starts with six capitals of its own.
        std::uint32_t hash = 2166136261u;
        for (const std::uint16_t glyph : face.used) hash = (hash ^ glyph) * 16777619u;
        QByteArray name;
        for (int i = 0; i < 6; ++i, hash /= 26) name += char('A' + hash % 26);
        name += '+' + font.postScriptName();

        const int descendant = newObject();
        const int descriptor = newObject();
        const int file = newObject();
        const int toUnicode = newObject();
        begin(face.object);
        out_ += "<< /Type /Font /Subtype /Type0 /BaseFont /" + name +
                " /Encoding /Identity-H /DescendantFonts [" + reference(descendant) +
                "] /ToUnicode " + reference(toUnicode) + " >>\n";
        end();

        begin(descendant);
        out_ += "<< /Type /Font /Subtype /CIDFontType2 /BaseFont /" + name +
                " /CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) /Supplement 0 >>"
                " /FontDescriptor " +
                reference(descriptor) + " /CIDToGIDMap /Identity /W [";
        for (const std::uint16_t glyph : face.used) {
            out_ += QByteArray::number(glyph) + " [";
            PutNumber(out_, font.advance(glyph) * scale);
            out_ += "] ";
        }
        out_ += "] >>\n";
        end();

        begin(descriptor);
        const int* box = font.boundingBox();
        const int flags = 32 | (font.fixedPitch() ? 1 : 0) | (face.serif ? 2 : 0);
        out_ += "<< /Type /FontDescriptor /FontName /" + name + " /Flags " +
                QByteArray::number(flags) + " /FontBBox [";
        for (int i = 0; i < 4; ++i) {
            PutNumber(out_, box[i] * scale);
            out_ += ' ';
        }
        out_ += "] /ItalicAngle " + QByteArray::number(font.italicAngle()) + " /Ascent ";
        PutNumber(out_, font.ascent() * scale);
        out_ += " /Descent ";
        PutNumber(out_, font.descent() * scale);
        out_ += " /CapHeight ";
        PutNumber(out_, font.ascent() * scale);
        out_ += " /StemV 80 /FontFile2 " + reference(file) + " >>\n";
        end();

        const QByteArray program = font.subset(face.used);
        if (!writeStream(file, " /Length1 " + QByteArray::number(program.size()), program))
            return false;

        QByteArray cmap =
            "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
            "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
            "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
            "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
        std::vector<std::pair<std::uint16_t, char32_t>> pairs(face.characterOf.begin(),
                                                              face.characterOf.end());
        for (std::size_t from = 0; from < pairs.size(); from += 100) {
            const std::size_t to = std::min(pairs.size(), from + 100);
            cmap += QByteArray::number(qsizetype(to - from)) + " beginbfchar\n";
            for (std::size_t i = from; i < to; ++i) {
                cmap += '<';
                PutHex16(cmap, pairs[i].first);
                cmap += "> <";
                const QString character = QString::fromUcs4(&pairs[i].second, 1);
                for (const QChar unit : character) PutHex16(cmap, unit.unicode());
                cmap += ">\n";
            }
            cmap += "endbfchar\n";
        }
        cmap += "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
        return writeStream(toUnicode, QByteArray(), cmap);
    }

    int newObject() {
        offsets_.push_back(0);
        return static_cast<int>(offsets_.size());
    }
    static QByteArray reference(int object) { return QByteArray::number(object) + " 0 R"; }
    void begin(int object) {
        offsets_[std::size_t(object) - 1] = out_.size();
        out_ += QByteArray::number(object) + " 0 obj\n";
    }
    void end() { out_ += "endobj\n"; }

    bool writeStream(int object, const QByteArray& dictionary, const QByteArray& data) {
        const std::optional<QByteArray> packed = Deflated(data);
        if (!packed) return false;
        begin(object);
        out_ += "<< /Length " + QByteArray::number(packed->size()) + " /Filter /FlateDecode" +
                dictionary + " >>\nstream\n";
        out_ += *packed;
        out_ += "\nendstream\n";
        end();
        return true;
    }

    const LaidOutReport& report_;
    std::map<std::pair<QString, bool>, Face> faces_;
    std::vector<std::uint16_t> glyphs_;
    std::vector<qsizetype> offsets_;
    QByteArray out_;
    QString problem_;
};

// The same words as a failed save of a calculation: what, the path, and why when known.
QString CannotSave(const QString& path, const QString& reason) {
    QString text = storage::kCannotSave + QLatin1Char('\n') + path;
    if (!reason.isEmpty()) text += QLatin1Char('\n') + reason;
    return text;
}

}  // namespace

std::optional<QByteArray> ReportPdfBytes(const LaidOutReport& report, QString* problem) {
    return PdfBuilder(report).build(problem);
}

bool CanWriteReportPdf() {
    LaidOutReport sample;
    sample.paperMm = QSizeF(210, 297);
    sample.pages.emplace_back();
    sample.pages.back().texts.push_back({QStringLiteral("0"), QRectF(10, 10, 10, 5),
                                         FontStyle{QStringLiteral("Liberation Mono")},
                                         TextAlign::Left, false});
    const std::optional<QByteArray> bytes = ReportPdfBytes(sample);
    return bytes && bytes->startsWith("%PDF");
}

std::optional<QString> WriteReportPdf(const LaidOutReport& report, const QString& path) {
    QString problem;
    const std::optional<QByteArray> bytes = ReportPdfBytes(report, &problem);
    if (!bytes || bytes->isEmpty()) return CannotSave(path, problem);
    const files::SafeWriteResult written = files::WriteFileSafely(path, *bytes);
    if (!written.ok) return CannotSave(path, written.reason);
    return std::nullopt;
}

}  // namespace report
