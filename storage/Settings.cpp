#include "storage/Settings.h"

#include <QDir>
#include <utility>
#include <vector>

#include "core/Errors.h"
#include "storage/Cp1254.h"
#include "storage/ProfileFile.h"

namespace storage {
namespace {

struct Entry {
    QString key;
    QString label;  // the field's label, for messages
    QString value;
};

QString tick(bool ticked) { return ticked ? QStringLiteral("1") : QStringLiteral("2"); }

[[noreturn]] void cannotWrite(const QString& path, const QString& detail = QString()) {
    QString text = QStringLiteral("Unable to write to ") + path;
    if (!detail.isEmpty()) text += QStringLiteral(": ") + detail;
    throw core::CalcError(text);
}

// All keys of one command in one safe write: a text the file cannot hold is found before
// anything is written, and a failed write leaves the whole file as it was.
void writeSection(const QString& path, const QString& section, const std::vector<Entry>& entries) {
    ProfileValues values;
    values.reserve(entries.size());
    for (const Entry& entry : entries) {
        if (const auto sentence = UnwritableCharacter(
                QLatin1Char('"') + entry.label + QStringLiteral("\" alanı"), entry.value)) {
            cannotWrite(path, *sentence);
        }
        values.emplace_back(entry.key, entry.value);
    }
    if (!WriteProfileStrings(path, section, values)) cannotWrite(path);
}

}  // namespace

QString SettingsFilePath(const QString& programFolder) {
    return QDir::cleanPath(QDir(programFolder).filePath(kSettingsFileName));
}

void ReadMainSettings(core::Calculation& calc, const QString& settingsPath) {
    const ProfileFile file = ProfileFile::read(settingsPath);
    const auto value = [&](const char* key) {
        return file.value(kMainSection, QString::fromLatin1(key));
    };
    core::TableInputs& in = calc.inputs();
    in.daysInYear = value("Ryilgun");
    // Reading never reports anything; a driving rate text that is no number leaves the
    // other field as it was (only possible once the user has given a field the focus).
    try {
        calc.setAnnualRateText(value("Rayfaiz"));
    } catch (const core::CalcError&) {
    }
    try {
        calc.setMonthlyRateText(value("Ryilfaiz"));
    } catch (const core::CalcError&) {
    }
    in.repaymentExtraDays = value("Ralacakgun");
    in.bsmvRate = value("RKKDF");
    in.vergi2Rate = value("Rvergi2");
    in.companyName = value("Firma");
    in.moveRepaymentsPastHolidays = value("RalacakCheck") == QLatin1String("1");
}

void WriteMainSettings(const core::TableInputs& in, const QString& settingsPath) {
    writeSection(settingsPath, kMainSection,
                 {
                     {QStringLiteral("Ryilgun"), QStringLiteral("Yıldaki Gün"), in.daysInYear},
                     {QStringLiteral("Rayfaiz"), QStringLiteral("Yıllık Faiz"), in.annualRate},
                     {QStringLiteral("Ryilfaiz"), QStringLiteral("Aylık Faiz"), in.monthlyRate},
                     {QStringLiteral("Ralacakgun"), QStringLiteral("Dorud Geri Ödeme Gün Ekle"),
                      in.repaymentExtraDays},
                     {QStringLiteral("RKKDF"), QStringLiteral("BSMV"), in.bsmvRate},
                     {QStringLiteral("Rvergi2"), QStringLiteral("Vergi2"), in.vergi2Rate},
                     {QStringLiteral("Firma"), QStringLiteral("Firma Adı"), in.companyName},
                     {QStringLiteral("RalacakCheck"), QStringLiteral("Dorud Geri Ödeme Tatil Ekle"),
                      tick(in.moveRepaymentsPastHolidays)},
                 });
}

ImportSettings ReadImportSettings(const QString& settingsPath) {
    const ProfileFile file = ProfileFile::read(settingsPath);
    const auto value = [&](const char* key) {
        return file.value(kImportSection, QString::fromLatin1(key));
    };
    ImportSettings s;
    s.valueDateColumn = value("Rvade");
    s.transactionDateColumn = value("Rislem");
    s.descriptionColumn = value("Raciklama");
    s.drawingColumn = value("Rborc");
    s.repaymentColumn = value("Ralacak");
    s.firstRow = value("Rbasla");
    s.lastRow = value("Rbitir");
    s.valueDateIsTransactionDate = value("RvadeCheck") == QLatin1String("1");
    return s;
}

void WriteImportSettings(const ImportSettings& s, const QString& settingsPath) {
    writeSection(
        settingsPath, kImportSection,
        {
            {QStringLiteral("Rvade"), QStringLiteral("Valör Tarihi Sütunu"), s.valueDateColumn},
            {QStringLiteral("Rislem"), QStringLiteral("İşlem Tarihi Sütunu"),
             s.transactionDateColumn},
            {QStringLiteral("Raciklama"), QStringLiteral("Açıklama Sütunu"), s.descriptionColumn},
            {QStringLiteral("Rborc"), QStringLiteral("Dorud Kullanım Sütunu"), s.drawingColumn},
            {QStringLiteral("Ralacak"), QStringLiteral("Dorud Ödeme Sütunu"), s.repaymentColumn},
            {QStringLiteral("Rbasla"), QStringLiteral("Başlama Satırı"), s.firstRow},
            {QStringLiteral("Rbitir"), QStringLiteral("Bitiş Satırı"), s.lastRow},
            {QStringLiteral("RvadeCheck"), QStringLiteral("Valör Tarihi Aynı Zamanda İşlem Tarihi"),
             tick(s.valueDateIsTransactionDate)},
        });
}

}  // namespace storage
