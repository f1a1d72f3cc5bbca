#pragma once

#include <unistd.h>

#include <cerrno>
#include <functional>

#include "files/SafeWriteCalls.h"

namespace testfiles {

// The system calls of a safe write with one of them failing the way a full or failing disk
// fails. Every writer of the program is tried with each of them.
struct InjectedFault {
    const char* name;
    std::function<void(files::SafeWriteCalls&)> apply;
};

inline files::SafeWriteCalls withFault(const InjectedFault& fault) {
    files::SafeWriteCalls calls = files::SafeWriteCalls::system();
    fault.apply(calls);
    return calls;
}

inline const InjectedFault kInjectedFaults[] = {
    {"disk full at the first write",
     [](files::SafeWriteCalls& c) {
         c.write = [](int, const char*, size_t) -> ssize_t {
             errno = ENOSPC;
             return -1;
         };
     }},
    {"disk full after a short write",
     [](files::SafeWriteCalls& c) {
         c.write = [calls = 0](int fd, const char* data, size_t size) mutable -> ssize_t {
             if (calls++ == 0) return ::write(fd, data, size < 4096 ? size / 2 : 4096);
             errno = ENOSPC;
             return -1;
         };
     }},
    {"a write that reports more than reaches the disk",
     [](files::SafeWriteCalls& c) {
         c.write = [](int fd, const char* data, size_t size) -> ssize_t {
             return ::write(fd, data, size / 2) < 0 ? -1 : static_cast<ssize_t>(size);
         };
     }},
    {"the flush to disk fails",
     [](files::SafeWriteCalls& c) {
         c.fsync = [](int) {
             errno = EIO;
             return -1;
         };
     }},
    {"closing reports the failed write",
     [](files::SafeWriteCalls& c) {
         c.close = [](int fd) {
             ::close(fd);
             errno = EDQUOT;
             return -1;
         };
     }},
};

}  // namespace testfiles
