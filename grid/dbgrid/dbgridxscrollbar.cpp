#include "grid/dbgrid/dbgridxscrollbar.h"

#include "grid/dbgrid/customdbgridx.h"

#include "platform/ui/application.h"

#include <QScrollBar>

namespace kx {

namespace {

// The grid an external bar serves, kept on the bar so that a second grid
// can see the bar is taken.
constexpr const char* AttachedGridProperty = "kxAttachedGrid";

} // namespace

TDBGridXScrollBar::~TDBGridXScrollBar() {
    Detach();
}

void TDBGridXScrollBar::Detach() {
    QObject::disconnect(extConnection_);
    if (extScrollBar_)
        extScrollBar_->setProperty(AttachedGridProperty, QVariant());
}

void TDBGridXScrollBar::SetExtScrollBar(QScrollBar* bar) {
    if (bar == extScrollBar_)
        return;
    if (bar) {
        const QVariant owner = bar->property(AttachedGridProperty);
        if (owner.isValid() && owner.value<QObject*>() != grid_)
            throw Exception(QStringLiteral("Possible %1 already attached to the other control.")
                                .arg(bar->objectName()));
    }
    Detach();
    extScrollBar_ = bar;
    if (bar) {
        bar->setProperty(AttachedGridProperty, QVariant::fromValue<QObject*>(grid_));
        extConnection_ =
            QObject::connect(bar, &QAbstractSlider::actionTriggered, grid_,
                             ui::Guard([this](int action) { ExtBarScrolled(action); }));
    }
    SyncExtVisible();
    if (destroying_)
        return;
    if (kind_ == sbVertical)
        grid_->UpdateScrollBar();
    grid_->LayoutChanged();
}

void TDBGridXScrollBar::ExtBarScrolled(int action) {
    if (!extScrollBar_)
        return;
    const int code = ui::ScrollCodeForAction(action, extScrollBar_->isSliderDown());
    if (code >= 0)
        grid_->ExternalScroll(kind_ == sbVertical, code, extScrollBar_->sliderPosition());
}

void TDBGridXScrollBar::SetVisible(bool value) {
    SetVisibleMode(value ? sbAutoShowX : sbNeverShowX);
    SyncExtVisible();
}

void TDBGridXScrollBar::SetVisibleMode(TScrollBarVisibleModeX mode) {
    if (mode == visibleMode_)
        return;
    visibleMode_ = mode;
    grid_->LayoutChanged();
}

void TVertDBGridXScrollBar::SetVisibleMode(TScrollBarVisibleModeX mode) {
    if (mode == VisibleMode())
        return;
    StoreVisibleMode(mode);
    Grid()->UpdateScrollBar();
    Grid()->LayoutChanged();
}

void TDBGridXScrollBar::SyncExtVisible() {
    if (extScrollBar_)
        extScrollBar_->setVisible(Visible());
}

bool TDBGridXScrollBar::IsVisible() const {
    if (extScrollBar_)
        return extScrollBar_->isVisible();
    const QScrollBar* own =
        kind_ == sbVertical ? grid_->verticalScrollBar() : grid_->horizontalScrollBar();
    return Visible() && own && own->isVisible();
}

bool TDBGridXScrollBar::ReadScrollInfo(TScrollInfoX& info) const {
    const QScrollBar* bar = extScrollBar_ ? extScrollBar_.data()
                                          : (kind_ == sbVertical ? grid_->verticalScrollBar()
                                                                 : grid_->horizontalScrollBar());
    if (!bar)
        return false;
    info.Min = bar->minimum();
    info.Max = bar->maximum() + bar->pageStep();
    info.Page = bar->pageStep();
    info.Pos = bar->value();
    return true;
}

void TDBGridXScrollBar::Assign(const TDBGridXScrollBar& source) {
    SetVisible(source.Visible());
    Tracking = source.Tracking;
    SetExtScrollBar(source.extScrollBar_);
}

} // namespace kx
