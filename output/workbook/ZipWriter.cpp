#include "output/workbook/ZipWriter.h"

#include <zlib.h>

namespace output {
namespace {

void Put16(QByteArray& out, quint32 value) {
    out.append(char(value & 0xFF));
    out.append(char(value >> 8 & 0xFF));
}
void Put32(QByteArray& out, quint32 value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// Raw deflate, as a zip entry holds it (no zlib header or trailer).
std::optional<QByteArray> Deflated(const QByteArray& data) {
    z_stream stream{};
    // Level 1: a workbook is mostly repeated markup, which the fastest level packs nearly as
    // tightly as the default one at a third of the time.
    if (deflateInit2(&stream, 1, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return std::nullopt;
    QByteArray out(qsizetype(deflateBound(&stream, uLong(data.size()))), Qt::Uninitialized);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    stream.avail_in = uInt(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(out.size());
    const int result = deflate(&stream, Z_FINISH);
    const auto written = qsizetype(stream.total_out);
    deflateEnd(&stream);
    if (result != Z_STREAM_END) return std::nullopt;
    out.truncate(written);
    return out;
}

constexpr quint32 kDosDate = (0 << 9) | (1 << 5) | 1;  // 1 January 1980
constexpr quint32 kDeflated = 8;
constexpr quint32 kVersion = 20;

}  // namespace

bool ZipWriter::add(const QByteArray& name, const QByteArray& data) {
    // Sizes and offsets of a plain zip archive are 32-bit.
    if (data.size() > 0x7FFFFFFF || archive_.size() > 0x7FFFFFFF) return false;
    const std::optional<QByteArray> packed = Deflated(data);
    if (!packed) return false;
    const quint32 crc =
        quint32(crc32(0, reinterpret_cast<const Bytef*>(data.constData()), uInt(data.size())));
    const auto offset = quint32(archive_.size());

    Put32(archive_, 0x04034b50);
    Put16(archive_, kVersion);
    Put16(archive_, 0);  // flags
    Put16(archive_, kDeflated);
    Put16(archive_, 0);  // time
    Put16(archive_, kDosDate);
    Put32(archive_, crc);
    Put32(archive_, quint32(packed->size()));
    Put32(archive_, quint32(data.size()));
    Put16(archive_, quint32(name.size()));
    Put16(archive_, 0);  // extra field
    archive_ += name;
    archive_ += *packed;

    Put32(directory_, 0x02014b50);
    Put16(directory_, kVersion);  // made by
    Put16(directory_, kVersion);  // needed
    Put16(directory_, 0);
    Put16(directory_, kDeflated);
    Put16(directory_, 0);
    Put16(directory_, kDosDate);
    Put32(directory_, crc);
    Put32(directory_, quint32(packed->size()));
    Put32(directory_, quint32(data.size()));
    Put16(directory_, quint32(name.size()));
    Put16(directory_, 0);  // extra field
    Put16(directory_, 0);  // comment
    Put16(directory_, 0);  // disk
    Put16(directory_, 0);  // internal attributes
    Put32(directory_, 0);  // external attributes
    Put32(directory_, offset);
    directory_ += name;
    ++entries_;
    return true;
}

QByteArray ZipWriter::finish() {
    const auto directoryAt = quint32(archive_.size());
    archive_ += directory_;
    Put32(archive_, 0x06054b50);
    Put16(archive_, 0);
    Put16(archive_, 0);
    Put16(archive_, quint32(entries_));
    Put16(archive_, quint32(entries_));
    Put32(archive_, quint32(directory_.size()));
    Put32(archive_, directoryAt);
    Put16(archive_, 0);  // comment
    return std::move(archive_);
}

}  // namespace output
