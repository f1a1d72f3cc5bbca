#include "sheets/ZipArchive.h"

#include <zip.h>

#include <QIODevice>
#include <algorithm>
#include <utility>

namespace sheets {
namespace {

// Sequential reading of one entry; the entry is decompressed as the XML reader asks.
class ZipEntryDevice : public QIODevice {
  public:
    ZipEntryDevice(zip_file_t* file, std::shared_ptr<ZipArchive::Inflation> inflation)
        : file_(file), inflation_(std::move(inflation)) {
        QIODevice::open(ReadOnly);
    }
    ~ZipEntryDevice() override { zip_fclose(file_); }
    bool isSequential() const override { return true; }

  protected:
    qint64 readData(char* data, qint64 maxSize) override {
        const qint64 room = ZipArchive::kMaxInflated - inflation_->bytes;
        if (room <= 0) {
            if (maxSize > 0) inflation_->tooMuch = true;
            return maxSize > 0 ? -1 : 0;
        }
        const zip_int64_t n =
            zip_fread(file_, data, static_cast<zip_uint64_t>(std::min(maxSize, room)));
        if (n < 0) return -1;
        inflation_->bytes += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

  private:
    zip_file_t* file_;
    std::shared_ptr<ZipArchive::Inflation> inflation_;
};

}  // namespace

ZipArchive::ZipArchive(zip* archive, QByteArray bytes)
    : archive_(archive), bytes_(std::move(bytes)) {}

ZipArchive::ZipArchive(ZipArchive&& other) noexcept
    : archive_(std::exchange(other.archive_, nullptr)),
      bytes_(std::move(other.bytes_)),
      inflation_(other.inflation_) {}

ZipArchive& ZipArchive::operator=(ZipArchive&& other) noexcept {
    if (this != &other) {
        if (archive_) zip_discard(archive_);
        archive_ = std::exchange(other.archive_, nullptr);
        bytes_ = std::move(other.bytes_);
        inflation_ = other.inflation_;
    }
    return *this;
}

ZipArchive::~ZipArchive() {
    if (archive_) zip_discard(archive_);
}

std::optional<ZipArchive> ZipArchive::fromBytes(const QByteArray& bytes) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(
        bytes.constData(), static_cast<zip_uint64_t>(bytes.size()), 0, &error);
    if (!source) {
        zip_error_fini(&error);
        return std::nullopt;
    }
    zip_t* archive = zip_open_from_source(source, ZIP_RDONLY, &error);
    zip_error_fini(&error);
    if (!archive) {
        zip_source_free(source);
        return std::nullopt;
    }
    return ZipArchive(archive, bytes);
}

std::optional<ZipArchive> ZipArchive::secondReader() const {
    std::optional<ZipArchive> reader = fromBytes(bytes_);
    if (reader) reader->inflation_ = inflation_;
    return reader;
}

std::optional<QString> ZipArchive::find(const QString& name) const {
    const QByteArray utf8 = name.toUtf8();
    const zip_int64_t index = zip_name_locate(archive_, utf8.constData(), ZIP_FL_NOCASE);
    if (index < 0) return std::nullopt;
    const char* stored = zip_get_name(archive_, static_cast<zip_uint64_t>(index), 0);
    if (!stored) return std::nullopt;
    return QString::fromUtf8(stored);
}

std::unique_ptr<QIODevice> ZipArchive::openEntry(const QString& name) const {
    const QByteArray utf8 = name.toUtf8();
    zip_file_t* file = zip_fopen(archive_, utf8.constData(), ZIP_FL_NOCASE);
    if (!file) return nullptr;
    return std::make_unique<ZipEntryDevice>(file, inflation_);
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
