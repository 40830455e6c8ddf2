#include "grid/editors/editbuttonx.h"

#include <QAction>

#include <algorithm>

namespace kx {

namespace {

QKeyCombination ActionShortCut(const QAction* action) {
    const QKeySequence sequence = action->shortcut();
    return sequence.isEmpty() ? QKeyCombination() : sequence[0];
}

// Holds a list in an update bracket for a scope, also when it ends by an
// exception.
class TUpdateBracket {
public:
    explicit TUpdateBracket(TEditButtonsX& list) : list_(list) { list_.BeginUpdate(); }
    ~TUpdateBracket() { list_.EndUpdate(); }
    TUpdateBracket(const TUpdateBracket&) = delete;
    TUpdateBracket& operator=(const TUpdateBracket&) = delete;

private:
    TEditButtonsX& list_;
};

} // namespace

TEditButtonActionLinkX::~TEditButtonActionLinkX() {
    Disconnect();
}

void TEditButtonActionLinkX::Disconnect() {
    for (const QMetaObject::Connection& connection : connections_)
        QObject::disconnect(connection);
    connections_.clear();
}

void TEditButtonActionLinkX::SetAction(QAction* action) {
    Disconnect();
    action_ = action;
    if (!action)
        return;
    const auto changed = [this] {
        if (OnChange && action_)
            OnChange(action_);
    };
    // Enabling and showing have signals of their own.
    connections_ = {QObject::connect(action, &QAction::changed, changed),
                    QObject::connect(action, &QAction::enabledChanged, changed),
                    QObject::connect(action, &QAction::visibleChanged, changed)};
}

bool TEditButtonActionLinkX::IsEnabledLinked() const {
    return action_ && client_->Enabled() == action_->isEnabled();
}

bool TEditButtonActionLinkX::IsHintLinked() const {
    return action_ && client_->Hint() == action_->toolTip();
}

bool TEditButtonActionLinkX::IsShortCutLinked() const {
    return action_ && client_->ShortCut() == ActionShortCut(action_);
}

bool TEditButtonActionLinkX::IsVisibleLinked() const {
    return action_ && client_->Visible() == action_->isVisible();
}

TEditButtonX::TEditButtonX(QWidget* editControl) : editControl_(editControl) {}

TEditButtonX::TEditButtonX(TEditButtonsX* collection) : collection_(collection) {}

TEditButtonX::~TEditButtonX() = default;

QAction* TEditButtonX::Action() const {
    return actionLink_ ? actionLink_->Action() : nullptr;
}

void TEditButtonX::SetAction(QAction* action) {
    if (!action) {
        actionLink_.reset();
        return;
    }
    if (!actionLink_)
        actionLink_ = std::make_unique<TEditButtonActionLinkX>(this);
    actionLink_->SetAction(action);
    actionLink_->OnChange = [this](QAction* sender) { ActionLinkChanged(sender); };
    TakeActionProperties(action);
}

void TEditButtonX::SetEnabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    NotifyChanged();
}

void TEditButtonX::SetGlyph(const QPixmap& glyph) {
    glyph_ = glyph;
    NotifyChanged();
}

void TEditButtonX::SetHint(const QString& hint) {
    if (hint == hint_)
        return;
    hint_ = hint;
    NotifyChanged();
}

void TEditButtonX::SetNumGlyphs(int numGlyphs) {
    numGlyphs = std::clamp(numGlyphs, 1, 4);
    if (numGlyphs == numGlyphs_)
        return;
    numGlyphs_ = numGlyphs;
    NotifyChanged();
}

void TEditButtonX::SetStyle(TEditButtonStyleX style) {
    if (style == style_)
        return;
    style_ = style;
    NotifyChanged();
}

void TEditButtonX::SetVisible(bool visible) {
    if (visible == visible_)
        return;
    visible_ = visible;
    NotifyChanged();
}

void TEditButtonX::SetWidth(int width) {
    if (width == width_)
        return;
    width_ = width;
    NotifyChanged();
}

bool TEditButtonX::IsEnabledStored() const {
    return !(actionLink_ && actionLink_->IsEnabledLinked()) && !enabled_;
}

bool TEditButtonX::IsHintStored() const {
    return !(actionLink_ && actionLink_->IsHintLinked()) && !hint_.isEmpty();
}

bool TEditButtonX::IsShortCutStored() const {
    return !(actionLink_ && actionLink_->IsShortCutLinked()) && shortCut_ != DefaultShortCut();
}

bool TEditButtonX::IsVisibleStored() const {
    return !(actionLink_ && actionLink_->IsVisibleLinked()) && visible_ != DefaultVisible();
}

void TEditButtonX::Assign(const TEditButtonX& source) {
    SetAction(source.Action());
    DropdownMenu = source.DropdownMenu;
    SetEnabled(source.enabled_);
    SetGlyph(source.glyph_);
    SetHint(source.hint_);
    SetNumGlyphs(source.numGlyphs_);
    SetShortCut(source.shortCut_);
    SetStyle(source.style_);
    SetVisible(source.visible_);
    SetWidth(source.width_);
    OnClick = source.OnClick;
    OnDown = source.OnDown;
}

void TEditButtonX::NotifyChanged() {
    if (OnInternalChange)
        OnInternalChange(this);
    else if (collection_)
        collection_->Changed(this);
}

void TEditButtonX::Click(QObject* sender, bool& handled) {
    if (OnClick) {
        OnClick(sender, handled);
        return;
    }
    if (QAction* action = Action()) {
        action->trigger();
        handled = true;
    }
}

void TEditButtonX::ActionLinkChanged(QAction* sender) {
    if (sender == Action())
        TakeActionProperties(sender);
}

void TEditButtonX::TakeActionProperties(QAction* action) {
    SetEnabled(action->isEnabled());
    SetHint(action->toolTip());
    SetShortCut(ActionShortCut(action));
    SetVisible(action->isVisible());
}

TVisibleEditButtonX::TVisibleEditButtonX(QWidget* editControl) : TEditButtonX(editControl) {
    SetVisible(true);
    SetShortCut(AltDown);
}

TVisibleEditButtonX::TVisibleEditButtonX(TEditButtonsX* collection) : TEditButtonX(collection) {
    SetVisible(true);
    SetShortCut(AltDown);
}

TEditButtonsX::TEditButtonsX(QObject* owner, TItemFactory itemFactory)
    : owner_(owner), itemFactory_(std::move(itemFactory)) {}

TEditButtonX* TEditButtonsX::Add() {
    TUpdateBracket bracket(*this);
    items_.push_back(itemFactory_ ? itemFactory_(this) : std::make_unique<TEditButtonX>(this));
    return items_.back().get();
}

void TEditButtonsX::Assign(const TEditButtonsX& source) {
    BeginUpdate();
    while (Count() > 0)
        Delete(Count() - 1);
    for (const auto& item : source.items_)
        Add()->Assign(*item);
    EndUpdate();
}

void TEditButtonsX::Delete(int index) {
    items_.erase(items_.begin() + index);
    Changed(nullptr);
}

void TEditButtonsX::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0)
        Changed(nullptr);
}

void TEditButtonsX::Changed(TEditButtonX* item) {
    if (updateCount_ == 0 && OnInternalChange)
        OnInternalChange(item);
}

} // namespace kx
