// Writes the generated tables of the benchmarks into a folder, for run_peers.py:
// rows<N>.fdr (a credit line as typed) and statement<N>.xlsx with statement<N>.ini (a bank
// statement and the import settings for it), for each N given.
//
//     peer_tables FOLDER N...

#include <QDir>
#include <QString>
#include <cstdio>

#include "bench/support/LongCreditLine.h"
#include "bench/support/Statement.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: peer_tables FOLDER ROWS...\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists()) {
        std::fprintf(stderr, "no folder %s\n", argv[1]);
        return 2;
    }
    for (int i = 2; i < argc; ++i) {
        bool ok = false;
        const int rows = QString::fromLocal8Bit(argv[i]).toInt(&ok);
        if (!ok || rows < 1 || rows > 100000) {
            std::fprintf(stderr, "not a row count: %s\n", argv[i]);
            return 2;
        }
        benchsupport::WriteLongCreditLine(folder, rows);
        benchsupport::WriteStatement(folder, rows);
    }
    return 0;
}
