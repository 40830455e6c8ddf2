#include "grid/dbgrid/popupdatagridx.h"

#include "grid/editors/dropdownplacement.h"
#include "grid/editors/sizegripx.h"
#include "platform/ui/application.h"

#include <QApplication>
#include <QScopeGuard>
#include <QStyle>

namespace kx {

namespace {

int ScrollBarExtent() {
    return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

} // namespace

TPopupReleaseAction PopupReleaseAction(bool normalBefore, bool pressedInside, bool insideWindow,
                                       bool onRow) {
    if (!normalBefore || !pressedInside)
        return TPopupReleaseAction::Nothing;
    if (!insideWindow)
        return TPopupReleaseAction::Cancel;
    return onRow ? TPopupReleaseAction::Accept : TPopupReleaseAction::Nothing;
}

TPopupDataGridX::TPopupDataGridX(QWidget* owner)
    : TDBLookupGridX(owner), sizeGrip_(new TSizeGripX(this)) {
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                   Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    MouseSelectsWithoutFocus = true;
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    sizeGrip_->SetTriangleVisible(true);
    sizeGrip_->UpdatePosition();
}

TPopupDataGridX::~TPopupDataGridX() = default;

void TPopupDataGridX::ClampNewSize(int& width, int& height) {
    width = std::max(width, ScrollBarExtent());
    height = std::max(height, ScrollBarExtent());
}

void TPopupDataGridX::KeyDown(int& key, ui::TShiftState shift) {
    userInput_ = true;
    const auto done = qScopeGuard([this] { userInput_ = false; });
    TDBLookupGridX::KeyDown(key, shift);
}

void TPopupDataGridX::KeyValueChanged() {
    TDBLookupGridX::KeyValueChanged();
    if (OnOwnerNotify && userInput_)
        OnOwnerNotify(this);
}

void TPopupDataGridX::Resized() {
    if (!clamping_) {
        int w = width();
        int h = height();
        ClampNewSize(w, h);
        if (w != width() || h != height()) {
            clamping_ = true;
            const auto done = qScopeGuard([this] { clamping_ = false; });
            resize(w, h);
        }
    }
    TDBLookupGridX::Resized();
    sizeGrip_->UpdatePosition();
    sizeGrip_->raise();
    Sized = true;
}

void TPopupDataGridX::MouseDown(ui::TMouseButton button, ui::TShiftState shift, int x, int y) {
    userInput_ = true;
    pressedInside_ = true;
    const auto done = qScopeGuard([this] { userInput_ = false; });
    TDBLookupGridX::MouseDown(button, shift, x, y);
}

void TPopupDataGridX::MouseMove(ui::TShiftState shift, int x, int y) {
    {
        userInput_ = true;
        const auto done = qScopeGuard([this] { userInput_ = false; });
        TDBLookupGridX::MouseMove(shift, x, y);
    }
    const bool buttonHeld = shift & (ui::ssLeft | ui::ssRight | ui::ssMiddle);
    if (!buttonHeld && !DataReadOnly() && ClientRect().ToQRect().contains(x, y)) {
        userInput_ = true;
        const auto done = qScopeGuard([this] { userInput_ = false; });
        SelectRowAt(x, y);
    }
}

void TPopupDataGridX::MouseUp(ui::TMouseButton button, ui::TShiftState shift, int x, int y) {
    const bool normalBefore = GridState() == gsNormal;
    const bool pressedInside = pressedInside_;
    pressedInside_ = false;
    {
        userInput_ = true;
        const auto done = qScopeGuard([this] { userInput_ = false; });
        TDBLookupGridX::MouseUp(button, shift, x, y);
    }
    const bool inside = rect().contains(viewport()->mapTo(this, QPoint(x, y)));
    const bool onRow = InSpecRow(y) || OnDataCell(x, y);
    switch (PopupReleaseAction(normalBefore, pressedInside, inside, onRow)) {
    case TPopupReleaseAction::Accept:
        if (OnCloseUp)
            OnCloseUp(this, true);
        break;
    case TPopupReleaseAction::Cancel:
        if (OnCloseUp)
            OnCloseUp(this, false);
        break;
    case TPopupReleaseAction::Nothing:
        break;
    }
}

bool TPopupDataGridX::event(QEvent* event) {
    if (event->type() == TDropDownSideEvent::EventType) {
        try {
            sizeGrip_->SetCornerForAlign(static_cast<TDropDownSideEvent*>(event)->Side());
        } catch (...) {
            ui::HandleCurrentException();
        }
        return true;
    }
    return TDBLookupGridX::event(event);
}

} // namespace kx
