#include "grid/editors/dbcomboboxx.h"

#include "grid/dbgrid/gridpictures.h"
#include "grid/editors/dropdowndrag.h"
#include "grid/editors/dropdownplacement.h"
#include "grid/editors/sizegripx.h"
#include "platform/db/dataset.h"
#include "platform/db/variants.h"
#include "platform/ui/application.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>

namespace kx {
namespace {

template <typename F> void Guarded(F&& function) {
    try {
        function();
    } catch (...) {
        ui::HandleCurrentException();
    }
}

QString ValueText(const QVariant& value) {
    if (!value.isValid() || db::VarIsNull(value))
        return QString();
    return value.toString();
}

bool SameTextIgnoringCase(const QString& a, const QString& b) {
    return QString::localeAwareCompare(a.toCaseFolded(), b.toCaseFolded()) == 0;
}

int IndexIgnoringCase(const QStringList& list, const QString& text, int count) {
    for (int i = 0; i < count && i < list.size(); ++i)
        if (SameTextIgnoringCase(list.at(i), text))
            return i;
    return -1;
}

} // namespace

int ComboDropDownWidth(int boxWidth, int widestItemWidth, int imageWidth, int comboWidth) {
    int width = boxWidth;
    if (boxWidth == -1)
        width = widestItemWidth + 5 + (imageWidth > 0 ? imageWidth + 4 : 0);
    else if (boxWidth < 1)
        width = comboWidth;
    return std::max(width, comboWidth);
}

int ComboDropDownRows(int boxRows, int itemCount) {
    return std::max(std::min(boxRows, itemCount), 1);
}

TCustomDBComboBoxX::TCustomDBComboBoxX(QWidget* parent) : TCustomDBEditX(parent) {
    keyValue_ = db::NullVariant();
    EditButton();
    LayoutEditButtons();
    connect(this, &QLineEdit::textEdited, this, ui::Guard([this] {
                if (!keyMode_)
                    itemIndex_ = IndexIgnoringCase(items_, Text(), itemCount_);
            }));
}

TCustomDBComboBoxX::~TCustomDBComboBoxX() = default;

std::unique_ptr<TEditButtonX> TCustomDBComboBoxX::CreateEditButton() const {
    return std::make_unique<TVisibleEditButtonX>(const_cast<TCustomDBComboBoxX*>(this));
}

// ---- Items and keys.

void TCustomDBComboBoxX::SetItems(const QStringList& items) {
    items_ = items;
    ItemsChanged();
}

void TCustomDBComboBoxX::SetKeyItems(const QStringList& keyItems) {
    keyItems_ = keyItems;
    ItemsChanged();
    DataChange();
    UpdateEditButtonsState();
}

void TCustomDBComboBoxX::ItemsChanged() {
    UpdateItemsState();
    itemIndex_ = IndexIgnoringCase(items_, Text(), itemCount_);
    ResetMaxLength();
    if (list_)
        list_->SetOwnerDrawSource(&items_);
}

void TCustomDBComboBoxX::UpdateItemsState() {
    itemCount_ = int(items_.size());
    keyMode_ = !keyItems_.isEmpty();
    if (keyMode_) {
        itemCount_ = std::min(itemCount_, int(keyItems_.size()));
        setText(QString());
    }
    UpdateReadOnlyState();
}

void TCustomDBComboBoxX::RequestItems() {
    if (OnItemsRequest)
        OnItemsRequest(this);
}

// ---- The value.

QVariant TCustomDBComboBoxX::GetVariantValue() const {
    return keyMode_ ? keyValue_ : TCustomDBEditX::GetVariantValue();
}

void TCustomDBComboBoxX::DataChange() {
    db::TField* field = Field();
    if (field && !keyMode_) {
        TCustomDBEditX::DataChange();
        itemIndex_ = IndexIgnoringCase(items_, Text(), itemCount_);
        return;
    }
    if (field)
        SetVariantValue(field->IsNull() ? db::NullVariant() : QVariant(field->EditText()));
    else if (IsDataIndependent())
        SetVariantValue(DataLink().DataIndependentValue());
    else
        setText(QString());
    UpdateReadOnlyState();
    setModified(false);
}

void TCustomDBComboBoxX::SetVariantValue(const QVariant& value) {
    if (!keyMode_) {
        TCustomDBEditX::SetVariantValue(value);
        itemIndex_ = IndexIgnoringCase(items_, Text(), itemCount_);
        return;
    }
    keyValue_ = value;
    if (!value.isValid() || db::VarIsNull(value)) {
        keyValue_ = db::NullVariant();
        itemIndex_ = -1;
        setText(QString());
    } else {
        itemIndex_ = int(keyItems_.indexOf(value.toString()));
        setText(itemIndex_ >= 0 && itemIndex_ < itemCount_ ? items_.at(itemIndex_) : QString());
    }
    UpdateImageIndex();
    ListSelectItemIndex();
}

void TCustomDBComboBoxX::InternalSetText(const QString& text) {
    if (!keyMode_) {
        TCustomDBEditX::InternalSetText(text);
        itemIndex_ = IndexIgnoringCase(items_, Text(), itemCount_);
        return;
    }
    const int found = IndexIgnoringCase(items_, text, itemCount_);
    if (found < 0)
        return;
    itemIndex_ = found;
    UpdateImageIndex();
    ListSelectItemIndex();
    keyValue_ = keyItems_.at(found);
    setText(text);
}

void TCustomDBComboBoxX::SetItemIndex(int index) {
    if (index == itemIndex_)
        return;
    RequestItems();
    if (index < 0 || index >= itemCount_) {
        itemIndex_ = -1;
        keyValue_ = db::NullVariant();
    } else {
        itemIndex_ = index;
        if (keyMode_)
            keyValue_ = keyItems_.at(index);
    }
    UpdateImageIndex();
    ListSelectItemIndex();
    setText(itemIndex_ >= 0 ? items_.at(itemIndex_) : QString());
}

void TCustomDBComboBoxX::SelectItem(int index) {
    if (!IsDataIndependent() && DataLink().DataSet())
        DataLink().DataSet()->Edit();
    SetItemIndex(index);
    try {
        UpdateData();
    } catch (...) {
        DataLink().Reset();
        throw;
    }
}

void TCustomDBComboBoxX::Clear() {
    if (keyMode_)
        ApplyValue(db::NullVariant());
    else
        SetText(QString());
}

// A cleared key is written as Null, not as an empty text, so that the field
// (or the unbound value) really holds Null.
void TCustomDBComboBoxX::WriteTextToField() {
    if (keyMode_ && (IsDataIndependent() || db::VarIsNull(keyValue_)))
        DataLink().SetValue(keyValue_);
    else
        DataLink().SetText(keyMode_ ? ValueText(keyValue_) : Text());
}

void TCustomDBComboBoxX::UpdateData() {
    if (OnNotInList && itemIndex_ == -1) {
        bool recheck = false;
        OnNotInList(this, Text(), recheck);
    }
    TCustomDBEditX::UpdateData();
}

void TCustomDBComboBoxX::ResetMaxLength() {
    if (keyMode_) {
        if (MaxLength() > 0)
            SetMaxLength(0);
        return;
    }
    TCustomDBEditX::ResetMaxLength();
}

void TCustomDBComboBoxX::UpdateReadOnlyState() {
    TCustomDBEditX::UpdateReadOnlyState();
    if (keyMode_)
        setReadOnly(true);
}

void TCustomDBComboBoxX::UpdateImageIndex() {
    itemImageIndex_ = itemIndex_;
    if (OnGetItemImageIndex)
        OnGetItemImageIndex(this, itemIndex_, itemImageIndex_);
    TCustomDBEditX::UpdateImageIndex();
}

db::TAlignment TCustomDBComboBoxX::DefaultAlignment() const {
    return keyMode_ ? db::taLeftJustify : TCustomDBEditX::DefaultAlignment();
}

bool TCustomDBComboBoxX::IsValidChar(QChar key) const {
    return keyMode_ || TCustomDBEditX::IsValidChar(key);
}

QString TCustomDBComboBoxX::GetPaintText() const {
    db::TField* field = Field();
    if (!field || !keyMode_)
        return TCustomDBEditX::GetPaintText();
    const int index = int(keyItems_.indexOf(field->EditText()));
    QString text = index >= 0 && index < itemCount_ ? items_.at(index) : QString();
    if (CharCase() == ecUpperCase)
        text = text.toUpper();
    else if (CharCase() == ecLowerCase)
        text = text.toLower();
    return text;
}

// ---- Searching and stepping.

bool TCustomDBComboBoxX::LinkCanEdit() {
    return DataLink().Edit();
}

bool TCustomDBComboBoxX::LocateItem(const QString& text, bool prefix) {
    if (!LinkCanEdit())
        return false;
    const int old = itemIndex_;
    try {
        int found = -1;
        for (int i = 0; i < itemCount_ && found < 0; ++i) {
            const QString item = prefix ? items_.at(i).left(text.size()) : items_.at(i);
            if (SameTextIgnoringCase(item, text))
                found = i;
        }
        if (found < 0) {
            if (!keyMode_)
                SetItemIndex(-1);
        } else {
            SetItemIndex(found);
            const int end = int(items_.at(found).size());
            setSelection(end, int(text.size()) - end);
        }
    } catch (...) {
        SetItemIndex(old);
        return false;
    }
    return itemIndex_ != old;
}

void TCustomDBComboBoxX::ProcessSearchKey(const QString& text) {
    if ((!IsDataIndependent() && !Field()) || !LinkCanEdit())
        return;
    if (text == QStringLiteral("\b")) {
        const int length = int(Text().size());
        const int selected = int(selectedText().size());
        const int take = selected == length ? 1 : selected + 1;
        setSelection(length, -std::min(take, length));
        return;
    }
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    RequestItems();
    LocateItem(Text().left(start) + text, true);
}

void TCustomDBComboBoxX::StepItem(bool up) {
    if (!LinkCanEdit())
        return;
    const int old = itemIndex_;
    if (up) {
        if (itemIndex_ > 0)
            SetItemIndex(itemIndex_ - 1);
        else if (itemIndex_ == -1)
            SetItemIndex(itemCount_ - 1);
    } else if (itemIndex_ + 1 < itemCount_) {
        SetItemIndex(itemIndex_ + 1);
    }
    if (itemIndex_ != old)
        selectAll();
}

void TCustomDBComboBoxX::EditButtonPressed(bool flag) {
    if (EditButton().Style() != ebsUpDownX) {
        if (DroppedDown())
            CloseUp(false);
        else
            TCustomDBEditX::EditButtonPressed(flag);
        return;
    }
    // The flag is set for the lower half of an up-down button.
    StepItem(!flag);
}

// ---- The list.

TPopupListboxX* TCustomDBComboBoxX::PopupList() {
    if (!list_) {
        list_ = new TPopupListboxX(this);
        list_->hide();
        list_->viewport()->installEventFilter(this);
        list_->OnGetItemImageIndex = [this](QObject*, int index, int& imageIndex) {
            if (OnGetItemImageIndex)
                OnGetItemImageIndex(this, index, imageIndex);
        };
    }
    return list_;
}

int TCustomDBComboBoxX::WidestItemWidth() const {
    const QFontMetrics metrics = fontMetrics();
    int widest = 0;
    for (int i = 0; i < itemCount_; ++i)
        widest = std::max(widest, metrics.horizontalAdvance(items_.at(i)));
    return widest;
}

void TCustomDBComboBoxX::ListSelectItemIndex() {
    if (DroppedDown() && list_)
        list_->setCurrentRow(itemIndex_);
}

void TCustomDBComboBoxX::DropDown() {
    if (DroppedDown())
        return;
    TCustomDBEditX::DropDown();
    if (OnDropDown)
        OnDropDown(this);
    TPopupListboxX* list = PopupList();
    RequestItems();
    QPalette palette = list->palette();
    palette.setColor(QPalette::Base, this->palette().color(QPalette::Base));
    list->setPalette(palette);
    list->setFont(font());
    list->SetImages(Images());
    int rowHeight = 0;
    if (Images() && list->FontRowHeight() < Images()->Height())
        rowHeight = Images()->Height();
    list->SetItemHeight(rowHeight);
    list->SetOwnerDrawSource(&items_);
    list->setCurrentRow(itemIndex_);
    const int imageWidth = Images() ? Images()->Width() : 0;
    const int clientWidth = ComboDropDownWidth(dropDownBox_.Width, WidestItemWidth(), imageWidth,
                                               width() - 2 * list->frameWidth());
    const int rows = ComboDropDownRows(dropDownBox_.Rows, int(items_.size()));
    list->SetBounds(0, 0, std::max(clientWidth + 2 * list->frameWidth(), width()),
                    rows * list->ItemHeight() + list->BorderHeight());
    const int align = layoutDirection() == Qt::RightToLeft && dropDownBox_.Align != daCenter
                          ? (dropDownBox_.Align == daLeft ? ddaRight : ddaLeft)
                          : int(dropDownBox_.Align);
    list->move(PlaceDropDownWindow(this, list, align));
    list->SizeGrip()->setVisible(dropDownBox_.Sizable);
    list->show();
    list->SizeChanged = false;
    SetDroppedDown(true);
}

void TCustomDBComboBoxX::CloseUp(bool accept) {
    if (!DroppedDown())
        return;
    TPopupListboxX* list = PopupList();
    list->hide();
    if (list->SizeChanged) {
        dropDownBox_.Rows = list->RowsFit();
        dropDownBox_.Width = list->width() - 2 * list->frameWidth();
    }
    SetDroppedDown(false);
    TCustomDBEditX::CloseUp(accept);
    if (OnCloseUpQuery)
        OnCloseUpQuery(this, accept);
    if (accept && !ReadOnly() && LinkCanEdit()) {
        SetItemIndex(list->currentRow());
        if (hasFocus())
            selectAll();
    }
    if (OnCloseUp)
        OnCloseUp(this, accept);
}

bool TCustomDBComboBoxX::eventFilter(QObject* watched, QEvent* event) {
    if (list_ && watched == list_->viewport() && event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            const QPoint at = mouse->position().toPoint();
            const bool inside = list_->viewport()->rect().contains(at);
            if (inside && list_->indexAt(at).isValid())
                list_->setCurrentIndex(list_->indexAt(at));
            Guarded([&] { CloseUp(inside); });
            return true;
        }
    }
    return TCustomDBEditX::eventFilter(watched, event);
}

void TCustomDBComboBoxX::focusOutEvent(QFocusEvent* event) {
    if (DroppedDown())
        Guarded([this] { CloseUp(false); });
    TCustomDBEditX::focusOutEvent(event);
}

// ---- Keys.

bool TCustomDBComboBoxX::IsListKey(const QKeyEvent* event) const {
    const int key = event->key();
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    if (event->modifiers() & Qt::AltModifier)
        return false;
    return key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_Up ||
           key == Qt::Key_Down || (ctrl && (key == Qt::Key_Home || key == Qt::Key_End));
}

bool TCustomDBComboBoxX::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress && DroppedDown() && list_) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (IsListKey(key)) {
            QCoreApplication::sendEvent(list_, key);
            return true;
        }
    }
    if (event->type() == QEvent::ShortcutOverride && DroppedDown()) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
            key->key() == Qt::Key_Escape) {
            event->accept();
            return true;
        }
    }
    return TCustomDBEditX::event(event);
}

void TCustomDBComboBoxX::KeyDown(int& key, ui::TShiftState shift) {
    TCustomDBEditX::KeyDown(key, shift);
    if (key == 0)
        return;
    if ((key == Qt::Key_Up || key == Qt::Key_Down) && !ReadOnly() && !DroppedDown() &&
        (!WordWrap() || selectedText() == Text()) && LinkCanEdit()) {
        StepItem(key == Qt::Key_Up);
        key = 0;
    } else if (keyMode_ && !ReadOnly() &&
               ((key == Qt::Key_V && shift == ui::ssCtrl) ||
                (key == Qt::Key_Insert && shift == ui::ssShift))) {
        // The key-mode window is read-only: pasted text chooses an item.
        ProcessSearchKey(QApplication::clipboard()->text());
        key = 0;
    } else if (key == Qt::Key_Delete && keyMode_ && !ReadOnly() &&
               (!Field() || !Field()->Required()) && LinkCanEdit()) {
        SetValueAndPost(db::NullVariant());
        key = 0;
    }
}

void TCustomDBComboBoxX::KeyPress(QChar& key) {
    typedForCompletion_ = QChar();
    const ushort code = key.unicode();
    if (DroppedDown() && (code == 13 || code == 27)) {
        CloseUp(code == 13);
        key = QChar();
        return;
    }
    TCustomDBEditX::KeyPress(key);
    if (key.isNull())
        return;
    if (code == 8 && keyMode_ && !ReadOnly()) {
        ProcessSearchKey(QStringLiteral("\b"));
        key = QChar();
        return;
    }
    if (key.isPrint()) {
        if (dropDownBox_.AutoDrop && !DroppedDown())
            DropDown();
        if (keyMode_ && !ReadOnly()) {
            ProcessSearchKey(QString(key));
            key = QChar();
            return;
        }
    }
    if (!keyMode_)
        typedForCompletion_ = key;
}

void TCustomDBComboBoxX::keyPressEvent(QKeyEvent* event) {
    typedForCompletion_ = QChar();
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    TCustomDBEditX::keyPressEvent(event);
    const QChar typed = typedForCompletion_;
    typedForCompletion_ = QChar();
    if (!typed.isNull() && typed != QChar(u'.') && !ctrl)
        Guarded([&] { CompleteAfterChar(typed); });
}

void TCustomDBComboBoxX::CompleteAfterChar(QChar key) {
    if (cursorPosition() != int(Text().size()) || hasSelectedText() || key.unicode() == 8) {
        const int start = hasSelectedText() ? selectionStart() : cursorPosition();
        RequestItems();
        if (LocateItem(Text(), false))
            setSelection(int(Text().size()), start - int(Text().size()));
        return;
    }
    ProcessSearchKey(QString());
}

// ---- Mouse.

void TCustomDBComboBoxX::mousePressEvent(QMouseEvent* event) {
    if (!keyMode_) {
        TCustomDBEditX::mousePressEvent(event);
        return;
    }
    const QPoint at = event->position().toPoint();
    const bool inText = TextAreaRect().ToQRect().contains(at);
    if (event->button() == Qt::LeftButton && inText && isEnabled() && DataLink().IsActive()) {
        Guarded([this] {
            setFocus(Qt::MouseFocusReason);
            if (DroppedDown())
                CloseUp(false);
            else
                DropDown();
        });
    }
    event->accept();
}

bool TCustomDBComboBoxX::HandDragToList(QPoint globalPos) {
    return DroppedDown() && list_ &&
           HandDragToDropDown(list_, list_->viewport()->geometry(), globalPos);
}

void TCustomDBComboBoxX::EditButtonMouseMove(TEditButtonControlX* control, ui::TShiftState shift,
                                             int x, int y) {
    TCustomDBEditX::EditButtonMouseMove(control, shift, x, y);
    if (!control->Dragging() || !DroppedDown() || !list_)
        return;
    const QPoint at = control->mapToGlobal(QPoint(x, y));
    if (!list_->viewport()->geometry().contains(list_->mapFromGlobal(at)))
        return;
    control->CancelDrag();
    HandDragToList(at);
}

void TCustomDBComboBoxX::mouseMoveEvent(QMouseEvent* event) {
    if ((event->buttons() & Qt::LeftButton) && HandDragToList(event->globalPosition().toPoint())) {
        event->accept();
        return;
    }
    TCustomDBEditX::mouseMoveEvent(event);
}

void TCustomDBComboBoxX::mouseReleaseEvent(QMouseEvent* event) {
    if (keyMode_) {
        event->accept();
        return;
    }
    TCustomDBEditX::mouseReleaseEvent(event);
}

void TCustomDBComboBoxX::wheelEvent(QWheelEvent* event) {
    if (DroppedDown() && list_) {
        QCoreApplication::sendEvent(list_->viewport(), event);
        return;
    }
    const bool plain =
        !(event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier));
    const int delta = event->angleDelta().y();
    if (plain && delta != 0 && !ReadOnly())
        Guarded([&] { StepItem(delta > 0); });
    event->accept();
}

} // namespace kx
