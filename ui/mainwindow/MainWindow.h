#pragma once

#include <QDate>
#include <QMainWindow>
#include <QUrl>
#include <chrono>
#include <functional>
#include <memory>
#include <vector>

#include "commands/SavedContent.h"
#include "core/Calculation.h"
#include "core/ChangeHistory.h"
#include "output/report/PageLayout.h"
#include "output/report/PagePainter.h"
#include "storage/RecentFiles.h"
#include "storage/RecoveryCopy.h"
#include "ui/common/FileChooser.h"

class QAction;
class QDragEnterEvent;
class QDropEvent;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTimer;

namespace output {
class PreparedWorkbook;
}

namespace ui {

class DesktopDefaults;
class TransactionGrid;
class ProgramUpdate;
class RecoveryKeeper;
struct ProgramUpdateSettings;

// What the main window needs from its surroundings; the program passes the real ones, the
// tests recorders and fakes.
struct MainWindowServices {
    core::UserDialogs* dialogs = nullptr;
    FileChooser* files = nullptr;
    std::function<QString()> defaultPrinterName;
    // Whether the report can be printed to a file (a PDF) without any printer.
    std::function<bool()> canPrintToFile = report::CanWriteReportPdf;
    std::function<void(const QUrl&)> openUrl;
    // Opens a document with the desktop's application; `failed` runs when none starts.
    std::function<void(const QString& path, std::function<void()> failed)> openDocument;
    QString programFolder;                                // ends with a separator
    std::shared_ptr<const ProgramUpdateSettings> update;  // none: the maker's server
    // Shows the laid-out report; without it, the modal print preview does.
    std::function<void(report::LaidOutReport)> showReportPreview;
    // Today's date: the calculation date at start-up, the export's name, the report's date.
    std::function<QDate()> today = [] { return QDate::currentDate(); };
    // The list of recent calculation files; empty: none is kept.
    QString recentFilesList;
    // Where recovery copies of unsaved work go; empty: none are written.
    QString recoveryFolder;
    std::chrono::milliseconds recoveryInterval{30'000};
    // How long typing pauses before the export's workbook is made ahead; after a command it is
    // made as soon as the window has shown the result.
    std::chrono::milliseconds exportPreparationDelay{250};
};

// The main window: the command column, the parameters panel, the transaction table and the
// totals. It owns the calculation; every command works on it through the core and the
// window only shows the result.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(MainWindowServices services, QWidget* parent = nullptr);
    ~MainWindow() override;

    core::Calculation& calculation() { return calc_; }
    TransactionGrid& grid() { return *grid_; }
    QMenu& popupMenu() { return *tableMenu_; }

    bool askBeforeClose() const { return askBeforeClose_; }
    void setAskBeforeClose(bool ask) { askBeforeClose_ = ask; }

    // Shows the table inputs and totals as the core holds them.
    void showInputsAndTotals();
    // Shows the table, then the inputs and totals: what a command may have changed.
    void showCalculation();

    // Commands, as their buttons and menu items run them.
    void saveCalculation();  // İŞLEMİ KAYDET
    void openCalculation();  // KAYITTAN AÇ
    // A calculation file named on the command line, opened as KAYITTAN AÇ opens the file its
    // dialog returns; a file that is not there is reported as unreadable, as a dialog could
    // never have returned it.
    void openCalculationFile(const QString& path);
    void saveRates();          // ORANLARI SAKLA
    void recalculateAll();     // YENİDEN HESAPLA
    void resetTable();         // SIFIRLA
    void sortRows();           // KAYITLARI SIRALA
    void changeRates();        // FAİZLERİ DEĞİŞTİR
    void findRate();           // FAİZ ORANINI BUL
    void insertRow();          // Satır Ekle
    void deleteRow();          // Satır Sil
    void openMakerHomePage();  // the maker's home page
    void exportWorkbook();     // EXCEL'E VERİ AKTAR
    void mailWorkbook();       // the mail picture button
    void updateProgram();      // PROGRAMI GÜNCELLE
    void showHelp();           // the help picture button
    void openUserGuide();      // KULLANIM KILAVUZU
    void printReport();        // YAZDIR
    void printWideReport();    // GENİŞ YAZDIR

    // Asks the desktop in the background which programs show a workbook and a mail, so that
    // the export and the mail command need not wait for it; the program calls it once idle.
    void askDesktopInBackground();
    DesktopDefaults& desktopDefaults() { return *desktop_; }
    // The export's workbook made ahead.
    const output::PreparedWorkbook& preparedExport() const { return *preparedExport_; }

    // Takes back, respectively does again, the last change of the calculation.
    void undo();
    void redo();
    // The clipboard: the selected cells as tab-separated text; a block from the current cell.
    void copyBlock();
    void pasteBlock();
    const core::ChangeHistory& history() const { return history_; }
    // Whether the calculation differs from what was last opened or saved.
    bool hasUnsavedChanges() const;
    // With unsaved changes, asks whether to save them first; false: the user cancelled or
    // the save did not happen.
    bool mayDiscardChanges();
    // Runs a change of the calculation made elsewhere (the import's transfer) as one step.
    static const QString kImportStep;
    void recordChange(const QString& label, const std::function<void()>& work);

    // The calculation files last opened or saved, newest first; opening one of them.
    const QStringList& recentFiles() const { return recent_.names(); }
    void openRecentFile(const QString& path);
    QMenu& recentFilesMenu() { return *recentMenu_; }

    // Offers the work a killed program left behind, newest first; called once the window shows.
    void offerRecovery();
    RecoveryKeeper& recovery() { return *recovery_; }

  signals:
    // "EXCEL'DEN VERİ AL": the import window is to open.
    void importRequested();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    struct TextBinding {
        QLineEdit* field;
        QString core::TableInputs::*input;
    };
    struct TotalBinding {
        QLineEdit* field;
        QString core::TableTotals::*total;
    };

    void loadStartingState();
    void printReportOf(report::ReportWidth width);
    void warnWhenNothingCanPrint();
    QString settingsPath() const;

    // Layout.
    void buildWindow();
    QWidget* buildCommandColumn();
    QWidget* buildTitleBar();
    QWidget* buildParametersPanel();
    QWidget* buildTotalsPanel();
    void buildPopupMenu();
    void buildStatusBar();
    void setTabOrders();
    void makeHolidayCalendarChoice(QWidget* panel);
    // Puts the calendar chosen (0 the program's table, 1 the official one) into the
    // calculation, with the user's additions beside the settings file.
    void chooseHolidayCalendar(int choice);
    void applyFieldBehaviour();

    // Commands that change the table end by showing it again, whatever stopped them.
    template <typename Work>
    void runCommand(Work&& work);
    // The same for a command that changes the calculation: one undo step named `label`.
    void runRecordedCommand(const QString& label, const std::function<void()>& work);
    // The same without showing the title, for a command that shows it in its own way.
    void runRecordedCommandUntitled(const QString& label, const std::function<void()>& work);
    // Records what was typed since the last step as a step of its own.
    void recordTyping();
    // Undo or redo through `step` (false: nothing to take), the window then shown anew.
    void stepThroughHistory(const std::function<bool()>& step);
    // The same once a cell or field edit is done, when anything was typed.
    void commitTyping();
    void typed();
    // The state that counts as saved is the calculation as it stands now, from `path`.
    void takeAsSaved(const QString& path);
    void showTitle();
    void showTitle(bool unsaved);
    bool saveTo(const std::optional<QString>& name);
    // Opens a file as KAYITTAN AÇ does once its dialog returned it.
    void openFile(const QString& path);
    void buildRecentFilesButton(QWidget* openButton);
    void fillRecentFilesMenu();
    void startRecoveryCopies();
    std::optional<storage::RecoveryCopy> takeRecoveryCopy() const;
    bool restoreRecoveryCopy(const QString& copyFile);
    void buildHistoryActions();
    void fillHistoryMenuItems();
    void bindInputs();
    void writeFieldToInputs(QLineEdit* field);
    // The export's workbook, made ahead once the calculation has stood still for `delay`.
    void prepareExportSoon(std::chrono::milliseconds delay);
    void prepareExport();

    MainWindowServices services_;
    core::Calculation calc_;
    bool askBeforeClose_ = false;
    ProgramUpdate* programUpdate_ = nullptr;  // made on the first update, a child
    core::ChangeHistory history_;
    commands::SavedContent saved_;
    QString filePath_;  // the file last opened or saved; empty for a new table
    // The calculation as the last step left it, to find typing done since.
    std::optional<core::CalculationSnapshot> afterLastStep_;
    bool typedSinceLastStep_ = false;
    QAction* undoItem_ = nullptr;
    QAction* redoItem_ = nullptr;
    storage::RecentFiles recent_;
    QMenu* recentMenu_ = nullptr;
    RecoveryKeeper* recovery_ = nullptr;  // a child
    std::unique_ptr<DesktopDefaults> desktop_;
    std::unique_ptr<output::PreparedWorkbook> preparedExport_;
    QTimer* exportPreparationTimer_ = nullptr;  // a child

    TransactionGrid* grid_ = nullptr;
    QMenu* tableMenu_ = nullptr;
    QLineEdit* creditLineNameField = nullptr;
    QLineEdit* companyNameField = nullptr;
    QLineEdit* annualRateField = nullptr;
    QLineEdit* monthlyRateField = nullptr;
    QLineEdit* bsmvRateField = nullptr;
    QLineEdit* vergi2RateField = nullptr;
    QLineEdit* daysInYearField = nullptr;
    QLineEdit* repaymentExtraDaysField = nullptr;
    QLineEdit* drawingExtraDaysField = nullptr;
    QLineEdit* targetTotalInterestField = nullptr;
    QCheckBox* moveDrawingsPastHolidaysField = nullptr;
    QCheckBox* moveRepaymentsPastHolidaysField = nullptr;
    QComboBox* holidayCalendarField = nullptr;
    QDateEdit* calculationDateField = nullptr;
    std::vector<QPushButton*> commandButtons_;
    QPushButton* wideReportButton_ = nullptr;  // last in the command column's tab order
    QPushButton* findRateButton = nullptr;
    std::vector<TextBinding> textBindings_;
    std::vector<TotalBinding> totalBindings_;
};

}  // namespace ui
