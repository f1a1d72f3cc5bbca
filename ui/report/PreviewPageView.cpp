#include "ui/report/PreviewPageView.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

#include "ui/report/PreviewPages.h"

namespace ui {
namespace {

constexpr int kGap = 12;  // pixels around and between pages

}  // namespace

PreviewPageView::PreviewPageView(QWidget* parent) : QAbstractScrollArea(parent) {
    setObjectName(QStringLiteral("previewPages"));
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
}

void PreviewPageView::setPages(PreviewPages* pages) {
    pages_ = pages;
    relayout();
    verticalScrollBar()->setValue(0);
    viewport()->update();
}

void PreviewPageView::setZoomPercent(double percent) {
    fit_ = Fit::None;
    zoom_ = percent / 100.0;
    relayout();
}

void PreviewPageView::setFit(Fit fit) {
    fit_ = fit;
    relayout();
}

double PreviewPageView::pixelsPerMm() const { return zoom_ * logicalDpiX() / 25.4; }

// The zoom of a fit follows from the view's size and the first page's paper.
void PreviewPageView::relayout() {
    const int firstPage = firstVisiblePage();
    laidOutPerRow_ = pagesPerRow();
    rowTops_.clear();
    contentWidth_ = contentHeight_ = 0;
    if (pages_ && pages_->count() > 0) {
        const QSizeF paper = pages_->pageSizeMm(0);
        const double available = std::max(50, viewport()->width() - 2 * kGap);
        const double availableHeight = std::max(50, viewport()->height() - 2 * kGap);
        const double screenPerMm = logicalDpiX() / 25.4;
        switch (fit_) {
            case Fit::PageWidth:
                zoom_ = available / (paper.width() * screenPerMm);
                break;
            case Fit::WholePage:
                zoom_ = std::min(available / paper.width(), availableHeight / paper.height()) /
                        screenPerMm;
                break;
            case Fit::TwoPages:
                zoom_ = std::min((available - kGap) / (2 * paper.width()),
                                 availableHeight / paper.height()) /
                        screenPerMm;
                break;
            case Fit::None:
                break;
        }
        const double scale = pixelsPerMm();
        int top = kGap;
        for (int first = 0; first < pages_->count(); first += pagesPerRow()) {
            rowTops_.push_back(top);
            double rowHeight = 0;
            double rowWidth = kGap;
            for (int p = first; p < std::min(pages_->count(), first + pagesPerRow()); ++p) {
                const QSizeF mm = pages_->pageSizeMm(p);
                rowHeight = std::max(rowHeight, mm.height() * scale);
                rowWidth += mm.width() * scale + kGap;
            }
            top += static_cast<int>(std::ceil(rowHeight)) + kGap;
            contentWidth_ = std::max(contentWidth_, static_cast<int>(std::ceil(rowWidth)));
        }
        contentHeight_ = top;
    }
    horizontalScrollBar()->setRange(0, std::max(0, contentWidth_ - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    verticalScrollBar()->setRange(0, std::max(0, contentHeight_ - viewport()->height()));
    verticalScrollBar()->setPageStep(viewport()->height());
    verticalScrollBar()->setSingleStep(std::max(20, viewport()->height() / 20));
    // Keep the page that was at the top in view.
    if (firstPage >= 0 && firstPage / pagesPerRow() < static_cast<int>(rowTops_.size())) {
        verticalScrollBar()->setValue(
            rowTops_[static_cast<std::size_t>(firstPage / pagesPerRow())] - kGap);
    }
    viewport()->update();
    emit zoomChanged();
}

int PreviewPageView::firstVisiblePage() const {
    if (rowTops_.empty()) return -1;
    const int y = verticalScrollBar()->value();
    const auto it = std::upper_bound(rowTops_.begin(), rowTops_.end(), y + kGap);
    const int row = std::max(0, static_cast<int>(it - rowTops_.begin()) - 1);
    return row * laidOutPerRow_;
}

QRectF PreviewPageView::pageRect(int page) const {
    const double scale = pixelsPerMm();
    const int row = page / pagesPerRow();
    double x = kGap;
    for (int p = row * pagesPerRow(); p < page; ++p)
        x += pages_->pageSizeMm(p).width() * scale + kGap;
    const QSizeF mm = pages_->pageSizeMm(page);
    QRectF rect(x, rowTops_[static_cast<std::size_t>(row)], mm.width() * scale,
                mm.height() * scale);
    // Pages narrower than the view stand in its middle.
    const int spare = viewport()->width() - contentWidth_;
    return rect.translated(std::max(0, spare / 2) - horizontalScrollBar()->value(),
                           -verticalScrollBar()->value());
}

void PreviewPageView::paintEvent(QPaintEvent*) {
    if (!pages_ || rowTops_.empty()) return;
    QPainter painter(viewport());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const int top = verticalScrollBar()->value();
    const int bottom = top + viewport()->height();
    auto row = std::upper_bound(rowTops_.begin(), rowTops_.end(), top) - rowTops_.begin() - 1;
    for (row = std::max<std::ptrdiff_t>(0, row);
         row < static_cast<std::ptrdiff_t>(rowTops_.size()) &&
         rowTops_[static_cast<std::size_t>(row)] < bottom;
         ++row) {
        for (int page = static_cast<int>(row) * pagesPerRow();
             page < std::min(pages_->count(), static_cast<int>(row + 1) * pagesPerRow()); ++page) {
            const QRectF rect = pageRect(page);
            painter.fillRect(rect.translated(3, 3), QColor(0, 0, 0, 90));
            painter.fillRect(rect, Qt::white);
            painter.save();
            painter.setClipRect(rect);
            pages_->paint(painter, page, rect);
            painter.restore();
        }
    }
}

void PreviewPageView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    relayout();
}

void PreviewPageView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Home) {
        verticalScrollBar()->setValue(0);
    } else if (event->key() == Qt::Key_End) {
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    } else {
        QAbstractScrollArea::keyPressEvent(event);
    }
}

}  // namespace ui
