#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
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

    // The entry's name as stored, found regardless of letter case; nothing when absent.
    std::optional<QString> find(const QString& name) const;
    // A stream over the uncompressed bytes of an entry; nullptr when it cannot be opened.
    std::unique_ptr<QIODevice> openEntry(const QString& name) const;
    // The whole entry, up to `limit` bytes; nothing when it is absent, unreadable or longer.
    std::optional<QByteArray> readEntry(const QString& name, qint64 limit = 64 << 20) const;

  private:
    explicit ZipArchive(zip* archive, QByteArray bytes);
    zip* archive_ = nullptr;
    QByteArray bytes_;  // keeps the memory of fromBytes alive
};

}  // namespace sheets
