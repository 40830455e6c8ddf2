#include "bandreport/brband.h"

#include "bandreport/bandrep.h"
#include "bandreport/brcontroller.h"

#include <array>

namespace kx {

namespace {

struct TBandTypeText {
    const char* caption;
    const char* prefix;
    bool spansPage;
};

constexpr std::array<TBandTypeText, 11> kBandTypes{{
    {"Title", "TitleBand", true},
    {"Page Header", "PageHeaderBand", true},
    {"Detail", "DetailBand", false},
    {"Page Footer", "PageFooterBand", true},
    {"Summary", "SummaryBand", true},
    {"Group Header", "GroupHeaderBand", false},
    {"Group Footer", "GroupFooterBand", false},
    {"Sub Detail", "SubDetailBand", false},
    {"Column Header", "ColumnHeaderBand", false},
    {"Overlay", "OverlayBand", true},
    {"Child", "ChildBand", false},
}};

} // namespace

QString BandCaption(TBRBandType type) {
    return QString::fromLatin1(kBandTypes[std::size_t(type)].caption);
}

QString BandNamePrefix(TBRBandType type) {
    return QString::fromLatin1(kBandTypes[std::size_t(type)].prefix);
}

bool BandSpansPage(TBRBandType type) {
    return kBandTypes[std::size_t(type)].spansPage;
}

TBRCustomBand::TBRCustomBand(QObject* owner) : QObject(owner) {
    size_.OnChanged = [this] { ApplySize(); };
    size_.SetValues({size_.ToNative(TBRUnit::Pixels, false, kCreationHeight), 0});
}

TBRCustomBand::~TBRCustomBand() {
    if (report_)
        report_->RemoveBand(this);
}

void TBRCustomBand::SetParentReport(TCustomBandRep* report) {
    if (report_ == report)
        return;
    if (report_)
        report_->RemoveBand(this);
    report_ = report;
    if (report) {
        size_.FontSize = [report = QPointer<TCustomBandRep>(report)] {
            return report ? (long double)report->Font().pointSizeF() : 10.0L;
        };
        size_.SetUnits(report->Units());
        size_.SetZoom(report->Zoom());
        report->AddBand(this);
    }
}

void TBRCustomBand::SetBounds(const QRect& bounds) {
    bounds_ = bounds;
}

void TBRCustomBand::ApplySize() {
    bounds_.setHeight(
        int(RoundEven(size_.FromNative(TBRUnit::Pixels, false, size_.NativeHeight()))));
    bounds_.setWidth(int(RoundEven(size_.FromNative(TBRUnit::Pixels, true, size_.NativeWidth()))));
    if (report_)
        report_->BandSizeChanged();
}

QFont TBRCustomBand::Font() const {
    return ParentFont && report_ ? report_->Font() : font_;
}

void TBRCustomBand::SetFont(const QFont& font) {
    font_ = font;
    ParentFont = false;
}

bool TBRCustomBand::SetLinkBand(TBRCustomBand* band) {
    for (TBRCustomBand* link = band; link; link = link->LinkBand())
        if (link == this)
            return false;
    linkBand_ = band;
    return true;
}

long double TBRCustomBand::HeightWithLinks(bool followLinks) const {
    long double height = size_.NativeHeight();
    if (followLinks && linkBand_)
        height += linkBand_->HeightWithLinks(true);
    return height;
}

bool TBRCustomBand::FitsOnPage(long double extra) const {
    return report_ && report_->SpaceLeft() >= RoundEven(extra + size_.NativeHeight() + Stretch);
}

bool TBRCustomBand::TryGrowHeight(long double& position, bool& started, long double extra) {
    if (!FitsOnPage(extra))
        return false;
    if (!started && extra < Stretch) {
        position = Stretch;
        started = true;
        return true;
    }
    Stretch += extra;
    position = Stretch;
    started = true;
    return false;
}

TBRCustomBand* TBRCustomBand::FindChildBand() const {
    if (!report_)
        return nullptr;
    for (TBRCustomBand* band : report_->Bands())
        if (auto* child = qobject_cast<TBRChildBand*>(band); child && child->ParentBand() == this)
            return child;
    return nullptr;
}

void TBRCustomBand::SetHasChild(bool value) {
    TBRCustomBand* child = FindChildBand();
    if (value == (child != nullptr))
        return;
    if (value) {
        auto* band = new TBRChildBand(parent());
        band->SetParentBand(this);
        band->SetParentReport(report_);
        return;
    }
    if (TBRCustomBand* grandChild = child->FindChildBand())
        static_cast<TBRChildBand*>(grandChild)->SetParentBand(this);
    delete child;
}

void TBRCustomBand::OrderChanged() {
    if (report_)
        report_->RebuildBandOrder();
}

TBRBand::TBRBand(QObject* owner, TBRBandType type) : TBRCustomBand(owner), type_(type) {}

void TBRBand::SetBandType(TBRBandType type) {
    type_ = type;
    OrderChanged();
}

bool TBRChildBand::SetParentBand(TBRCustomBand* band) {
    for (TBRCustomBand* link = band; link;) {
        if (link == this)
            return false;
        auto* child = qobject_cast<TBRChildBand*>(link);
        link = child ? child->ParentBand() : nullptr;
    }
    parentBand_ = band;
    OrderChanged();
    return true;
}

void TBRGroup::SetFooterBand(TBRBand* band) {
    footerBand_ = band;
    if (band)
        band->SetBandType(TBRBandType::rbGroupFooter);
    OrderChanged();
}

void TBRGroup::SetMaster(QObject* master) {
    if (!qobject_cast<TCustomBandRep*>(master) && !qobject_cast<TBRControllerBand*>(master))
        return;
    master_ = master;
    OrderChanged();
}

TBRControllerBand::TBRControllerBand(QObject* owner)
    : TBRCustomBand(owner), bandController_(std::make_unique<TBRController>(this)) {
    bandController_->SetDetailBand(this);
}

TBRControllerBand::~TBRControllerBand() = default;

bool TBRControllerBand::SetMaster(QObject* master) {
    if (!qobject_cast<TCustomBandRep*>(master) && !qobject_cast<TBRControllerBand*>(master))
        return false;
    for (auto* band = qobject_cast<TBRControllerBand*>(master); band;
         band = qobject_cast<TBRControllerBand*>(band->Master()))
        if (band == this)
            return false;
    master_ = master;
    OrderChanged();
    return true;
}

TBRSubDetail::TBRSubDetail(QObject* owner) : TBRControllerBand(owner) {}

TBRCustomBand* TBRSubDetail::HeaderBand() const {
    return BandController().HeaderBand();
}

void TBRSubDetail::SetHeaderBand(TBRBand* band) {
    BandController().SetHeaderBand(band);
    if (band)
        band->SetBandType(TBRBandType::rbGroupHeader);
    OrderChanged();
}

TBRCustomBand* TBRSubDetail::FooterBand() const {
    return BandController().FooterBand();
}

void TBRSubDetail::SetFooterBand(TBRBand* band) {
    BandController().SetFooterBand(band);
    if (band)
        band->SetBandType(TBRBandType::rbGroupFooter);
    OrderChanged();
}

void TBRSubDetail::SetHasHeader(bool value) {
    if (value == HasHeader())
        return;
    if (!value) {
        delete HeaderBand();
        return;
    }
    auto* band = new TBRBand(parent(), TBRBandType::rbGroupHeader);
    band->SetParentReport(ParentReport());
    SetHeaderBand(band);
}

void TBRSubDetail::SetHasFooter(bool value) {
    if (value == HasFooter())
        return;
    if (!value) {
        delete FooterBand();
        return;
    }
    auto* band = new TBRBand(parent(), TBRBandType::rbGroupFooter);
    band->SetParentReport(ParentReport());
    SetFooterBand(band);
}

db::TDataSet* TBRSubDetail::DataSet() const {
    return BandController().DataSet();
}

void TBRSubDetail::SetDataSet(db::TDataSet* dataSet) {
    BandController().SetDataSet(dataSet);
}

bool TBRSubDetail::PrintBefore() const {
    return BandController().PrintBefore;
}

void TBRSubDetail::SetPrintBefore(bool value) {
    BandController().PrintBefore = value;
    OrderChanged();
}

bool TBRSubDetail::PrintIfEmpty() const {
    return BandController().PrintIfEmpty;
}

void TBRSubDetail::SetPrintIfEmpty(bool value) {
    BandController().PrintIfEmpty = value;
}

void TBRSubDetail::SetOnNeedData(TBROnNeedDataEvent handler) {
    BandController().OnNeedData = std::move(handler);
}

} // namespace kx
