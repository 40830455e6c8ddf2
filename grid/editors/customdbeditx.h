#pragma once
// The grid library's single-line edit, bound to a field through a field
// data link or working unbound. Around the masked edit it keeps: buttons at
// the right edge (the main one nearest the text), a picture at the left
// edge, a list of recently used texts offered while typing, a flat border
// that lights up under the mouse or with the focus, a red dotted line under
// an empty required value, a tool tip with a text that does not fit, right
// and centred text painted by itself while it has no focus, and the hooks
// through which a grid uses it as its in-place cell editor.

#include "grid/editors/dropdownownerx.h"
#include "grid/editors/editbuttoncontrolx.h"
#include "grid/editors/editbuttonx.h"
#include "grid/editors/editimagex.h"
#include "grid/editors/fielddatalinkx.h"
#include "grid/editors/inplaceeditholderx.h"
#include "grid/editors/inplaceeditorx.h"
#include "grid/editors/mrudropdownx.h"
#include "grid/editors/mrulistx.h"
#include "platform/db/field.h"
#include "platform/sys/exception.h"
#include "platform/ui/maskedit.h"

#include <QPointer>

#include <memory>
#include <optional>
#include <set>
#include <vector>

class QFrame;
class QPainter;

namespace kx {

class TGridPictureList;

// Text the edit mask does not accept.
class EDBEditError : public Exception {
public:
    EDBEditError()
        : Exception(QStringLiteral("Invalid input value.  Use escape key to abandon changes")) {}
    QString ClassName() const override { return QStringLiteral("EDBEditError"); }
};

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

using TOnCheckDrawRequiredStateEventX = std::function<void(QObject* sender, bool& drawState)>;
using TGetImageIndexEventX = std::function<void(QObject* sender, int& imageIndex)>;
using TUpdateDataEventX = std::function<void(QObject* sender, bool& handled)>;

class TCustomDBEditX : public ui::TCustomMaskEdit, public IDropDownOwnerX, public IInplaceEditorX {
    Q_OBJECT
public:
    explicit TCustomDBEditX(QWidget* parent = nullptr);
    ~TCustomDBEditX() override;

    // Binding.
    db::TDataSource* DataSource() const { return link_->DataSource(); }
    virtual void SetDataSource(db::TDataSource* source);
    const QString& DataField() const { return link_->FieldName(); }
    virtual void SetDataField(const QString& name);
    db::TField* Field() const { return link_->Field(); }
    TFieldDataLinkX& DataLink() { return *link_; }

    // The value: Text writes reach the field (or the unbound value) at once.
    QString Text() const { return TCustomMaskEdit::Text(); }
    void SetText(const QString& text);
    QVariant GetValue() const { return GetVariantValue(); }
    void ApplyValue(const QVariant& value) { SetValueAndPost(value); }
    void Clear() { SetText(QString()); }

    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);
    // The field's alignment unless set.
    db::TAlignment Alignment() const;
    void SetAlignment(db::TAlignment alignment);
    // The field's mask unless set.
    void SetEditMaskExplicit(const QString& mask);
    bool AlwaysShowBorder() const { return alwaysShowBorder_; }
    void SetAlwaysShowBorder(bool show);
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool autoSelect) { autoSelect_ = autoSelect; }
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    ui::TBorderStyle BorderStyle() const { return borderStyle_; }
    TEditCharCase CharCase() const { return charCase_; }
    void SetCharCase(TEditCharCase charCase) { charCase_ = charCase; }
    ui::TColor Color() const { return color_; }
    bool Flat() const { return flat_; }
    void SetFlat(bool flat);
    bool HighlightRequired() const { return highlightRequired_; }
    void SetHighlightRequired(bool highlight);
    TGridPictureList* Images() const { return EditImage().Images(); }
    void SetImages(TGridPictureList* images);
    TEditImageX& EditImage() const;
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool show);
    bool Tooltips() const { return tooltips_; }
    void SetTooltips(bool tooltips);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wordWrap);
    TMRUListX& MRUList() { return mruList_; }
    void SetMRUList(const TMRUListX& source) { mruList_.Assign(source); }

    // The main button and the further ones, made on first use.
    TEditButtonX& EditButton() const;
    void SetEditButton(const TEditButtonX& source) { EditButton().Assign(source); }
    TEditButtonsX& EditButtons() const;
    void SetEditButtons(const TEditButtonsX& source) { EditButtons().Assign(source); }
    // Line 0 the main button, line i item i-1 of EditButtons.
    TEditButtonControlX* ButtonControl(int line) const;
    QFrame* ButtonSeparator(int line) const;
    int ButtonsWidth() const { return buttonsWidth_; }

    TButtonClickEventX OnButtonClick;
    TButtonDownEventX OnButtonDown;
    TOnCheckDrawRequiredStateEventX OnCheckDrawRequiredState;
    TGetImageIndexEventX OnGetImageIndex;
    void SetOnGetImageIndex(TGetImageIndexEventX handler);
    TUpdateDataEventX OnUpdateData;
    std::function<void(QObject* sender)> OnChange;
    std::function<void(QObject* sender)> OnEnter;
    std::function<void(QObject* sender)> OnExit;

    // Areas in widget coordinates.
    ui::TRect ClientRect() const;
    ui::TRect ButtonsRect() const;
    ui::TRect ImageRect() const;
    virtual ui::TRect TextAreaRect() const;
    // Where unfocused right and centred text is painted.
    ui::TRect TextRect() const;
    // The whole text is wider or taller than the text area.
    bool TextDoesNotFit() const;
    bool BorderActive() const { return borderActive_; }
    bool RequiredStateDrawn() const;

    // In-place use by a grid.
    bool IsInplaceEditor() const { return holderIntf_ != nullptr; }
    void ShowInRect(const ui::TRect& rect, bool focus);
    void HideInplace();
    void PlaceInGrid(const ui::TRect& rect);
    bool Visible() const;
    void SetVisible(bool visible);
    void SetFocus();

    // IInplaceEditorX
    QFont GetFont() const override { return font(); }
    void SetInplaceEditHolder(QObject* holder) override;
    void SetBorderStyle(ui::TBorderStyle style) override;
    void SetFont(const QFont& font) override;
    void SetColor(ui::TColor color) override;
    void SetOnKeyPress(std::function<void(QObject* sender, QChar& key)> handler) override {
        OnKeyPress = std::move(handler);
    }
    void SetOnExit(std::function<void(QObject* sender)> handler) override {
        OnExit = std::move(handler);
    }

    // IDropDownOwnerX: the main button comes back up.
    void CloseUp(bool accept) override;

    // The MRU list under the edit.
    bool MRUDroppedDown() const { return mruDroppedDown_; }
    IMRUDropDownX* MRUListbox() const { return mruListbox_.get(); }
    void MRUDropDown();
    void MRUCloseUp(bool accept);

    // A press on a button with a drop-down menu that closed posts this;
    // while it waits, a press on that button opens nothing.
    bool PendingMenuQueued(int tag) const { return pendingMenuTags_.count(tag) > 0; }
    void PostPendingMenu(int tag);

    static QEvent::Type PendingMenuEvent();

protected:
    virtual bool EnabledAndActive() const;
    virtual std::unique_ptr<TEditButtonX> CreateEditButton() const;
    virtual std::unique_ptr<TEditButtonsX> CreateEditButtons() const;
    virtual TEditButtonControlX* CreateEditButtonControl();
    // A TMRUListboxX owned by the edit.
    virtual std::unique_ptr<IMRUDropDownX> CreateMRUListbox();
    bool IsDataIndependent() const { return link_->DataIndependent(); }
    virtual db::TAlignment DefaultAlignment() const;
    virtual QString DefaultEditMask() const;
    virtual int DefaultImageIndex() const { return -1; }
    virtual QString GetPaintText() const;
    virtual QVariant GetVariantValue() const;
    virtual bool IsValidChar(QChar key) const;
    virtual void ActiveChange();
    virtual int AdjustHeight();
    virtual void EditButtonPressed(bool flag);
    virtual void DataChange();
    virtual void DropDown();
    virtual void EditButtonClick(TEditButtonControlX* control);
    virtual void EditButtonDown(TEditButtonControlX* control, bool topButton, bool& autoRepeat,
                                bool& handled);
    virtual void EditButtonMouseMove(TEditButtonControlX* control, ui::TShiftState shift, int x,
                                     int y);
    virtual void EditButtonMouseUp(TEditButtonControlX* control, ui::TMouseButton button,
                                   ui::TShiftState shift, int x, int y);
    virtual void EditingChange();
    virtual void FilterMRUItem(const QString& item, bool& accept) const;
    virtual void InternalSetText(const QString& text);
    virtual void SetVariantValue(const QVariant& value);
    virtual void WriteTextToField();
    virtual void MRUListResized();
    virtual void DrawRequiredState(ui::TCanvas& canvas);
    virtual void ResetMaxLength();
    virtual void SetFocused(bool focused);
    virtual void SetValueAndPost(const QVariant& value);
    virtual void UpdateReadOnlyState();
    virtual void UpdateHeight();
    virtual void UpdateShowHint();
    virtual void UpdateImageIndex();
    virtual void EditTextChanged();
    virtual void UpdateData();

    void LayoutEditButtons();
    void UpdateEditButtonsState();
    void EditButtonsChanged();
    TEditButtonControlX* FindButtonByShortCut(QKeyCombination shortCut) const;
    void UpdateBorderActive();
    void UpdateTextArea();
    void PaintFlatBorder(ui::TCanvas& canvas, bool active);
    void PaintImage(ui::TCanvas& canvas);
    int LeftTextMargin() const;
    void FireUpdateData(bool& handled);
    // Set on entering, cleared on leaving: the edit shows the edit text,
    // else the display text.
    bool Focused() const { return focused_; }
    bool DroppedDown() const { return droppedDown_; }
    void SetDroppedDown(bool droppedDown) { droppedDown_ = droppedDown; }
    bool DroppedOnButtonDown() const { return droppedOnButtonDown_; }
    const QString& TypedText() const { return typedText_; }

    void KeyDown(int& key, ui::TShiftState shift) override;
    void KeyPress(QChar& key) override;
    void KeyUp(int& key, ui::TShiftState shift) override;

    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    struct TButtonLine {
        TEditButtonControlX* control = nullptr;
        QFrame* separator = nullptr;
    };

    TEditButtonX* ButtonOfLine(int line) const;
    bool PaintsTextItself() const;
    // Where a wrapped text is laid out, and the line edit's alignment that
    // places its lines.
    QRect WrapArea() const;
    void ApplyTextAlignment();
    void PaintPanel(QPainter& painter);
    bool FlatBorderShown() const;
    int BorderWidth() const;
    void ApplyFrame();
    void ApplyColor();
    void DoEnter();
    void DoExit();
    void SetValueAndPostWith(const std::function<void()>& show);
    void TextChanged();
    void ImageChanged();
    void ShowButtonMenu(TEditButtonControlX* control, TEditButtonX* button);
    bool OverButtonsOrImage(QPoint p) const;
    bool HandleMRUKey(QKeyEvent* event);
    QString BlankMaskText() const;

    std::unique_ptr<TFieldDataLinkX> link_;
    mutable std::unique_ptr<TEditButtonX> editButton_;
    mutable std::unique_ptr<TEditButtonsX> editButtons_;
    mutable std::unique_ptr<TEditImageX> editImage_;
    std::vector<TButtonLine> buttonLines_;
    TMRUListX mruList_;
    std::unique_ptr<IMRUDropDownX> mruListbox_;
    QObject* holder_ = nullptr;
    IInplaceEditHolderX* holderIntf_ = nullptr;
    QMetaObject::Connection holderGone_;
    std::set<int> pendingMenuTags_;
    std::optional<db::TAlignment> alignment_;
    QString typedText_;
    mutable QString blankMask_;
    mutable QString blankText_;
    bool editMaskSet_ = false;
    ui::TColor color_ = ui::clWindow;
    ui::TBorderStyle borderStyle_ = ui::TBorderStyle::bsSingle;
    TEditCharCase charCase_ = ecNormal;
    int buttonsWidth_ = 0;
    int buttonHeight_ = 0;
    int imageWidth_ = 0;
    bool readOnly_ = false;
    bool alwaysShowBorder_ = false;
    bool autoSelect_ = true;
    bool autoSize_ = true;
    bool flat_ = false;
    bool highlightRequired_ = false;
    bool showHint_ = false;
    bool tooltips_ = false;
    bool wordWrap_ = false;
    bool focused_ = false;
    bool borderActive_ = false;
    bool mouseInside_ = false;
    bool droppedDown_ = false;
    bool droppedOnButtonDown_ = false;
    bool mruDroppedDown_ = false;
    bool inUpdateData_ = false;
    bool laidOut_ = false;
};

} // namespace kx
