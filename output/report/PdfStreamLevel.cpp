// Qt's PDF writer deflates every page stream at zlib's default level, and that compression took
// a fifth of a long report's processor time. Level 3, the slowest of zlib's fast family, takes a
// fraction of that; the 96-page wide report grows from 440 KB to about 540 KB and reads and
// prints the same. Qt has no option for the level, so its call to zlib comes here first: this
// definition is linked into the programs that write PDFs and exported from them, so it stands
// ahead of zlib's own for every library in the process, and it passes each call on to zlib
// with only the default level changed.
#include <dlfcn.h>
#include <zlib.h>

namespace {
constexpr int kPdfStreamLevel = 3;
}

extern "C" __attribute__((visibility("default"))) int deflateInit_(z_streamp stream, int level,
                                                                   const char* version,
                                                                   int streamSize) {
    using Init = decltype(&deflateInit_);
    static const auto zlib = reinterpret_cast<Init>(dlsym(RTLD_NEXT, "deflateInit_"));
    if (!zlib) return Z_VERSION_ERROR;
    if (level == Z_DEFAULT_COMPRESSION) level = kPdfStreamLevel;
    return zlib(stream, level, version, streamSize);
}
