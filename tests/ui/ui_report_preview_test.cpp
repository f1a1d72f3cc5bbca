// The print preview over a long report: it paints only the pages in view, zooms, scrolls,
// saves the pages as PDF, opens a saved PDF again and prints a page range.
#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QPdfDocument>
#include <QPrinter>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include "MainWindowFixture.h"
#include "output/report/PageLayout.h"
#include "tests/files/InjectedFaults.h"
#include "ui/report/PreviewPages.h"
#include "ui/report/ReportPreviewWindow.h"
#include "ui/report/ReportTextWindow.h"

namespace {

report::LaidOutReport longReport(int lines, report::ReportWidth width) {
    report::ReportText text;
    text.heading = QStringLiteral("Uzun Rapor");
    text.columnHeader = QStringLiteral("   Valör Tarihi Açıklama");
    for (int i = 1; i <= lines; ++i) text.body.push_back(QStringLiteral("%1 satır").arg(i));
    return report::LayOutReport(report::FilledReportTemplate(width, text), QDate(2026, 12, 10));
}

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

int pdfPageCount(const QString& path) {
    QPdfDocument document;
    if (document.load(path) != QPdfDocument::Error::None) return -1;
    return document.pageCount();
}

}  // namespace

class ReportPreviewTest : public QObject {
    Q_OBJECT
  private slots:
    void toolbarAndTitle();
    void paintsOnlyThePagesInView();
    void zoomsAndScrolls();
    void savesOpensAndPrints();
    void aFailedSaveKeepsThePreviousFile();
    void printCommandsOfTheMainWindow();
    void recalculationErrorOpensNoPreview();

  private:
    ui::PreviewServices services() {
        ui::PreviewServices s;
        s.chooseSavePath = [this](QWidget*) { return savePath; };
        s.chooseOpenPath = [this](QWidget*) { return openPath; };
        s.choosePrinter = [this](QPrinter& printer, int, QWidget*) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(printPath);
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(2, 3);
            return true;
        };
        s.showError = [this](const QString& text, QWidget*) { errors.push_back(text); };
        return s;
    }

    QTemporaryDir dir;
    QString savePath;
    QString openPath;
    QString printPath;
    QStringList errors;
};

void ReportPreviewTest::toolbarAndTitle() {
    ui::ReportPreviewWindow preview(longReport(10, report::ReportWidth::Normal), services());
    QCOMPARE(preview.windowTitle(), QStringLiteral("Durvex Rapor Önizleme - Vovirer kredi raporu"));
    QVERIFY(preview.isModal());
    QStringList texts;
    for (QAction* action : preview.findChild<QToolBar*>()->actions()) {
        if (auto* button = qobject_cast<QToolButton*>(
                preview.findChild<QToolBar*>()->widgetForAction(action))) {
            texts.push_back(button->text().endsWith(QLatin1Char('%')) ? QStringLiteral("zoom")
                                                                      : button->text());
        }
    }
    QCOMPARE(texts,
             (QStringList{QStringLiteral("zoom"), QStringLiteral("Yazdır"), QStringLiteral("Sakla"),
                          QStringLiteral("Aç"), QStringLiteral("Kapat")}));
    QStringList zooms;
    for (QAction* action : preview.findChild<QMenu*>(QStringLiteral("zoomMenu"))->actions()) {
        if (!action->isSeparator()) zooms.push_back(action->text());
    }
    QCOMPARE(zooms, (QStringList{"200%", "150%", "100%", "75%", "50%", "25%", "10%",
                                 "Sayfa genişliği", "Tüm sayfa", "İki sayfa"}));
}

void ReportPreviewTest::paintsOnlyThePagesInView() {
    auto report = longReport(6500, report::ReportWidth::Normal);
    QVERIFY(report.pages.size() > 90);
    ui::ReportPreviewWindow preview(std::move(report), services());
    preview.resize(1000, 800);
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    preview.pageView().viewport()->repaint();
    QVERIFY(preview.pages().paintedPages() > 0);
    QVERIFY2(preview.pages().paintedPages() <= 4,
             qPrintable(QString::number(preview.pages().paintedPages())));
}

void ReportPreviewTest::zoomsAndScrolls() {
    ui::ReportPreviewWindow preview(longReport(400, report::ReportWidth::Normal), services());
    preview.resize(1000, 800);
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    auto& view = preview.pageView();
    const double pageWidth = view.zoomPercent();
    preview.setFit(ui::PreviewPageView::Fit::WholePage);
    QVERIFY(view.zoomPercent() < pageWidth);
    preview.setFit(ui::PreviewPageView::Fit::TwoPages);
    QVERIFY(view.zoomPercent() < pageWidth);
    preview.setZoomPercent(50);
    QCOMPARE(qRound(view.zoomPercent()), 50);
    QCOMPARE(preview.findChild<QToolButton*>(QStringLiteral("zoomButton"))->text(),
             QStringLiteral("50%"));

    preview.setZoomPercent(100);
    QCOMPARE(view.firstVisiblePage(), 0);
    view.setFocus();
    QTest::keyClick(&view, Qt::Key_PageDown);
    QTest::keyClick(&view, Qt::Key_PageDown);
    QVERIFY(view.verticalScrollBar()->value() > 0);
    QVERIFY(view.firstVisiblePage() >= 1);
    QTest::keyClick(&view, Qt::Key_End);
    QCOMPARE(view.verticalScrollBar()->value(), view.verticalScrollBar()->maximum());
}

void ReportPreviewTest::savesOpensAndPrints() {
    const auto report = longReport(190, report::ReportWidth::Normal);
    const int pages = static_cast<int>(report.pages.size());
    QCOMPARE(pages, 3);
    ui::ReportPreviewWindow preview(report, services());
    preview.resize(900, 700);
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));

    savePath = dir.filePath(QStringLiteral("rapor.pdf"));
    preview.savePdf();
    QCOMPARE(pdfPageCount(savePath), pages);

    // A failed save leaves the file that was there.
    savePath = dir.filePath(QStringLiteral("yok/rapor.pdf"));
    preview.savePdf();
    QCOMPARE(errors.size(), 1);
    QVERIFY(errors[0].startsWith(QStringLiteral("Dosya Saklanamıyor:\n")));

    openPath = dir.filePath(QStringLiteral("rapor.pdf"));
    preview.openPdf();
    QCOMPARE(preview.pages().count(), pages);
    QVERIFY(dynamic_cast<const ui::PdfPages*>(&preview.pages()));
    preview.setFit(ui::PreviewPageView::Fit::TwoPages);
    preview.pageView().viewport()->repaint();
    QCOMPARE(preview.pages().paintedPages(), 3);  // two pages side by side and the third below

    printPath = dir.filePath(QStringLiteral("printed.pdf"));
    preview.print();
    QCOMPARE(pdfPageCount(printPath), 2);

    openPath = dir.filePath(QStringLiteral("bozuk.pdf"));
    QFile broken(openPath);
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("not a pdf");
    broken.close();
    preview.openPdf();
    QCOMPARE(errors.size(), 2);
    QCOMPARE(errors[1], QStringLiteral("Dosya Okunamıyor:\n") + openPath);
    QCOMPARE(preview.pages().count(), pages);
}

namespace {

QStringList textsOn(const report::LaidOutPage& page) {
    QStringList texts;
    for (const auto& placed : page.texts) texts.push_back(placed.text);
    return texts;
}

void click(QWidget& window, const char* name) {
    auto* button = window.findChild<QAbstractButton*>(QLatin1String(name));
    QVERIFY2(button, name);
    QTest::mouseClick(button, Qt::LeftButton);
}

}  // namespace

// Both kinds of pages, the report laid out and a PDF opened again, save through the one safe
// write: an opened PDF comes back byte for byte, and a write that fails at any step keeps the
// file that was there.
void ReportPreviewTest::aFailedSaveKeepsThePreviousFile() {
    const QString opened = dir.filePath(QStringLiteral("acilan.pdf"));
    const ui::ReportPages report(longReport(80, report::ReportWidth::Wide));
    QCOMPARE(report.savePdf(opened), QString());
    const std::unique_ptr<ui::PdfPages> pdf = ui::PdfPages::open(opened);
    QVERIFY(pdf);
    const QString copy = dir.filePath(QStringLiteral("kopya.pdf"));
    QCOMPARE(pdf->savePdf(copy), QString());
    QCOMPARE(bytesOf(copy), bytesOf(opened));

    const QString existing = dir.filePath(QStringLiteral("eski.pdf"));
    const QByteArray old = "the previous file";
    const std::pair<const char*, const ui::PreviewPages*> kinds[] = {{"report", &report},
                                                                     {"opened PDF", pdf.get()}};
    for (const auto& [kind, pages] : kinds) {
        for (const testfiles::InjectedFault& fault : testfiles::kInjectedFaults) {
            QFile file(existing);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(old), old.size());
            file.close();
            const files::ScopedSafeWriteCalls failing(testfiles::withFault(fault));
            const QString failure = pages->savePdf(existing);
            QVERIFY2(failure.startsWith(QStringLiteral("Dosya Saklanamıyor:\n") + existing +
                                        QLatin1Char('\n')),
                     qPrintable(QStringLiteral("%1, %2: %3")
                                    .arg(QLatin1String(kind), QLatin1String(fault.name), failure)));
            QCOMPARE(bytesOf(existing), old);
        }
    }
}

void ReportPreviewTest::printCommandsOfTheMainWindow() {
    testing_ui::MainWindowFixture f;
    auto* buffer = new ui::ReportTextWindow(&f.window());
    f.typeWorkedExample();
    f.focusOn(f.field("firmaadiEdit"));
    f.type(QStringLiteral("Örnek A.Ş."));

    click(f.window(), "BitBtn28");
    QCOMPARE(f.previews.size(), std::size_t(1));
    const report::LaidOutReport& normal = f.previews[0];
    QCOMPARE(normal.title, QStringLiteral("Durvex Rapor Önizleme - Vovirer kredi raporu"));
    QVERIFY(!normal.landscape);
    QCOMPARE(normal.pages.size(), std::size_t(1));
    const QStringList page = textsOn(normal.pages[0]);
    QVERIFY(page.contains(QStringLiteral("Örnek A.Ş.")));
    QVERIFY(page.contains(QStringLiteral("Sayfa 1")));
    QVERIFY(page.contains(QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"))));
    // The buffer holds the body: two table rows, the totals, the summary.
    const QStringList body = buffer->lines();
    QCOMPARE(body.size(), 2 + 13);
    QVERIFY(page.contains(body[0]));
    QVERIFY(body[0].startsWith(QStringLiteral("1    01.03.2019 Kullanim")));
    QCOMPARE(body[3].mid(40, 14), QStringLiteral("        100,00"));

    click(f.window(), "BitBtn7");
    QCOMPARE(f.previews.size(), std::size_t(2));
    QVERIFY(f.previews[1].landscape);
    QCOMPARE(buffer->lines().size(), body.size());
    QCOMPARE(buffer->lines()[0].size(), 136);

    click(f.window(), "YazdirButton");
    QCOMPARE(f.previews.size(), std::size_t(3));
    QVERIFY(!f.previews[2].landscape);
    QCOMPARE(buffer->lines(), body);
    QVERIFY(f.dialogs().texts().isEmpty());
}

void ReportPreviewTest::recalculationErrorOpensNoPreview() {
    testing_ui::MainWindowFixture f;
    f.typeWorkedExample();
    f.focusOn(f.field("yildakigunEdit"));
    f.field("yildakigunEdit")->selectAll();
    f.type(QStringLiteral("0"));
    f.dialogs().clear();
    click(f.window(), "BitBtn28");
    QVERIFY(f.previews.empty());
    QCOMPARE(f.dialogs().texts().size(), 1);
    QVERIFY(f.dialogs().texts()[0].contains(QStringLiteral("Yıldaki Gün")));
}

QTEST_MAIN(ReportPreviewTest)
#include "ui_report_preview_test.moc"
