#include "sheets/ZipArchive.h"

#include <zlib.h>

#include <QIODevice>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <utility>

namespace sheets {
namespace {

// The parts of the format a workbook uses: one disk, entries stored or deflated, the
// zip64 records of writers that always add them. Every field read from the bytes is
// checked against the bytes before it is used.

constexpr std::uint32_t kEndSignature = 0x06054b50;
constexpr std::uint32_t kZip64EndSignature = 0x06064b50;
constexpr std::uint32_t kZip64LocatorSignature = 0x07064b50;
constexpr std::uint32_t kCentralSignature = 0x02014b50;
constexpr std::uint32_t kLocalSignature = 0x04034b50;
constexpr qint64 kEndSize = 22;
constexpr qint64 kZip64LocatorSize = 20;
constexpr qint64 kZip64EndSize = 56;
constexpr qint64 kCentralSize = 46;
constexpr qint64 kLocalSize = 30;
constexpr std::uint16_t kZip64ExtraId = 0x0001;
constexpr std::uint16_t kEncryptedFlag = 0x0001;
constexpr std::uint16_t kStored = 0;
constexpr std::uint16_t kDeflated = 8;

// Little-endian fields of a byte range; a read past its end gives nothing and marks it.
class Bytes {
  public:
    Bytes(const char* data, qint64 size) : data_(data), size_(size) {}

    qint64 size() const { return size_; }
    bool has(qint64 at, qint64 count) const {
        return at >= 0 && count >= 0 && at <= size_ && count <= size_ - at;
    }
    std::uint64_t number(qint64 at, int width) const {
        std::uint64_t value = 0;
        for (int i = width - 1; i >= 0; --i) {
            value = (value << 8) | static_cast<unsigned char>(data_[at + i]);
        }
        return value;
    }
    std::uint16_t u16(qint64 at) const { return static_cast<std::uint16_t>(number(at, 2)); }
    std::uint32_t u32(qint64 at) const { return static_cast<std::uint32_t>(number(at, 4)); }
    std::uint64_t u64(qint64 at) const { return number(at, 8); }
    std::string_view text(qint64 at, qint64 count) const {
        return {data_ + at, static_cast<std::size_t>(count)};
    }
    const char* at(qint64 offset) const { return data_ + offset; }

  private:
    const char* data_;
    qint64 size_;
};

// A size or offset of the format as a byte count within the archive; none past it.
std::optional<qint64> withinArchive(std::uint64_t value, const Bytes& bytes) {
    if (value > static_cast<std::uint64_t>(bytes.size())) return std::nullopt;
    return static_cast<qint64>(value);
}

struct CentralDirectory {
    qint64 offset = 0;
    qint64 size = 0;
    std::uint64_t entries = 0;
};

// The zip64 end record the locator before the end record at `end` points to, if any.
std::optional<CentralDirectory> zip64Directory(const Bytes& bytes, qint64 end) {
    const qint64 locator = end - kZip64LocatorSize;
    if (!bytes.has(locator, kZip64LocatorSize) || bytes.u32(locator) != kZip64LocatorSignature)
        return std::nullopt;
    const auto record = withinArchive(bytes.u64(locator + 8), bytes);
    if (!record || !bytes.has(*record, kZip64EndSize) || bytes.u32(*record) != kZip64EndSignature ||
        bytes.u32(locator + 4) != 0 || bytes.u32(*record + 16) != 0 ||
        bytes.u32(*record + 20) != 0) {
        return std::nullopt;
    }
    const auto size = withinArchive(bytes.u64(*record + 40), bytes);
    const auto offset = withinArchive(bytes.u64(*record + 48), bytes);
    if (!size || !offset) return std::nullopt;
    return CentralDirectory{*offset, *size, bytes.u64(*record + 32)};
}

// The central directory the end record at `end` describes, when it lies within the bytes.
std::optional<CentralDirectory> directoryAt(const Bytes& bytes, qint64 end) {
    CentralDirectory cd{bytes.u32(end + 16), bytes.u32(end + 12), bytes.u16(end + 10)};
    const bool oneDisk = bytes.u16(end + 4) == 0 && bytes.u16(end + 6) == 0;
    const bool zip64 = cd.entries == 0xFFFF || cd.size == 0xFFFFFFFF || cd.offset == 0xFFFFFFFF;
    if (zip64) {
        const auto wide = zip64Directory(bytes, end);
        if (!wide) return std::nullopt;
        cd = *wide;
    } else if (!oneDisk) {
        return std::nullopt;
    }
    if (!bytes.has(cd.offset, cd.size) || cd.offset + cd.size > end) return std::nullopt;
    return cd;
}

// One entry of the central directory.
struct Entry {
    std::string_view name;
    std::uint16_t flags = 0;
    std::uint16_t method = 0;
    std::uint32_t crc = 0;
    std::uint64_t packedSize = 0;
    std::uint64_t size = 0;
    std::uint64_t localOffset = 0;
};

// The zip64 sizes and offset of an entry whose fields are saturated, from its extra field.
bool readZip64Extra(const Bytes& bytes, qint64 extra, qint64 length, Entry& entry) {
    for (qint64 at = extra; at + 4 <= extra + length;) {
        const std::uint16_t id = bytes.u16(at);
        const qint64 size = bytes.u16(at + 2);
        const qint64 data = at + 4;
        if (data + size > extra + length) return false;
        if (id == kZip64ExtraId) {
            qint64 field = data;
            for (std::uint64_t* value : {&entry.size, &entry.packedSize, &entry.localOffset}) {
                if (*value != 0xFFFFFFFF) continue;
                if (field + 8 > data + size) return false;
                *value = bytes.u64(field);
                field += 8;
            }
            return true;
        }
        at = data + size;
    }
    return entry.size != 0xFFFFFFFF && entry.packedSize != 0xFFFFFFFF &&
           entry.localOffset != 0xFFFFFFFF;
}

// Walks the central directory entry by entry; false when an entry does not fit it.
template <class Visit>
bool forEachEntry(const Bytes& bytes, const CentralDirectory& cd, Visit visit) {
    qint64 at = cd.offset;
    const qint64 end = cd.offset + cd.size;
    for (std::uint64_t i = 0; i < cd.entries; ++i) {
        if (at + kCentralSize > end || bytes.u32(at) != kCentralSignature) return false;
        const qint64 nameLength = bytes.u16(at + 28);
        const qint64 extraLength = bytes.u16(at + 30);
        const qint64 commentLength = bytes.u16(at + 32);
        const qint64 next = at + kCentralSize + nameLength + extraLength + commentLength;
        if (next > end) return false;
        Entry entry;
        entry.flags = bytes.u16(at + 8);
        entry.method = bytes.u16(at + 10);
        entry.crc = bytes.u32(at + 16);
        entry.packedSize = bytes.u32(at + 20);
        entry.size = bytes.u32(at + 24);
        entry.localOffset = bytes.u32(at + 42);
        entry.name = bytes.text(at + kCentralSize, nameLength);
        if (!readZip64Extra(bytes, at + kCentralSize + nameLength, extraLength, entry))
            return false;
        if (!visit(entry)) return true;
        at = next;
    }
    return true;
}

bool sameNameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// The first entry of that name, regardless of ASCII letter case.
std::optional<Entry> findEntry(const Bytes& bytes, const CentralDirectory& cd,
                               std::string_view name) {
    std::optional<Entry> found;
    forEachEntry(bytes, cd, [&](const Entry& entry) {
        if (!sameNameIgnoringCase(entry.name, name)) return true;
        found = entry;
        return false;
    });
    return found;
}

// Sequential reading of one entry, inflated as the XML reader asks; a stream that ends
// early, runs long or fails its checksum reads as failed.
class ZipEntryDevice : public QIODevice {
  public:
    ZipEntryDevice(const char* packed, qint64 packedSize, const Entry& entry,
                   std::shared_ptr<ZipArchive::Inflation> inflation)
        : packed_(packed),
          packedSize_(packedSize),
          stored_(entry.method == kStored),
          size_(entry.size),
          crc_(entry.crc),
          inflation_(std::move(inflation)) {
        if (!stored_) {
            stream_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed));
            stream_.avail_in = 0;
            streamReady_ = inflateInit2(&stream_, -MAX_WBITS) == Z_OK;
        }
        QIODevice::open(ReadOnly);
    }
    ~ZipEntryDevice() override {
        if (streamReady_) inflateEnd(&stream_);
    }
    bool isSequential() const override { return true; }

    bool ready() const { return stored_ || streamReady_; }

  protected:
    qint64 readData(char* data, qint64 maxSize) override {
        if (failed_) return -1;
        if (maxSize <= 0) return 0;
        const qint64 room = ZipArchive::kMaxInflated - inflation_->bytes.load();
        if (room <= 0) {
            inflation_->tooMuch = true;
            return -1;
        }
        if (ended_) return 0;
        const qint64 n = stored_ ? readStored(data, std::min(maxSize, room))
                                 : readInflated(data, std::min(maxSize, room));
        if (n < 0) {
            failed_ = true;
            return -1;
        }
        inflation_->bytes += n;
        crcSoFar_ =
            crc32_z(crcSoFar_, reinterpret_cast<const Bytef*>(data), static_cast<z_size_t>(n));
        produced_ += static_cast<std::uint64_t>(n);
        if (produced_ > size_ || (ended_ && (produced_ != size_ || crcSoFar_ != crc_))) {
            failed_ = true;
            return -1;
        }
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

  private:
    qint64 readStored(char* data, qint64 maxSize) {
        const qint64 n = std::min(maxSize, packedSize_ - consumed_);
        std::memcpy(data, packed_ + consumed_, static_cast<std::size_t>(n));
        consumed_ += n;
        ended_ = consumed_ == packedSize_;
        return n;
    }

    qint64 readInflated(char* data, qint64 maxSize) {
        stream_.next_out = reinterpret_cast<Bytef*>(data);
        stream_.avail_out = static_cast<uInt>(std::min<qint64>(maxSize, 1 << 30));
        while (stream_.avail_out > 0) {
            if (stream_.avail_in == 0) {
                const qint64 piece = std::min<qint64>(packedSize_ - consumed_, 1 << 30);
                stream_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed_ + consumed_));
                stream_.avail_in = static_cast<uInt>(piece);
                consumed_ += piece;
            }
            const uInt before = stream_.avail_out;
            const int status = inflate(&stream_, Z_NO_FLUSH);
            if (status == Z_STREAM_END) {
                ended_ = true;
                break;
            }
            if (status != Z_OK && status != Z_BUF_ERROR) return -1;
            // No progress: the stream is cut short or broken.
            const bool allIn = stream_.avail_in == 0 && consumed_ == packedSize_;
            if (stream_.avail_out == before && (allIn || status == Z_BUF_ERROR)) return -1;
        }
        return static_cast<qint64>(reinterpret_cast<char*>(stream_.next_out) - data);
    }

    const char* packed_;
    qint64 packedSize_;
    qint64 consumed_ = 0;
    bool stored_;
    std::uint64_t size_;
    std::uint32_t crc_;
    std::uint64_t produced_ = 0;
    uLong crcSoFar_ = crc32_z(0, nullptr, 0);
    z_stream stream_{};
    bool streamReady_ = false;
    bool ended_ = false;
    bool failed_ = false;
    std::shared_ptr<ZipArchive::Inflation> inflation_;
};

}  // namespace

std::optional<ZipArchive> ZipArchive::fromBytes(const QByteArray& bytes) {
    const Bytes b(bytes.constData(), bytes.size());
    // The end record lies within the last 64 KiB and its own size (a comment may follow
    // it); the last one whose directory lies within the bytes is taken, and must read whole.
    // Taking only that one keeps a hostile tail of many end records from costing a walk of
    // the directory each.
    const qint64 lowest = std::max<qint64>(0, b.size() - kEndSize - 0xFFFF);
    for (qint64 end = b.size() - kEndSize; end >= lowest; --end) {
        if (b.u32(end) != kEndSignature) continue;
        const auto cd = directoryAt(b, end);
        if (!cd) continue;
        if (!forEachEntry(b, *cd, [](const Entry&) { return true; })) return std::nullopt;
        return ZipArchive(cd->offset, cd->size, cd->entries, bytes);
    }
    return std::nullopt;
}

ZipArchive::ZipArchive(qint64 directoryOffset, qint64 directorySize, quint64 entries,
                       QByteArray bytes)
    : directoryOffset_(directoryOffset),
      directorySize_(directorySize),
      entries_(entries),
      bytes_(std::move(bytes)) {}

std::optional<QString> ZipArchive::find(const QString& name) const {
    const Bytes b(bytes_.constData(), bytes_.size());
    const QByteArray utf8 = name.toUtf8();
    const auto entry = findEntry(b, {directoryOffset_, directorySize_, entries_},
                                 std::string_view(utf8.constData(), std::size_t(utf8.size())));
    if (!entry) return std::nullopt;
    return QString::fromUtf8(entry->name.data(), qsizetype(entry->name.size()));
}

std::unique_ptr<QIODevice> ZipArchive::openEntry(const QString& name) const {
    const Bytes b(bytes_.constData(), bytes_.size());
    const QByteArray utf8 = name.toUtf8();
    const auto entry = findEntry(b, {directoryOffset_, directorySize_, entries_},
                                 std::string_view(utf8.constData(), std::size_t(utf8.size())));
    if (!entry || (entry->flags & kEncryptedFlag) != 0) return nullptr;
    if (entry->method != kStored && entry->method != kDeflated) return nullptr;
    const auto local = withinArchive(entry->localOffset, b);
    if (!local || !b.has(*local, kLocalSize) || b.u32(*local) != kLocalSignature) return nullptr;
    const qint64 data = *local + kLocalSize + b.u16(*local + 26) + b.u16(*local + 28);
    const auto packedSize = withinArchive(entry->packedSize, b);
    if (!packedSize || !b.has(data, *packedSize)) return nullptr;
    if (entry->method == kStored && entry->packedSize != entry->size) return nullptr;
    auto device = std::make_unique<ZipEntryDevice>(b.at(data), *packedSize, *entry, inflation_);
    if (!device->ready()) return nullptr;
    return device;
}

std::optional<QByteArray> ZipArchive::readEntry(const QString& name, qint64 limit) const {
    const std::unique_ptr<QIODevice> device = openEntry(name);
    if (!device) return std::nullopt;
    QByteArray result;
    char buffer[65536];
    for (;;) {
        const qint64 n = device->read(buffer, sizeof buffer);
        if (n < 0) return std::nullopt;
        if (n == 0) break;
        if (result.size() + n > limit) return std::nullopt;
        result.append(buffer, n);
    }
    return result;
}

}  // namespace sheets
