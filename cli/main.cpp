#include <QString>
#include <QStringList>
#include <cstdio>

#include "cli/Vovirer.h"

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments.push_back(QString::fromLocal8Bit(argv[i]));
    QByteArray out;
    QByteArray err;
    const int status = cli::RunVovirer(arguments, out, err);
    std::fwrite(out.constData(), 1, static_cast<std::size_t>(out.size()), stdout);
    std::fflush(stdout);
    std::fwrite(err.constData(), 1, static_cast<std::size_t>(err.size()), stderr);
    return status;
}
