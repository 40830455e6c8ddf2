#include "frame/controls/kxcustomcomboedit.h"

#include "frame/controls/editbutton.h"

#include <QBitmap>
#include <QPainter>
#include <QStyle>

namespace kx {
namespace {

constexpr int kEditHeight = 21;

Qt::KeyboardModifiers Modifiers(ui::TShiftState shift) {
    Qt::KeyboardModifiers modifiers;
    if (shift & ui::ssShift)
        modifiers |= Qt::ShiftModifier;
    if (shift & ui::ssCtrl)
        modifiers |= Qt::ControlModifier;
    if (shift & ui::ssAlt)
        modifiers |= Qt::AltModifier;
    return modifiers;
}

QPixmap EllipsisPixmap(int buttonWidth) {
    const TEllipsisPicture picture = EllipsisPicture(buttonWidth);
    QPixmap pixmap(picture.Width, picture.Height);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    for (int x : picture.Dots)
        painter.fillRect(x, 1, 2, 2, Qt::black);
    painter.end();
    pixmap.setMask(pixmap.createMaskFromColor(Qt::white));
    return pixmap;
}

} // namespace

TEllipsisPicture EllipsisPicture(int buttonWidth) {
    const int width = std::max(1, buttonWidth - 6);
    const int gap = std::clamp((width - 6) / 2, 1, 3);
    const int first = (width - 6 - 2 * gap) / 2;
    return {width, 4, {first, first + gap + 2, first + 2 * gap + 4}};
}

TKXCustomComboEdit::TKXCustomComboEdit(QWidget* parent)
    : TKXInputControl(parent, true, TImeEntry::ByEditType), holder_(new QWidget(this)),
      button_(new TEditButton(holder_)) {
    resize(width(), kEditHeight);
    connect(button_, &QToolButton::clicked, this, [this] {
        try {
            FireButtonClick();
        } catch (...) {
            ui::HandleCurrentException();
        }
    });
    PlaceButton();
}

QString TKXCustomComboEdit::ButtonCaption() const {
    return button_->text();
}

void TKXCustomComboEdit::SetButtonCaption(const QString& caption) {
    button_->setText(caption);
}

QString TKXCustomComboEdit::ButtonHint() const {
    return button_->toolTip();
}

void TKXCustomComboEdit::SetButtonHint(const QString& hint) {
    button_->setToolTip(hint);
}

void TKXCustomComboEdit::SetGlyph(const QPixmap& glyph) {
    glyph_ = glyph;
    glyphKind_ = gkCustom;
    RebuildPicture();
}

void TKXCustomComboEdit::SetNumGlyphs(int count) {
    numGlyphs_ = std::clamp(count, 1, 4);
    RebuildPicture();
}

void TKXCustomComboEdit::SetGlyphKind(TGlyphKind kind) {
    if (kind == glyphKind_)
        return;
    glyphKind_ = kind;
    RebuildPicture();
    if (kind == gkDefault && !glyph_.isNull()) {
        buttonWidth_ = std::max(glyph_.width() / numGlyphs_ + 6, buttonWidth_);
    } else if (kind == gkDropDown) {
        buttonWidth_ = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    }
    PlaceButton();
}

void TKXCustomComboEdit::SetButtonWidth(int width) {
    if (width == buttonWidth_)
        return;
    holder_->setVisible(width > 1);
    if (testAttribute(Qt::WA_WState_Created)) {
        if (width >= contentsRect().width())
            return;
    }
    buttonWidth_ = width;
    // A disabled button that hides comes back at this width.
    if (width > 1)
        savedButtonWidth_ = width;
    RebuildPicture();
    PlaceButton();
}

bool TKXCustomComboEdit::ButtonEnabled() const {
    return button_->isEnabled();
}

void TKXCustomComboEdit::SetButtonEnabled(bool enabled) {
    button_->setEnabled(enabled);
    if (buttonVisible_) {
        buttonWidth_ = enabled ? savedButtonWidth_ : 0;
        PlaceButton();
    } else {
        buttonWidth_ = savedButtonWidth_;
    }
}

void TKXCustomComboEdit::SetDirectInput(bool directInput) {
    directInput_ = directInput;
    UpdateEditReadOnly();
}

void TKXCustomComboEdit::FollowDataState(bool browsing, int tag) {
    SetReadOnly(browsing || tag == 2 || tag == 7);
    SetButtonEnabled(tag == 6 || tag == 7 ? browsing : !browsing);
}

void TKXCustomComboEdit::SetFamilyReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    UpdateEditReadOnly();
}

void TKXCustomComboEdit::UpdateEditReadOnly() {
    setReadOnly(!directInput_ || readOnly_);
}

void TKXCustomComboEdit::FireButtonClick() {
    if (OnButtonClick)
        OnButtonClick(this);
}

QPixmap TKXCustomComboEdit::FirstImage() const {
    if (glyph_.isNull() || numGlyphs_ <= 1)
        return glyph_;
    return glyph_.copy(0, 0, glyph_.width() / numGlyphs_, glyph_.height());
}

void TKXCustomComboEdit::RebuildPicture() {
    switch (glyphKind_) {
    case gkCustom:
        button_->setIcon(QIcon(FirstImage()));
        break;
    case gkDefault:
        glyph_ = QPixmap();
        button_->setIcon(QIcon());
        break;
    case gkDropDown:
        button_->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
        break;
    case gkEllipsis:
        button_->setIcon(QIcon(EllipsisPixmap(buttonWidth_)));
        button_->setIconSize(EllipsisPixmap(buttonWidth_).size());
        break;
    }
}

void TKXCustomComboEdit::PlaceButton() {
    // The holder fills the right end of the area inside the frame; the text
    // stops two pixels before it.
    const QRect client = contentsRect();
    const int width = holder_->isVisibleTo(this) ? buttonWidth_ : 0;
    holder_->setGeometry(client.right() + 1 - width, client.top(), width, client.height());
    button_->setGeometry(0, 0, width, client.height());
    setTextMargins(0, 0, width + 2, 0);
}

void TKXCustomComboEdit::KeyDown(int& key, ui::TShiftState shift) {
    TKXInput::KeyDown(key, shift);
    if (key != 0 && buttonWidth_ > 0 &&
        QKeyCombination(Modifiers(shift), Qt::Key(key)) == clickKey_) {
        FireButtonClick();
        key = 0;
    }
}

void TKXCustomComboEdit::KeyPress(QChar& key) {
    PlaceButton();
    // Enter and Escape go on to the form's default and cancel buttons.
    if (key == QChar(13) || key == QChar(27)) {
        TKXInput::KeyPress(key);
        return;
    }
    FilterKey(key);
    if (!key.isNull())
        TKXInput::KeyPress(key);
}

void TKXCustomComboEdit::DoEnter() {
    PlaceButton();
    TKXInput::DoEnter();
    if (!directInput_)
        deselect();
}

void TKXCustomComboEdit::resizeEvent(QResizeEvent* event) {
    TKXInput::resizeEvent(event);
    PlaceButton();
}

} // namespace kx

#include "moc_kxcustomcomboedit.cpp"
