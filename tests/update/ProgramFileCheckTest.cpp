#include <elf.h>
#include <gtest/gtest.h>

#include "update/ProgramFileCheck.h"

namespace {

using update::OwnProgramHead;
using update::ProgramFileProblem;

// An ELF header's first bytes with the given kind, little-endian unless told.
QByteArray ElfHead(int wordClass, int machine, int type = ET_DYN, int byteOrder = ELFDATA2LSB) {
    QByteArray head(update::kElfHeadSize, '\0');
    head.replace(0, SELFMAG, ELFMAG);
    head[EI_CLASS] = char(wordClass);
    head[EI_DATA] = char(byteOrder);
    head[EI_VERSION] = EV_CURRENT;
    const bool big = byteOrder == ELFDATA2MSB;
    head[big ? 17 : 16] = char(type);
    head[big ? 19 : 18] = char(machine & 0xff);
    head[big ? 18 : 19] = char(machine >> 8);
    return head;
}

TEST(ProgramFileCheck, OwnProgramIsAnElfOfThisMachine) {
    const QByteArray own = OwnProgramHead();
    ASSERT_EQ(own.size(), update::kElfHeadSize);
    EXPECT_EQ(ProgramFileProblem(own, 1000, 1000), QString());
    EXPECT_EQ(ProgramFileProblem(own, 1000, -1), QString());  // nothing announced
}

TEST(ProgramFileCheck, RefusesWhatCannotBeTheNewProgram) {
    const QByteArray x86_64 = ElfHead(ELFCLASS64, EM_X86_64);
    struct Case {
        const char* what;
        QByteArray head;
        qint64 size;
        qint64 announced;
        const char* problem;  // a part of the text that names the fault
    };
    const Case cases[] = {
        {"empty", {}, 0, 0, "İndirilen dosya boş."},
        {"cut short", x86_64, 1500, 123456, "1.500 bayt geldi, sunucu 123.456 bayt bildirdi"},
        {"longer than announced", x86_64, 2000, 1000, "eksik"},
        {"an HTML page", "<!DOCTYPE html><html><body>404", 30, 30,
         "bir program değil; \"<!DOCTYPE html><\" ile başlıyor"},
        {"a Windows program", QByteArray("MZ\x90\0\3\0\0\0\4\0\0\0\xff\xff\0\0\xb8\0\0\0", 20), 20,
         20, "\"MZ··············\" ile başlıyor"},
        {"too short for a header",
         "\x7f"
         "ELF\2\1",
         6, 6, "bir program değil"},
        {"an object file", ElfHead(ELFCLASS64, EM_X86_64, ET_REL), 100, 100,
         "çalıştırılabilir bir program değil"},
        {"another machine", ElfHead(ELFCLASS64, EM_AARCH64), 100, 100,
         "AArch64, 64 bit, little-endian için, bu makine x86-64, 64 bit, little-endian"},
        {"another word size", ElfHead(ELFCLASS32, EM_X86_64), 100, 100, "32 bit"},
        {"another byte order", ElfHead(ELFCLASS64, EM_X86_64, ET_DYN, ELFDATA2MSB), 100, 100,
         "big-endian"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString problem = ProgramFileProblem(c.head, c.size, c.announced, x86_64);
        EXPECT_TRUE(problem.contains(QString::fromUtf8(c.problem))) << problem.toStdString();
    }
    EXPECT_EQ(ProgramFileProblem(ElfHead(ELFCLASS64, EM_X86_64, ET_EXEC), 100, 100, x86_64),
              QString());
}

}  // namespace
