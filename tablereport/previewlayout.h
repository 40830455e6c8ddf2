#pragma once
// The arithmetic of the table-report preview without its window: which page
// is shown, which paging buttons apply, the status text, the best-fit zoom
// and where the page sits in the window.

#include <QPoint>
#include <QSize>
#include <QString>

namespace kx {

class TPreviewPaging {
public:
    int Current() const { return current_; }
    int Count() const { return count_; }
    // A new page count; the current page drops to the last when above it.
    void SetCount(int count);

    void First() { current_ = 1; }
    void Last() { current_ = count_; }
    void Prior();
    void Next();

    bool CanGoBack() const { return current_ > 1; }
    bool CanGoForward() const { return current_ < count_; }
    // "第1／3页", with a full-width solidus.
    QString StatusText() const;

private:
    int current_ = 1;
    int count_ = 1;
};

// The zoom percent that shows the whole page in the window, never above 100.
int BestFitZoom(QSize window, QSize page);

// The top left corner of the page control: 23 from the left unless the page
// is narrow enough to be centred in the client width, and centred in the
// window height but at least 10 from the top.
QPoint CentredPagePosition(int clientWidth, int windowHeight, QSize control);

// The smallest zoom the zoom-out button goes down to.
constexpr int kMinPreviewZoom = 10;

} // namespace kx
