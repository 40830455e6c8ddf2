#include "bandreport/bandrep.h"

#include "bandreport/brexportfilter.h"
#include "bandreport/brprintable.h"
#include "bandreport/brprinter.h"
#include "platform/print/printer.h"

#include <QFontMetrics>
#include <QImage>

namespace kx {

namespace {

TBRNewPrinterPaperSize& NewPrinterPaperSize() {
    static TBRNewPrinterPaperSize source = [] {
        return PaperSizeOfCode(print::TPrinter().PaperCode());
    };
    return source;
}

constexpr int kMinZoom = 1;
constexpr int kMaxZoom = 300;

} // namespace

void SetNewPrinterPaperSize(TBRNewPrinterPaperSize source) {
    NewPrinterPaperSize() = std::move(source);
}

QString MakeUniqueBandName(QObject* owner, const QString& prefix) {
    for (int number = 1;; ++number) {
        const QString name = prefix + QString::number(number);
        if (!owner || !owner->findChild<QObject*>(name, Qt::FindDirectChildrenOnly))
            return name;
    }
}

namespace {
bool pageFileLoaded = false;
} // namespace

bool PageFileLoaded() {
    return pageFileLoaded;
}

void SetPageFileLoaded(bool value) {
    pageFileLoaded = value;
}

TCustomBandRep::TCustomBandRep(QObject* owner)
    : QObject(owner), font_(QStringLiteral("Arial"), 10),
      controller_(std::make_unique<TBRController>(this)) {
    controller_->SetReport(this);
    SetPageFileLoaded(false);
    page_.FontSize = [this] { return font_.pointSizeF(); };
    page_.OnChanged = [this] { ArrangeBands(); };
    const TBRPaperSize printerPaper =
        NewPrinterPaperSize() ? NewPrinterPaperSize()() : TBRPaperSize::Default;
    if (printerPaper != TBRPaperSize::Default)
        page_.SetPaperSize(printerPaper);
    functions_.DefineFunction(QStringLiteral("PAGENUMBER"), QStringLiteral("0"));
    functions_.DefineFunction(QStringLiteral("COLUMNNUMBER"), QStringLiteral("0"));
    functions_.DefineFunction(QStringLiteral("REPORTTITLE"), QStringLiteral("''"));
}

TCustomBandRep::~TCustomBandRep() = default;

void TCustomBandRep::SetUnits(TBRUnit units) {
    page_.SetUnits(units);
    for (TBRCustomBand* band : Bands())
        band->Size().SetUnits(units);
}

void TCustomBandRep::SetZoom(int zoom) {
    if (zoom < kMinZoom || zoom > kMaxZoom)
        return;
    zoom_ = zoom;
    for (TBRCustomBand* band : Bands())
        band->Size().SetZoom(zoom);
    page_.SetZoom(zoom);
}

void TCustomBandRep::SetFont(const QFont& font) {
    font_ = font;
}

db::TDataSet* TCustomBandRep::DataSet() const {
    return controller_->DataSet();
}

void TCustomBandRep::SetDataSet(db::TDataSet* dataSet) {
    controller_->SetDataSet(dataSet);
}

bool TCustomBandRep::PrintIfEmpty() const {
    return controller_->PrintIfEmpty;
}

void TCustomBandRep::SetPrintIfEmpty(bool value) {
    controller_->PrintIfEmpty = value;
}

QList<TBRCustomBand*> TCustomBandRep::Bands() const {
    QList<TBRCustomBand*> bands;
    for (const QPointer<TBRCustomBand>& band : bands_)
        if (band)
            bands.append(band);
    return bands;
}

bool TCustomBandRep::HasBand(TBRBandType type) const {
    for (TBRCustomBand* band : Bands())
        if (band->BandType() == type)
            return true;
    return false;
}

void TCustomBandRep::SetHasBand(TBRBandType type, bool value) {
    if (value) {
        if (!HasBand(type))
            CreateBand(type);
        return;
    }
    for (TBRCustomBand* band : Bands())
        if (band->BandType() == type) {
            delete band;
            return;
        }
}

long double TCustomBandRep::SpaceLeft() const {
    if (!Running || CursorY == -1 || !ActivePrinter)
        return 0;
    if (ExportFilter && ExportFilter->IsContinuous())
        return ActivePrinter->PaperLength();
    return RoundEven(ActivePrinter->PaperLength() -
                     page_.NativeDimension(TBRPage::BottomMarginIndex) - FooterReserve - CursorY);
}

void TCustomBandRep::AddNotifyExpr(TBRExpr* expression) {
    controller_->RegisterAggregateExpr(expression);
}

QObject* TCustomBandRep::BandOwner() {
    return parent() ? parent() : this;
}

TBRBand* TCustomBandRep::CreateBand(TBRBandType type) {
    QObject* owner = BandOwner();
    auto* band = new TBRBand(owner, type);
    band->setObjectName(MakeUniqueBandName(owner, BandNamePrefix(type)));
    band->SetParentReport(this);
    return band;
}

void TCustomBandRep::AddBand(TBRCustomBand* band) {
    if (bands_.contains(band))
        return;
    bands_.append(band);
    RebuildBandOrder();
}

void TCustomBandRep::RemoveBand(TBRCustomBand* band) {
    bands_.removeAll(band);
    RebuildBandOrder();
}

void TCustomBandRep::BandSizeChanged() {
    if (!reordering_)
        ArrangeBands();
}

void TCustomBandRep::RebuildBandOrder() {
    BindBandsToController();
    controller_->CollectChildren();
    const QList<TBRCustomBand*> old = Bands();
    QList<TBRCustomBand*> ordered;
    const auto place = [&](TBRCustomBand* band, auto&& self) -> void {
        if (!band || ordered.contains(band) || !old.contains(band))
            return;
        ordered.append(band);
        self(band->FindChildBand(), self);
    };
    const auto placeAll = [&](TBRBandType type) {
        for (TBRCustomBand* band : old)
            if (band->BandType() == type)
                place(band, place);
    };
    placeAll(TBRBandType::rbPageHeader);
    placeAll(TBRBandType::rbTitle);
    placeAll(TBRBandType::rbColumnHeader);
    QList<TBRCustomBand*> controllerBands;
    controller_->CollectBandsInOrder(controllerBands);
    for (TBRCustomBand* band : controllerBands)
        place(band, place);
    placeAll(TBRBandType::rbPageFooter);
    for (TBRCustomBand* band : old)
        place(band, place);
    bands_.clear();
    for (TBRCustomBand* band : ordered)
        bands_.append(band);
    ArrangeBands();
}

void TCustomBandRep::ArrangeBands() {
    const auto pixels = [this](int index) {
        const bool horizontal = index >= TBRPage::WidthIndex;
        return page_.FromNative(TBRUnit::Pixels, horizontal, page_.NativeDimension(index));
    };
    const int panelWidth = int(RoundEven(pixels(TBRPage::WidthIndex)));
    const int left = int(RoundEven(pixels(TBRPage::LeftMarginIndex)));
    const int pageWidth =
        panelWidth -
        int(RoundEven(pixels(TBRPage::LeftMarginIndex) + pixels(TBRPage::RightMarginIndex)));
    const int columns = page_.Columns();
    const int columnWidth =
        (pageWidth - int(RoundEven(pixels(TBRPage::ColumnSpaceIndex))) * (columns - 1)) / columns;
    int top = int(RoundEven(pixels(TBRPage::TopMarginIndex)));
    reordering_ = true;
    for (TBRCustomBand* band : Bands()) {
        TBRBandSize& size = band->Size();
        const int width = BandSpansPage(band->BandType()) ? pageWidth : columnWidth;
        size.SetValues({size.NativeHeight(), size.ToNative(TBRUnit::Pixels, true, width)});
        const int height =
            int(RoundEven(size.FromNative(TBRUnit::Pixels, false, size.NativeHeight())));
        band->SetBounds(QRect(left, top, width, height));
        top += height;
    }
    reordering_ = false;
}

const QFontMetrics& TCustomBandRep::ScreenMetrics(const QFont& font) const {
    if (!metrics_ || metricsFont_ != font) {
        static const QImage device = [] {
            QImage image(1, 1, QImage::Format_ARGB32);
            const int dotsPerMetre = qRound(ScreenPixelsPerInch() / 0.0254);
            image.setDotsPerMeterX(dotsPerMetre);
            image.setDotsPerMeterY(dotsPerMetre);
            return image;
        }();
        metrics_.emplace(font, &device);
        metricsFont_ = font;
        widths_.clear();
    }
    return *metrics_;
}

const QFontMetrics& TCustomBandRep::DeviceMetrics(const QFont& font,
                                                  const QPaintDevice* device) const {
    const std::array<int, 3> key{device ? device->devType() : -1,
                                 device ? device->logicalDpiX() : 0,
                                 device ? device->logicalDpiY() : 0};
    if (!deviceMetrics_ || deviceMetricsKey_ != key || deviceMetricsFont_ != font) {
        deviceMetrics_.emplace(font, device);
        deviceMetricsFont_ = font;
        deviceMetricsKey_ = key;
    }
    return *deviceMetrics_;
}

int TCustomBandRep::MeasureTextHeight(const QFont& font, const QString&) const {
    return ScreenMetrics(font).height();
}

int TCustomBandRep::MeasureTextWidth(const QFont& font, const QString& text) const {
    // Reports print the same values over and over; measuring is the costly
    // part of building their lines.
    constexpr qsizetype kMaxRemembered = 8192;
    const QFontMetrics& metrics = ScreenMetrics(font);
    if (const auto known = widths_.constFind(text); known != widths_.constEnd())
        return *known;
    if (widths_.size() >= kMaxRemembered) {
        widths_.clear();
        widths_.reserve(kMaxRemembered);
    }
    const int width = metrics.horizontalAdvance(text) + 1;
    widths_.insert(text, width);
    return width;
}

int TBandRep::DataSetRecordCount() const {
    db::TDataSet* dataSet = DataSet();
    if (!dataSet || !dataSet->Active())
        return 1;
    try {
        return dataSet->RecordCount();
    } catch (const std::exception&) {
        return 1;
    }
}

void TBandRep::BindBandsToController() {
    TBRCustomBand* detail = nullptr;
    TBRCustomBand* header = nullptr;
    TBRCustomBand* footer = nullptr;
    for (TBRCustomBand* band : Bands()) {
        const TBRBandType type = band->BandType();
        if (type == TBRBandType::rbDetail && !detail)
            detail = band;
        else if (type == TBRBandType::rbTitle && !header)
            header = band;
        else if (type == TBRBandType::rbSummary && !footer)
            footer = band;
    }
    Controller().SetDetailBand(detail);
    Controller().SetHeaderBand(header);
    Controller().SetFooterBand(footer);
}

} // namespace kx
