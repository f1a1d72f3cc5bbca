#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "cli/HugePageHeap.h"
#include "cli/Vovirer.h"
#include "files/FileNames.h"

namespace {

// Writes everything and flushes; a full disk or a closed pipe shows only at the flush.
bool writeAll(std::FILE* stream, const QByteArray& bytes) {
    const auto size = static_cast<std::size_t>(bytes.size());
    const bool written = size == 0 || std::fwrite(bytes.constData(), 1, size, stream) == size;
    return std::fflush(stream) == 0 && written && !std::ferror(stream);
}

}  // namespace

int main(int argc, char** argv) {
    cli::UseHugePagesForHeap();
    // Arguments as the bytes given, so that a file name in any encoding opens as itself.
    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments.push_back(files::FileNameFromNative(argv[i]));
    QByteArray out;
    QByteArray err;
    int status = cli::RunVovirer(arguments, out, err);
    if (!writeAll(stdout, out)) {
        err +=
            QByteArray("vovirer: cannot write to standard output: ") + std::strerror(errno) + '\n';
        status = 1;
    }
    writeAll(stderr, err);
    return status;
}
