#include "update/ProgramFileCheck.h"

#include <elf.h>

#include <QFile>
#include <QLocale>

namespace update {
namespace {

struct ElfKind {
    int wordClass = 0;  // ELFCLASS32 or ELFCLASS64
    int byteOrder = 0;  // ELFDATA2LSB or ELFDATA2MSB
    int type = 0;       // ET_EXEC, ET_DYN, ...
    int machine = 0;    // EM_X86_64, ...
};

bool IsElf(const QByteArray& head) {
    return head.size() >= kElfHeadSize && head.startsWith(QByteArray(ELFMAG, SELFMAG));
}

int Half(const QByteArray& head, int offset, int byteOrder) {
    const auto low =
        static_cast<unsigned char>(head[byteOrder == ELFDATA2MSB ? offset + 1 : offset]);
    const auto high =
        static_cast<unsigned char>(head[byteOrder == ELFDATA2MSB ? offset : offset + 1]);
    return high << 8 | low;
}

ElfKind KindOf(const QByteArray& head) {
    ElfKind kind;
    kind.wordClass = static_cast<unsigned char>(head[EI_CLASS]);
    kind.byteOrder = static_cast<unsigned char>(head[EI_DATA]);
    kind.type = Half(head, 16, kind.byteOrder);
    kind.machine = Half(head, 18, kind.byteOrder);
    return kind;
}

QString MachineName(const ElfKind& kind) {
    QString name;
    switch (kind.machine) {
        case EM_X86_64:
            name = QStringLiteral("x86-64");
            break;
        case EM_386:
            name = QStringLiteral("x86");
            break;
        case EM_AARCH64:
            name = QStringLiteral("AArch64");
            break;
        case EM_ARM:
            name = QStringLiteral("ARM");
            break;
        case EM_RISCV:
            name = QStringLiteral("RISC-V");
            break;
        case EM_PPC64:
            name = QStringLiteral("PowerPC 64");
            break;
        case EM_S390:
            name = QStringLiteral("S/390");
            break;
        default:
            name = QStringLiteral("makine %1").arg(kind.machine);
            break;
    }
    return QStringLiteral("%1, %2 bit, %3")
        .arg(name, kind.wordClass == ELFCLASS64 ? QStringLiteral("64") : QStringLiteral("32"),
             kind.byteOrder == ELFDATA2MSB ? QStringLiteral("big-endian")
                                           : QStringLiteral("little-endian"));
}

// The first bytes as text, to show what came instead of a program (an HTML page, say).
QString Beginning(const QByteArray& head) {
    QString shown;
    for (const char c : head.left(16)) {
        shown += (c >= 0x20 && c < 0x7f) ? QChar::fromLatin1(c) : QChar(u'·');
    }
    return shown;
}

QString Bytes(qint64 count) { return QLocale(QLocale::Turkish, QLocale::Turkey).toString(count); }

}  // namespace

QByteArray OwnProgramHead() {
    QFile self(QStringLiteral("/proc/self/exe"));
    if (!self.open(QIODevice::ReadOnly)) return {};
    return self.read(kElfHeadSize);
}

QString ProgramFileProblem(const QByteArray& head, qint64 size, qint64 announcedSize,
                           const QByteArray& ownHead) {
    if (size == 0) return QStringLiteral("İndirilen dosya boş.");
    if (announcedSize >= 0 && size != announcedSize) {
        return QStringLiteral("İndirilen dosya eksik: %1 bayt geldi, sunucu %2 bayt bildirdi.")
            .arg(Bytes(size), Bytes(announcedSize));
    }
    if (!IsElf(head)) {
        return QStringLiteral("İndirilen dosya bir program değil; \"%1\" ile başlıyor.")
            .arg(Beginning(head));
    }
    const ElfKind kind = KindOf(head);
    if (kind.type != ET_EXEC && kind.type != ET_DYN) {
        return QStringLiteral("İndirilen dosya çalıştırılabilir bir program değil.");
    }
    if (!IsElf(ownHead)) return {};  // nothing to compare with; the header itself is sound
    const ElfKind own = KindOf(ownHead);
    if (kind.wordClass != own.wordClass || kind.byteOrder != own.byteOrder ||
        kind.machine != own.machine) {
        return QStringLiteral("İndirilen program bu makine için değil: %1 için, bu makine %2.")
            .arg(MachineName(kind), MachineName(own));
    }
    return {};
}

}  // namespace update
