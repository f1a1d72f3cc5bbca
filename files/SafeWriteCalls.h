#pragma once

#include <sys/types.h>

#include <functional>

#include "files/SafeWrite.h"

namespace files {

// The system calls of WriteFileSafely that can fail on a full or failing disk. Tests replace
// them to make a write fail at a chosen point; the program always uses the real ones.
struct SafeWriteCalls {
    std::function<ssize_t(int fd, const char* data, size_t size)> write;
    std::function<int(int fd)> fsync;
    std::function<int(int fd)> close;

    static SafeWriteCalls system();
};

// While it lives, every WriteFileSafely(path, bytes) of the process uses `calls`, so a test
// can make any writer's save fail at a chosen point. One at a time; not for the program.
class ScopedSafeWriteCalls {
  public:
    explicit ScopedSafeWriteCalls(SafeWriteCalls calls);
    ~ScopedSafeWriteCalls();
    ScopedSafeWriteCalls(const ScopedSafeWriteCalls&) = delete;
    ScopedSafeWriteCalls& operator=(const ScopedSafeWriteCalls&) = delete;

  private:
    SafeWriteCalls calls_;
    const SafeWriteCalls* previous_;
};

[[nodiscard]] SafeWriteResult WriteFileSafely(const QString& path, const QByteArray& bytes,
                                              const SafeWriteCalls& calls);

}  // namespace files
