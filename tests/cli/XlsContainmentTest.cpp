// The window reads .xls files through vovirer in a child process.
#include <gtest/gtest.h>

#include <QFile>

#include "sheets/PreviewGrid.h"
#include "sheets/WorkbookReader.h"
#include "sheets/XlsContainment.h"
#include "tests/support/TestFolder.h"

// The window reads an .xls through the reader program in a child process: the same sheet as
// read in process; a reader that crashes, hangs or refuses the file ends in a message naming
// the file, and the caller goes on.
TEST(XlsContainment, TheChildGivesTheSameSheetAndItsFailuresAreNamed) {
    const QString xls = QStringLiteral(SHEETS_FIXTURES "/hareket.xls");
    const sheets::XlsContainment vovirer{QStringLiteral(VOVIRER_PATH)};
    sheets::PreviewGrid inProcess;
    sheets::PreviewGrid contained;
    sheets::ReadIntoPreview(inProcess, xls);
    sheets::ReadIntoPreview(contained, xls, vovirer);
    ASSERT_EQ(contained.rowCount(), inProcess.rowCount());
    ASSERT_EQ(contained.columnCount(), inProcess.columnCount());
    for (int r = 0; r < inProcess.rowCount(); ++r) {
        for (int c = 0; c < inProcess.columnCount(); ++c) {
            EXPECT_EQ(contained.cell(c, r), inProcess.cell(c, r)) << r << "," << c;
        }
    }

    testsupport::TestFolder folder;
    const QString crashes = folder.write(QStringLiteral("crash.sh"), "#!/bin/sh\nkill -SEGV $$\n");
    const QString hangs = folder.write(QStringLiteral("hang.sh"), "#!/bin/sh\nexec sleep 30\n");
    const QString refuses = folder.write(
        QStringLiteral("refuse.sh"), "#!/bin/sh\necho 'vovirer: Dosya Okunamıyor:' >&2\nexit 2\n");
    for (const QString& script : {crashes, hangs, refuses}) {
        QFile::setPermissions(script, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    }
    const struct {
        QString program;
        const char* message;
    } cases[] = {
        {crashes, "okuyucu program durdu"},
        {hangs, "1 saniyede okunamadı"},
        {refuses, "Dosya Okunamıyor:"},
        {folder / QStringLiteral("yok"), "başlatılamadı"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        try {
            sheets::ReadWorkbook(xls, sheets::XlsContainment{c.program, 1000});
            ADD_FAILURE() << "read";
        } catch (const sheets::ReadError& e) {
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.message)))
                << e.message().toStdString();
        }
    }
}

// A real .xls on which the library crashes (four bytes of a valid workbook changed): read in
// the child, it ends in a message naming the file, and the caller goes on.
TEST(XlsContainment, AWorkbookThatCrashesTheLibraryIsNamedNotFatal) {
    const QString xls = QStringLiteral(CLI_FIXTURES "/freexl-crash.xls");
    try {
        sheets::ReadWorkbook(xls, sheets::XlsContainment{QStringLiteral(VOVIRER_PATH)});
        ADD_FAILURE() << "read";
    } catch (const sheets::ReadError& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Dosya Okunamıyor:\n") + xls));
        EXPECT_TRUE(e.message().contains(QStringLiteral("okuyucu program durdu")))
            << e.message().toStdString();
    }
}
