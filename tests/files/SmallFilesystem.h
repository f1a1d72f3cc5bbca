#pragma once

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <cerrno>

namespace testfiles {

// A 64 KiB tmpfs mounted on a folder for the length of a test, so that a disk can be filled
// for real. Mounting needs root (CI runs as root); elsewhere `mounted()` is false and the
// test skips.
class SmallFilesystem {
  public:
    explicit SmallFilesystem(const QString& folder) : folder_(folder) {
        QDir().mkpath(folder);
        if (::geteuid() != 0) return;
        mounted_ = ::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0,
                           "size=64k,mode=0777") == 0;
    }
    ~SmallFilesystem() {
        if (mounted_) ::umount2(QFile::encodeName(folder_).constData(), MNT_DETACH);
    }
    SmallFilesystem(const SmallFilesystem&) = delete;
    SmallFilesystem& operator=(const SmallFilesystem&) = delete;

    bool mounted() const { return mounted_; }
    QString path(const QString& name) const { return folder_ + QLatin1Char('/') + name; }

    // Fills the filesystem with a file of its own until a write fails, then frees `leave`
    // bytes of it again. Returns whether the disk did fill.
    bool fill(qint64 leave = 0) {
        const QByteArray filler = QFile::encodeName(path(QStringLiteral("dolgu")));
        const int fd = ::open(filler.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0) return false;
        const QByteArray block(4096, 'x');
        off_t size = 0;
        bool full = false;
        for (int i = 0; i < 1000 && !full; ++i) {
            const ssize_t n = ::write(fd, block.constData(), static_cast<size_t>(block.size()));
            if (n > 0) size += n;
            full = n < block.size();
        }
        for (int i = 0; i < 4096 && full; ++i) {  // the last partial page, byte by byte
            if (::write(fd, "x", 1) != 1) break;
            ++size;
        }
        if (full && leave > 0) full = ::ftruncate(fd, size > leave ? size - leave : 0) == 0;
        ::close(fd);
        return full;
    }

  private:
    QString folder_;
    bool mounted_ = false;
};

}  // namespace testfiles
