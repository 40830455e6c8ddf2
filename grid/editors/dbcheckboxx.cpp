#include "grid/editors/dbcheckboxx.h"

#include "grid/base/drawingshims.h"
#include "platform/db/variants.h"
#include "platform/ui/application.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QShortcutEvent>

#include <algorithm>

namespace kx {

namespace {

bool ListHolds(const QString& list, const QString& text) {
    const QStringList entries = list.split(u';');
    return std::any_of(entries.begin(), entries.end(),
                       [&](const QString& entry) { return CompareTextLocale(entry, text) == 0; });
}

QString FirstEntry(const QString& list) {
    return list.section(u';', 0, 0);
}

QString WithoutAccelerator(QString caption) {
    return caption.replace(QStringLiteral("&&"), QStringLiteral("\x01"))
        .remove(u'&')
        .replace(u'\x01', u'&');
}

} // namespace

TCustomDBCheckBoxX::TCustomDBCheckBoxX(QWidget* parent)
    : QWidget(parent), dataLink_(std::make_unique<TFieldDataLinkX>(this)) {
    resize(97, 17);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    dataLink_->OnDataChange = [this](TFieldDataLinkX*) { DataChange(); };
    dataLink_->OnUpdateData = [this](TFieldDataLinkX*) { UpdateData(); };
    dataLink_->SetValue(false);
}

TCustomDBCheckBoxX::~TCustomDBCheckBoxX() {
    dataLink_->OnDataChange = nullptr;
    dataLink_->OnUpdateData = nullptr;
}

// ---- Properties ---------------------------------------------------------

void TCustomDBCheckBoxX::SetAlignment(db::TAlignment alignment) {
    alignment_ = alignment;
    update();
}

void TCustomDBCheckBoxX::SetAlwaysShowBorder(bool value) {
    alwaysShowBorder_ = value;
    update();
}

void TCustomDBCheckBoxX::SetCaption(const QString& caption) {
    caption_ = caption;
    UpdateShortcut();
    update();
}

void TCustomDBCheckBoxX::SetColor(ui::TColor color) {
    color_ = color;
    update();
}

void TCustomDBCheckBoxX::SetFlat(bool flat) {
    flat_ = flat;
    update();
}

void TCustomDBCheckBoxX::SetValueChecked(const QString& value) {
    valueChecked_ = value;
    DataChange();
}

void TCustomDBCheckBoxX::SetValueUnchecked(const QString& value) {
    valueUnchecked_ = value;
    DataChange();
}

void TCustomDBCheckBoxX::SetState(TCheckBoxState state) {
    if (!IsDataIndependent())
        dataLink_->Edit();
    InternalSetState(state);
    try {
        UpdateData();
    } catch (...) {
        dataLink_->Reset();
        throw;
    }
}

// ---- States and the field -----------------------------------------------

TCheckBoxState TCustomDBCheckBoxX::GetFieldState() const {
    if (IsDataIndependent()) {
        const QVariant& value = dataLink_->DataIndependentValue();
        if (value.typeId() != QMetaType::Bool)
            return cbGrayed;
        return value.toBool() ? cbChecked : cbUnchecked;
    }
    const db::TField* field = dataLink_->Field();
    if (!field)
        return cbUnchecked;
    if (field->IsNull())
        return cbGrayed;
    if (field->DataType() == db::ftBoolean)
        return field->AsBoolean() ? cbChecked : cbUnchecked;
    const QString text = field->EditText();
    if (ListHolds(valueChecked_, text))
        return cbChecked;
    if (ListHolds(valueUnchecked_, text))
        return cbUnchecked;
    return cbGrayed;
}

void TCustomDBCheckBoxX::DataChange() {
    InternalSetState(GetFieldState());
    changedByUser_ = false;
}

void TCustomDBCheckBoxX::InternalSetState(TCheckBoxState state) {
    if (state == state_)
        return;
    state_ = state;
    if (!clicksDisabled_ && OnClick)
        OnClick(this);
    update();
    changedByUser_ = true;
}

void TCustomDBCheckBoxX::WriteToField() {
    if (IsDataIndependent()) {
        dataLink_->SetValue(state_ == cbGrayed ? db::NullVariant() : QVariant(Checked()));
        return;
    }
    db::TField* field = dataLink_->Field();
    if (!field)
        return;
    if (state_ == cbGrayed)
        field->Clear();
    else if (field->DataType() == db::ftBoolean)
        field->SetAsBoolean(Checked());
    else
        field->SetEditText(FirstEntry(Checked() ? valueChecked_ : valueUnchecked_));
}

void TCustomDBCheckBoxX::Toggle() {
    if (!dataLink_->Edit())
        return;
    switch (state_) {
    case cbUnchecked:
        InternalSetState(AllowGrayed ? cbGrayed : cbChecked);
        break;
    case cbChecked:
        InternalSetState(cbUnchecked);
        break;
    case cbGrayed:
        InternalSetState(cbChecked);
        break;
    }
    dataLink_->Modified();
    update();
}

void TCustomDBCheckBoxX::Click() {
    Toggle();
}

// ---- Painting -----------------------------------------------------------

bool TCustomDBCheckBoxX::CaptionLeftOfBox() const {
    const bool rightToLeft = layoutDirection() == Qt::RightToLeft;
    return (alignment_ == db::taLeftJustify) != rightToLeft;
}

void TCustomDBCheckBoxX::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    ui::TCanvas canvas(painter, palette(), event->region());
    Paint(canvas);
}

void TCustomDBCheckBoxX::Paint(ui::TCanvas& canvas) {
    const bool pressed = (mouseDown_ && mouseInside_) || spacePressed_;
    DrawCheckBoxAll(canvas, state_, hasFocus(), pressed, mouseInside_);
}

void TCustomDBCheckBoxX::DrawCheckBoxAll(ui::TCanvas& canvas, TCheckBoxState state, bool focused,
                                         bool pressed, bool hot) {
    const ui::TRect client{0, 0, width(), height()};
    const bool captionLeft = CaptionLeftOfBox();
    const ui::TRect box = FitCheckBoxRect(client, captionLeft ? 1 : 0, 1);
    const ui::TRect text = captionLeft ? ui::TRect{0, 0, box.Left - 5, height()}
                                       : ui::TRect{box.Right + 5, 0, width(), height()};
    DrawCheckBoxFrame(canvas, box, state, pressed, hot, focused);
    DrawCaption(canvas, text, focused);
}

void TCustomDBCheckBoxX::DrawCheckBoxFrame(ui::TCanvas& canvas, const ui::TRect& boxRect,
                                           TCheckBoxState state, bool pressed, bool hot,
                                           bool focused) {
    const bool active = hot || focused || alwaysShowBorder_;
    PaintCellButton(canvas, boxRect, color_, cpsCheckboxX, pressed ? bppButton : bppNone, flat_,
                    active, isEnabled(), state);
}

void TCustomDBCheckBoxX::DrawCaption(ui::TCanvas& canvas, const ui::TRect& textRect, bool focused) {
    QPainter& painter = canvas.Painter();
    painter.setFont(font());
    const QFontMetrics metrics(font());
    const QString shown = WithoutAccelerator(caption_);
    const int textHeight = metrics.height();
    const QRect area(textRect.Left, (height() - textHeight) / 2, metrics.horizontalAdvance(shown),
                     textHeight);
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
    if (isEnabled()) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(area, flags, caption_);
    } else {
        painter.setPen(palette().color(QPalette::Light));
        painter.drawText(area.translated(1, 1), flags, caption_);
        painter.setPen(palette().color(QPalette::Disabled, QPalette::Text));
        painter.drawText(area, flags, caption_);
    }
    if (focused) {
        const QRect grown = area.adjusted(-1, -1, 1, 1).intersected(rect());
        canvas.DrawFocusRect(ui::TRect::FromQRect(grown));
    }
}

// ---- Keys, mouse and focus ----------------------------------------------

void TCustomDBCheckBoxX::UpdateShortcut() {
    if (shortcutId_ != 0)
        releaseShortcut(shortcutId_);
    shortcutId_ = 0;
    const QKeySequence mnemonic = QKeySequence::mnemonic(caption_);
    if (!mnemonic.isEmpty())
        shortcutId_ = grabShortcut(mnemonic);
}

bool TCustomDBCheckBoxX::TakeFocus() {
    if (hasFocus())
        return true;
    clicksDisabled_ = true;
    setFocus(Qt::MouseFocusReason);
    clicksDisabled_ = false;
    return hasFocus();
}

bool TCustomDBCheckBoxX::event(QEvent* event) {
    try {
        if (event->type() == QEvent::Shortcut &&
            static_cast<QShortcutEvent*>(event)->shortcutId() == shortcutId_) {
            setFocus(Qt::ShortcutFocusReason);
            if (hasFocus())
                Click();
            return true;
        }
        // Esc stays with the control while it holds the user's change.
        if (event->type() == QEvent::ShortcutOverride &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && changedByUser_) {
            event->accept();
            return true;
        }
        return QWidget::event(event);
    } catch (...) {
        ui::HandleCurrentException();
        return true;
    }
}

void TCustomDBCheckBoxX::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Backspace:
        dataLink_->Edit();
        return;
    case Qt::Key_Space:
        if (!event->isAutoRepeat()) {
            dataLink_->Edit();
            spacePressed_ = true;
            update();
        }
        return;
    case Qt::Key_Escape: {
        const bool wanted = changedByUser_;
        dataLink_->Reset();
        if (!wanted)
            QWidget::keyPressEvent(event);
        return;
    }
    default:
        QWidget::keyPressEvent(event);
        return;
    }
}

void TCustomDBCheckBoxX::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Space || event->isAutoRepeat() || !spacePressed_) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    spacePressed_ = false;
    update();
    Click();
}

void TCustomDBCheckBoxX::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    if (!TakeFocus())
        return;
    mouseDown_ = true;
    update();
}

void TCustomDBCheckBoxX::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

void TCustomDBCheckBoxX::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !mouseDown_) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    mouseDown_ = false;
    update();
    if (rect().contains(event->position().toPoint()))
        Click();
}

void TCustomDBCheckBoxX::enterEvent(QEnterEvent* event) {
    mouseInside_ = true;
    update();
    QWidget::enterEvent(event);
}

void TCustomDBCheckBoxX::leaveEvent(QEvent* event) {
    mouseInside_ = false;
    update();
    QWidget::leaveEvent(event);
}

void TCustomDBCheckBoxX::focusInEvent(QFocusEvent* event) {
    update();
    QWidget::focusInEvent(event);
}

// The user's change reaches the field as the control is left; a field
// that refuses it takes the focus back.
void TCustomDBCheckBoxX::focusOutEvent(QFocusEvent* event) {
    spacePressed_ = false;
    mouseDown_ = false;
    update();
    try {
        dataLink_->UpdateRecord();
    } catch (...) {
        setFocus();
        ui::HandleCurrentException();
        return;
    }
    QWidget::focusOutEvent(event);
}

void TCustomDBCheckBoxX::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::FontChange)
        update();
    QWidget::changeEvent(event);
}

} // namespace kx
