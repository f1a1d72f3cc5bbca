#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <atomic>
#include <memory>
#include <optional>

struct zip;
struct zip_file;

namespace sheets {

// A zip archive opened read-only from bytes in memory (libzip).
class ZipArchive {
  public:
    // Nothing when the bytes are not a zip archive.
    static std::optional<ZipArchive> fromBytes(const QByteArray& bytes);

    ZipArchive(ZipArchive&&) noexcept;
    ZipArchive& operator=(ZipArchive&&) noexcept;
    ~ZipArchive();

    // Another archive over the same bytes, counting its inflated bytes with this one's. One
    // libzip archive is read on one thread at a time; a second thread reads through its own.
    std::optional<ZipArchive> secondReader() const;

    // The entry's name as stored, found regardless of letter case; nothing when absent.
    std::optional<QString> find(const QString& name) const;
    // A stream over the uncompressed bytes of an entry; nullptr when it cannot be opened.
    std::unique_ptr<QIODevice> openEntry(const QString& name) const;
    // The whole entry, up to `limit` bytes; nothing when it is absent, unreadable or longer.
    std::optional<QByteArray> readEntry(const QString& name, qint64 limit = 64 << 20) const;

    // The most bytes all entries together may inflate to. A workbook the import can use (6500
    // rows) is a few megabytes unpacked; a small file that unpacks to gigabytes is a bomb.
    static constexpr qint64 kMaxInflated = qint64(64) << 20;
    // Whether a read stopped at kMaxInflated (its stream then reads as failed).
    bool inflatedTooMuch() const { return inflation_->tooMuch; }

    // Counted by every stream of the archive; streams may be read on several threads at
    // once, each passing the ceiling by at most one read.
    struct Inflation {
        std::atomic<qint64> bytes = 0;
        std::atomic<bool> tooMuch = false;
    };

  private:
    explicit ZipArchive(zip* archive, QByteArray bytes);
    zip* archive_ = nullptr;
    QByteArray bytes_;  // keeps the memory of fromBytes alive
    // Shared with the entry streams, which may outlive a move of the archive.
    std::shared_ptr<Inflation> inflation_ = std::make_shared<Inflation>();
};

}  // namespace sheets
