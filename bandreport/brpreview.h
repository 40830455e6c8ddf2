#pragma once
// The preview control: a scrolling box with one page of a printer's pages,
// following the pages as a run makes them, zoomed or fitted to the box.

#include "bandreport/bandrep.h"
#include "platform/print/pagepicture.h"

#include <QPointer>
#include <QScrollArea>
#include <QWidget>

#include <functional>
#include <optional>

namespace kx {

class TBRPrinter;

// Draws a page (or, while designing, an empty sheet) with its frame and
// shadow in the rectangle.
void DrawMetafilePage(const print::TPagePicture* page, QPainter& canvas, const QRect& rect,
                      bool designing);

class TBRPreviewImage : public QWidget {
    Q_OBJECT
public:
    explicit TBRPreviewImage(QWidget* parent = nullptr);

    void SetPrinter(TBRPrinter* printer) { printer_ = printer; }
    int PageNumber() const { return pageNumber_; }
    void SetPage(int page);
    bool HasPage() const { return page_.has_value(); }
    int Zoom = 100;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPointer<TBRPrinter> printer_;
    int pageNumber_ = 1;
    std::optional<print::TPagePicture> page_;
};

using TBRPageAvailableEvent = std::function<void(QObject* sender, int pageNumber)>;
using TBRProgressUpdateEvent = std::function<void(QObject* sender, int progress)>;

class TBRPreview : public QScrollArea {
    Q_OBJECT
public:
    static constexpr int kMinZoom = 2;
    static constexpr int kMaxZoom = 2000;

    explicit TBRPreview(QWidget* parent = nullptr);
    ~TBRPreview() override;

    void AttachPrinter(TBRPrinter* printer);
    TBRPrinter* Printer() const { return printer_; }
    int PageNumber() const { return pageNumber_; }
    void SetPageNumber(int page);
    int Zoom() const { return zoom_; }
    void SetZoom(int zoom);
    TBRZoomState ZoomState() const { return zoomState_; }
    void FitWholePage();
    void FitPageWidth();
    void UpdateImageLayout();
    void ReapplyZoomMode();
    void RefreshPage();
    TBRPreviewImage* Image() const { return image_; }

    TBRPageAvailableEvent OnPageAvailable;
    TBRProgressUpdateEvent OnProgressUpdate;

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QSizeF PagePixels() const;

    TBRPreviewImage* image_;
    QPointer<TBRPrinter> printer_;
    int pageNumber_ = 1;
    int zoom_ = 100;
    TBRZoomState zoomState_ = TBRZoomState::brZoomOther;
};

} // namespace kx
