#pragma once
// The data-aware edit as a combo box with a drop-down list of items. Without
// key items it is a text combo: free text, completed from the items. With
// key items (parallel to the items) each item stands for its key: the field
// receives the key, typing only chooses items, and Delete clears to Null.

#include "grid/editors/customdbeditx.h"
#include "grid/editors/dropdownboxx.h"
#include "grid/editors/popuplistboxx.h"

#include <QPointer>
#include <QStringList>

namespace kx {

// The list's client width: -1 the widest item (+ 5, and + image width + 4
// with images), below 1 the combo's width, else the asked width; never
// narrower than the combo.
int ComboDropDownWidth(int boxWidth, int widestItemWidth, int imageWidth, int comboWidth);
// Rows shown: the box's rows, fewer when there are fewer items (at least 1).
int ComboDropDownRows(int boxRows, int itemCount);

using TCloseUpEventX = std::function<void(QObject* sender, bool accept)>;
using TCloseUpQueryEventX = std::function<void(QObject* sender, bool& accept)>;
using TNotInListEventX =
    std::function<void(QObject* sender, const QString& newText, bool& recheckInList)>;

class TCustomDBComboBoxX : public TCustomDBEditX {
    Q_OBJECT
public:
    explicit TCustomDBComboBoxX(QWidget* parent = nullptr);
    ~TCustomDBComboBoxX() override;

    const QStringList& Items() const { return items_; }
    void SetItems(const QStringList& items);
    const QStringList& KeyItems() const { return keyItems_; }
    void SetKeyItems(const QStringList& keyItems);
    TDropDownBoxX& DropDownBox() { return dropDownBox_; }
    bool KeyMode() const { return keyMode_; }
    // Items offered and looked up: in key mode no more than there are keys.
    int ItemCount() const { return itemCount_; }
    int ItemIndex() const { return itemIndex_; }
    bool ListVisible() const { return DroppedDown(); }

    // Chooses an item as the user would: writes it at once; a refused value
    // is shown again as it was and the error passes on.
    void SelectItem(int index);
    void Clear();
    TPopupListboxX* PopupList();

    TCloseUpEventX OnCloseUp;
    TCloseUpQueryEventX OnCloseUpQuery;
    std::function<void(QObject* sender)> OnDropDown;
    std::function<void(QObject* sender)> OnItemsRequest;
    TPopupListboxX::TListGetImageIndexEventX OnGetItemImageIndex;
    TNotInListEventX OnNotInList;

    void DropDown() override;
    void CloseUp(bool accept) override;

protected:
    virtual bool LocateItem(const QString& text, bool prefix);
    virtual void ProcessSearchKey(const QString& text);
    virtual void RequestItems();
    virtual void SetItemIndex(int index);
    void StepItem(bool up);

    std::unique_ptr<TEditButtonX> CreateEditButton() const override;
    db::TAlignment DefaultAlignment() const override;
    int DefaultImageIndex() const override { return itemImageIndex_; }
    QString GetPaintText() const override;
    QVariant GetVariantValue() const override;
    bool IsValidChar(QChar key) const override;
    void EditButtonPressed(bool flag) override;
    void EditButtonMouseMove(TEditButtonControlX* control, ui::TShiftState shift, int x,
                             int y) override;
    void DataChange() override;
    void InternalSetText(const QString& text) override;
    void SetVariantValue(const QVariant& value) override;
    void WriteTextToField() override;
    void ResetMaxLength() override;
    void UpdateReadOnlyState() override;
    void UpdateImageIndex() override;
    void UpdateData() override;

    void KeyDown(int& key, ui::TShiftState shift) override;
    void KeyPress(QChar& key) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void UpdateItemsState();
    void ItemsChanged();
    void ListSelectItemIndex();
    bool LinkCanEdit();
    bool IsListKey(const QKeyEvent* event) const;
    void CompleteAfterChar(QChar key);
    int WidestItemWidth() const;

    QStringList items_;
    QStringList keyItems_;
    TDropDownBoxX dropDownBox_;
    // Hands a drag still held on the combo box or its button to the open
    // list once it reaches the list's client area.
    bool HandDragToList(QPoint globalPos);

    QPointer<TPopupListboxX> list_;
    QVariant keyValue_;
    int itemCount_ = 0;
    int itemIndex_ = -1;
    int itemImageIndex_ = -1;
    bool keyMode_ = false;
    QChar typedForCompletion_;
};

// The combo box with its properties for forms.
class TDBComboBoxX : public TCustomDBComboBoxX {
    Q_OBJECT
public:
    using TCustomDBComboBoxX::TCustomDBComboBoxX;
};

} // namespace kx
