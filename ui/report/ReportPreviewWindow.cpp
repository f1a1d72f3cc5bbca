#include "ui/report/ReportPreviewWindow.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/UserDialogs.h"
#include "files/FileMessages.h"
#include "ui/report/PreviewPages.h"

namespace ui {
namespace {

const QString kPdfFilter = QStringLiteral("PDF (*.pdf)");

QString withPdfSuffix(QString path) {
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".pdf");
    return path;
}

}  // namespace

PreviewServices PreviewServices::standard() {
    PreviewServices s;
    s.chooseSavePath = [](QWidget* parent) {
        return withPdfSuffix(QFileDialog::getSaveFileName(parent, QStringLiteral("Sakla"),
                                                          QStringLiteral("Rapor.pdf"), kPdfFilter));
    };
    s.chooseOpenPath = [](QWidget* parent) {
        return QFileDialog::getOpenFileName(parent, QStringLiteral("Aç"), QString(), kPdfFilter);
    };
    s.choosePrinter = [](QPrinter& printer, int pageCount, QWidget* parent) {
        QPrintDialog dialog(&printer, parent);
        dialog.setMinMax(1, pageCount);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange);
        dialog.setOption(QAbstractPrintDialog::PrintCollateCopies);
        dialog.setOption(QAbstractPrintDialog::PrintToFile);
        return dialog.exec() == QDialog::Accepted;
    };
    s.showError = [](const QString& text, QWidget* parent) {
        QMessageBox::critical(parent, core::kApplicationTitle, text);
    };
    return s;
}

ReportPreviewWindow::ReportPreviewWindow(report::LaidOutReport report, PreviewServices services,
                                         QWidget* parent)
    : QDialog(parent, Qt::Window), services_(std::move(services)), landscape_(report.landscape) {
    setObjectName(QStringLiteral("reportPreview"));
    setWindowTitle(report.title);
    setModal(true);
    pages_ = std::make_unique<ReportPages>(std::move(report));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildToolbar();
    view_ = new PreviewPageView(this);
    layout->addWidget(view_, 1);
    connect(view_, &PreviewPageView::zoomChanged, this, &ReportPreviewWindow::showZoom);
    view_->setPages(pages_.get());
    view_->setFocus();
}

ReportPreviewWindow::~ReportPreviewWindow() = default;

void ReportPreviewWindow::run() {
    setWindowState(windowState() | Qt::WindowMaximized);
    exec();
}

void ReportPreviewWindow::buildToolbar() {
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("previewToolbar"));
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    layout()->addWidget(bar);

    zoomButton_ = new QToolButton(bar);
    zoomButton_->setObjectName(QStringLiteral("zoomButton"));
    zoomButton_->setText(QStringLiteral("200%"));
    zoomButton_->setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(zoomButton_);
    menu->setObjectName(QStringLiteral("zoomMenu"));
    for (int percent : {200, 150, 100, 75, 50, 25, 10}) {
        menu->addAction(QStringLiteral("%1%").arg(percent), this,
                        [this, percent] { setZoomPercent(percent); });
    }
    menu->addSeparator();
    menu->addAction(QStringLiteral("Sayfa genişliği"), this,
                    [this] { setFit(PreviewPageView::Fit::PageWidth); });
    menu->addAction(QStringLiteral("Tüm sayfa"), this,
                    [this] { setFit(PreviewPageView::Fit::WholePage); });
    menu->addAction(QStringLiteral("İki sayfa"), this,
                    [this] { setFit(PreviewPageView::Fit::TwoPages); });
    zoomButton_->setMenu(menu);
    bar->addWidget(zoomButton_);

    const auto command = [&](const char* name, const QString& text,
                             void (ReportPreviewWindow::*slot)()) {
        QAction* action = bar->addAction(text, this, slot);
        action->setObjectName(QLatin1String(name));
    };
    command("printAction", QStringLiteral("Yazdır"), &ReportPreviewWindow::print);
    command("saveAction", QStringLiteral("Sakla"), &ReportPreviewWindow::savePdf);
    command("openAction", QStringLiteral("Aç"), &ReportPreviewWindow::openPdf);
    command("closeAction", QStringLiteral("Kapat"), &QDialog::reject);
}

void ReportPreviewWindow::showZoom() {
    zoomButton_->setText(QStringLiteral("%1%").arg(qRound(view_->zoomPercent())));
}

void ReportPreviewWindow::setZoomPercent(int percent) { view_->setZoomPercent(percent); }

void ReportPreviewWindow::setFit(PreviewPageView::Fit fit) { view_->setFit(fit); }

// Without a printer on the system the print dialog still offers printing to a PDF file.
void ReportPreviewWindow::print() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(windowTitle());
    printer.setFullPage(true);
    const QSizeF paper = pages_->pageSizeMm(0);
    printer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4),
                    paper.width() > paper.height() ? QPageLayout::Landscape : QPageLayout::Portrait,
                    QMarginsF(0, 0, 0, 0)));
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QDir::home().filePath(QStringLiteral("Rapor.pdf")));
    }
    printer.setFromTo(1, pages_->count());
    if (!services_.choosePrinter(printer, pages_->count(), this)) return;
    int first = 0;
    int last = pages_->count() - 1;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = printer.fromPage() - 1;
        last = std::min(last, printer.toPage() - 1);
    }
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
    if (!PrintPreviewPages(*pages_, printer, first, last, copies)) {
        services_.showError(QStringLiteral("Yazdırılamadı: ") + printer.printerName(), this);
    }
}

void ReportPreviewWindow::savePdf() {
    const QString path = services_.chooseSavePath(this);
    if (path.isEmpty()) return;
    const QString failure = pages_->savePdf(path);
    if (!failure.isEmpty()) services_.showError(failure, this);
}

void ReportPreviewWindow::openPdf() {
    const QString path = services_.chooseOpenPath(this);
    if (path.isEmpty()) return;
    std::unique_ptr<PdfPages> opened = PdfPages::open(path);
    if (!opened) {
        services_.showError(files::CannotReadMessage(path), this);
        return;
    }
    view_->setPages(opened.get());
    pages_ = std::move(opened);
}

}  // namespace ui
