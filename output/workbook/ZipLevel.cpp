// libxlsxwriter packs the workbook with minizip at zlib's default level, and that compression
// took a fifth of an export's time. zlib's fastest level takes about a quarter of that; the
// file grows by about a third (some 100 KB at 6500 rows) and reads back the same everywhere.
// libxlsxwriter has no option for the level, so its calls to minizip come here first: this
// definition is linked into each program and module that writes workbooks, ahead of minizip's
// own, and passes every call on to minizip with only the level changed.
#include <dlfcn.h>
#include <minizip/zip.h>
#include <zlib.h>

extern "C" __attribute__((visibility("default"))) int zipOpenNewFileInZip4_64(
    zipFile file, const char* filename, const zip_fileinfo* zipfi, const void* extrafield_local,
    uInt size_extrafield_local, const void* extrafield_global, uInt size_extrafield_global,
    const char* comment, int method, int level, int raw, int windowBits, int memLevel, int strategy,
    const char* password, uLong crcForCrypting, uLong versionMadeBy, uLong flagBase, int zip64) {
    using Open = decltype(&zipOpenNewFileInZip4_64);
    static const auto minizip = reinterpret_cast<Open>(dlsym(RTLD_NEXT, "zipOpenNewFileInZip4_64"));
    if (!minizip) return ZIP_INTERNALERROR;
    if (method == Z_DEFLATED && level == Z_DEFAULT_COMPRESSION) level = Z_BEST_SPEED;
    return minizip(file, filename, zipfi, extrafield_local, size_extrafield_local,
                   extrafield_global, size_extrafield_global, comment, method, level, raw,
                   windowBits, memLevel, strategy, password, crcForCrypting, versionMadeBy,
                   flagBase, zip64);
}
