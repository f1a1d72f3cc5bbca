// Undo, redo, the unsaved mark and the question before unsaved work is thrown away, in the
// real window with real keys and mouse.

#include <signal.h>

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QTest>
#include <QToolButton>

#include "core/BlockPaste.h"
#include "files/ReadWholeFile.h"
#include "storage/CalculationFile.h"
#include "storage/RecentFiles.h"
#include "storage/RecoveryCopy.h"
#include "tests/ui/MainWindowFixture.h"
#include "ui/mainwindow/RecoveryKeeper.h"

using testing_ui::MainWindowFixture;

namespace {

namespace col = core::col;

// What a save would write: equal bytes, equal calculations.
QByteArray savedBytes(MainWindowFixture& f) {
    QString problem;
    return storage::EncodeCalculationFile(f.calc(), &problem).value_or(QByteArray());
}

// The centre of a cell on screen, in the grid's viewport.
QPoint cellCentre(MainWindowFixture& f, int column, int row) {
    return f.grid().visualRect(f.grid().tableModel().indexOfCell(column, row)).center();
}

QStringList recoveryCopies(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("kurtarma-*.fdr")}, QDir::Files);
}

QAction* menuItem(const QMenu& menu, const QString& captionStart) {
    for (QAction* action : menu.actions()) {
        if (action->text().startsWith(captionStart)) return action;
    }
    return nullptr;
}

}  // namespace

class WorkProtectionTest : public QObject {
    Q_OBJECT
  private slots:
    void typingMarksTheTitleAndUndoTakesItBack();
    void deletedRowComesBackAndTheMenuNamesTheStep();
    void closeWithUnsavedChangesAsksToSave();
    void resetWithUnsavedChangesAsksToSave();
    void savingClearsTheMark();
    void pastedBlockIsOneStep();
    void copiedBlockIsWhatTheGridShows();
    void spreadsheetBlockPastesAsTyped();
    void openingIsAStepAndRecentFilesKeepTheFile();
    void droppedFileOpensAsKayittanAc();
    void recoveryCopyFollowsUnsavedWork();
    void killedProgramsWorkIsOffered();
};

void WorkProtectionTest::typingMarksTheTitleAndUndoTakesItBack() {
    MainWindowFixture f;
    const QString untouched = f.window().windowTitle();
    QVERIFY(!f.window().hasUnsavedChanges());
    f.typeWorkedExample();
    const int typedRows = f.table().rowCount();
    // Each field and cell typed in is a step of its own.
    QVERIFY(f.window().history().undoCount() >= 5);
    QVERIFY(f.window().windowTitle().endsWith(QStringLiteral(" *")));
    f.clickCell(1, 1);
    MainWindowFixture::key(Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(f.table().rowCount(), typedRows + 1);

    MainWindowFixture::key(Qt::Key_Z, Qt::ControlModifier);  // the inserted row
    QCOMPARE(f.table().rowCount(), typedRows);
    QCOMPARE(f.cell(1, 1), QStringLiteral("01.03.2019"));
    MainWindowFixture::key(Qt::Key_Z, Qt::ControlModifier);  // the value date of row 2
    QCOMPARE(f.cell(2, 2), QString());
    QCOMPARE(f.cell(3, 1), QStringLiteral("Kullanim"));
    while (f.window().history().canUndo()) MainWindowFixture::key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(f.cell(1, 1), QString());
    QCOMPARE(f.text("yillikfaizNetEdit"), QString());
    QVERIFY(!f.window().hasUnsavedChanges());
    QCOMPARE(f.window().windowTitle(), untouched);

    MainWindowFixture::key(Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(f.text("yillikfaizNetEdit"), QStringLiteral("24"));
    while (f.window().history().canRedo()) {
        MainWindowFixture::key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    }
    QCOMPARE(f.table().rowCount(), typedRows + 1);
    QCOMPARE(f.cell(1, 2), QStringLiteral("01.03.2019"));
}

void WorkProtectionTest::deletedRowComesBackAndTheMenuNamesTheStep() {
    MainWindowFixture f;
    f.typeWorkedExample();
    const int rows = f.table().rowCount();
    f.clickCell(1, 1);
    f.dialogs().setDefaultAnswer(core::DialogButton::Yes);
    MainWindowFixture::key(Qt::Key_Delete, Qt::ShiftModifier);
    QCOMPARE(f.table().rowCount(), rows - 1);

    QMenu& menu = f.window().popupMenu();
    emit menu.aboutToShow();
    QAction* undo = menuItem(menu, QStringLiteral("Geri Al"));
    QVERIFY(undo);
    QCOMPARE(undo->text(), QStringLiteral("Geri Al: Satır Sil"));
    undo->trigger();
    QCOMPARE(f.table().rowCount(), rows);
    QCOMPARE(f.cell(1, 1), QStringLiteral("01.03.2019"));
    emit menu.aboutToShow();
    QCOMPARE(menuItem(menu, QStringLiteral("Yinele"))->text(), QStringLiteral("Yinele: Satır Sil"));
}

// With unsaved changes the close question comes first, unchanged; the save question follows
// a Yes, and its cancel keeps the program open.
void WorkProtectionTest::closeWithUnsavedChangesAsksToSave() {
    MainWindowFixture f;
    f.typeWorkedExample();
    f.dialogs().queueAnswer(core::DialogButton::Yes);
    f.dialogs().queueAnswer(core::DialogButton::Cancel);
    QVERIFY(!f.window().close());
    const auto& asked = f.dialogs().questions();
    QCOMPARE(asked.size(), std::size_t(2));
    QCOMPARE(asked[0].text, QStringLiteral("Programı kapatmak istediğinize eminmisiniz?"));
    QCOMPARE(asked[1].text, QStringLiteral("Yapılan değişiklikler kaydedilmedi. Kaydedilsin mi?"));

    // Yes to saving with a save dialog cancelled: nothing saved, so the program stays.
    f.files().savePath.reset();
    f.dialogs().queueAnswer(core::DialogButton::Yes);
    f.dialogs().queueAnswer(core::DialogButton::Yes);
    QVERIFY(!f.window().close());
    QVERIFY(f.window().hasUnsavedChanges());

    f.dialogs().queueAnswer(core::DialogButton::Yes);
    f.dialogs().queueAnswer(core::DialogButton::No);
    QVERIFY(f.window().close());
}

// SIFIRLA asks its own question first; the save question follows a Yes.
void WorkProtectionTest::resetWithUnsavedChangesAsksToSave() {
    MainWindowFixture f;
    f.typeWorkedExample();
    const int rows = f.table().rowCount();
    f.dialogs().queueAnswer(core::DialogButton::Yes);
    f.dialogs().queueAnswer(core::DialogButton::Cancel);
    MainWindowFixture::key(Qt::Key_F7);
    QCOMPARE(f.table().rowCount(), rows);
    QCOMPARE(f.dialogs().questions().back().text,
             QStringLiteral("Yapılan değişiklikler kaydedilmedi. Kaydedilsin mi?"));
    QVERIFY(!f.window().history().canUndo() ||
            f.window().history().undoLabel() != QStringLiteral("Sıfırla"));

    f.dialogs().queueAnswer(core::DialogButton::Yes);
    f.dialogs().queueAnswer(core::DialogButton::No);
    MainWindowFixture::key(Qt::Key_F7);
    QCOMPARE(f.table().rowCount(), 2);
    MainWindowFixture::key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(f.table().rowCount(), rows);
}

void WorkProtectionTest::savingClearsTheMark() {
    MainWindowFixture f;
    f.typeWorkedExample();
    f.files().savePath = f.folder() + QStringLiteral("hesap.fdr");
    f.dialogs().queueAnswer(core::DialogButton::Yes);
    f.window().saveCalculation();
    QVERIFY(!f.window().hasUnsavedChanges());
    QVERIFY(f.window().windowTitle().endsWith(QStringLiteral(" - hesap.fdr")));
    f.dialogs().queueAnswer(core::DialogButton::Yes);  // the close question, unchanged
    QVERIFY(f.window().close());
    QCOMPARE(f.dialogs().questions().back().text,
             QStringLiteral("Programı kapatmak istediğinize eminmisiniz?"));
}

void WorkProtectionTest::pastedBlockIsOneStep() {
    MainWindowFixture f;
    f.calc().inputs().annualRate = QStringLiteral("24");
    f.calc().inputs().daysInYear = QStringLiteral("360");
    f.clickCell(1, 1);
    QGuiApplication::clipboard()->setText(
        QStringLiteral("01.03.2019\t\tKullanım\t1.000\n31.03.2019\t\tFaiz\t\n"));
    MainWindowFixture::key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f.cell(4, 1), QStringLiteral("1.000,00"));
    QCOMPARE(f.cell(9, 2), QStringLiteral("20,00"));
    QCOMPARE(f.window().history().undoLabel(), QStringLiteral("Yapıştır"));

    // A bad cell pastes nothing and says which.
    QGuiApplication::clipboard()->setText(QStringLiteral("01.03.2019\t\tX\tbin\n"));
    MainWindowFixture::key(Qt::Key_V, Qt::ControlModifier);
    QVERIFY(f.dialogs().texts().back().contains(QStringLiteral("\"bin\"")));
    QCOMPARE(f.cell(3, 1), QStringLiteral("Kullanım"));

    MainWindowFixture::key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(f.cell(4, 1), QString());
    QCOMPARE(f.table().rowCount(), 2);
}

// Dragging over cells marks a block; Ctrl+C puts it on the clipboard as the grid shows it,
// in the grid's column order, and pasting it elsewhere gives the same rows.
void WorkProtectionTest::copiedBlockIsWhatTheGridShows() {
    MainWindowFixture f;
    f.typeWorkedExample();
    f.clickCell(col::TransactionDate, 1);
    QWidget* viewport = f.grid().viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, cellCentre(f, col::TransactionDate, 1));
    QMouseEvent drag(QEvent::MouseMove, cellCentre(f, col::Drawn, 2),
                     viewport->mapToGlobal(cellCentre(f, col::Drawn, 2)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &drag);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, cellCentre(f, col::Drawn, 2));
    MainWindowFixture::key(Qt::Key_C, Qt::ControlModifier);
    const QString expected = QStringLiteral("01.03.2019\t01.03.2019\tKullanim\t100,00\n") +
                             f.cell(col::TransactionDate, 2) + QStringLiteral("\t31.03.2019\t") +
                             f.cell(col::Description, 2) + QLatin1Char('\t') +
                             f.cell(col::Drawn, 2) + QLatin1Char('\n');
    QCOMPARE(QGuiApplication::clipboard()->text(), expected);

    // Shift+click from the current cell marks the same way; the context menu copies too.
    f.clickCell(col::Description, 1);
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ShiftModifier, cellCentre(f, col::Repaid, 1));
    QGuiApplication::clipboard()->clear();
    menuItem(f.window().popupMenu(), QStringLiteral("Kopyala"))->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Kullanim\t100,00\t\n"));

    // A drag may start in the current cell, where the cell editor takes the mouse.
    f.clickCell(col::Description, 1);
    QLineEdit* editor = f.grid().cellEditor();
    QVERIFY(editor);
    QTest::mousePress(editor, Qt::LeftButton, {}, editor->rect().center());
    const QPoint below = editor->mapFrom(viewport, cellCentre(f, col::Description, 2));
    QMouseEvent dragDown(QEvent::MouseMove, below, editor->mapToGlobal(below), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(editor, &dragDown);
    QTest::mouseRelease(editor, Qt::LeftButton, {}, below);
    MainWindowFixture::key(Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(),
             QStringLiteral("Kullanim\n") + f.cell(col::Description, 2) + QLatin1Char('\n'));

    // A key ends the block: the current cell alone is copied.
    MainWindowFixture::key(Qt::Key_Right);
    MainWindowFixture::key(Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), f.cell(f.table().currentColumn(), 1));

    // Pasted into another window, the rows come as they were.
    MainWindowFixture other;
    QGuiApplication::clipboard()->setText(expected);
    other.clickCell(col::TransactionDate, 1);
    MainWindowFixture::key(Qt::Key_V, Qt::ControlModifier);
    for (int r = 1; r <= 2; ++r) {
        for (int c = col::TransactionDate; c <= col::Drawn; ++c) {
            QCOMPARE(other.cell(c, r), f.cell(c, r));
        }
    }
}

// 20 movements as LibreOffice Calc puts them on the clipboard from a Turkish sheet (dates as
// dd.mm.yyyy, amounts with grouping and two decimals), made from calc_clipboard_20.fods with
// Calc's own text export of the cells as shown: pasted, they give the same table as typing
// them into the grid.
void WorkProtectionTest::spreadsheetBlockPastesAsTyped() {
    const std::optional<QByteArray> clipboard =
        files::ReadWholeFile(QStringLiteral(WORK_PROTECTION_FIXTURES "/calc_clipboard_20.txt"));
    QVERIFY(clipboard);
    const core::CellBlock block = core::ReadTabSeparated(QString::fromUtf8(*clipboard), 100, 16);
    QCOMPARE(block.size(), std::size_t(20));

    const auto withRates = [](MainWindowFixture& f) {
        f.focusOn(f.field("yillikfaizNetEdit"));
        MainWindowFixture::type(QStringLiteral("24"));
        f.focusOn(f.field("yildakigunEdit"));
        MainWindowFixture::type(QStringLiteral("365"));
        f.focusOn(f.field("KKDFNetEdit"));
        MainWindowFixture::type(QStringLiteral("5"));
    };
    MainWindowFixture pasted;
    withRates(pasted);
    pasted.clickCell(col::TransactionDate, 1);
    QGuiApplication::clipboard()->setText(QString::fromUtf8(*clipboard));
    MainWindowFixture::key(Qt::Key_V, Qt::ControlModifier);
    QVERIFY(pasted.dialogs().texts().isEmpty());

    // Typed as a user types them: digits of the dates, amounts with the decimal comma only;
    // Enter walks the row to the next one.
    MainWindowFixture typed;
    withRates(typed);
    typed.clickCell(col::TransactionDate, 1);
    const auto digits = [](QString text) { return text.remove(QLatin1Char('.')); };
    for (const QStringList& row : block) {
        MainWindowFixture::type(digits(row.value(0)));
        MainWindowFixture::key(Qt::Key_Return);
        // The value date comes copied from the transaction date; another one is typed over it.
        if (row.value(1) != row.value(0)) MainWindowFixture::type(digits(row.value(1)));
        MainWindowFixture::key(Qt::Key_Return);
        MainWindowFixture::type(row.value(2));
        for (int c = 3; c <= 5; ++c) {
            MainWindowFixture::key(Qt::Key_Return);
            MainWindowFixture::type(digits(row.value(c)));
        }
        MainWindowFixture::key(Qt::Key_Return);  // the rate column
        MainWindowFixture::key(Qt::Key_Return);  // on to the next row
    }
    QVERIFY(typed.dialogs().texts().isEmpty());
    for (int r = 1; r <= 20; ++r) {
        for (int c = 0; c < core::TransactionTable::ColumnCount; ++c) {
            QVERIFY2(pasted.cell(c, r) == typed.cell(c, r),
                     qPrintable(QStringLiteral("row %1 column %2: %3 / %4")
                                    .arg(r)
                                    .arg(c)
                                    .arg(pasted.cell(c, r), typed.cell(c, r))));
        }
    }
    QCOMPARE(pasted.text("toplamfaizEdit"), typed.text("toplamfaizEdit"));
    QVERIFY(!pasted.text("toplamfaizEdit").isEmpty());
}

// KAYITTAN AÇ is a step (undo brings the table before it back); files opened or saved lead
// the recent files, kept for the next start; a file gone is dropped from them with a message.
void WorkProtectionTest::openingIsAStepAndRecentFilesKeepTheFile() {
    MainWindowFixture f;
    f.typeWorkedExample();
    const QString saved = f.folder() + QStringLiteral("ornek.fdr");
    f.files().savePath = saved;
    f.window().saveCalculation();
    const QByteArray typed = savedBytes(f);

    f.dialogs().setDefaultAnswer(core::DialogButton::Yes);
    MainWindowFixture::key(Qt::Key_F7);
    QCOMPARE(f.table().rowCount(), 2);
    const QString other = f.folder() + QStringLiteral("bos.fdr");
    f.files().savePath = other;
    f.window().saveCalculation();
    QCOMPARE(f.window().recentFiles(), (QStringList{other, saved}));

    f.files().openPath = saved;
    f.window().openCalculation();
    QCOMPARE(savedBytes(f), typed);
    QVERIFY(f.window().windowTitle().endsWith(QStringLiteral(" - ornek.fdr")));
    QCOMPARE(f.window().history().undoLabel(), QStringLiteral("Kayıttan Aç"));
    f.window().undo();
    QCOMPARE(f.table().rowCount(), 2);
    f.window().redo();
    QCOMPARE(savedBytes(f), typed);
    QCOMPARE(f.window().recentFiles(), (QStringList{saved, other}));
    QCOMPARE(storage::RecentFiles(f.recentFilesList()).names(), (QStringList{saved, other}));

    // The drop-down beside KAYITTAN AÇ lists them by name and opens one in one step.
    auto* arrow = f.window().findChild<QToolButton*>(QStringLiteral("recentFilesButton"));
    QVERIFY(arrow && arrow->parentWidget()->objectName() == QStringLiteral("BitBtn46"));
    QMenu& menu = f.window().recentFilesMenu();
    emit menu.aboutToShow();
    QCOMPARE(menu.actions().size(), 2);
    QCOMPARE(menu.actions().at(1)->text(), QStringLiteral("bos.fdr"));
    menu.actions().at(1)->trigger();
    QCOMPARE(f.table().rowCount(), 2);

    QFile::remove(saved);
    f.dialogs().clear();
    f.window().openRecentFile(saved);
    QVERIFY(f.dialogs().texts().back().contains(saved));
    QCOMPARE(f.window().recentFiles(), QStringList{other});
    QCOMPARE(storage::RecentFiles(f.recentFilesList()).names(), QStringList{other});
}

void WorkProtectionTest::droppedFileOpensAsKayittanAc() {
    MainWindowFixture source;
    source.typeWorkedExample();
    const QString path = source.folder() + QStringLiteral("birakilan.fdr");
    QVERIFY(storage::WriteCalculationFile(source.calc(), path).ok);

    MainWindowFixture f;
    f.clickCell(col::Description, 1);
    MainWindowFixture::type(QStringLiteral("taslak"));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    const QPoint centre = f.window().rect().center();
    QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&f.window(), &enter);
    QVERIFY(enter.isAccepted());
    // The unsaved typing brings the save question first; cancel keeps it.
    f.dialogs().queueAnswer(core::DialogButton::Cancel);
    QDropEvent drop(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&f.window(), &drop);
    QCOMPARE(f.cell(col::Description, 1), QStringLiteral("taslak"));
    f.dialogs().queueAnswer(core::DialogButton::No);
    QDragEnterEvent enterAgain(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&f.window(), &enterAgain);
    QDropEvent again(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&f.window(), &again);
    QCOMPARE(f.cell(col::Description, 1), QStringLiteral("Kullanim"));
    QVERIFY(f.window().windowTitle().endsWith(QStringLiteral(" - birakilan.fdr")));

    QMimeData text;
    text.setUrls({QUrl::fromLocalFile(source.folder() + QStringLiteral("not.txt"))});
    QDragEnterEvent refused(centre, Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    refused.setAccepted(false);
    QApplication::sendEvent(&f.window(), &refused);
    QVERIFY(!refused.isAccepted());
}

// While there are unsaved changes a copy is kept in the recovery folder; a save, a "don't
// save" and a normal close remove it.
void WorkProtectionTest::recoveryCopyFollowsUnsavedWork() {
    MainWindowFixture f;
    f.window().recovery().setInterval(std::chrono::milliseconds(20));
    const QString copyFile = f.window().recovery().file();
    QVERIFY(copyFile.startsWith(f.recoveryFolder()));
    f.typeWorkedExample();
    QTRY_VERIFY(QFile::exists(copyFile));
    f.window().recovery().finishWriting();
    f.window().recovery().writeNow();
    f.window().recovery().finishWriting();
    const auto copy = storage::DecodeRecoveryCopy(*files::ReadWholeFile(copyFile));
    QVERIFY(copy);
    QCOMPARE(copy->content, savedBytes(f));
    QVERIFY(copy->fileName.isEmpty());
    QVERIFY(qAbs(copy->taken.secsTo(QDateTime::currentDateTime())) < 60);

    f.files().savePath = f.folder() + QStringLiteral("kayit.fdr");
    f.window().saveCalculation();
    QVERIFY(!QFile::exists(copyFile));

    f.clickCell(col::Description, 1);
    MainWindowFixture::type(QStringLiteral("x"));
    MainWindowFixture::key(Qt::Key_Tab);
    QTRY_VERIFY(QFile::exists(copyFile));
    f.window().recovery().finishWriting();
    f.dialogs().queueAnswer(core::DialogButton::Yes);  // close
    f.dialogs().queueAnswer(core::DialogButton::No);   // don't save
    QVERIFY(f.window().close());
    QVERIFY(!QFile::exists(copyFile));
}

// The program is killed (SIGKILL) with unsaved work; the next start offers it with when it was
// taken and which table it belonged to, and restores exactly what was typed.
void WorkProtectionTest::killedProgramsWorkIsOffered() {
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QStringLiteral(RECOVERY_CHILD), {});
    QVERIFY(child.waitForStarted());
    QVERIFY(child.waitForReadyRead(60'000));
    const QString childFolder = QString::fromUtf8(child.readLine()).trimmed();
    const QStringList copies = recoveryCopies(childFolder + QStringLiteral("kurtarma"));
    QCOMPARE(copies.size(), 1);
    ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
    QVERIFY(child.waitForFinished());
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);

    MainWindowFixture typed;
    typed.typeWorkedExample();
    MainWindowFixture f;
    QDir().mkpath(f.recoveryFolder());
    QVERIFY(QFile::copy(childFolder + QStringLiteral("kurtarma/") + copies.first(),
                        f.recoveryFolder() + copies.first()));
    QVERIFY(QDir(childFolder).removeRecursively());

    f.dialogs().queueAnswer(core::DialogButton::Yes);
    f.window().offerRecovery();
    const QString asked = f.dialogs().questions().back().text;
    QVERIFY2(asked.contains(QStringLiteral("kaydedilmemiş yeni tablo")), qPrintable(asked));
    QVERIFY2(asked.contains(QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"))),
             qPrintable(asked));
    QCOMPARE(savedBytes(f), savedBytes(typed));
    QVERIFY(f.window().windowTitle().endsWith(QStringLiteral(" *")));
    // The copy is this program's own now; a normal close without saving removes it.
    QCOMPARE(recoveryCopies(f.recoveryFolder()),
             QStringList{QFileInfo(f.window().recovery().file()).fileName()});
    f.dialogs().queueAnswer(core::DialogButton::Yes);
    f.dialogs().queueAnswer(core::DialogButton::No);
    QVERIFY(f.window().close());
    QVERIFY(recoveryCopies(f.recoveryFolder()).isEmpty());

    // Declined, a copy goes and is not offered again.
    MainWindowFixture g;
    QDir().mkpath(g.recoveryFolder());
    QFile copy(g.recoveryFolder() + QStringLiteral("kurtarma-999999999.fdr"));
    QVERIFY(copy.open(QIODevice::WriteOnly));
    copy.write(storage::EncodeRecoveryCopy({QDateTime::currentDateTime(), QString(), "x"}));
    copy.close();
    g.dialogs().queueAnswer(core::DialogButton::No);
    g.window().offerRecovery();
    QVERIFY(recoveryCopies(g.recoveryFolder()).isEmpty());
}

QTEST_MAIN(WorkProtectionTest)
#include "ui_work_protection_test.moc"
