#include "grid/editors/customdbeditx.h"

#include "grid/base/wrappedtext.h"
#include "grid/dbgrid/gridpictures.h"
#include "grid/editors/cellbuttons.h"
#include "grid/editors/mrulistboxadapterx.h"
#include "platform/db/dataset.h"
#include "platform/db/datasource.h"
#include "platform/db/variants.h"
#include "platform/ui/application.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFrame>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QToolTip>

#include <cmath>
#include <exception>

namespace kx {

namespace {

template <typename F> void Guarded(F&& function) {
    try {
        function();
    } catch (...) {
        ui::HandleCurrentException();
    }
}

class TPendingMenuEvent : public QEvent {
public:
    explicit TPendingMenuEvent(int tag) : QEvent(TCustomDBEditX::PendingMenuEvent()), tag_(tag) {}
    int Tag() const { return tag_; }

private:
    int tag_;
};

bool IsStringField(const db::TField* field) {
    return field && (field->DataType() == db::ftString || field->DataType() == db::ftWideString);
}

bool IsMemoField(const db::TField* field) {
    return field && field->DataType() == db::ftMemo;
}

// The value as text; empty for lists and for what does not convert.
QString VariantText(const QVariant& value) {
    if (!value.isValid() || db::VarIsNull(value) ||
        value.metaType() == QMetaType::fromType<QVariantList>())
        return QString();
    return value.canConvert<QString>() ? value.toString() : QString();
}

bool IsNumber(const QVariant& value) {
    switch (value.metaType().id()) {
    case QMetaType::Short:
    case QMetaType::Int:
    case QMetaType::Float:
    case QMetaType::Double:
        return true;
    default:
        return false;
    }
}

QKeyCombination KeyCombination(int key, ui::TShiftState shift) {
    Qt::KeyboardModifiers modifiers;
    if (shift & ui::ssShift)
        modifiers |= Qt::ShiftModifier;
    if (shift & ui::ssCtrl)
        modifiers |= Qt::ControlModifier;
    if (shift & ui::ssAlt)
        modifiers |= Qt::AltModifier;
    return QKeyCombination(modifiers, Qt::Key(key));
}

void FrameRect(ui::TCanvas& canvas, const ui::TRect& r, ui::TColor color) {
    canvas.SetBrushColor(color);
    canvas.FillRect({r.Left, r.Top, r.Right, r.Top + 1});
    canvas.FillRect({r.Left, r.Bottom - 1, r.Right, r.Bottom});
    canvas.FillRect({r.Left, r.Top, r.Left + 1, r.Bottom});
    canvas.FillRect({r.Right - 1, r.Top, r.Right, r.Bottom});
}

constexpr int SystemBorderHeight = 1;

} // namespace

QEvent::Type TCustomDBEditX::PendingMenuEvent() {
    static const QEvent::Type type = QEvent::Type(QEvent::registerEventType());
    return type;
}

TCustomDBEditX::TCustomDBEditX(QWidget* parent)
    : TCustomMaskEdit(parent), link_(std::make_unique<TFieldDataLinkX>(this)), mruList_(this) {
    setMouseTracking(true);
    link_->OnDataChange = [this](TFieldDataLinkX*) {
        DataChange();
        UpdateEditButtonsState();
    };
    link_->OnEditingChange = [this](TFieldDataLinkX*) { EditingChange(); };
    link_->OnUpdateData = [this](TFieldDataLinkX*) { UpdateData(); };
    link_->OnActiveChange = [this](TFieldDataLinkX*) { ActiveChange(); };
    mruList_.OnOpenList = [this](TMRUListX*) { MRUDropDown(); };
    mruList_.OnCloseList = [this](TMRUListX*, bool accept) { MRUCloseUp(accept); };
    connect(this, &QLineEdit::textChanged, this, ui::Guard([this] { TextChanged(); }));
    // Only what the user types offers the recent texts.
    connect(this, &QLineEdit::textEdited, this, ui::Guard([this] { EditTextChanged(); }));
    // The line edit repaints only its own single line; a wrapped text moves
    // the caret and the selection anywhere.
    const auto repaintWrapped = [this] {
        if (wordWrap_)
            update();
    };
    connect(this, &QLineEdit::cursorPositionChanged, this, repaintWrapped);
    connect(this, &QLineEdit::selectionChanged, this, repaintWrapped);
    ApplyFrame();
    ApplyColor();
    UpdateReadOnlyState();
    UpdateImageIndex();
    UpdateHeight();
}

TCustomDBEditX::~TCustomDBEditX() {
    link_->OnDataChange = nullptr;
    link_->OnEditingChange = nullptr;
    link_->OnUpdateData = nullptr;
    link_->OnActiveChange = nullptr;
}

// ---- Parts made on first use, so that a subclass's choice counts.

TEditButtonX& TCustomDBEditX::EditButton() const {
    if (!editButton_) {
        editButton_ = CreateEditButton();
        editButton_->OnInternalChange = [this](TEditButtonX*) {
            const_cast<TCustomDBEditX*>(this)->EditButtonsChanged();
        };
    }
    return *editButton_;
}

TEditButtonsX& TCustomDBEditX::EditButtons() const {
    if (!editButtons_) {
        editButtons_ = CreateEditButtons();
        editButtons_->OnInternalChange = [this](TEditButtonX*) {
            const_cast<TCustomDBEditX*>(this)->EditButtonsChanged();
        };
    }
    return *editButtons_;
}

TEditImageX& TCustomDBEditX::EditImage() const {
    if (!editImage_) {
        editImage_ = std::make_unique<TEditImageX>();
        auto* self = const_cast<TCustomDBEditX*>(this);
        editImage_->OnChange = [self] { self->ImageChanged(); };
        editImage_->OnIndexChange = [self] { self->update(); };
    }
    return *editImage_;
}

std::unique_ptr<TEditButtonX> TCustomDBEditX::CreateEditButton() const {
    return std::make_unique<TEditButtonX>(const_cast<TCustomDBEditX*>(this));
}

std::unique_ptr<TEditButtonsX> TCustomDBEditX::CreateEditButtons() const {
    return std::make_unique<TEditButtonsX>(
        const_cast<TCustomDBEditX*>(this),
        [](TEditButtonsX* list) { return std::make_unique<TVisibleEditButtonX>(list); });
}

TEditButtonControlX* TCustomDBEditX::CreateEditButtonControl() {
    auto* control = new TEditButtonControlX(this);
    control->resize(10, 17);
    control->show();
    return control;
}

std::unique_ptr<IMRUDropDownX> TCustomDBEditX::CreateMRUListbox() {
    return std::make_unique<TMRUListboxAdapterX>(this, [this](bool accept) { MRUCloseUp(accept); });
}

// ---- Binding and showing the value.

bool TCustomDBEditX::EnabledAndActive() const {
    return isEnabled() && link_->IsActive();
}

void TCustomDBEditX::SetDataSource(db::TDataSource* source) {
    link_->SetDataSource(source);
    DataChange();
    update();
}

void TCustomDBEditX::SetDataField(const QString& name) {
    ResetMaxLength();
    link_->SetFieldName(name);
    UpdateEditButtonsState();
    update();
}

db::TAlignment TCustomDBEditX::DefaultAlignment() const {
    return Field() ? Field()->Alignment() : db::taLeftJustify;
}

QString TCustomDBEditX::DefaultEditMask() const {
    return Field() ? Field()->EditMask() : QString();
}

db::TAlignment TCustomDBEditX::Alignment() const {
    return alignment_.value_or(DefaultAlignment());
}

void TCustomDBEditX::SetAlignment(db::TAlignment alignment) {
    alignment_ = alignment;
    ApplyTextAlignment();
    update();
}

// A single line keeps its text left for typing (right and centre are painted
// while unfocused); wrapped lines follow the alignment.
void TCustomDBEditX::ApplyTextAlignment() {
    Qt::Alignment wanted = Qt::AlignLeft;
    if (wordWrap_ && Alignment() == db::taRightJustify)
        wanted = Qt::AlignRight;
    else if (wordWrap_ && Alignment() == db::taCenter)
        wanted = Qt::AlignHCenter;
    if ((alignment() & Qt::AlignHorizontal_Mask) != wanted)
        setAlignment(wanted | Qt::AlignVCenter);
}

QRect TCustomDBEditX::WrapArea() const {
    const ui::TRect area = TextAreaRect();
    return QRect(area.Left + 2, area.Top + 1, area.Width() - 4, area.Height() - 2);
}

void TCustomDBEditX::SetEditMaskExplicit(const QString& mask) {
    if (editMaskSet_ && mask == EditMask())
        return;
    SetEditMask(mask);
    editMaskSet_ = true;
    if (IsDataIndependent()) {
        WriteTextToField();
    } else {
        DataChange();
        UpdateEditButtonsState();
    }
}

void TCustomDBEditX::ResetMaxLength() {
    if (MaxLength() > 0 && IsStringField(Field()) && Field()->Size() == MaxLength())
        SetMaxLength(0);
}

void TCustomDBEditX::ActiveChange() {
    ResetMaxLength();
    UpdateEditButtonsState();
}

void TCustomDBEditX::EditingChange() {
    UpdateReadOnlyState();
}

void TCustomDBEditX::InternalSetText(const QString& text) {
    setText(text);
}

void TCustomDBEditX::SetVariantValue(const QVariant& value) {
    InternalSetText(VariantText(value));
}

QVariant TCustomDBEditX::GetVariantValue() const {
    return Text();
}

void TCustomDBEditX::DataChange() {
    if (db::TField* field = Field()) {
        if (field->Alignment() != Alignment())
            update();
        if (!editMaskSet_)
            SetEditMask(field->EditMask());
        if (IsStringField(field) && MaxLength() == 0)
            SetMaxLength(field->Size());
        if (focused_ && link_->CanModify())
            InternalSetText(IsMemoField(field) ? field->AsString() : field->EditText());
        else
            setText(IsMemoField(field) ? field->AsString() : field->DisplayText());
    } else {
        if (!editMaskSet_)
            SetEditMask(QString());
        setText(IsDataIndependent() ? VariantText(link_->DataIndependentValue()) : QString());
    }
    UpdateReadOnlyState();
    setModified(false);
}

void TCustomDBEditX::UpdateReadOnlyState() {
    bool readOnly = readOnly_ || !link_->Editing();
    if (!readOnly_ && !link_->Editing() && OnUpdateData && link_->DataSet() &&
        link_->DataSet()->State() == db::dsEdit)
        readOnly = false;
    if (holderIntf_ && !holderIntf_->CanModify(this))
        readOnly = true;
    setReadOnly(readOnly);
}

void TCustomDBEditX::SetReadOnly(bool readOnly) {
    if (readOnly == readOnly_)
        return;
    readOnly_ = readOnly;
    EditingChange();
}

// ---- Writing the value.

void TCustomDBEditX::SetText(const QString& text) {
    SetValueAndPostWith([&] { InternalSetText(text); });
}

void TCustomDBEditX::SetValueAndPost(const QVariant& value) {
    SetValueAndPostWith([&] { SetVariantValue(value); });
}

void TCustomDBEditX::SetValueAndPostWith(const std::function<void()>& show) {
    if (!IsDataIndependent() && link_->DataSet())
        link_->DataSet()->Edit();
    show();
    if (inUpdateData_)
        return;
    try {
        UpdateData();
    } catch (...) {
        link_->Reset();
        throw;
    }
}

void TCustomDBEditX::FireUpdateData(bool& handled) {
    if (!OnUpdateData)
        return;
    inUpdateData_ = true;
    try {
        OnUpdateData(this, handled);
    } catch (...) {
        inUpdateData_ = false;
        throw;
    }
    inUpdateData_ = false;
}

void TCustomDBEditX::UpdateData() {
    if (focused_ && IsMasked() && !hasAcceptableInput())
        throw EDBEditError();
    bool handled = false;
    FireUpdateData(handled);
    if (!handled)
        WriteTextToField();
    setModified(false);
    if (mruList_.AutoAdd() && mruList_.Active() && isVisible())
        mruList_.AddText(Text());
}

void TCustomDBEditX::WriteTextToField() {
    link_->SetText(IsDataIndependent() ? EditText() : Text());
}

// ---- Typing.

void TCustomDBEditX::TextChanged() {
    link_->Modified();
    setModified(true);
    if (OnChange)
        OnChange(this);
    UpdateImageIndex();
}

bool TCustomDBEditX::IsValidChar(QChar key) const {
    return !Field() || Field()->IsValidChar(key);
}

TEditButtonControlX* TCustomDBEditX::FindButtonByShortCut(QKeyCombination shortCut) const {
    for (int line = 0; line < int(buttonLines_.size()); ++line) {
        const TEditButtonX* button = ButtonOfLine(line);
        if (button && button->Visible() && button->Enabled() &&
            button->ShortCut() != QKeyCombination() && button->ShortCut() == shortCut)
            return buttonLines_[line].control;
    }
    return nullptr;
}

void TCustomDBEditX::KeyDown(int& key, ui::TShiftState shift) {
    if (holderIntf_) {
        holderIntf_->EditorKeyDown(this, key, shift);
        if (key == 0)
            return;
    }
    TCustomMaskEdit::KeyDown(key, shift);
    if (key == 0)
        return;
    if (TEditButtonControlX* control = FindButtonByShortCut(KeyCombination(key, shift))) {
        bool autoRepeat = false;
        bool handled = false;
        EditButtonDown(control, false, autoRepeat, handled);
        EditButtonClick(control);
        key = 0;
        return;
    }
    if (key == Qt::Key_A && shift == ui::ssCtrl) {
        selectAll();
        key = 0;
    } else if ((key == Qt::Key_Delete || (key == Qt::Key_Insert && shift == ui::ssShift)) &&
               !readOnly_) {
        link_->Edit();
    }
}

void TCustomDBEditX::KeyPress(QChar& key) {
    if (holderIntf_) {
        holderIntf_->EditorKeyPress(this, key);
        if (key.isNull())
            return;
    }
    TCustomMaskEdit::KeyPress(key);
    if (key.isNull())
        return;
    const ushort code = key.unicode();
    if (Field() && code > 31 && !IsValidChar(key)) {
        QApplication::beep();
        key = QChar();
        return;
    }
    if (charCase_ == ecUpperCase)
        key = key.toUpper();
    else if (charCase_ == ecLowerCase)
        key = key.toLower();
    if ((code == 8 || code == 22 || code == 24 || code >= 32) && !readOnly_)
        link_->Edit();
    if (code == 27) {
        link_->Reset();
        selectAll();
        key = QChar();
        return;
    }
    if (code == 8 && mruList_.Active() && isVisible() && !droppedDown_ && Text().isEmpty())
        MRUDropDown();
    if (code == 13 || code == 9 || code == 10) {
        key = QChar();
        return;
    }
    typedText_ = QString(key);
}

void TCustomDBEditX::KeyUp(int& key, ui::TShiftState shift) {
    if (holderIntf_) {
        holderIntf_->EditorKeyUp(this, key, shift);
        if (key == 0)
            return;
    }
    TCustomMaskEdit::KeyUp(key, shift);
}

// ---- Entering and leaving.

void TCustomDBEditX::SetFocused(bool focused) {
    focused_ = focused;
    if (Alignment() != db::taLeftJustify && !IsMasked())
        update();
    link_->Reset();
}

void TCustomDBEditX::DoEnter() {
    SetFocused(true);
    if (autoSelect_ && !(QApplication::mouseButtons() & Qt::LeftButton))
        selectAll();
    if (link_->CanModify())
        setReadOnly(readOnly_);
    UpdateBorderActive();
    if (OnEnter)
        OnEnter(this);
}

void TCustomDBEditX::DoExit() {
    if (IsMasked() && !hasAcceptableInput())
        throw EDBEditError();
    if (OnExit)
        OnExit(this);
    link_->UpdateRecord();
    SetFocused(false);
}

void TCustomDBEditX::focusInEvent(QFocusEvent* event) {
    TCustomMaskEdit::focusInEvent(event);
    Guarded([&] {
        if (!focused_)
            DoEnter();
        UpdateBorderActive();
        update();
    });
}

// A value the field refuses keeps the focus here: the text is selected and
// the reason shown once the focus change under way has finished.
void TCustomDBEditX::focusOutEvent(QFocusEvent* event) {
    TCustomMaskEdit::focusOutEvent(event);
    const bool leavesWindow =
        event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason;
    QWidget* to = QApplication::focusWidget();
    QWidget* list = mruListbox_ ? mruListbox_->Window() : nullptr;
    const bool toList = list && to && (list == to || list->isAncestorOf(to));
    if (mruDroppedDown_ && !toList)
        Guarded([this] { MRUCloseUp(false); });
    if (focused_ && !leavesWindow) {
        try {
            DoExit();
        } catch (...) {
            selectAll();
            const std::exception_ptr error = std::current_exception();
            QPointer<TCustomDBEditX> self(this);
            QMetaObject::invokeMethod(
                this,
                [self, error] {
                    if (self)
                        self->setFocus(Qt::OtherFocusReason);
                    try {
                        std::rethrow_exception(error);
                    } catch (...) {
                        ui::HandleCurrentException();
                    }
                },
                Qt::QueuedConnection);
        }
    }
    for (const TButtonLine& line : buttonLines_)
        line.control->CancelDrag();
    Guarded([this] { UpdateBorderActive(); });
    update();
}

// ---- Buttons.

TEditButtonX* TCustomDBEditX::ButtonOfLine(int line) const {
    if (line == 0)
        return &EditButton();
    return line - 1 < EditButtons().Count() ? EditButtons().ButtonAt(line - 1) : nullptr;
}

TEditButtonControlX* TCustomDBEditX::ButtonControl(int line) const {
    return line < int(buttonLines_.size()) ? buttonLines_[line].control : nullptr;
}

QFrame* TCustomDBEditX::ButtonSeparator(int line) const {
    return line < int(buttonLines_.size()) ? buttonLines_[line].separator : nullptr;
}

int TCustomDBEditX::BorderWidth() const {
    return borderStyle_ == ui::TBorderStyle::bsSingle ? 2 : 0;
}

ui::TRect TCustomDBEditX::ClientRect() const {
    const int b = BorderWidth();
    return {b, b, width() - b, height() - b};
}

ui::TRect TCustomDBEditX::ButtonsRect() const {
    const ui::TRect client = ClientRect();
    return {client.Right - buttonsWidth_, client.Top, client.Right, client.Bottom};
}

ui::TRect TCustomDBEditX::ImageRect() const {
    const ui::TRect client = ClientRect();
    return {client.Left, client.Top, client.Left + imageWidth_, client.Bottom};
}

ui::TRect TCustomDBEditX::TextAreaRect() const {
    ui::TRect r = ClientRect();
    r.Right -= buttonsWidth_;
    r.Left += imageWidth_;
    return r;
}

ui::TRect TCustomDBEditX::TextRect() const {
    ui::TRect r = TextAreaRect();
    r.Right -= 1;
    return r;
}

void TCustomDBEditX::LayoutEditButtons() {
    const ui::TRect area = ButtonsRect();
    const int available = area.Height();
    const int lines = EditButtons().Count() + 1;
    while (int(buttonLines_.size()) > lines) {
        delete buttonLines_.back().control;
        delete buttonLines_.back().separator;
        buttonLines_.pop_back();
    }
    while (int(buttonLines_.size()) < lines) {
        TButtonLine line;
        line.control = CreateEditButtonControl();
        line.separator = new QFrame(this);
        line.separator->setAutoFillBackground(true);
        buttonLines_.push_back(line);
    }
    int height = available;
    std::vector<int> widths(lines, 0);
    for (int i = 0; i < lines; ++i) {
        const TEditButtonX& button = *ButtonOfLine(i);
        TEditButtonControlX* control = buttonLines_[i].control;
        control->setVisible(button.Visible());
        control->setEnabled(button.Enabled());
        control->SetStyle(button.Style());
        control->SetGlyph(button.Glyph());
        control->SetNumGlyphs(button.NumGlyphs());
        control->setToolTip(button.Hint());
        control->SetFlat(flat_);
        int width = 0;
        if (button.Visible()) {
            width = button.Width() > 0 ? button.Width()
                    : flat_            ? FlatEditButtonWidth()
                                       : style()->pixelMetric(QStyle::PM_ScrollBarExtent);
            if (available > std::lround(width * 1.5))
                height = std::min(height, EditButtonHeightFor(width, flat_));
        }
        widths[i] = width;
        control->Tag = i;
        control->OnButtonDown = [this](QObject* sender, bool top, bool& autoRepeat, bool& handled) {
            EditButtonDown(static_cast<TEditButtonControlX*>(sender), top, autoRepeat, handled);
        };
        control->OnClick = [this](QObject* sender) {
            EditButtonClick(static_cast<TEditButtonControlX*>(sender));
        };
        control->OnMouseMove = [this](QObject* sender, ui::TShiftState shift, int x, int y) {
            EditButtonMouseMove(static_cast<TEditButtonControlX*>(sender), shift, x, y);
        };
        control->OnMouseUp = [this](QObject* sender, ui::TMouseButton mouseButton,
                                    ui::TShiftState shift, int x, int y) {
            EditButtonMouseUp(static_cast<TEditButtonControlX*>(sender), mouseButton, shift, x, y);
        };
    }
    buttonHeight_ = height;
    const ui::TRect client = ClientRect();
    int right = client.Right;
    for (int i = lines - 1; i >= 0; --i) {
        const bool separated = flat_ && widths[i] > 0;
        buttonLines_[i].control->setGeometry(right - widths[i], client.Top, widths[i], height);
        right -= widths[i];
        buttonLines_[i].separator->setGeometry(right - 1, client.Top, 1, height);
        buttonLines_[i].separator->setVisible(separated);
        right -= separated ? 1 : 0;
    }
    buttonsWidth_ = client.Right - right;
    laidOut_ = true;
}

void TCustomDBEditX::UpdateEditButtonsState() {
    for (int i = 0; i < int(buttonLines_.size()); ++i) {
        const TEditButtonX* button = ButtonOfLine(i);
        TEditButtonControlX* control = buttonLines_[i].control;
        control->setEnabled(isEnabled() && button && button->Enabled());
        control->SetActive(borderActive_);
        QPalette palette = buttonLines_[i].separator->palette();
        palette.setColor(QPalette::Window,
                         ui::ToQColor(borderActive_ ? ui::clBtnFace : color_, this->palette()));
        buttonLines_[i].separator->setPalette(palette);
    }
}

void TCustomDBEditX::EditButtonsChanged() {
    if (laidOut_)
        LayoutEditButtons();
    UpdateEditButtonsState();
    UpdateTextArea();
    update();
}

void TCustomDBEditX::EditButtonPressed(bool) {
    if (EditButton().Style() == ebsUpDownX || droppedDown_)
        return;
    DropDown();
    droppedOnButtonDown_ = true;
}

void TCustomDBEditX::DropDown() {
    if (!buttonLines_.empty())
        buttonLines_[0].control->SetPressedLook(true);
    if (mruDroppedDown_)
        MRUCloseUp(false);
}

void TCustomDBEditX::CloseUp(bool) {
    if (!buttonLines_.empty())
        buttonLines_[0].control->SetPressedLook(false);
}

void TCustomDBEditX::PostPendingMenu(int tag) {
    pendingMenuTags_.insert(tag);
    QCoreApplication::postEvent(this, new TPendingMenuEvent(tag));
}

void TCustomDBEditX::ShowButtonMenu(TEditButtonControlX* control, TEditButtonX* button) {
    QMenu* menu = button->DropdownMenu;
    const bool rightAligned = menu->layoutDirection() == Qt::RightToLeft;
    QPoint at = control->mapToGlobal(QPoint(0, control->height()));
    if (rightAligned)
        at.rx() += control->width() - menu->sizeHint().width();
    QPointer<TEditButtonControlX> alive(control);
    menu->exec(at);
    PostPendingMenu(control->Tag);
    if (alive)
        alive->MouseUp(ui::TMouseButton::mbLeft, 0, 0, 0);
}

void TCustomDBEditX::EditButtonDown(TEditButtonControlX* control, bool topButton, bool& autoRepeat,
                                    bool& handled) {
    if (focusPolicy() != Qt::NoFocus)
        setFocus(Qt::MouseFocusReason);
    handled = false;
    if (pendingMenuTags_.erase(control->Tag) > 0)
        return;
    TEditButtonX* button = ButtonOfLine(control->Tag);
    if (!button)
        return;
    if (control->Tag == 0) {
        if (OnButtonDown)
            OnButtonDown(this, topButton, autoRepeat, handled);
        if (handled)
            return;
        if (button->DropdownMenu)
            ShowButtonMenu(control, button);
        else if (!button->Action())
            EditButtonPressed(!topButton);
        return;
    }
    if (button->OnDown)
        button->OnDown(control, topButton, autoRepeat, handled);
    if (!handled && button->DropdownMenu)
        ShowButtonMenu(control, button);
}

void TCustomDBEditX::EditButtonClick(TEditButtonControlX* control) {
    bool handled = false;
    TEditButtonX* button = ButtonOfLine(control->Tag);
    if (!button)
        return;
    button->Click(this, handled);
    if (control->Tag == 0 && !handled && OnButtonClick)
        OnButtonClick(this, handled);
    const bool main = control->Tag == 0;
    if (!handled && droppedDown_ && !droppedOnButtonDown_ && main)
        CloseUp(false);
    // Nothing drops down from a plain edit: its button must not stay latched.
    else if (main && !droppedDown_ && control->PressedLook())
        CloseUp(false);
    droppedOnButtonDown_ = false;
}

void TCustomDBEditX::EditButtonMouseMove(TEditButtonControlX*, ui::TShiftState, int, int) {}

void TCustomDBEditX::EditButtonMouseUp(TEditButtonControlX* control, ui::TMouseButton,
                                       ui::TShiftState, int x, int y) {
    if (!control->rect().contains(x, y))
        droppedOnButtonDown_ = false;
}

// ---- Looks.

bool TCustomDBEditX::FlatBorderShown() const {
    return flat_ && borderStyle_ == ui::TBorderStyle::bsSingle;
}

void TCustomDBEditX::ApplyFrame() {
    const bool standardFrame = borderStyle_ == ui::TBorderStyle::bsSingle && !flat_;
    setFrame(standardFrame);
    const int margin = FlatBorderShown() ? BorderWidth() : 0;
    setContentsMargins(margin, margin, margin, margin);
}

void TCustomDBEditX::ApplyColor() {
    QPalette p = palette();
    p.setColor(QPalette::Base, ui::ToQColor(color_, p));
    setPalette(p);
}

void TCustomDBEditX::SetColor(ui::TColor color) {
    color_ = color;
    ApplyColor();
    UpdateEditButtonsState();
    update();
}

void TCustomDBEditX::SetBorderStyle(ui::TBorderStyle style) {
    if (style == borderStyle_)
        return;
    borderStyle_ = style;
    ApplyFrame();
    UpdateHeight();
    if (laidOut_)
        LayoutEditButtons();
    UpdateTextArea();
}

void TCustomDBEditX::SetFont(const QFont& font) {
    setFont(font);
}

void TCustomDBEditX::SetFlat(bool flat) {
    if (flat == flat_)
        return;
    flat_ = flat;
    ApplyFrame();
    UpdateHeight();
    if (laidOut_)
        LayoutEditButtons();
    UpdateEditButtonsState();
    UpdateTextArea();
    update();
}

void TCustomDBEditX::SetWordWrap(bool wordWrap) {
    if (wordWrap == wordWrap_)
        return;
    wordWrap_ = wordWrap;
    ApplyTextAlignment();
    update();
}

void TCustomDBEditX::SetAlwaysShowBorder(bool show) {
    if (show == alwaysShowBorder_)
        return;
    alwaysShowBorder_ = show;
    UpdateBorderActive();
}

void TCustomDBEditX::SetTooltips(bool tooltips) {
    if (tooltips == tooltips_)
        return;
    tooltips_ = tooltips;
    UpdateShowHint();
}

void TCustomDBEditX::SetShowHint(bool show) {
    showHint_ = show;
    UpdateShowHint();
}

void TCustomDBEditX::UpdateShowHint() {
    setAttribute(Qt::WA_AlwaysShowToolTips, tooltips_ || showHint_);
}

void TCustomDBEditX::SetAutoSize(bool autoSize) {
    if (autoSize == autoSize_)
        return;
    autoSize_ = autoSize;
    UpdateHeight();
}

void TCustomDBEditX::SetHighlightRequired(bool highlight) {
    highlightRequired_ = highlight;
    update();
}

void TCustomDBEditX::SetImages(TGridPictureList* images) {
    EditImage().SetImages(images);
    EditImage().SetVisible(true);
}

void TCustomDBEditX::SetOnGetImageIndex(TGetImageIndexEventX handler) {
    OnGetImageIndex = std::move(handler);
    UpdateImageIndex();
}

void TCustomDBEditX::ImageChanged() {
    const TEditImageX& image = EditImage();
    imageWidth_ = 0;
    if (image.Visible() && image.Images())
        imageWidth_ = (image.Width() > 0 ? image.Width() : image.Images()->Width()) + 4;
    UpdateImageIndex();
    UpdateHeight();
    UpdateTextArea();
    update();
}

void TCustomDBEditX::UpdateImageIndex() {
    TEditImageX& image = EditImage();
    if (!image.Visible() || !image.Images())
        return;
    int index = DefaultImageIndex();
    const QVariant value = GetVariantValue();
    if (IsNumber(value))
        index = static_cast<int>(std::lround(value.toDouble()));
    if (OnGetImageIndex)
        OnGetImageIndex(this, index);
    image.SetImageIndex(index);
}

int TCustomDBEditX::AdjustHeight() {
    const int k = flat_ ? 6 : 8;
    int textHeight = fontMetrics().height();
    const TEditImageX& image = EditImage();
    if (image.Images() && image.UseImageHeight() && image.Images()->Height() > textHeight)
        textHeight = image.Images()->Height();
    return k * SystemBorderHeight + textHeight;
}

void TCustomDBEditX::UpdateHeight() {
    if (autoSize_ && borderStyle_ == ui::TBorderStyle::bsSingle) {
        setFixedHeight(AdjustHeight());
    } else {
        setMinimumHeight(0);
        setMaximumHeight(QWIDGETSIZE_MAX);
    }
}

void TCustomDBEditX::UpdateTextArea() {
    setTextMargins(imageWidth_, 0, buttonsWidth_, 0);
    update();
}

void TCustomDBEditX::UpdateBorderActive() {
    const bool active = focused_ || hasFocus() || mouseInside_ || alwaysShowBorder_;
    if (active == borderActive_)
        return;
    borderActive_ = active;
    update();
    UpdateEditButtonsState();
}

bool TCustomDBEditX::PaintsTextItself() const {
    return Alignment() != db::taLeftJustify && !focused_ && !wordWrap_;
}

int TCustomDBEditX::LeftTextMargin() const {
    // The line edit's own margin beside the text.
    return 2;
}

QString TCustomDBEditX::GetPaintText() const {
    QString text = EditText();
    if (charCase_ == ecUpperCase)
        text = text.toUpper();
    else if (charCase_ == ecLowerCase)
        text = text.toLower();
    if (echoMode() == QLineEdit::Password)
        text = QString(text.size(), QChar(u'*'));
    return text;
}

void TCustomDBEditX::PaintFlatBorder(ui::TCanvas& canvas, bool active) {
    const ui::TRect outer{0, 0, width(), height()};
    if (active)
        canvas.DrawEdge(outer, ui::BDR_SUNKENOUTER, ui::BF_RECT);
    else
        FrameRect(canvas, outer, ui::clBtnFace);
    FrameRect(canvas, {1, 1, width() - 1, height() - 1}, ui::clBtnFace);
}

void TCustomDBEditX::PaintImage(ui::TCanvas& canvas) {
    const TEditImageX& image = EditImage();
    if (!image.Visible() || !image.Images() || image.ImageIndex() < 0 ||
        image.ImageIndex() >= image.Images()->Count())
        return;
    ui::TRect r = ImageRect();
    r = {r.Left + 2, r.Top + 1, r.Right - 2, r.Bottom - 1};
    const QImage& picture = image.Images()->Picture(image.ImageIndex());
    const int left = (r.Left + r.Right - picture.width()) / 2;
    const int top = (r.Top + r.Bottom - picture.height()) / 2;
    const ui::TClip clip = canvas.Clip();
    canvas.IntersectClipRect(r);
    canvas.Painter().drawImage(left, top, picture);
    canvas.SetClip(clip);
}

bool TCustomDBEditX::RequiredStateDrawn() const {
    bool draw = false;
    if (highlightRequired_ && link_->IsActive()) {
        if (IsDataIndependent()) {
            draw = db::VarIsNull(link_->DataIndependentValue()) || Text().isEmpty();
        } else if (db::TField* field = Field()) {
            const db::TDataSetState state = link_->DataSet()->State();
            draw = (state == db::dsEdit || state == db::dsInsert) && field->Required() &&
                   field->IsNull();
        }
    }
    if (OnCheckDrawRequiredState)
        OnCheckDrawRequiredState(const_cast<TCustomDBEditX*>(this), draw);
    return draw;
}

void TCustomDBEditX::DrawRequiredState(ui::TCanvas& canvas) {
    if (!RequiredStateDrawn())
        return;
    const ui::TRect area = TextAreaRect();
    const int y = ClientRect().Bottom - 1;
    canvas.SetPenColor(ui::clRed);
    canvas.SetPenStyle(ui::TPenStyle::psDot);
    canvas.MoveTo(area.Left + 2, y);
    canvas.LineTo(area.Right - 3, y);
    canvas.SetPenStyle(ui::TPenStyle::psSolid);
}

void TCustomDBEditX::paintEvent(QPaintEvent* event) {
    if (!PaintsTextItself() && !wordWrap_)
        TCustomMaskEdit::paintEvent(event);
    Guarded([&] {
        QPainter painter(this);
        ui::TCanvas canvas(painter, palette(), event->region());
        canvas.SetFont(font());
        if (wordWrap_) {
            // The field's alignment may have come with the data.
            ApplyTextAlignment();
            PaintPanel(painter);
            DrawWrappedEdit(painter, *this, WrapArea());
        } else if (PaintsTextItself()) {
            PaintPanel(painter);
            const ui::TRect r = TextRect();
            const QString text = GetPaintText();
            const int textWidth = canvas.TextWidth(text);
            int x = r.Left + LeftTextMargin();
            if (Alignment() == db::taRightJustify)
                x = r.Right - textWidth - LeftTextMargin();
            else if (Alignment() == db::taCenter)
                x = (r.Right - textWidth) / 2;
            const int y = r.Top + (r.Height() - canvas.TextHeight(text)) / 2;
            canvas.SetBrushColor(color_);
            canvas.SetFontColor(isEnabled() ? ui::clWindowText : ui::clGrayText);
            const ui::TClip clip = canvas.Clip();
            canvas.IntersectClipRect(r);
            canvas.TextOut(x, y, text);
            canvas.SetClip(clip);
        }
        if (FlatBorderShown())
            PaintFlatBorder(canvas, borderActive_);
        PaintImage(canvas);
        DrawRequiredState(canvas);
    });
}

void TCustomDBEditX::PaintPanel(QPainter& painter) {
    if (hasFrame()) {
        QStyleOptionFrame option;
        initStyleOption(&option);
        style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);
    } else {
        painter.fillRect(rect(), ui::ToQColor(color_, palette()));
    }
}

bool TCustomDBEditX::TextDoesNotFit() const {
    const ui::TRect area = TextAreaRect();
    const QFontMetrics metrics(font());
    const int flags = Qt::TextSingleLine | (wordWrap_ ? Qt::TextWordWrap : 0);
    const QRect needed =
        metrics.boundingRect(QRect(0, 0, area.Width(), area.Height()), flags, EditText());
    return needed.width() > area.Width() - 2 || needed.height() > area.Height();
}

// ---- Tool tips, mouse and other notices.

bool TCustomDBEditX::event(QEvent* event) {
    if (holderIntf_) {
        bool done = false;
        Guarded([&] { done = holderIntf_->EditorWndProc(this, event); });
        if (done)
            return true;
    }
    if (event->type() == PendingMenuEvent()) {
        pendingMenuTags_.erase(static_cast<TPendingMenuEvent*>(event)->Tag());
        return true;
    }
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        if (tooltips_ && TextDoesNotFit()) {
            QToolTip::showText(mapToGlobal(QPoint(0, height())), EditText(), this);
            return true;
        }
        if (!showHint_) {
            QToolTip::hideText();
            event->ignore();
            return true;
        }
        QToolTip::showText(help->globalPos(), toolTip(), this);
        return true;
    }
    if (event->type() == QEvent::KeyPress && mruDroppedDown_) {
        bool taken = false;
        Guarded([&] { taken = HandleMRUKey(static_cast<QKeyEvent*>(event)); });
        if (taken)
            return true;
    }
    return TCustomMaskEdit::event(event);
}

bool TCustomDBEditX::OverButtonsOrImage(QPoint p) const {
    const auto inside = [p](const ui::TRect& r) {
        return p.x() >= r.Left && p.x() < r.Right && p.y() >= r.Top && p.y() < r.Bottom;
    };
    return inside(ButtonsRect()) || inside(ImageRect());
}

void TCustomDBEditX::mousePressEvent(QMouseEvent* event) {
    if (OverButtonsOrImage(event->position().toPoint()))
        return;
    if (holderIntf_ && event->button() == Qt::LeftButton) {
        QPoint point;
        qint64 time = 0;
        holderIntf_->GetMouseDownInfo(point, time);
        if (time != 0 && IsSecondClick(point, event->globalPosition().toPoint(),
                                       qint64(event->timestamp()) - time)) {
            mouseDoubleClickEvent(event);
            return;
        }
    }
    TCustomMaskEdit::mousePressEvent(event);
    if (wordWrap_ && event->button() == Qt::LeftButton) {
        const int position = WrappedEditPosition(*this, WrapArea(), event->pos());
        if (event->modifiers() & Qt::ShiftModifier)
            ExtendEditSelection(*this, position);
        else
            setCursorPosition(position);
    }
}

void TCustomDBEditX::mouseDoubleClickEvent(QMouseEvent* event) {
    if (OverButtonsOrImage(event->position().toPoint()))
        return;
    TCustomMaskEdit::mouseDoubleClickEvent(event);
}

void TCustomDBEditX::mouseMoveEvent(QMouseEvent* event) {
    const bool over = OverButtonsOrImage(event->position().toPoint());
    setCursor(over ? Qt::ArrowCursor : Qt::IBeamCursor);
    if (over && !(event->buttons() & Qt::LeftButton))
        return;
    if (wordWrap_ && (event->buttons() & Qt::LeftButton)) {
        ExtendEditSelection(*this, WrappedEditPosition(*this, WrapArea(), event->pos()));
        return;
    }
    TCustomMaskEdit::mouseMoveEvent(event);
}

// Up and Down move between the wrapped lines once the key-down handling
// (which may step a combo box's items) left them.
void TCustomDBEditX::keyPressEvent(QKeyEvent* event) {
    const bool lineKey = event->key() == Qt::Key_Up || event->key() == Qt::Key_Down;
    if (!wordWrap_ || !lineKey || (event->modifiers() & (Qt::AltModifier | Qt::ControlModifier))) {
        TCustomMaskEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    int key = event->key();
    Guarded([&] {
        KeyDown(key, ui::ShiftState(event->modifiers()));
        if (key != 0)
            MoveWrappedCaret(*this, WrapArea(), key == Qt::Key_Down,
                             event->modifiers() & Qt::ShiftModifier);
    });
}

void TCustomDBEditX::enterEvent(QEnterEvent* event) {
    TCustomMaskEdit::enterEvent(event);
    mouseInside_ = true;
    Guarded([this] { UpdateBorderActive(); });
}

void TCustomDBEditX::leaveEvent(QEvent* event) {
    TCustomMaskEdit::leaveEvent(event);
    mouseInside_ = false;
    Guarded([this] { UpdateBorderActive(); });
}

void TCustomDBEditX::resizeEvent(QResizeEvent* event) {
    TCustomMaskEdit::resizeEvent(event);
    Guarded([this] {
        LayoutEditButtons();
        UpdateEditButtonsState();
        UpdateTextArea();
    });
}

void TCustomDBEditX::showEvent(QShowEvent* event) {
    TCustomMaskEdit::showEvent(event);
    Guarded([this] {
        if (!laidOut_) {
            LayoutEditButtons();
            UpdateEditButtonsState();
            UpdateTextArea();
        }
    });
}

void TCustomDBEditX::changeEvent(QEvent* event) {
    TCustomMaskEdit::changeEvent(event);
    Guarded([&] {
        switch (event->type()) {
        case QEvent::EnabledChange:
            UpdateEditButtonsState();
            break;
        case QEvent::FontChange:
            UpdateHeight();
            UpdateTextArea();
            break;
        case QEvent::StyleChange:
        case QEvent::PaletteChange:
            ResetButtonBitmaps();
            break;
        default:
            break;
        }
    });
}

// ---- In-place use.

void TCustomDBEditX::SetInplaceEditHolder(QObject* holder) {
    if (holder == holder_)
        return;
    IInplaceEditHolderX* intf = nullptr;
    if (holder) {
        intf = dynamic_cast<IInplaceEditHolderX*>(holder);
        if (!intf)
            throw Exception(
                QStringLiteral("InplaceEditHolder have to support IInplaceEditHolderX interface"));
    }
    QObject::disconnect(holderGone_);
    holder_ = holder;
    holderIntf_ = intf;
    if (holder)
        holderGone_ = connect(holder, &QObject::destroyed, this, [this] {
            holder_ = nullptr;
            holderIntf_ = nullptr;
        });
}

bool TCustomDBEditX::Visible() const {
    return isVisible() || (!IsInplaceEditor() && !isHidden());
}

void TCustomDBEditX::SetVisible(bool visible) {
    if (IsInplaceEditor() && !visible)
        HideInplace();
    else
        setVisible(visible);
}

void TCustomDBEditX::SetFocus() {
    if (!IsInplaceEditor() || isVisible())
        setFocus();
}

void TCustomDBEditX::HideInplace() {
    if (!IsInplaceEditor()) {
        setVisible(false);
        return;
    }
    if (!isVisible())
        return;
    const bool hadFocus = hasFocus();
    update();
    hide();
    if (hadFocus)
        if (auto* holderWidget = qobject_cast<QWidget*>(holder_))
            holderWidget->setFocus();
}

void TCustomDBEditX::ShowInRect(const ui::TRect& rect, bool focus) {
    if (rect.IsEmpty()) {
        HideInplace();
        return;
    }
    const bool wasHidden = !isVisible();
    update();
    if (auto* holderWidget = qobject_cast<QWidget*>(holder_))
        ui::TCustomControl::SendCancelMode(holderWidget);
    setGeometry(rect.ToQRect());
    show();
    if (focus || wasHidden)
        update();
    if (auto* holderWidget = qobject_cast<QWidget*>(holder_);
        holderWidget && holderWidget->hasFocus())
        setFocus();
}

void TCustomDBEditX::PlaceInGrid(const ui::TRect& rect) {
    if (IsInplaceEditor())
        ShowInRect(rect, true);
    else
        setGeometry(rect.ToQRect());
}

// ---- The MRU list.

void TCustomDBEditX::FilterMRUItem(const QString& item, bool& accept) const {
    accept =
        item.startsWith(Text(), mruList_.CaseSensitive() ? Qt::CaseSensitive : Qt::CaseInsensitive);
    if (mruList_.OnItemFilter)
        mruList_.OnItemFilter(&mruList_, item, accept);
}

// What the mask shows for an empty value: its literals and blanks.
QString TCustomDBEditX::BlankMaskText() const {
    if (!IsMasked())
        return QString();
    if (blankMask_ != EditMask()) {
        QLineEdit probe;
        probe.setInputMask(inputMask());
        blankMask_ = EditMask();
        blankText_ = probe.displayText();
    }
    return blankText_;
}

void TCustomDBEditX::EditTextChanged() {
    const QString empty = BlankMaskText();
    if (mruDroppedDown_ && EditText() == empty) {
        MRUCloseUp(false);
        return;
    }
    if (mruList_.Active() && isVisible() && !droppedDown_ && EditText() != empty && hasFocus())
        MRUDropDown();
}

void TCustomDBEditX::MRUDropDown() {
    if (!mruListbox_)
        mruListbox_ = CreateMRUListbox();
    if (!mruListbox_)
        return;
    QStringList items;
    mruList_.CopyMatching(items, Text());
    mruListbox_->SetItems(items);
    if (items.isEmpty()) {
        MRUCloseUp(false);
        return;
    }
    mruListbox_->DropDownUnder(this, std::min(int(items.size()), mruList_.Rows()));
    mruDroppedDown_ = true;
}

void TCustomDBEditX::MRUCloseUp(bool accept) {
    if (!mruDroppedDown_ || !mruListbox_)
        return;
    const QString selected = mruListbox_->SelectedText();
    mruListbox_->CloseUp();
    mruDroppedDown_ = false;
    if (accept && !readOnly_ && link_->Edit() && !selected.isEmpty()) {
        InternalSetText(selected);
        if (hasFocus())
            selectAll();
    }
}

void TCustomDBEditX::MRUListResized() {
    if (!mruListbox_)
        return;
    mruList_.SetRows(mruListbox_->RowCount());
    mruList_.SetWidth(mruListbox_->Width());
}

bool TCustomDBEditX::HandleMRUKey(QKeyEvent* event) {
    const int key = ui::KeyCode(event);
    const bool alt = event->modifiers() & Qt::AltModifier;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    if (!alt && (key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_Up ||
                 key == Qt::Key_Down || (ctrl && (key == Qt::Key_Home || key == Qt::Key_End)))) {
        mruListbox_->HandleKey(event);
        return true;
    }
    if (key == Qt::Key_Return) {
        MRUCloseUp(true);
        return true;
    }
    if (key == Qt::Key_Escape) {
        MRUCloseUp(false);
        return true;
    }
    return false;
}

} // namespace kx

#include "moc_customdbeditx.cpp"
