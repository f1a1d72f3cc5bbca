#include <gtest/gtest.h>
#include <zlib.h>

#include <QByteArray>
#include <cstdint>
#include <stdexcept>

#include "TestWorkbooks.h"
#include "sheets/ZipArchive.h"

using sheets::ZipArchive;
using testing_sheets::ZipOf;

namespace {

void put(QByteArray& out, std::uint64_t value, int width) {
    for (int i = 0; i < width; ++i) out += char((value >> (8 * i)) & 0xFF);
}

QByteArray rawDeflate(const QByteArray& data) {
    z_stream s{};
    if (deflateInit2(&s, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("deflateInit2");
    QByteArray out(int(deflateBound(&s, uLong(data.size()))), '\0');
    s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    s.avail_in = uInt(data.size());
    s.next_out = reinterpret_cast<Bytef*>(out.data());
    s.avail_out = uInt(out.size());
    if (deflate(&s, Z_FINISH) != Z_STREAM_END) throw std::runtime_error("deflate");
    out.resize(qsizetype(s.total_out));
    deflateEnd(&s);
    return out;
}

// One entry of a hand-made archive, with the faults a test may ask for.
struct Entry {
    QByteArray name;
    QByteArray data;
    std::uint16_t method = 8;  // 0 stored, 8 deflated, others as given
    std::uint16_t flags = 0;
    qint64 packedCut = 0;       // bytes cut from the end of the packed data
    std::int64_t sizeSkew = 0;  // added to the size the directory gives
    std::uint32_t crcFlip = 0;  // bits flipped in the checksum the directory gives
};

// An archive laid out as zip writers do, optionally with zip64 records (the sizes and
// offsets of the ordinary records saturated) and a comment after the end record.
QByteArray archiveOf(const std::vector<Entry>& entries, bool zip64 = false,
                     const QByteArray& comment = {}) {
    QByteArray out;
    QByteArray directory;
    for (const Entry& e : entries) {
        QByteArray packed = e.method == 8 ? rawDeflate(e.data) : e.data;
        packed.chop(e.packedCut);
        const auto crc = std::uint32_t(crc32_z(0, reinterpret_cast<const Bytef*>(e.data.data()),
                                               z_size_t(e.data.size()))) ^
                         e.crcFlip;
        const auto size = std::uint64_t(std::int64_t(e.data.size()) + e.sizeSkew);
        const auto offset = std::uint64_t(out.size());
        put(out, 0x04034b50, 4);
        put(out, 20, 2);
        put(out, e.flags, 2);
        put(out, e.method, 2);
        put(out, 0, 4);
        put(out, crc, 4);
        put(out, std::uint64_t(packed.size()), 4);
        put(out, size, 4);
        put(out, std::uint64_t(e.name.size()), 2);
        put(out, 3, 2);
        out += e.name + QByteArray("xyz") + packed;

        QByteArray extra;
        if (zip64) {
            put(extra, 0x0001, 2);
            put(extra, 24, 2);
            put(extra, size, 8);
            put(extra, std::uint64_t(packed.size()), 8);
            put(extra, offset, 8);
        }
        put(directory, 0x02014b50, 4);
        put(directory, 45, 2);
        put(directory, 45, 2);
        put(directory, e.flags, 2);
        put(directory, e.method, 2);
        put(directory, 0, 4);
        put(directory, crc, 4);
        put(directory, zip64 ? 0xFFFFFFFF : std::uint64_t(packed.size()), 4);
        put(directory, zip64 ? 0xFFFFFFFF : size, 4);
        put(directory, std::uint64_t(e.name.size()), 2);
        put(directory, std::uint64_t(extra.size()), 2);
        put(directory, 0, 2);  // comment length
        put(directory, 0, 2);  // disk
        put(directory, 0, 2);  // internal attributes
        put(directory, 0, 4);  // external attributes
        put(directory, zip64 ? 0xFFFFFFFF : offset, 4);
        directory += e.name + extra;
    }
    const auto directoryOffset = std::uint64_t(out.size());
    out += directory;
    if (zip64) {
        const auto record = std::uint64_t(out.size());
        put(out, 0x06064b50, 4);
        put(out, 44, 8);
        put(out, 45, 2);
        put(out, 45, 2);
        put(out, 0, 8);
        put(out, entries.size(), 8);
        put(out, entries.size(), 8);
        put(out, std::uint64_t(directory.size()), 8);
        put(out, directoryOffset, 8);
        put(out, 0x07064b50, 4);
        put(out, 0, 4);
        put(out, record, 8);
        put(out, 1, 4);
    }
    put(out, 0x06054b50, 4);
    put(out, 0, 4);
    put(out, zip64 ? 0xFFFF : entries.size(), 2);
    put(out, zip64 ? 0xFFFF : entries.size(), 2);
    put(out, zip64 ? 0xFFFFFFFF : std::uint64_t(directory.size()), 4);
    put(out, zip64 ? 0xFFFFFFFF : directoryOffset, 4);
    put(out, std::uint64_t(comment.size()), 2);
    return out + comment;
}

// Every byte of a device read in small pieces; nothing when a read fails.
std::optional<QByteArray> readAll(QIODevice& device) {
    QByteArray all;
    char piece[1000];
    for (;;) {
        const qint64 n = device.read(piece, sizeof piece);
        if (n < 0) return std::nullopt;
        if (n == 0) return all;
        all.append(piece, n);
    }
}

QByteArray sampleData(int size) {
    QByteArray data;
    for (int i = 0; data.size() < size; ++i) data += QByteArray::number(i * 7919 % 10007) + ' ';
    return data.left(size);
}

}  // namespace

// Archives of a zip library and hand-made ones, with and without zip64 records and a
// comment: entries found regardless of letter case, read back whole in small pieces.
TEST(ZipArchive, EntriesReadBackFromEveryLayout) {
    const QByteArray big = sampleData(300'000);
    const std::vector<std::pair<QString, QByteArray>> contents = {
        {"xl/workbook.xml", "<workbook/>"}, {"xl/worksheets/Sheet1.xml", big}, {"empty", ""}};
    std::vector<Entry> entries;
    for (const auto& [name, data] : contents) entries.push_back({name.toUtf8(), data});
    entries[0].method = 0;
    const std::pair<const char*, QByteArray> archives[] = {
        {"zip library", ZipOf(contents)},
        {"hand-made", archiveOf(entries)},
        {"zip64", archiveOf(entries, true)},
        {"comment", archiveOf(entries, false, "PK\x05\x06 a comment")},
    };
    for (const auto& [kind, bytes] : archives) {
        const auto archive = ZipArchive::fromBytes(bytes);
        ASSERT_TRUE(archive) << kind;
        EXPECT_EQ(archive->find(QStringLiteral("XL/Worksheets/sheet1.XML")),
                  QStringLiteral("xl/worksheets/Sheet1.xml"))
            << kind;
        EXPECT_FALSE(archive->find(QStringLiteral("xl/worksheets/sheet2.xml"))) << kind;
        for (const auto& [name, data] : contents) {
            const auto device = archive->openEntry(name.toUpper());
            ASSERT_TRUE(device) << kind << ' ' << name.toStdString();
            EXPECT_EQ(readAll(*device), data) << kind << ' ' << name.toStdString();
        }
        EXPECT_FALSE(archive->inflatedTooMuch());
    }
}

// An entry whose stream or records do not hold together cannot be opened, or reads as
// failed where that shows only at its end; the archive's other entries stay readable.
TEST(ZipArchive, DamagedEntriesFailWithoutHarmingTheOthers) {
    const QByteArray data = sampleData(70'000);
    struct Case {
        const char* what;
        Entry entry;
        bool opens;
    };
    const Case cases[] = {
        {"checksum", {"a", data, 8, 0, 0, 0, 1}, true},
        {"stored checksum", {"a", data, 0, 0, 0, 0, 0x100}, true},
        {"stream cut short", {"a", data, 8, 0, 40}, true},
        {"stream longer than told", {"a", data, 8, 0, 0, -1}, true},
        {"stream shorter than told", {"a", data, 8, 0, 0, 1}, true},
        {"stored size differs", {"a", data, 0, 0, 0, 1}, false},
        {"encrypted", {"a", data, 8, 1}, false},
        {"bzip2", {"a", data, 12}, false},
    };
    for (const Case& c : cases) {
        const auto archive = ZipArchive::fromBytes(archiveOf({c.entry, {"b", "sağlam"}}));
        ASSERT_TRUE(archive) << c.what;
        const auto device = archive->openEntry(QStringLiteral("a"));
        EXPECT_EQ(bool(device), c.opens) << c.what;
        if (device) {
            EXPECT_FALSE(readAll(*device)) << c.what;
        }
        EXPECT_EQ(archive->readEntry(QStringLiteral("b")), QByteArray("sağlam")) << c.what;
    }
}

// Bytes that only look like an archive: no end record, a directory outside the bytes or
// with fewer entries than told, an entry whose local record lies elsewhere.
TEST(ZipArchive, BrokenDirectoriesAreNoArchive) {
    const QByteArray good = archiveOf({{"a", "içerik"}, {"b", "ikinci"}});
    EXPECT_TRUE(ZipArchive::fromBytes(good));
    EXPECT_FALSE(ZipArchive::fromBytes(QByteArray("PK\x03\x04garbage")));
    EXPECT_FALSE(ZipArchive::fromBytes(good.left(good.size() - 1)));

    QByteArray moreEntries = good;
    moreEntries[good.size() - 12] = 3;  // the end record's count of entries
    EXPECT_FALSE(ZipArchive::fromBytes(moreEntries));

    QByteArray directoryOutside = good;
    directoryOutside[good.size() - 3] = char(0x7F);  // the directory's offset, high byte
    EXPECT_FALSE(ZipArchive::fromBytes(directoryOutside));

    QByteArray localMoved = good;
    const qsizetype directory = good.indexOf("PK\x01\x02");
    localMoved[directory + 42] = 1;  // the first entry's local record, one byte on
    const auto archive = ZipArchive::fromBytes(localMoved);
    ASSERT_TRUE(archive);
    EXPECT_FALSE(archive->openEntry(QStringLiteral("a")));
    EXPECT_EQ(archive->readEntry(QStringLiteral("b")), QByteArray("ikinci"));
}
