#pragma once

#include <QMainWindow>
#include <QUrl>
#include <functional>
#include <vector>

#include "core/Calculation.h"
#include "ui/FileChooser.h"

class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace ui {

class StringGrid3;

// What the main window needs from its surroundings; the program passes the real ones, the
// tests recorders and fakes.
struct TrotatifFServices {
    core::UserDialogs* dialogs = nullptr;
    FileChooser* files = nullptr;
    std::function<QString()> defaultPrinterName;
    std::function<void(const QUrl&)> openUrl;
    QString programFolder;  // ends with a separator
};

// The main window: the command column, the parameters panel, the transaction table and the
// totals. It owns the calculation; every command works on it through the core and the
// window only shows the result.
class TrotatifF : public QMainWindow {
    Q_OBJECT
  public:
    explicit TrotatifF(TrotatifFServices services, QWidget* parent = nullptr);
    ~TrotatifF() override;

    core::Calculation& calculation() { return calc_; }
    StringGrid3& grid() { return *StringGrid3_; }
    QMenu& popupMenu() { return *PopupMenu6_; }

    bool askBeforeClose() const { return askBeforeClose_; }
    void setAskBeforeClose(bool ask) { askBeforeClose_ = ask; }

    // Shows the table inputs and totals as the core holds them.
    void showInputsAndTotals();

    // Commands, as their buttons and menu items run them.
    void BitBtn45Click();    // İŞLEMİ KAYDET
    void BitBtn46Click();    // KAYITTAN AÇ
    void BitBtn31Click();    // ORANLARI SAKLA
    void BitBtn1Click();     // YENİDEN HESAPLA
    void BitBtn4Click();     // SIFIRLA
    void BitBtn2Click();     // KAYITLARI SIRALA
    void BitBtn3Click();     // FAİZLERİ DEĞİŞTİR
    void BitBtn5Click();     // FAİZ ORANINI BUL
    void MenuItem11Click();  // Satır Ekle
    void MenuItem12Click();  // Satır Sil
    void Label9Click();      // the maker's home page

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    struct TextBinding {
        QLineEdit* field;
        QString core::TableInputs::*input;
    };
    struct TotalBinding {
        QLineEdit* field;
        QString core::TableTotals::*total;
    };

    void FormCreate();
    void warnWithoutDefaultPrinter();
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
    void applyFieldBehaviour();

    // Commands that change the table end by showing it again, whatever stopped them.
    template <typename Work>
    void runCommand(Work&& work);
    void bindInputs();
    void writeFieldToInputs(QLineEdit* field);

    TrotatifFServices services_;
    core::Calculation calc_;
    bool askBeforeClose_ = false;

    StringGrid3* StringGrid3_ = nullptr;
    QMenu* PopupMenu6_ = nullptr;
    QLineEdit* rotatifadiEdit = nullptr;
    QLineEdit* firmaadiEdit = nullptr;
    QLineEdit* yillikfaizNetEdit = nullptr;
    QLineEdit* aylikfaizNetEdit = nullptr;
    QLineEdit* KKDFNetEdit = nullptr;
    QLineEdit* vergi2NetEdit = nullptr;
    QLineEdit* yildakigunEdit = nullptr;
    QLineEdit* kredigeriodemeekEdit = nullptr;
    QLineEdit* kredikullanimekEdit = nullptr;
    QLineEdit* toplamfaizNetEdit = nullptr;
    QCheckBox* CheckBox8 = nullptr;
    QCheckBox* CheckBox9 = nullptr;
    QDateEdit* DateTimePicker61 = nullptr;
    std::vector<QPushButton*> commandButtons_;
    QPushButton* BitBtn5 = nullptr;
    std::vector<TextBinding> textBindings_;
    std::vector<TotalBinding> totalBindings_;
};

}  // namespace ui
