#pragma once

#include <QDialog>
#include <functional>
#include <memory>

#include "output/report/PageLayout.h"
#include "ui/report/PreviewPageView.h"

class QPrinter;
class QToolButton;

namespace ui {

class PreviewPages;

// What the preview asks of the user; the tests answer without dialogs.
struct PreviewServices {
    // A path for "Sakla" / a PDF for "Aç"; empty when the user cancels.
    std::function<QString(QWidget* parent)> chooseSavePath;
    std::function<QString(QWidget* parent)> chooseOpenPath;
    // Lets the user choose the printer, the copies and the pages; false when cancelled.
    std::function<bool(QPrinter& printer, int pageCount, QWidget* parent)> choosePrinter;
    // Shows a failure (error icon, the application's title).
    std::function<void(const QString& text, QWidget* parent)> showError;

    static PreviewServices standard();
};

// The modal print preview of a laid-out report: a zoom button with its menu, "Yazdır",
// "Sakla", "Aç" and "Kapat" over the pages.
class ReportPreviewWindow : public QDialog {
    Q_OBJECT
  public:
    ReportPreviewWindow(report::LaidOutReport report, PreviewServices services,
                        QWidget* parent = nullptr);
    ~ReportPreviewWindow() override;

    // Shows the preview maximised and returns when the user closes it.
    void run();

    PreviewPageView& pageView() { return *view_; }
    const PreviewPages& pages() const { return *pages_; }

    // The toolbar's commands.
    void print();
    void savePdf();
    void openPdf();
    void setZoomPercent(int percent);
    void setFit(PreviewPageView::Fit fit);

  private:
    void buildToolbar();
    void showZoom();

    PreviewServices services_;
    std::unique_ptr<PreviewPages> pages_;
    PreviewPageView* view_ = nullptr;
    QToolButton* zoomButton_ = nullptr;
    bool landscape_ = false;
};

}  // namespace ui
