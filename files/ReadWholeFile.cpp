#include "files/ReadWholeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <limits>
#include <utility>

#include "files/FileNames.h"

namespace files {

BoundedFile ReadFileUpTo(const QString& name, qint64 limit) {
    const int fd = ::open(NativeFileName(name).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return {};
    QByteArray bytes;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) {
        if (st.st_size > limit) {
            ::close(fd);
            return {std::nullopt, true};
        }
        bytes.reserve(static_cast<qsizetype>(st.st_size));
    }
    char buffer[65536];
    bool ok = true;
    bool tooLarge = false;
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) ok = false;
        if (n <= 0) break;
        // A file that grows while read, or a device: stop at the limit all the same.
        if (n > limit - bytes.size()) {
            tooLarge = true;
            break;
        }
        bytes.append(buffer, n);
    }
    ::close(fd);
    if (tooLarge) return {std::nullopt, true};
    if (!ok) return {};
    return {std::move(bytes), false};
}

std::optional<QByteArray> ReadWholeFile(const QString& name) {
    return ReadFileUpTo(name, std::numeric_limits<qint64>::max()).bytes;
}

}  // namespace files
