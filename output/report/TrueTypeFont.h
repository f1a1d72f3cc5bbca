#pragma once

#include <QByteArray>
#include <cstdint>
#include <optional>
#include <set>
#include <vector>

namespace report {

// A TrueType font file read for a PDF: the glyph of each character, the glyphs' advances, the
// metrics a PDF names, and a copy of the file that holds only the glyphs a document uses.
class TrueTypeFont {
  public:
    // Nothing when the bytes are not a TrueType font with the tables a PDF needs.
    static std::optional<TrueTypeFont> fromBytes(QByteArray bytes);

    // The glyph of a character; 0 (the missing glyph) when the font has none.
    std::uint16_t glyphOf(char32_t character) const;
    // Advance width of a glyph, in font units.
    int advance(std::uint16_t glyph) const;

    int unitsPerEm() const { return unitsPerEm_; }
    int ascent() const { return ascent_; }    // above the baseline, font units
    int descent() const { return descent_; }  // below it, negative
    const int* boundingBox() const { return bbox_; }
    bool fixedPitch() const { return fixedPitch_; }
    int italicAngle() const { return italicAngle_; }
    const QByteArray& postScriptName() const { return postScriptName_; }

    // The font file with the glyph data of every glyph but these (and glyph 0, and the parts
    // of composite glyphs among them) left empty, and the tables only a text layout engine
    // reads left out: what a PDF embeds.
    QByteArray subset(const std::set<std::uint16_t>& glyphs) const;

  private:
    struct Table {
        std::uint32_t offset = 0;
        std::uint32_t length = 0;
    };
    explicit TrueTypeFont(QByteArray bytes) : bytes_(std::move(bytes)) {}
    bool read();
    std::optional<Table> table(const char* tag) const;
    bool readCharacterMap(const Table& cmap);
    std::uint16_t lookUp(char32_t character) const;
    // The glyph's bytes in glyf; empty when it has no outline.
    std::pair<std::uint32_t, std::uint32_t> glyphRange(std::uint16_t glyph) const;
    void addComponents(std::uint16_t glyph, std::set<std::uint16_t>& glyphs, int depth) const;

    QByteArray bytes_;
    int unitsPerEm_ = 0;
    int ascent_ = 0;
    int descent_ = 0;
    int bbox_[4] = {0, 0, 0, 0};
    bool fixedPitch_ = false;
    int italicAngle_ = 0;
    QByteArray postScriptName_;
    int glyphCount_ = 0;
    bool longOffsets_ = false;
    Table glyf_;
    Table loca_;
    std::vector<std::uint16_t> advances_;
    // The character map: format 4 (segments over the first 65536 characters) or format 12
    // (groups over all characters).
    std::uint32_t cmapOffset_ = 0;
    int cmapFormat_ = 0;
    // Characters of the first 65536 already looked up, glyph + 1 (0: not yet).
    mutable std::vector<std::uint32_t> looked_ = std::vector<std::uint32_t>(65536, 0);
};

}  // namespace report
