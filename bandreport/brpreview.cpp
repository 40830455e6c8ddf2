#include "bandreport/brpreview.h"

#include "bandreport/brprinter.h"

#include <QPainter>
#include <QScrollBar>

namespace kx {

namespace {

// Without a printer the fits take a Letter sheet's millimetres as pixels.
constexpr qreal kLetterWidth = 215.9;
constexpr qreal kLetterLength = 279.4;
constexpr int kBorder = 4;

} // namespace

void DrawMetafilePage(const print::TPagePicture* page, QPainter& canvas, const QRect& rect,
                      bool designing) {
    if (!page && !designing)
        return;
    const int x = rect.x();
    const int y = rect.y();
    const int w = rect.width();
    const int h = rect.height();
    const QRect sheet(QPoint(x + 1, y + 1), QPoint(x + w - 4, y + h - 4));
    canvas.fillRect(sheet, Qt::white);
    if (page)
        page->Play(canvas, QRectF(x + 1, y + 1, w - 4, h - 4));
    canvas.setPen(Qt::black);
    canvas.setBrush(Qt::NoBrush);
    canvas.drawRect(QRect(QPoint(x, y), QPoint(x + w - 3, y + h - 3)));
    canvas.fillRect(QRect(QPoint(x + w - 2, y + 2), QPoint(x + w - 1, y + h - 1)), Qt::black);
    canvas.fillRect(QRect(QPoint(x + 2, y + h - 2), QPoint(x + w - 1, y + h - 1)), Qt::black);
}

TBRPreviewImage::TBRPreviewImage(QWidget* parent) : QWidget(parent) {
    resize(100, 50);
}

void TBRPreviewImage::SetPage(int page) {
    pageNumber_ = page;
    page_.reset();
    if (printer_)
        page_ = printer_->PageMetafile(page);
    update();
}

void TBRPreviewImage::paintEvent(QPaintEvent*) {
    QPainter canvas(this);
    DrawMetafilePage(page_ ? &*page_ : nullptr, canvas, rect(), false);
}

TBRPreview::TBRPreview(QWidget* parent) : QScrollArea(parent), image_(new TBRPreviewImage) {
    setWidget(image_);
    setWidgetResizable(false);
    setAlignment(Qt::AlignCenter);
    resize(250, 250);
}

TBRPreview::~TBRPreview() {
    AttachPrinter(nullptr);
}

void TBRPreview::AttachPrinter(TBRPrinter* printer) {
    if (printer_ && printer_->ProgressWindow == this) {
        printer_->SetShowingPreview(false);
        printer_->ProgressWindow = nullptr;
    }
    printer_ = printer;
    image_->SetPrinter(printer);
    if (printer) {
        printer->ProgressWindow = this;
        printer->SetShowingPreview(true);
    }
    SetPageNumber(1);
    pageNumber_ = 1;
    image_->SetPage(1);
    UpdateImageLayout();
}

void TBRPreview::SetPageNumber(int page) {
    if ((page == pageNumber_ && image_->HasPage()) || page <= 0 || !printer_ ||
        page > printer_->PageCount())
        return;
    image_->SetPage(page);
    pageNumber_ = page;
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
}

void TBRPreview::SetZoom(int zoom) {
    if (zoom < kMinZoom || zoom > kMaxZoom)
        return;
    zoomState_ = TBRZoomState::brZoomOther;
    zoom_ = zoom;
    UpdateImageLayout();
}

QSizeF TBRPreview::PagePixels() const {
    if (!printer_)
        return {kLetterWidth, kLetterLength};
    return QSizeF(printer_->ToDeviceWidth(printer_->PaperWidth()),
                  printer_->ToDeviceHeight(printer_->PaperLength()));
}

void TBRPreview::FitWholePage() {
    const QSizeF page = PagePixels();
    const int across = int(RoundEven(width() / page.width() * 95));
    const int down = int(RoundEven(height() / page.height() * 95));
    SetZoom(qMin(across, down));
    UpdateImageLayout();
    zoomState_ = TBRZoomState::brZoomToFit;
}

void TBRPreview::FitPageWidth() {
    const QSizeF page = PagePixels();
    SetZoom(int(RoundEven(width() / page.width() * (printer_ ? 90 : 95))));
    UpdateImageLayout();
    zoomState_ = TBRZoomState::brZoomToWidth;
}

void TBRPreview::UpdateImageLayout() {
    QSize size;
    if (printer_)
        size = QSize(printer_->ToDeviceWidth(printer_->PaperWidth() / 100.0L * zoom_),
                     printer_->ToDeviceHeight(printer_->PaperLength() / 100.0L * zoom_));
    else
        size = QSize(int(RoundEven(kLetterWidth / 100 * zoom_)),
                     int(RoundEven(kLetterLength / 100 * zoom_)));
    image_->resize(size + QSize(kBorder, kBorder));
    image_->Zoom = zoom_;
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
}

void TBRPreview::ReapplyZoomMode() {
    if (zoomState_ == TBRZoomState::brZoomToFit)
        FitWholePage();
    else if (zoomState_ == TBRZoomState::brZoomToWidth)
        FitPageWidth();
    UpdateImageLayout();
}

void TBRPreview::RefreshPage() {
    if (printer_ && !image_->HasPage() && printer_->AvailablePages() >= image_->PageNumber())
        image_->SetPage(image_->PageNumber());
}

bool TBRPreview::event(QEvent* event) {
    if (event->type() == TBRPrinterEvent::Progress) {
        if (OnProgressUpdate)
            OnProgressUpdate(this, static_cast<TBRPrinterEvent*>(event)->Value);
        return true;
    }
    if (event->type() == TBRPrinterEvent::PagesAvailable) {
        const int pages = static_cast<TBRPrinterEvent*>(event)->Value;
        if (pages == pageNumber_)
            RefreshPage();
        if (OnPageAvailable)
            OnPageAvailable(this, pages);
        return true;
    }
    return QScrollArea::event(event);
}

void TBRPreview::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    ReapplyZoomMode();
}

} // namespace kx
