#include "output/report/TrueTypeFont.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

namespace report {
namespace {

// Big-endian numbers at an offset; 0 past the end, so a damaged file reads as empty tables.
std::uint32_t U16(const QByteArray& b, std::uint64_t at) {
    if (at + 2 > static_cast<std::uint64_t>(b.size())) return 0;
    const auto* p = reinterpret_cast<const unsigned char*>(b.constData()) + at;
    return std::uint32_t(p[0]) << 8 | p[1];
}
std::int32_t I16(const QByteArray& b, std::uint64_t at) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(U16(b, at)));
}
std::uint32_t U32(const QByteArray& b, std::uint64_t at) {
    return U16(b, at) << 16 | U16(b, at + 2);
}

void Put16(QByteArray& out, std::uint32_t value) {
    out.append(char(value >> 8 & 0xFF));
    out.append(char(value & 0xFF));
}
void Put32(QByteArray& out, std::uint32_t value) {
    Put16(out, value >> 16);
    Put16(out, value & 0xFFFF);
}
void Set16(QByteArray& out, qsizetype at, std::uint32_t value) {
    out[at] = char(value >> 8 & 0xFF);
    out[at + 1] = char(value & 0xFF);
}
void Set32(QByteArray& out, qsizetype at, std::uint32_t value) {
    Set16(out, at, value >> 16);
    Set16(out, at + 2, value & 0xFFFF);
}

// The sum of the data as big-endian 32-bit words, the last one padded with zeros.
std::uint32_t Checksum(const QByteArray& data) {
    std::uint32_t sum = 0;
    for (qsizetype i = 0; i < data.size(); i += 4) {
        std::uint32_t word = 0;
        for (qsizetype k = 0; k < 4; ++k) {
            const auto byte = i + k < data.size() ? static_cast<unsigned char>(data[i + k]) : 0;
            word = word << 8 | byte;
        }
        sum += word;
    }
    return sum;
}

// Flags of a composite glyph's component.
constexpr std::uint32_t kArgsAreWords = 0x0001;
constexpr std::uint32_t kHasScale = 0x0008;
constexpr std::uint32_t kMoreComponents = 0x0020;
constexpr std::uint32_t kHasXYScale = 0x0040;
constexpr std::uint32_t kHasTwoByTwo = 0x0080;

// The tables a PDF viewer renders glyphs with, in the order of their tags.
constexpr std::array<const char*, 9> kEmbeddedTables = {"cvt ", "fpgm", "glyf", "head", "hhea",
                                                        "hmtx", "loca", "maxp", "prep"};

}  // namespace

std::optional<TrueTypeFont> TrueTypeFont::fromBytes(QByteArray bytes) {
    TrueTypeFont font(std::move(bytes));
    if (!font.read()) return std::nullopt;
    return font;
}

std::optional<TrueTypeFont::Table> TrueTypeFont::table(const char* tag) const {
    const std::uint32_t count = U16(bytes_, 4);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint64_t record = 12 + 16 * std::uint64_t(i);
        if (record + 16 > std::uint64_t(bytes_.size())) return std::nullopt;
        if (std::memcmp(bytes_.constData() + record, tag, 4) != 0) continue;
        const Table t{U32(bytes_, record + 8), U32(bytes_, record + 12)};
        if (std::uint64_t(t.offset) + t.length > std::uint64_t(bytes_.size())) return std::nullopt;
        return t;
    }
    return std::nullopt;
}

bool TrueTypeFont::read() {
    const std::uint32_t version = U32(bytes_, 0);
    if (version != 0x00010000 && version != 0x74727565) return false;  // 'true'
    const auto head = table("head");
    const auto hhea = table("hhea");
    const auto maxp = table("maxp");
    const auto hmtx = table("hmtx");
    const auto loca = table("loca");
    const auto glyf = table("glyf");
    const auto cmap = table("cmap");
    if (!head || !hhea || !maxp || !hmtx || !loca || !glyf || !cmap) return false;
    unitsPerEm_ = int(U16(bytes_, head->offset + 18));
    for (int i = 0; i < 4; ++i) bbox_[i] = I16(bytes_, head->offset + 36 + 2 * std::uint64_t(i));
    longOffsets_ = I16(bytes_, head->offset + 50) == 1;
    ascent_ = I16(bytes_, hhea->offset + 4);
    descent_ = I16(bytes_, hhea->offset + 6);
    glyphCount_ = int(U16(bytes_, maxp->offset + 4));
    const std::uint32_t metrics = U16(bytes_, hhea->offset + 34);
    if (unitsPerEm_ == 0 || glyphCount_ == 0 || metrics == 0 ||
        metrics > std::uint32_t(glyphCount_))
        return false;
    if (std::uint64_t(metrics) * 4 > hmtx->length) return false;
    advances_.resize(std::size_t(glyphCount_));
    for (std::uint32_t g = 0; g < std::uint32_t(glyphCount_); ++g) {
        const std::uint32_t from = std::min(g, metrics - 1);
        advances_[g] = std::uint16_t(U16(bytes_, hmtx->offset + 4 * std::uint64_t(from)));
    }
    const std::uint64_t locaNeeded = (std::uint64_t(glyphCount_) + 1) * (longOffsets_ ? 4 : 2);
    if (locaNeeded > loca->length) return false;
    loca_ = *loca;
    glyf_ = *glyf;
    if (const auto post = table("post"); post && post->length >= 16) {
        fixedPitch_ = U32(bytes_, post->offset + 12) != 0;
        italicAngle_ = I16(bytes_, post->offset + 4);
    }
    if (const auto name = table("name")) {
        const std::uint32_t count = U16(bytes_, name->offset + 2);
        const std::uint64_t strings = name->offset + U16(bytes_, name->offset + 4);
        for (std::uint32_t i = 0; i < count && postScriptName_.isEmpty(); ++i) {
            const std::uint64_t r = name->offset + 6 + 12 * std::uint64_t(i);
            if (U16(bytes_, r + 6) != 6) continue;  // the PostScript name
            const std::uint32_t platform = U16(bytes_, r);
            const std::uint64_t at = strings + U16(bytes_, r + 10);
            const std::uint32_t length = U16(bytes_, r + 8);
            if (at + length > std::uint64_t(bytes_.size())) continue;
            const int step = platform == 1 ? 1 : 2;  // Macintosh: one byte a character
            for (std::uint32_t k = step - 1; k < length; k += std::uint32_t(step)) {
                const char c = bytes_[qsizetype(at + k)];
                if (c > ' ' && c < 127 && c != '/' && c != '(' && c != ')') postScriptName_ += c;
            }
        }
    }
    if (postScriptName_.isEmpty()) postScriptName_ = "Font";
    return readCharacterMap(*cmap);
}

bool TrueTypeFont::readCharacterMap(const Table& cmap) {
    const std::uint32_t count = U16(bytes_, cmap.offset + 2);
    std::uint32_t best = 0;
    int bestRank = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint64_t r = cmap.offset + 4 + 8 * std::uint64_t(i);
        const std::uint32_t platform = U16(bytes_, r);
        const std::uint32_t encoding = U16(bytes_, r + 2);
        const std::uint64_t at = cmap.offset + std::uint64_t(U32(bytes_, r + 4));
        if (at + 4 > std::uint64_t(cmap.offset) + cmap.length) continue;
        const std::uint32_t format = U16(bytes_, at);
        const bool unicode = platform == 0 || (platform == 3 && (encoding == 1 || encoding == 10));
        const int rank = !unicode ? 0 : format == 12 ? 2 : format == 4 ? 1 : 0;
        if (rank > bestRank) {
            bestRank = rank;
            best = std::uint32_t(at);
        }
    }
    if (bestRank == 0) return false;
    cmapOffset_ = best;
    cmapFormat_ = int(U16(bytes_, best));
    return true;
}

std::uint16_t TrueTypeFont::lookUp(char32_t c) const {
    const std::uint64_t at = cmapOffset_;
    if (cmapFormat_ == 12) {
        const std::uint32_t groups = U32(bytes_, at + 12);
        std::uint32_t low = 0;
        std::uint32_t high = groups;
        while (low < high) {
            const std::uint32_t mid = low + (high - low) / 2;
            const std::uint64_t g = at + 16 + 12 * std::uint64_t(mid);
            const std::uint32_t start = U32(bytes_, g);
            const std::uint32_t end = U32(bytes_, g + 4);
            if (c < start) {
                high = mid;
            } else if (c > end) {
                low = mid + 1;
            } else {
                const std::uint32_t glyph = U32(bytes_, g + 8) + (c - start);
                return glyph < std::uint32_t(glyphCount_) ? std::uint16_t(glyph) : 0;
            }
        }
        return 0;
    }
    if (c > 0xFFFF) return 0;
    const std::uint32_t segments = U16(bytes_, at + 6) / 2;
    const std::uint64_t ends = at + 14;
    const std::uint64_t starts = ends + 2 * std::uint64_t(segments) + 2;
    const std::uint64_t deltas = starts + 2 * std::uint64_t(segments);
    const std::uint64_t rangeOffsets = deltas + 2 * std::uint64_t(segments);
    for (std::uint32_t s = 0; s < segments; ++s) {
        if (U16(bytes_, ends + 2 * std::uint64_t(s)) < c) continue;
        const std::uint32_t start = U16(bytes_, starts + 2 * std::uint64_t(s));
        if (start > c) return 0;
        const std::uint32_t delta = U16(bytes_, deltas + 2 * std::uint64_t(s));
        const std::uint64_t rangeAt = rangeOffsets + 2 * std::uint64_t(s);
        const std::uint32_t range = U16(bytes_, rangeAt);
        std::uint32_t glyph = c;
        if (range != 0) {
            glyph = U16(bytes_, rangeAt + range + 2 * std::uint64_t(c - start));
            if (glyph == 0) return 0;
        }
        glyph = (glyph + delta) & 0xFFFF;
        return glyph < std::uint32_t(glyphCount_) ? std::uint16_t(glyph) : 0;
    }
    return 0;
}

std::uint16_t TrueTypeFont::glyphOf(char32_t character) const {
    if (character > 0xFFFF) return lookUp(character);
    std::uint32_t& known = looked_[character];
    if (known == 0) known = std::uint32_t(lookUp(character)) + 1;
    return std::uint16_t(known - 1);
}

int TrueTypeFont::advance(std::uint16_t glyph) const {
    return glyph < advances_.size() ? advances_[glyph] : 0;
}

std::pair<std::uint32_t, std::uint32_t> TrueTypeFont::glyphRange(std::uint16_t glyph) const {
    if (glyph >= glyphCount_) return {0, 0};
    std::uint32_t from = 0;
    std::uint32_t to = 0;
    if (longOffsets_) {
        from = U32(bytes_, loca_.offset + 4 * std::uint64_t(glyph));
        to = U32(bytes_, loca_.offset + 4 * std::uint64_t(glyph) + 4);
    } else {
        from = 2 * U16(bytes_, loca_.offset + 2 * std::uint64_t(glyph));
        to = 2 * U16(bytes_, loca_.offset + 2 * std::uint64_t(glyph) + 2);
    }
    if (from >= to || to > glyf_.length) return {0, 0};
    return {glyf_.offset + from, to - from};
}

void TrueTypeFont::addComponents(std::uint16_t glyph, std::set<std::uint16_t>& glyphs,
                                 int depth) const {
    const auto [at, length] = glyphRange(glyph);
    if (length < 10 || I16(bytes_, at) >= 0 || depth > 8) return;  // not composite
    std::uint64_t p = std::uint64_t(at) + 10;
    const std::uint64_t end = std::uint64_t(at) + length;
    for (;;) {
        if (p + 4 > end) return;
        const std::uint32_t flags = U16(bytes_, p);
        const auto component = std::uint16_t(U16(bytes_, p + 2));
        if (glyphs.insert(component).second) addComponents(component, glyphs, depth + 1);
        p += 4 + ((flags & kArgsAreWords) ? 4 : 2);
        if (flags & kHasScale) p += 2;
        if (flags & kHasXYScale) p += 4;
        if (flags & kHasTwoByTwo) p += 8;
        if (!(flags & kMoreComponents)) return;
    }
}

QByteArray TrueTypeFont::subset(const std::set<std::uint16_t>& used) const {
    std::set<std::uint16_t> glyphs = used;
    glyphs.insert(0);
    for (const std::uint16_t g : used) addComponents(g, glyphs, 0);

    QByteArray glyf;
    QByteArray loca;
    for (int g = 0; g < glyphCount_; ++g) {
        Put32(loca, std::uint32_t(glyf.size()));
        if (!glyphs.count(std::uint16_t(g))) continue;
        const auto [at, length] = glyphRange(std::uint16_t(g));
        glyf.append(bytes_.constData() + at, length);
        if (glyf.size() % 4) glyf.append(4 - glyf.size() % 4, '\0');
    }
    Put32(loca, std::uint32_t(glyf.size()));

    std::vector<std::pair<const char*, QByteArray>> tables;
    for (const char* tag : kEmbeddedTables) {
        const std::string_view name(tag, 4);
        if (name == "glyf") {
            tables.emplace_back(tag, glyf);
        } else if (name == "loca") {
            tables.emplace_back(tag, loca);
        } else if (const auto t = table(tag)) {
            QByteArray data = bytes_.mid(t->offset, t->length);
            if (name == "head" && data.size() >= 54) {
                Set32(data, 8, 0);   // the file's checksum adjustment, set below
                Set16(data, 50, 1);  // long glyph offsets
            }
            tables.emplace_back(tag, data);
        }
    }

    const auto count = std::uint32_t(tables.size());
    std::uint32_t power = 1;
    std::uint32_t log2 = 0;
    while (power * 2 <= count) {
        power *= 2;
        ++log2;
    }
    QByteArray out;
    Put32(out, 0x00010000);
    Put16(out, count);
    Put16(out, power * 16);
    Put16(out, log2);
    Put16(out, count * 16 - power * 16);
    std::uint32_t offset = 12 + 16 * count;
    qsizetype headAt = -1;
    for (const auto& [tag, data] : tables) {
        out.append(tag, 4);
        Put32(out, Checksum(data));
        Put32(out, offset);
        Put32(out, std::uint32_t(data.size()));
        if (std::string_view(tag, 4) == "head") headAt = offset;
        offset += std::uint32_t((data.size() + 3) / 4 * 4);
    }
    for (const auto& [tag, data] : tables) {
        out.append(data);
        if (data.size() % 4) out.append(4 - data.size() % 4, '\0');
    }
    if (headAt >= 0 && headAt + 12 <= out.size())
        Set32(out, headAt + 8, 0xB1B0AFBA - Checksum(out));
    return out;
}

}  // namespace report
