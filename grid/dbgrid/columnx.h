#pragma once
// The columns of the data-aware grid. A column binds one field of the grid's
// data set by name and carries its look (font, colour, alignment, width and
// its limits), a title, footers, value lists and editing settings.
//
// Most settings follow a default (the field's, the grid's or the grid's
// column defaults) until they are given a value of their own; one bit per
// setting in AssignedFlags tells which. A column the grid built from a field
// (not Customized) forgets everything it was given when it binds another
// field.

#include "grid/editors/cellbuttons.h"
#include "platform/db/field.h"
#include "platform/ui/canvas.h"

#include <QFont>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>
#include <vector>

namespace kx {

class TCustomDBGridX;
class TColumnTitleX;
class TColumnFooterX;
class TColumnFootersX;
class TColumnDropDownBoxX;
class TDBGridColumnsX;
class IMemTableDataFieldValueListX;
class TEditButtonsX;
class TGridPictureList;
class TMRUListX;
class TSTColumnFilterX;
class TSpecRowX;
struct TColCellParamsX;

enum TTextLayout : quint8 { tlTop, tlCenter, tlBottom };
enum TBiDiMode : quint8 {
    bdLeftToRight,
    bdRightToLeft,
    bdRightToLeftNoAlign,
    bdRightToLeftReadingOnly
};
enum TImeMode : quint8 {
    imDisable,
    imClose,
    imOpen,
    imDontCare,
    imSAlpha,
    imAlpha,
    imHira,
    imSKata,
    imKata,
    imChinese,
    imSHanguel,
    imHanguel
};
enum TColumnButtonStyleX : quint8 { cbsAuto, cbsEllipsis, cbsNone, cbsUpDown, cbsDropDown };

// What a column's cells are, decided in this order.
enum TColumnCellKind : quint8 {
    cellPlain,
    cellPickList,
    cellLookupField,
    cellKeyToPick,
    cellImages,
    cellCheckBox
};

// One bit per setting that can follow a default: twenty of the column and
// eight of its title.
enum TColumnValue : quint8 {
    cvColor,
    cvWidth,
    cvFont,
    cvAlignment,
    cvReadOnly,
    cvImeMode,
    cvImeName,
    cvWordWrap,
    cvLookupDisplayFields,
    cvCheckboxes,
    cvAlwaysShowEditButton,
    cvEndEllipsis,
    cvLayout,
    cvHighlightRequired,
    cvAutoDropDown,
    cvDblClickNextVal,
    cvToolTips,
    cvDropDownSizing,
    cvDropDownShowTitles,
    cvBiDiMode,
    cvTitleColor,
    cvTitleCaption,
    cvTitleAlignment,
    cvTitleFont,
    cvTitleButton,
    cvTitleEndEllipsis,
    cvTitleToolTips,
    cvTitleOrientation
};
using TColumnValues = quint32;
constexpr TColumnValues ColumnValueBit(TColumnValue value) {
    return 1u << value;
}

// The pixels of a column built from a field of that display width in a
// font, and the display width whose column comes nearest to a width in
// pixels: a width the grid produced turns back into the characters it came
// from, so widths kept in pixels never creep.
int ColumnWidthForDisplayWidth(const QFont& font, int characters);
int DisplayWidthForColumnWidth(const QFont& font, int pixels);

class TColumnX : public QObject {
    Q_OBJECT
public:
    using TGetCellParamsEvent =
        std::function<void(TColumnX* sender, bool editMode, TColCellParamsX& params)>;
    using TUpdateDataEvent = std::function<void(TColumnX* sender, QString& text, QVariant& value,
                                                bool& useText, bool& handled)>;
    using TNotInListEvent =
        std::function<void(TColumnX* sender, const QString& text, bool& recheckInList)>;
    using TColumnNotifyEvent = std::function<void(TColumnX* sender)>;

    // Customized; the collection's batch update brackets the construction.
    explicit TColumnX(TDBGridColumnsX* collection);
    ~TColumnX() override;

    TDBGridColumnsX* Collection() const { return collection_; }
    TCustomDBGridX* Grid() const;
    int Index() const;
    void SetIndex(int index);
    QString DisplayName() const;
    bool Customized() const { return customized_; }
    TColumnValues AssignedFlags() const { return assigned_; }
    bool IsAssigned(TColumnValue value) const { return (assigned_ & ColumnValueBit(value)) != 0; }
    void Assign(const TColumnX& source);
    virtual void ResetToDefaults();
    // Every change ends here: this column (false) or the whole layout.
    void NotifyChanged(bool allItems = false);

    // The field.
    const QString& FieldName() const { return fieldName_; }
    void SetFieldName(const QString& name);
    db::TField* Field() const;
    virtual void SetField(db::TField* field);
    // Drops the cached field and value list; the next Field() binds again.
    void ForgetField();
    // The filter drop-down's values, kept until the field is forgotten.
    const std::shared_ptr<IMemTableDataFieldValueListX>& FieldValueList() const {
        return fieldValueList_;
    }
    void SetFieldValueList(std::shared_ptr<IMemTableDataFieldValueListX> list) {
        fieldValueList_ = std::move(list);
    }

    // Width.
    int Width() const;
    virtual void SetWidth(int value);
    int NaturalWidth() const;
    int ClampWidth(int width) const;
    int MinWidth() const { return minWidth_; }
    void SetMinWidth(int value);
    int MaxWidth() const { return maxWidth_; }
    void SetMaxWidth(int value);
    bool AutoFitColWidth() const { return autoFitColWidth_; }
    virtual void SetAutoFitColWidth(bool value);
    // The proportional width while the grid fits widths to its client.
    int BaseWidth = 0;
    // Marks a column that hit its width limit during one fitting pass.
    bool WidthLimited = false;
    void OptimizeWidth();

    // Settings that follow a default until given a value.
    ui::TColor Color() const;
    void SetColor(ui::TColor value);
    QFont Font() const;
    void SetFont(const QFont& font);
    QFont DefaultFont() const;
    db::TAlignment Alignment() const;
    virtual void SetAlignment(db::TAlignment value);
    bool ReadOnly() const;
    virtual void SetReadOnly(bool value);
    TImeMode ImeMode() const;
    void SetImeMode(TImeMode value);
    QString ImeName() const;
    void SetImeName(const QString& value);
    bool WordWrap() const;
    void SetWordWrap(bool value);
    QString LookupDisplayFields() const;
    void SetLookupDisplayFields(const QString& value);
    bool Checkboxes() const;
    void SetCheckboxes(bool value);
    bool AlwaysShowEditButton() const;
    void SetAlwaysShowEditButton(bool value);
    bool EndEllipsis() const;
    void SetEndEllipsis(bool value);
    TTextLayout Layout() const;
    void SetLayout(TTextLayout value);
    bool HighlightRequired() const;
    void SetHighlightRequired(bool value);
    bool AutoDropDown() const;
    void SetAutoDropDown(bool value);
    bool DblClickNextVal() const;
    void SetDblClickNextVal(bool value);
    bool ToolTips() const;
    void SetToolTips(bool value);
    bool DropDownSizing() const;
    void SetDropDownSizing(bool value);
    bool DropDownShowTitles() const;
    void SetDropDownShowTitles(bool value);
    TBiDiMode BiDiMode() const;
    void SetBiDiMode(TBiDiMode value);
    bool RightToLeftAlignment() const;
    bool RightToLeftReading() const;

    // Plain settings.
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    TColumnButtonStyleX ButtonStyle() const { return buttonStyle_; }
    void SetButtonStyle(TColumnButtonStyleX value);
    int DropDownRows() const { return dropDownRows_; }
    void SetDropDownRows(int value) { dropDownRows_ = value; }
    int DropDownWidth() const { return dropDownWidth_; }
    void SetDropDownWidth(int value);
    const QString& DisplayFormat() const { return displayFormat_; }
    void SetDisplayFormat(const QString& value);
    const QString& EditMask() const { return editMask_; }
    void SetEditMask(const QString& value);
    bool HideDuplicates() const { return hideDuplicates_; }
    void SetHideDuplicates(bool value);
    bool ShowImageAndText() const { return showImageAndText_; }
    void SetShowImageAndText(bool value);
    double Increment() const { return increment_; }
    void SetIncrement(double value) { increment_ = value; }
    int NotInKeyListIndex() const { return notInKeyListIndex_; }
    void SetNotInKeyListIndex(int value);
    QStringList PickList() const { return pickList_; }
    void SetPickList(const QStringList& list);
    QStringList KeyList() const { return keyList_; }
    void SetKeyList(const QStringList& list);
    TGridPictureList* ImageList() const { return imageList_; }
    void SetImageList(TGridPictureList* list);
    QMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(QMenu* menu) { popupMenu_ = menu; }
    int Tag = 0;

    // Owned parts.
    TColumnTitleX* Title() const { return title_.get(); }
    TColumnFooterX* Footer() const { return footer_.get(); }
    TColumnFootersX* Footers() const { return footers_.get(); }
    // Footers[row] while the footers reach that row, else Footer.
    TColumnFooterX* FooterForRow(int row) const;
    void SyncFooterSums();
    TEditButtonsX* EditButtons() const { return editButtons_.get(); }
    TSpecRowX* DropDownSpecRow() const { return specRow_.get(); }
    TColumnDropDownBoxX* DropDownBox() const { return dropDownBox_.get(); }
    TMRUListX* MRUList() const { return mruList_.get(); }
    TSTColumnFilterX* STFilter() const { return stFilter_.get(); }

    // Cell values (columnxvalues.cpp).
    TColumnCellKind ReadCellKind() const;
    QString ShownText() const;
    int ReadImageIndex() const;
    TCheckBoxState ReadCheckState() const;
    void WriteCheckboxState(TCheckBoxState state);
    bool CellEditable(bool tryEdit) const;
    void StepCellValue(double step);
    void WriteCellValue(QString text, QVariant value, bool useText);
    void FillCellParams(TColCellParamsX& params) const;
    virtual void FireGetCellParams(bool editMode, TColCellParamsX& params);
    int EditButtonsWidth() const;
    db::TDataSet* LookupListDataSet() const;
    db::TDataSet* FieldLookupDataSet() const;
    virtual void SpecRowChanged();

    TGetCellParamsEvent OnGetCellParams;
    TUpdateDataEvent OnUpdateData;
    TNotInListEvent OnNotInList;
    TColumnNotifyEvent OnEditButtonClick;
    std::function<void(TColumnX* sender, bool topButton, bool& autoRepeat, bool& handled)>
        OnEditButtonDown;
    std::function<void(TColumnX* sender, bool& drawRequired)> OnCheckDrawRequiredState;

protected:
    friend class TDBGridColumnsX;
    friend class TColumnTitleX;
    virtual bool IsDefaultColumn() const { return !customized_; }
    void SetAssigned(TColumnValue value, bool on = true);
    // Rule A: stored with its bit; notified only when something changed.
    template <class T> void SetAssignedValue(TColumnValue flag, T& member, const T& value) {
        if (IsAssigned(flag) && member == value)
            return;
        member = value;
        SetAssigned(flag);
        NotifyChanged();
    }
    // Rule B: stored only when it already had its own value or differs from
    // the default; notified in any case.
    template <class T>
    void SetFollowingValue(TColumnValue flag, T& member, const T& value, const T& defaultValue) {
        if (IsAssigned(flag) || value != defaultValue) {
            member = value;
            SetAssigned(flag);
        }
        NotifyChanged();
    }
    // Rule C: as rule A, silently.
    template <class T> void SetQuietValue(TColumnValue flag, T& member, const T& value) {
        if (IsAssigned(flag) && member == value)
            return;
        member = value;
        SetAssigned(flag);
    }

private:
    struct TOwnValues {
        ui::TColor Color = ui::clWindow;
        int Width = 64;
        QFont Font;
        db::TAlignment Alignment = db::taLeftJustify;
        bool ReadOnly = false;
        TImeMode ImeMode = imDontCare;
        QString ImeName;
        bool WordWrap = false;
        QString LookupDisplayFields;
        bool Checkboxes = false;
        bool AlwaysShowEditButton = false;
        bool EndEllipsis = false;
        TTextLayout Layout = tlTop;
        bool HighlightRequired = false;
        bool AutoDropDown = false;
        bool DblClickNextVal = false;
        bool ToolTips = false;
        bool DropDownSizing = false;
        bool DropDownShowTitles = false;
        TBiDiMode BiDiMode = bdLeftToRight;
    };

    db::TDataSet* GridDataSet() const;
    bool GridLinkActive() const;
    bool GridLoading() const;
    void WriteFieldDisplayWidth(int value);
    bool EditableField(const db::TField* field, bool memoAllowed) const;
    bool StartEditThroughGrid() const;
    void StepListCell(double step, const QString& text);
    void StepLookupCell(double step, const QString& text);
    void StepNumberCell(double step, const QString& text);

    TDBGridColumnsX* collection_;
    bool customized_ = true;
    TColumnValues assigned_ = 0;
    TOwnValues own_;
    QString fieldName_;
    mutable QPointer<db::TField> field_;
    std::shared_ptr<IMemTableDataFieldValueListX> fieldValueList_;
    bool visible_ = true;
    bool autoFitColWidth_ = true;
    int minWidth_ = 0;
    int maxWidth_ = 0;
    TColumnButtonStyleX buttonStyle_ = cbsAuto;
    int dropDownRows_ = 7;
    int dropDownWidth_ = 0;
    QString displayFormat_;
    QString editMask_;
    bool hideDuplicates_ = false;
    bool showImageAndText_ = false;
    double increment_ = 1;
    int notInKeyListIndex_ = -1;
    QStringList pickList_;
    QStringList keyList_;
    TGridPictureList* imageList_ = nullptr;
    QPointer<QMenu> popupMenu_;
    std::unique_ptr<TColumnTitleX> title_;
    std::unique_ptr<TColumnFooterX> footer_;
    std::unique_ptr<TColumnFootersX> footers_;
    std::unique_ptr<TEditButtonsX> editButtons_;
    std::unique_ptr<TSpecRowX> specRow_;
    std::unique_ptr<TColumnDropDownBoxX> dropDownBox_;
    std::unique_ptr<TMRUListX> mruList_;
    std::unique_ptr<TSTColumnFilterX> stFilter_;
};

// The grid's own column class.
class TDBGridColumnX : public TColumnX {
    Q_OBJECT
public:
    using TColumnX::TColumnX;
};

// The grid's columns, in display order.
class TDBGridColumnsX : public QObject {
    Q_OBJECT
public:
    using TColumnFactory = std::function<std::unique_ptr<TColumnX>(TDBGridColumnsX*)>;

    TDBGridColumnsX(TCustomDBGridX* grid, TColumnFactory factory);
    ~TDBGridColumnsX() override;

    TCustomDBGridX* Grid() const { return grid_; }
    int Count() const { return static_cast<int>(items_.size()); }
    TColumnX* GetColumn(int index) const {
        return items_.at(static_cast<std::size_t>(index)).get();
    }
    TColumnX* operator[](int index) const { return GetColumn(index); }
    int IndexOf(const TColumnX* column) const;
    TColumnX* Add();
    TColumnX* AddDefaultColumn();
    // The grid's own column class; set before the first column is added.
    void SetColumnFactory(TColumnFactory factory) { factory_ = std::move(factory); }
    void Delete(int index);
    void Clear();
    void Move(int fromIndex, int toIndex);
    // Customized: holds columns and the first one is customized.
    bool GetState() const;
    void Assign(const TDBGridColumnsX& source);

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }
    void ForgetFields();
    // A column changed (nullptr: the whole layout).
    void ApplyColumnChange(TColumnX* column);

private:
    friend class TColumnX;
    void Changed(TColumnX* column);
    TColumnX* Insert(std::unique_ptr<TColumnX> column);

    TCustomDBGridX* grid_;
    TColumnFactory factory_;
    std::vector<std::unique_ptr<TColumnX>> items_;
    int updateCount_ = 0;
    bool changedWhileUpdating_ = false;
};

// A list of columns owned elsewhere.
class TColumnsXList {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    TColumnX* GetColumn(int index) const { return items_.at(static_cast<std::size_t>(index)); }
    void SetColumn(int index, TColumnX* column) {
        items_.at(static_cast<std::size_t>(index)) = column;
    }
    TColumnX* operator[](int index) const { return GetColumn(index); }
    int IndexOf(const TColumnX* column) const;
    void Add(TColumnX* column) { items_.push_back(column); }
    void Insert(int index, TColumnX* column);
    void Remove(const TColumnX* column);
    void Delete(int index) { items_.erase(items_.begin() + index); }
    void Exchange(int a, int b) {
        std::swap(items_.at(static_cast<std::size_t>(a)), items_.at(static_cast<std::size_t>(b)));
    }
    void SetCount(int count) { items_.resize(static_cast<std::size_t>(count), nullptr); }
    void Clear() { items_.clear(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    std::vector<TColumnX*> items_;
};

// The parameters of one cell as the painter uses them and the application
// may change them.
struct TColCellParamsX {
    QFont CellFont;
    ui::TColor CellColor = ui::clWindow;
    db::TAlignment CellAlignment = db::taLeftJustify;
    QString CellText;
    int CellImageIndex = -1;
    TCheckBoxState CellCheckState = cbUnchecked;
    bool CellReadOnly = false;
    int CellRow = -1;
    int CellCol = -1;
    unsigned CellState = 0;
};

} // namespace kx
