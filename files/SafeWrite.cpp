#include "files/SafeWrite.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "files/FileNames.h"
#include "files/SafeWriteCalls.h"

namespace files {
namespace {

SafeWriteResult failure(const char* what, int error) {
    return {false, QString::fromLatin1(what) + QStringLiteral(": ") +
                       QString::fromLocal8Bit(std::strerror(error))};
}

SafeWriteResult failure(const char* what) { return {false, QString::fromLatin1(what)}; }

// The file a link names, so that replacing it keeps the link.
QByteArray resolvedTarget(const QByteArray& target) {
    struct stat st {};
    if (::lstat(target.constData(), &st) != 0 || !S_ISLNK(st.st_mode)) return target;
    char resolved[PATH_MAX];
    if (::realpath(target.constData(), resolved) == nullptr) return target;
    return QByteArray(resolved);
}

// A name for the temporary file in the target's folder, hidden and unlikely to be taken.
QByteArray temporaryName(const QByteArray& target, int attempt) {
    static std::atomic<unsigned> counter{0};
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray() : target.left(slash + 1);
    const QByteArray base = slash < 0 ? target : target.mid(slash + 1);
    return folder + '.' + base + '.' + QByteArray::number(qint64(::getpid())) + '.' +
           QByteArray::number(counter++) + '.' + QByteArray::number(attempt) + ".tmp";
}

void syncFolderOf(const QByteArray& target) {
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : target.left(slash == 0 ? 1 : slash);
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);  // the rename has happened; a failure here cannot be undone
    ::close(fd);
}

}  // namespace

SafeWriteCalls SafeWriteCalls::system() {
    return {[](int fd, const char* data, size_t size) { return ::write(fd, data, size); },
            [](int fd) { return ::fsync(fd); }, [](int fd) { return ::close(fd); }};
}

namespace {
const SafeWriteCalls* replacedCalls = nullptr;
}  // namespace

ScopedSafeWriteCalls::ScopedSafeWriteCalls(SafeWriteCalls calls)
    : calls_(std::move(calls)), previous_(replacedCalls) {
    replacedCalls = &calls_;
}

ScopedSafeWriteCalls::~ScopedSafeWriteCalls() { replacedCalls = previous_; }

SafeWriteResult WriteFileSafely(const QString& path, const QByteArray& bytes) {
    return replacedCalls ? WriteFileSafely(path, bytes, *replacedCalls)
                         : WriteFileSafely(path, bytes, SafeWriteCalls::system());
}

SafeWriteResult WriteFileSafely(const QString& path, const QByteArray& bytes,
                                const SafeWriteCalls& calls) {
    if (path.isEmpty()) return failure("empty file name");
    const QByteArray target = resolvedTarget(NativeFileName(path));

    // What is there already: only a regular file that may be written is replaced. Root may
    // write anything, so the permission bits are asked as well as access().
    struct stat old {};
    const bool exists = ::stat(target.constData(), &old) == 0;
    if (!exists && errno != ENOENT) return failure("stat", errno);
    if (exists) {
        if (!S_ISREG(old.st_mode)) return failure("not a regular file");
        if ((old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return failure("read-only file");
        if (::access(target.constData(), W_OK) != 0) return failure("access", errno);
    }

    SafeWriteStream stream(
        target, exists ? std::optional<unsigned>(old.st_mode & 07777) : std::nullopt, false, calls);
    stream.append(bytes);
    return stream.commit();
}

}  // namespace files

namespace files {
namespace {

const SafeWriteCalls& currentCalls() {
    static const SafeWriteCalls system = SafeWriteCalls::system();
    return replacedCalls ? *replacedCalls : system;
}

QString systemProblem(const char* what, int error) { return failure(what, error).reason; }

// A link, or anything but a regular file, where the program expects its own file.
QString unexpectedAtTarget(const QByteArray& target) {
    struct stat st {};
    if (::lstat(target.constData(), &st) != 0) {
        return errno == ENOENT ? QString() : systemProblem("lstat", errno);
    }
    if (S_ISLNK(st.st_mode)) {
        return QStringLiteral("dosyanın yerinde sembolik bağlantı var; güvenlik için izlenmedi");
    }
    if (!S_ISREG(st.st_mode)) return QStringLiteral("dosyanın yerinde dosya olmayan bir şey var");
    return {};
}

}  // namespace

SafeWriteStream::SafeWriteStream(const QString& path, NewFileOptions options)
    : SafeWriteStream(NativeFileName(path), options.mode, true, currentCalls()) {
    if (path.isEmpty()) fail(QStringLiteral("empty file name"));
}

SafeWriteStream::SafeWriteStream(QByteArray target, std::optional<unsigned> mode, bool refuseLinks,
                                 const SafeWriteCalls& calls)
    : target_(std::move(target)), mode_(mode), refuseLinks_(refuseLinks), calls_(&calls) {
    if (target_.isEmpty()) return;
    if (refuseLinks_) {
        if (const QString problem = unexpectedAtTarget(target_); !problem.isEmpty()) {
            fail(problem);
            return;
        }
    }
    // A file given a mode stays private until it gets it; another takes the usual mode less
    // the umask, as any new file does.
    const mode_t created = mode_ ? 0600 : 0666;
    for (int attempt = 0; fd_ < 0 && attempt < 100; ++attempt) {
        temporary_ = temporaryName(target_, attempt);
        // O_EXCL never follows a link: the temporary file is always a new file of ours.
        fd_ = ::open(temporary_.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW,
                     created);
        if (fd_ < 0 && errno != EEXIST) break;
    }
    if (fd_ < 0) {
        temporary_.clear();
        fail(systemProblem("create temporary file", errno));
    }
}

SafeWriteStream::~SafeWriteStream() {
    if (fd_ >= 0) ::close(fd_);
    if (!temporary_.isEmpty()) ::unlink(temporary_.constData());
}

void SafeWriteStream::fail(const QString& problem) {
    if (problem_.isEmpty()) problem_ = problem;
}

void SafeWriteStream::append(const QByteArray& bytes) {
    if (!ok()) return;
    const SafeWriteCalls& calls = *calls_;
    const char* data = bytes.constData();
    size_t left = static_cast<size_t>(bytes.size());
    while (left > 0) {
        const ssize_t n = calls.write(fd_, data, left);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return fail(systemProblem("write", errno));
        if (n == 0) return fail(QStringLiteral("write made no progress"));
        data += n;
        left -= static_cast<size_t>(n);
        written_ += n;
    }
}

SafeWriteResult SafeWriteStream::commit() {
    if (!ok()) return {false, problem_};
    const SafeWriteCalls& calls = *calls_;
    if (mode_ && ::fchmod(fd_, *mode_ & 07777) != 0) fail(systemProblem("chmod", errno));
    if (ok() && calls.fsync(fd_) != 0) fail(systemProblem("fsync", errno));
    struct stat written {};
    if (ok() && ::fstat(fd_, &written) != 0) fail(systemProblem("fstat", errno));
    if (ok() && written.st_size != static_cast<off_t>(written_)) {
        fail(QStringLiteral("the file on disk does not have the size written"));
    }
    if (ok()) {
        const int fd = fd_;
        fd_ = -1;
        if (calls.close(fd) != 0) fail(systemProblem("close", errno));
    }
    // Checked again just before the rename; rename itself replaces a link, never follows it.
    if (ok() && refuseLinks_) fail(unexpectedAtTarget(target_));
    if (ok() && ::rename(temporary_.constData(), target_.constData()) != 0) {
        fail(systemProblem("rename", errno));
    }
    if (!ok()) return {false, problem_};
    temporary_.clear();
    syncFolderOf(target_);
    return {true, QString()};
}

SafeWriteResult WriteNewFileSafely(const QString& path, const QByteArray& bytes,
                                   NewFileOptions options) {
    SafeWriteStream stream(path, options);
    stream.append(bytes);
    return stream.commit();
}

}  // namespace files
