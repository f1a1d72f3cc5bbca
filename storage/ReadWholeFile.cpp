#include "storage/ReadWholeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "storage/FileNames.h"

namespace storage {

std::optional<QByteArray> ReadWholeFile(const QString& name) {
    const int fd = ::open(NativeFileName(name).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    QByteArray bytes;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) {
        bytes.reserve(static_cast<qsizetype>(st.st_size));
    }
    char buffer[65536];
    bool ok = true;
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) ok = false;
        if (n <= 0) break;
        bytes.append(buffer, n);
    }
    ::close(fd);
    if (!ok) return std::nullopt;
    return bytes;
}

}  // namespace storage
