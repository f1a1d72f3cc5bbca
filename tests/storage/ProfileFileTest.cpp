#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "TestFiles.h"
#include "storage/ProfileFile.h"

using namespace storage;
using testsupport::ReadFile;
using testsupport::WriteFile;

TEST(ProfileFile, SectionsAndKeysMatchWithoutRegardToCase) {
    const ProfileFile file = ProfileFile::fromText(
        QStringLiteral("[vovirer]\r\nRYILGUN=365\r\n[Other]\r\nRyilgun=1\r\n"));
    EXPECT_EQ(file.value(QStringLiteral("Vovirer"), QStringLiteral("Ryilgun")),
              QStringLiteral("365"));
    EXPECT_EQ(file.value(QStringLiteral("OTHER"), QStringLiteral("ryilgun")), QStringLiteral("1"));
    EXPECT_EQ(file.value(QStringLiteral("Vovirer"), QStringLiteral("Rayfaiz")), QString());
    EXPECT_EQ(file.value(QStringLiteral("None"), QStringLiteral("Ryilgun")), QString());
}

TEST(ProfileFile, ValuesAndKeysAreTrimmedOnReading) {
    const ProfileFile file = ProfileFile::fromText(
        QStringLiteral("  [ Vovirer ]  \nFirma =  Ağaç  Ltd.  \n\tRKKDF\t=\t5\t\nRvergi2=\n"));
    EXPECT_EQ(file.value(QStringLiteral("Vovirer"), QStringLiteral("Firma")),
              QStringLiteral("Ağaç  Ltd."));
    EXPECT_EQ(file.value(QStringLiteral("Vovirer"), QStringLiteral("RKKDF")), QStringLiteral("5"));
    EXPECT_EQ(file.value(QStringLiteral("Vovirer"), QStringLiteral("Rvergi2")), QString());
}

TEST(ProfileFile, FirstSectionAndFirstKeyWin) {
    const ProfileFile file =
        ProfileFile::fromText(QStringLiteral("[A]\nk=1\nk=2\n[a]\nk=3\nj=4\n"));
    EXPECT_EQ(file.value(QStringLiteral("A"), QStringLiteral("k")), QStringLiteral("1"));
    EXPECT_EQ(file.value(QStringLiteral("A"), QStringLiteral("j")), QString());
}

TEST(ProfileFile, SettingAValueKeepsTheRestOfTheText) {
    const QString original = QStringLiteral(
        "; yorum\n[Diğer]\nx = 1\n\n[VOVIRER]\nryilgun = 360\nRayfaiz=24\n\n[Son]\nz=9");
    ProfileFile file = ProfileFile::fromText(original);
    file.setValue(QStringLiteral("Vovirer"), QStringLiteral("Ryilgun"), QStringLiteral("365"));
    EXPECT_EQ(file.text(),
              QStringLiteral(
                  "; yorum\n[Diğer]\nx = 1\n\n[VOVIRER]\nryilgun=365\nRayfaiz=24\n\n[Son]\nz=9"));
    file.setValue(QStringLiteral("vovirer"), QStringLiteral("Firma"), QStringLiteral("Ağaç"));
    EXPECT_EQ(
        file.text(),
        QStringLiteral("; yorum\n[Diğer]\nx = "
                       "1\n\n[VOVIRER]\nryilgun=365\nRayfaiz=24\nFirma=Ağaç\r\n\n[Son]\nz=9"));
    file.setValue(QStringLiteral("Yeni"), QStringLiteral("k"), QStringLiteral("v"));
    EXPECT_EQ(
        file.text(),
        QStringLiteral("; yorum\n[Diğer]\nx = "
                       "1\n\n[VOVIRER]\nryilgun=365\nRayfaiz=24\nFirma=Ağaç\r\n\n[Son]\nz=9\r\n"
                       "[Yeni]\r\nk=v\r\n"));
}

TEST(ProfileFile, WritingCreatesTheFileAndKeepsOtherBytes) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Ayarlar.ini"));
    EXPECT_EQ(ReadProfileString(path, QStringLiteral("S"), QStringLiteral("k")), QString());
    ASSERT_TRUE(WriteProfileStrings(path, QStringLiteral("S"),
                                    {{QStringLiteral("k"), QStringLiteral("Şeker")}}));
    EXPECT_EQ(ReadFile(path), QByteArray("[S]\r\nk="
                                         "\xDE"
                                         "eker\r\n"));
    EXPECT_EQ(ReadProfileString(path, QStringLiteral("s"), QStringLiteral("K")),
              QStringLiteral("Şeker"));

    // Bytes outside the section, odd ones included, stay as they were.
    const QByteArray other = "[X]\r\nraw=\x81\x9D\xFF\r\n";
    WriteFile(path, other + "[S]\r\nk=1\r\n");
    ASSERT_TRUE(WriteProfileStrings(path, QStringLiteral("S"),
                                    {{QStringLiteral("k"), QStringLiteral("2")}}));
    EXPECT_EQ(ReadFile(path), other + "[S]\r\nk=2\r\n");
    EXPECT_EQ(testfiles::entries(dir.path()), QStringList{QStringLiteral("Ayarlar.ini")});
}

TEST(ProfileFile, WriteFailuresLeaveNothingBehind) {
    QTemporaryDir dir;
    EXPECT_FALSE(WriteProfileStrings(dir.filePath(QStringLiteral("yok/Ayarlar.ini")),
                                     QStringLiteral("S"),
                                     {{QStringLiteral("k"), QStringLiteral("v")}}));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Ayarlar.ini")));
    EXPECT_FALSE(WriteProfileStrings(dir.filePath(QStringLiteral("Ayarlar.ini")),
                                     QStringLiteral("S"),
                                     {{QStringLiteral("k"), QStringLiteral("v")}}));
    EXPECT_EQ(testfiles::entries(dir.path()), QStringList{QStringLiteral("Ayarlar.ini")});
}

// A settings file can only be small: one over the limit reads as empty and is never
// rewritten (the keys written would replace whatever it held); one at the limit is read.
TEST(ProfileFile, AFileOverTheLimitIsNeitherReadNorRewritten) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Ayarlar.ini"));
    const QByteArray atLimit =
        "[Vovirer]\r\nRyilgun=365\r\n" + QByteArray(ProfileFile::kLargestFile - 24, '\n');
    ASSERT_EQ(atLimit.size(), ProfileFile::kLargestFile);
    const struct {
        QByteArray bytes;
        bool tooLarge;
    } cases[] = {{atLimit, false}, {atLimit + '\n', true}, {QByteArray(16 << 20, '\n'), true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.size());
        WriteFile(path, c.bytes);
        bool tooLarge = false;
        const ProfileFile file = ProfileFile::read(path, &tooLarge);
        EXPECT_EQ(tooLarge, c.tooLarge);
        EXPECT_EQ(file.value(QStringLiteral("Vovirer"), QStringLiteral("Ryilgun")),
                  c.tooLarge ? QString() : QStringLiteral("365"));
        EXPECT_EQ(WriteProfileStrings(path, QStringLiteral("Vovirer"),
                                      {{QStringLiteral("Rayfaiz"), QStringLiteral("24")}}),
                  !c.tooLarge);
        if (c.tooLarge) {
            EXPECT_EQ(ReadFile(path), c.bytes);
        }
    }
}
