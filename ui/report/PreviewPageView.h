#pragma once

#include <QAbstractScrollArea>
#include <vector>

namespace ui {

class PreviewPages;

// Shows preview pages one below the other (or two side by side), painting only those in
// view. Scrolls with the bars, the page and arrow keys and the wheel.
class PreviewPageView : public QAbstractScrollArea {
    Q_OBJECT
  public:
    enum class Fit { None, PageWidth, WholePage, TwoPages };

    explicit PreviewPageView(QWidget* parent = nullptr);

    void setPages(PreviewPages* pages);
    PreviewPages* pages() const { return pages_; }

    // Percent of the paper's real size, or one of the fits (recomputed when the view resizes).
    void setZoomPercent(double percent);
    void setFit(Fit fit);
    Fit fit() const { return fit_; }
    double zoomPercent() const { return zoom_ * 100.0; }

    // The first page (0-based) whose row shows at the top of the view.
    int firstVisiblePage() const;

  signals:
    void zoomChanged();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    double pixelsPerMm() const;
    int pagesPerRow() const { return fit_ == Fit::TwoPages ? 2 : 1; }
    void relayout();
    QRectF pageRect(int page) const;

    PreviewPages* pages_ = nullptr;
    Fit fit_ = Fit::PageWidth;
    double zoom_ = 1.0;
    // Top of each row of pages and the whole height, in pixels at the current zoom.
    std::vector<int> rowTops_;
    int contentWidth_ = 0;
    int contentHeight_ = 0;
    int laidOutPerRow_ = 1;
};

}  // namespace ui
