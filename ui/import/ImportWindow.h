#pragma once

#include <QWidget>
#include <functional>
#include <optional>

#include "core/Calculation.h"
#include "sheets/PreviewGrid.h"
#include "sheets/XlsContainment.h"
#include "storage/Settings.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ui {

class SheetGridView;
class SheetTableModel;

// What the import window works on: the main window's calculation, which it fills, and the
// ways to show that calculation again, choose a workbook and find the settings file.
struct ImportWindowServices {
    core::Calculation* calculation = nullptr;
    std::function<void()> tableChanged;  // the main window shows its table again
    // The full path, empty when cancelled; the dialog stands over the window given.
    std::function<QString(QWidget* over)> chooseWorkbook;
    QString settingsPath;  // Ayarlar.ini
    // How .xls files are read: by the reader program in a child process when given.
    std::optional<sheets::XlsContainment> xlsContainment = std::nullopt;
    // Asked before the transfer replaces the table (whether to save unsaved changes first);
    // false cancels it.
    std::function<bool()> mayReplaceTable = {};
    // Runs the transfer as one step of the main window's undo history.
    std::function<void(const std::function<void()>& transfer)> recordChange = {};
};

// The import window: reads the first sheet of a workbook into a preview grid and transfers
// the chosen rows into the main window's table. Created hidden at start-up and only ever
// hidden, so the preview and the fields keep their contents between openings.
class ImportWindow : public QWidget {
    Q_OBJECT
  public:
    ImportWindow(QWidget* owner, ImportWindowServices services);
    ~ImportWindow() override;

    // "EXCEL'DEN VERİ AL": shows the window maximised, then reloads the fields from the
    // settings file and writes the version into the status bar. A window still open is only
    // brought to the front: its fields keep what was typed until it is closed.
    void open();

    void readWorkbook();     // "Excel Dosyası Aç"
    void transferToTable();  // "Vovirer Krediye Aktar"
    void clearPreview();     // "Yeni Dosya"
    void closeWindow();      // "Kapat": hides without storing the fields

    const sheets::PreviewGrid& preview() const;
    core::ImportSettings fields() const;
    void setFields(const core::ImportSettings& fields);

  signals:
    // The help button: the help window is to show the import topic.
    void helpRequested();

  private:
    void buildWindow();
    QWidget* buildBand();
    void showPreviewSizes(int columnWidth, int headerColumnWidth);

    ImportWindowServices services_;
    SheetTableModel* model_ = nullptr;
    SheetGridView* grid_ = nullptr;
    QLabel* versionPanel_ = nullptr;
    QCheckBox* valueDateIsTransactionDateBox_ = nullptr;
    struct FieldBinding {
        QLineEdit* field;
        QString core::ImportSettings::*setting;
    };
    std::vector<FieldBinding> fieldBindings_;
};

// The file dialog of "Excel Dosyası Aç", with its filters; empty when cancelled.
QString ChooseWorkbookWithDialog(QWidget* parent);

// Its filters, in their order.
QString WorkbookDialogFilters();

}  // namespace ui
