// Every file the program writes, made to fail at each step of the write: the writer reports
// the failure with the path and leaves the previous file byte for byte, and no file behind.
#include <gtest/gtest.h>

#include <QDate>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <functional>

#include "core/Calculation.h"
#include "core/Errors.h"
#include "core/RecordingDialogs.h"
#include "files/SafeWriteCalls.h"
#include "output/report/PageLayout.h"
#include "output/report/PagePainter.h"
#include "output/workbook/WorkbookExport.h"
#include "storage/CalculationFile.h"
#include "storage/Settings.h"
#include "tests/files/InjectedFaults.h"
#include "tests/support/TestFolder.h"

namespace {

using testsupport::ReadFile;

report::LaidOutReport twoPageReport() {
    report::ReportText text;
    text.heading = QStringLiteral("Başlık");
    text.columnHeader = QStringLiteral("   Valör Tarihi");
    for (int i = 1; i <= 100; ++i) text.body.push_back(QStringLiteral("satır %1").arg(i));
    return report::LayOutReport(report::FilledReportTemplate(report::ReportWidth::Normal, text),
                                QDate(2026, 12, 10));
}

// A writer under test: writes to the path and returns the failure's text, or an empty text.
struct Writer {
    const char* name;
    std::function<QString(const QString& path)> write;
    QString expectedStart;  // what the failure's text begins with, before the path
};

QString caught(const std::function<void()>& write) {
    try {
        write();
    } catch (const core::CommandFailure& e) {
        return e.message();
    }
    return QString();
}

const QString kCannotSaveLine = QStringLiteral("Dosya Saklanamıyor:\n");

std::vector<Writer> writers(core::Calculation& calc) {
    return {
        {"calculation file",
         [&calc](const QString& path) { return storage::WriteCalculationFile(calc, path).message; },
         kCannotSaveLine},
        {"settings",
         [&calc](const QString& path) {
             return caught([&] { storage::WriteMainSettings(calc.inputs(), path); });
         },
         QStringLiteral("Unable to write to ")},
        {"exported workbook",
         [&calc](const QString& path) {
             return caught(
                 [&] { output::WriteWorkbook(calc, path, output::WorkbookLayout::Export); });
         },
         kCannotSaveLine},
        {"report PDF",
         [](const QString& path) {
             return report::WriteReportPdf(twoPageReport(), path).value_or(QString());
         },
         kCannotSaveLine},
    };
}

TEST(WritersOnAFailingDisk, EachReportsTheFailureAndKeepsThePreviousFile) {
    core::RecordingDialogs dialogs;
    core::Calculation calc(dialogs);
    calc.inputs().creditLineName = QStringLiteral("Şube Rotatif");
    calc.inputs().calculationDate = QDate(2019, 6, 15);
    const QByteArray old = "the previous file\r\n";
    for (const Writer& writer : writers(calc)) {
        SCOPED_TRACE(writer.name);
        QTemporaryDir dir;
        const QString existing = dir.filePath(QStringLiteral("eski"));
        const QString fresh = dir.filePath(QStringLiteral("yeni"));

        // Without a fault each writes its file.
        EXPECT_EQ(writer.write(fresh), QString());
        EXPECT_GT(ReadFile(fresh).size(), 0);
        ASSERT_TRUE(QFile::remove(fresh));

        for (const testfiles::InjectedFault& fault : testfiles::kInjectedFaults) {
            SCOPED_TRACE(fault.name);
            {
                QFile file(existing);
                ASSERT_TRUE(file.open(QIODevice::WriteOnly));
                ASSERT_EQ(file.write(old), old.size());
            }
            const files::ScopedSafeWriteCalls failing(testfiles::withFault(fault));
            const QString failure = writer.write(existing);
            EXPECT_TRUE(failure.startsWith(writer.expectedStart + existing))
                << failure.toStdString();
            EXPECT_EQ(ReadFile(existing), old);
            EXPECT_FALSE(writer.write(fresh).isEmpty());
            EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                      QStringList{QStringLiteral("eski")});
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);  // fonts for the report's pages
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
