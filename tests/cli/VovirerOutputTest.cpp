// Where vovirer's output goes: -o, standard output, file names given as bytes, full disks.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "tests/cli/VovirerFixture.h"
#include "tests/files/SmallFilesystem.h"

namespace {

const QByteArray kHeader = "360,24,,5,,,,Dorud,H,H,01.04.2019\r\n";
const QByteArray kCaptions =
    ",Islem,Valor,Aciklama,Tutar,Odeme,Faiz,Oran,Gun,Faiz,Bakiye,FB,BSMV,Adat,\r\n";

// A calculation of `rows` drawings, each line ending with CR LF.
QByteArray calculation(int rows) {
    QByteArray bytes = kHeader + kCaptions;
    for (int r = 1; r <= rows; ++r) {
        bytes += QByteArray::number(r) + ",01.03.2019,01.03.2019,,100,,,,,,,,,,\r\n";
    }
    return bytes;
}

using clitest::Result;

class VovirerOutputTest : public clitest::VovirerFixture {
  protected:
    // Runs the tool with its standard output going to the file.
    Result runToFile(const QStringList& args, const QString& standardOutputFile) const {
        testsupport::ProcessOptions options;
        options.standardOutputFile = standardOutputFile;
        return run(args, options);
    }
};

// A file refused on opening was applied only up to the refusal; -o must not save that part,
// least of all over the file itself.
TEST_F(VovirerOutputTest, RefusedFileIsNotSavedWithDashO) {
    QByteArray refused = calculation(30);
    refused += "31,,,,,,,,,,,,,,,x\r\n";  // 16 items
    refused += calculation(40).mid(kHeader.size() + kCaptions.size());
    write(QStringLiteral("F.fdr"), refused);
    for (const QString& mode : {QStringLiteral("--json"), QStringLiteral("--plain")}) {
        SCOPED_TRACE(mode.toStdString());
        QStringList args{QStringLiteral("recalc"), QStringLiteral("F.fdr"), QStringLiteral("-o"),
                         QStringLiteral("F.fdr")};
        if (mode == QLatin1String("--json")) args << mode;
        const Result r = run(args);
        EXPECT_EQ(r.status, 1);
        EXPECT_TRUE(r.err.contains("Dosya Okunamıyor:")) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("nothing written to F.fdr")) << r.err.toStdString();
        EXPECT_EQ(read(QStringLiteral("F.fdr")), refused);
        if (mode == QLatin1String("--json")) {
            const QJsonObject json = QJsonDocument::fromJson(r.out).object();
            EXPECT_EQ(json[QStringLiteral("messages")].toArray().at(0).toString(),
                      QStringLiteral("Dosya Okunamıyor:\nF.fdr"));
        }
    }
    // find-rate's open is a command of its own, but its refusal stops -o the same way.
    const Result r = run({QStringLiteral("find-rate"), QStringLiteral("F.fdr"),
                          QStringLiteral("--total-interest"), QStringLiteral("10"),
                          QStringLiteral("-o"), QStringLiteral("G.fdr")});
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("G.fdr"))));
}

TEST_F(VovirerOutputTest, StandardOutputThatCannotBeWrittenIsExitOne) {
    write(QStringLiteral("F.fdr"), calculation(3));
    for (const QString& mode : {QStringLiteral("--json"), QStringLiteral("--plain")}) {
        QStringList args{QStringLiteral("recalc"), QStringLiteral("F.fdr")};
        if (mode == QLatin1String("--json")) args << mode;
        const Result r = runToFile(args, QStringLiteral("/dev/full"));
        EXPECT_EQ(r.status, 1) << mode.toStdString();
        EXPECT_TRUE(r.err.contains("standard output")) << r.err.toStdString();
    }
}

// Names in Windows-1254 bytes (ı is \xFD, ş is \xFE) open and save as themselves.
TEST_F(VovirerOutputTest, FileNamesAreTheBytesGiven) {
    const QByteArray folder = QFile::encodeName(dir.path());
    write(QStringLiteral("src.fdr"), calculation(2));
    ASSERT_EQ(::rename((folder + "src.fdr").constData(), (folder + "\xFDslem.fdr").constData()), 0);
    const Result r = shell(QStringLiteral(
        "\"$V\" recalc \"$(printf '\\375slem.fdr')\" -o \"$(printf 'out\\376.fdr')\" && "
        "\"$V\" recalc \"$(printf '\\375slem.fdr')\" -o \"$(printf 'out\\375.fdr')\""));
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    struct stat st {};
    EXPECT_EQ(::stat((folder + "out\xFE.fdr").constData(), &st), 0);
    EXPECT_EQ(::stat((folder + "out\xFD.fdr").constData(), &st), 0);

    // A message names the file with the bytes it was given as.
    const Result missing = shell(QStringLiteral("\"$V\" recalc \"$(printf 'yok\\375.fdr')\""));
    EXPECT_EQ(missing.status, 2);
    EXPECT_TRUE(missing.err.contains("yok\xFD.fdr")) << missing.err.toStdString();
}

TEST_F(VovirerOutputTest, FullDiskLosesNeitherTheOldFileNorTheOutput) {
    testfiles::SmallFilesystem disk(path(QStringLiteral("disk")));
    if (!disk.mounted()) GTEST_SKIP() << "needs root to mount a small tmpfs";
    write(QStringLiteral("F.fdr"), calculation(80));
    const QString existing = disk.path(QStringLiteral("existing.fdr"));
    const QByteArray old = calculation(1);
    testsupport::WriteFile(existing, old);
    ASSERT_TRUE(disk.fill(4096));
    Result r =
        run({QStringLiteral("recalc"), QStringLiteral("F.fdr"), QStringLiteral("-o"), existing});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("Dosya Saklanamıyor:\n" + QFile::encodeName(existing)))
        << r.err.toStdString();
    QFile kept(existing);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), old);
    r = run({QStringLiteral("recalc"), QStringLiteral("F.fdr"), QStringLiteral("-o"),
             disk.path(QStringLiteral("new.fdr"))});
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(QFile::exists(disk.path(QStringLiteral("new.fdr"))));

    ASSERT_TRUE(disk.fill());
    r = runToFile({QStringLiteral("recalc"), QStringLiteral("F.fdr"), QStringLiteral("--json")},
                  disk.path(QStringLiteral("out.json")));
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("standard output")) << r.err.toStdString();
}

}  // namespace
