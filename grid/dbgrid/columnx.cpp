#include "grid/dbgrid/columnx.h"

#include "grid/dbgrid/columndefvaluesx.h"
#include "grid/dbgrid/columndropdownboxx.h"
#include "grid/dbgrid/columnfooterx.h"
#include "grid/dbgrid/columntitlex.h"
#include "grid/dbgrid/customdbgridx.h"
#include "grid/dbgrid/datasetfieldvaluelistx.h"
#include "grid/dbgrid/dbgridlayoutmath.h"
#include "grid/dbgrid/griddatalinkx.h"
#include "grid/editors/editbuttonx.h"
#include "grid/editors/extrarowx.h"
#include "grid/editors/mrulistx.h"

#include <QFontMetrics>
#include <QLocale>
#include <QScopeGuard>

#include <algorithm>
#include <cmath>

namespace kx {

TColumnX::TColumnX(TDBGridColumnsX* collection)
    : collection_(collection), title_(std::make_unique<TColumnTitleX>(this)),
      footer_(std::make_unique<TColumnFooterX>(this)),
      footers_(std::make_unique<TColumnFootersX>(this)),
      editButtons_(std::make_unique<TEditButtonsX>(
          this,
          [](TEditButtonsX* buttons) { return std::make_unique<TVisibleEditButtonX>(buttons); })),
      specRow_(std::make_unique<TSpecRowX>(this)),
      dropDownBox_(std::make_unique<TColumnDropDownBoxX>()),
      mruList_(std::make_unique<TMRUListX>(this)),
      stFilter_(std::make_unique<TSTColumnFilterX>(this)) {
    own_.Font = DefaultFont();
    BaseWidth = Width();
    editButtons_->OnInternalChange = [this](TEditButtonX*) { NotifyChanged(); };
    specRow_->OnChanged = [this](TSpecRowX*) { SpecRowChanged(); };
}

TColumnX::~TColumnX() {
    if (TCustomDBGridX* grid = Grid())
        grid->SortMarkedColumns()->Remove(this);
    // Footers leave the sum list before the grid forgets the column.
    footer_.reset();
    footers_.reset();
}

TCustomDBGridX* TColumnX::Grid() const {
    return collection_ ? collection_->Grid() : nullptr;
}

int TColumnX::Index() const {
    return collection_ ? collection_->IndexOf(this) : -1;
}

QString TColumnX::DisplayName() const {
    return fieldName_.isEmpty() ? QStringLiteral("TColumnX") : fieldName_;
}

db::TDataSet* TColumnX::GridDataSet() const {
    const TCustomDBGridX* grid = Grid();
    return grid ? grid->DataLink()->DataSet() : nullptr;
}

bool TColumnX::GridLinkActive() const {
    const TCustomDBGridX* grid = Grid();
    return grid && grid->DataLink()->Active();
}

bool TColumnX::GridLoading() const {
    const TCustomDBGridX* grid = Grid();
    return grid && grid->Loading();
}

void TColumnX::SetAssigned(TColumnValue value, bool on) {
    if (on)
        assigned_ |= ColumnValueBit(value);
    else
        assigned_ &= ~ColumnValueBit(value);
}

void TColumnX::NotifyChanged(bool allItems) {
    if (collection_)
        collection_->Changed(allItems ? nullptr : this);
}

// ---- The field ---------------------------------------------------------

db::TField* TColumnX::Field() const {
    if (field_)
        return field_;
    db::TDataSet* dataSet = GridDataSet();
    if (fieldName_.isEmpty() || !dataSet)
        return nullptr;
    if (!dataSet->Active() && dataSet->DefaultFields())
        return nullptr;
    db::TField* found = dataSet->FindField(fieldName_);
    if (found && found != field_) {
        auto* self = const_cast<TColumnX*>(this);
        self->field_ = found;
        self->fieldName_ = found->FieldName();
        self->SyncFooterSums();
    }
    return found;
}

void TColumnX::SetFieldName(const QString& name) {
    db::TField* found = nullptr;
    db::TDataSet* dataSet = GridDataSet();
    if (dataSet && !name.isEmpty() && !GridLoading())
        found = dataSet->FindField(name);
    fieldName_ = name;
    SetField(found);
    BaseWidth = Width();
    NotifyChanged();
}

void TColumnX::SetField(db::TField* field) {
    if (field_ == field)
        return;
    field_ = field;
    fieldValueList_.reset();
    if (field)
        fieldName_ = field->FieldName();
    if (IsDefaultColumn()) {
        if (!field)
            fieldName_.clear();
        ResetToDefaults();
        BaseWidth = Width();
    }
    SyncFooterSums();
    NotifyChanged();
}

void TColumnX::ForgetField() {
    fieldValueList_.reset();
    field_ = nullptr;
}

// ---- Width -------------------------------------------------------------

namespace {

int ZeroWidth(const QFont& font) {
    return std::max(1, QFontMetrics(font).horizontalAdvance(u'0'));
}

} // namespace

int ColumnWidthForDisplayWidth(const QFont& font, int characters) {
    return ZeroWidth(font) * characters + 4;
}

int DisplayWidthForColumnWidth(const QFont& font, int pixels) {
    return std::max(0, static_cast<int>(std::lround((pixels - 4) / double(ZeroWidth(font)))));
}

int TColumnX::NaturalWidth() const {
    const TCustomDBGridX* grid = Grid();
    if (!grid)
        return 64;
    if (const db::TField* field = Field())
        return ColumnWidthForDisplayWidth(Font(), field->DisplayWidth());
    return grid->DefaultColWidth();
}

int TColumnX::Width() const {
    return IsAssigned(cvWidth) ? own_.Width : NaturalWidth();
}

void TColumnX::WriteFieldDisplayWidth(int value) {
    const int halfAverage = QFontMetrics(Font()).averageCharWidth() / 2;
    Field()->SetDisplayWidth((value + halfAverage - 3) / ZeroWidth(Font()));
}

void TColumnX::SetWidth(int value) {
    const TCustomDBGridX* grid = Grid();
    if (IsDefaultColumn() && grid && Field()) {
        if (value > 0)
            WriteFieldDisplayWidth(value);
        if (grid->LayoutFromLink() && !IsAssigned(cvWidth))
            return;
    }
    if ((IsAssigned(cvWidth) || value != NaturalWidth()) && value != -1) {
        own_.Width = ClampWidth(value);
        SetAssigned(cvWidth);
    }
    NotifyChanged();
}

int TColumnX::ClampWidth(int width) const {
    return ClampColumnWidth(width, minWidth_, maxWidth_);
}

void TColumnX::SetMinWidth(int value) {
    minWidth_ = value;
    if (value > 0 && Width() < value)
        SetWidth(value);
}

void TColumnX::SetMaxWidth(int value) {
    maxWidth_ = value;
    if (value > 0 && Width() > value)
        SetWidth(value);
}

void TColumnX::SetAutoFitColWidth(bool value) {
    if (value == autoFitColWidth_)
        return;
    autoFitColWidth_ = value;
    const TCustomDBGridX* grid = Grid();
    if (grid && grid->AutoFitColWidths() && !grid->Loading())
        SetWidth(BaseWidth);
    NotifyChanged();
}

void TColumnX::OptimizeWidth() {
    if (TCustomDBGridX* grid = Grid())
        grid->OptimizeColsWidth({this});
}

// ---- Settings that follow a default ------------------------------------

ui::TColor TColumnX::Color() const {
    if (IsAssigned(cvColor))
        return own_.Color;
    const TCustomDBGridX* grid = Grid();
    return grid ? grid->Color() : ui::clWindow;
}

void TColumnX::SetColor(ui::TColor value) {
    SetAssignedValue(cvColor, own_.Color, value);
}

QFont TColumnX::DefaultFont() const {
    const TCustomDBGridX* grid = Grid();
    return grid ? grid->font() : own_.Font;
}

QFont TColumnX::Font() const {
    return IsAssigned(cvFont) ? own_.Font : DefaultFont();
}

void TColumnX::SetFont(const QFont& font) {
    own_.Font = font;
    SetAssigned(cvFont);
    NotifyChanged();
}

db::TAlignment TColumnX::Alignment() const {
    if (IsAssigned(cvAlignment))
        return own_.Alignment;
    const db::TField* field = Field();
    return field ? field->Alignment() : db::taLeftJustify;
}

void TColumnX::SetAlignment(db::TAlignment value) {
    if (IsDefaultColumn()) {
        if (GridLinkActive() && Field())
            Field()->SetAlignment(value);
        return;
    }
    SetAssignedValue(cvAlignment, own_.Alignment, value);
}

bool TColumnX::ReadOnly() const {
    if (IsAssigned(cvReadOnly))
        return own_.ReadOnly;
    const TCustomDBGridX* grid = Grid();
    const db::TField* field = Field();
    return (grid && grid->ReadOnly()) || (field && field->ReadOnly());
}

void TColumnX::SetReadOnly(bool value) {
    if (IsDefaultColumn() && GridLinkActive() && Field()) {
        Field()->SetReadOnly(value);
        return;
    }
    SetAssignedValue(cvReadOnly, own_.ReadOnly, value);
}

TImeMode TColumnX::ImeMode() const {
    return IsAssigned(cvImeMode) || !Grid() ? own_.ImeMode : imDontCare;
}

void TColumnX::SetImeMode(TImeMode value) {
    SetFollowingValue(cvImeMode, own_.ImeMode, value, Grid() ? imDontCare : own_.ImeMode);
}

QString TColumnX::ImeName() const {
    return IsAssigned(cvImeName) || !Grid() ? own_.ImeName : QString();
}

void TColumnX::SetImeName(const QString& value) {
    SetFollowingValue(cvImeName, own_.ImeName, value, Grid() ? QString() : own_.ImeName);
}

bool TColumnX::WordWrap() const {
    if (IsAssigned(cvWordWrap))
        return own_.WordWrap;
    const db::TField* field = Grid() ? Field() : nullptr;
    if (!field)
        return false;
    switch (field->DataType()) {
    case db::ftString:
    case db::ftMemo:
    case db::ftFmtMemo:
    case db::ftWideString:
        return true;
    default:
        return false;
    }
}

void TColumnX::SetWordWrap(bool value) {
    const bool defaultValue = [this] {
        const bool saved = IsAssigned(cvWordWrap);
        const_cast<TColumnX*>(this)->SetAssigned(cvWordWrap, false);
        const bool result = WordWrap();
        const_cast<TColumnX*>(this)->SetAssigned(cvWordWrap, saved);
        return result;
    }();
    SetFollowingValue(cvWordWrap, own_.WordWrap, value, defaultValue);
    if (GridLoading()) {
        own_.WordWrap = value;
        SetAssigned(cvWordWrap);
    }
}

QString TColumnX::LookupDisplayFields() const {
    if (IsAssigned(cvLookupDisplayFields))
        return own_.LookupDisplayFields;
    const db::TField* field = Field();
    return field ? field->LookupResultField() : QString();
}

void TColumnX::SetLookupDisplayFields(const QString& value) {
    const db::TField* field = Field();
    SetFollowingValue(cvLookupDisplayFields, own_.LookupDisplayFields, value,
                      field ? field->LookupResultField() : QString());
}

bool TColumnX::Checkboxes() const {
    if (IsAssigned(cvCheckboxes))
        return own_.Checkboxes;
    const db::TField* field = Field();
    return field && field->DataType() == db::ftBoolean;
}

void TColumnX::SetCheckboxes(bool value) {
    SetAssignedValue(cvCheckboxes, own_.Checkboxes, value);
}

namespace {

// The grid's column defaults, or none for a column outside a grid (whose
// defaults are then all off).
const TColumnDefValuesX* DefValuesOf(const TColumnX* column) {
    const TCustomDBGridX* grid = column->Grid();
    return grid ? grid->ColumnDefValues() : nullptr;
}

} // namespace

bool TColumnX::AlwaysShowEditButton() const {
    const TColumnDefValuesX* defaults = DefValuesOf(this);
    return IsAssigned(cvAlwaysShowEditButton) ? own_.AlwaysShowEditButton
                                              : defaults && defaults->AlwaysShowEditButton();
}

void TColumnX::SetAlwaysShowEditButton(bool value) {
    SetAssignedValue(cvAlwaysShowEditButton, own_.AlwaysShowEditButton, value);
}

bool TColumnX::EndEllipsis() const {
    const TColumnDefValuesX* defaults = DefValuesOf(this);
    return IsAssigned(cvEndEllipsis) ? own_.EndEllipsis : defaults && defaults->EndEllipsis();
}

void TColumnX::SetEndEllipsis(bool value) {
    SetAssignedValue(cvEndEllipsis, own_.EndEllipsis, value);
}

TTextLayout TColumnX::Layout() const {
    const TColumnDefValuesX* defaults = DefValuesOf(this);
    if (IsAssigned(cvLayout))
        return own_.Layout;
    return defaults ? defaults->Layout() : tlTop;
}

void TColumnX::SetLayout(TTextLayout value) {
    SetAssignedValue(cvLayout, own_.Layout, value);
}

bool TColumnX::HighlightRequired() const {
    const TColumnDefValuesX* defaults = DefValuesOf(this);
    return IsAssigned(cvHighlightRequired) ? own_.HighlightRequired
                                           : defaults && defaults->HighlightRequired();
}

void TColumnX::SetHighlightRequired(bool value) {
    SetAssignedValue(cvHighlightRequired, own_.HighlightRequired, value);
}

bool TColumnX::AutoDropDown() const {
    const TColumnDefValuesX* defaults = DefValuesOf(this);
    return IsAssigned(cvAutoDropDown) ? own_.AutoDropDown : defaults && defaults->AutoDropDown;
}

void TColumnX::SetAutoDropDown(bool value) {
    SetQuietValue(cvAutoDropDown, own_.AutoDropDown, value);
}

bool TColumnX::DblClickNextVal() const {
    const TColumnDefValuesX* defaults = DefValuesOf(this);
    return IsAssigned(cvDblClickNextVal) ? own_.DblClickNextVal
                                         : defaults && defaults->DblClickNextVal;
}

void TColumnX::SetDblClickNextVal(bool value) {
    SetQuietValue(cvDblClickNextVal, own_.DblClickNextVal, value);
}

bool TColumnX::ToolTips() const {
    const TColumnDefValuesX* defaults = DefValuesOf(this);
    return IsAssigned(cvToolTips) ? own_.ToolTips : defaults && defaults->ToolTips;
}

void TColumnX::SetToolTips(bool value) {
    SetQuietValue(cvToolTips, own_.ToolTips, value);
}

bool TColumnX::DropDownSizing() const {
    const TColumnDefValuesX* defaults = DefValuesOf(this);
    return IsAssigned(cvDropDownSizing) ? own_.DropDownSizing
                                        : defaults && defaults->DropDownSizing;
}

void TColumnX::SetDropDownSizing(bool value) {
    SetQuietValue(cvDropDownSizing, own_.DropDownSizing, value);
}

bool TColumnX::DropDownShowTitles() const {
    const TColumnDefValuesX* defaults = DefValuesOf(this);
    return IsAssigned(cvDropDownShowTitles) ? own_.DropDownShowTitles
                                            : defaults && defaults->DropDownShowTitles;
}

void TColumnX::SetDropDownShowTitles(bool value) {
    SetQuietValue(cvDropDownShowTitles, own_.DropDownShowTitles, value);
}

TBiDiMode TColumnX::BiDiMode() const {
    return IsAssigned(cvBiDiMode) || !Grid() ? own_.BiDiMode : bdLeftToRight;
}

void TColumnX::SetBiDiMode(TBiDiMode value) {
    SetAssignedValue(cvBiDiMode, own_.BiDiMode, value);
}

namespace {

bool RightToLeftLocale() {
    return QLocale::system().textDirection() == Qt::RightToLeft;
}

} // namespace

bool TColumnX::RightToLeftAlignment() const {
    return RightToLeftLocale() && BiDiMode() == bdRightToLeft;
}

bool TColumnX::RightToLeftReading() const {
    return RightToLeftLocale() && BiDiMode() != bdLeftToRight;
}

// ---- Plain settings ----------------------------------------------------

void TColumnX::SetVisible(bool value) {
    if (value == visible_)
        return;
    visible_ = value;
    NotifyChanged(true);
}

void TColumnX::SetButtonStyle(TColumnButtonStyleX value) {
    if (value == buttonStyle_)
        return;
    buttonStyle_ = value;
    NotifyChanged();
}

void TColumnX::SetDropDownWidth(int value) {
    if (value == dropDownWidth_)
        return;
    dropDownWidth_ = value;
    NotifyChanged();
}

void TColumnX::SetDisplayFormat(const QString& value) {
    if (value == displayFormat_)
        return;
    displayFormat_ = value;
    NotifyChanged();
}

void TColumnX::SetEditMask(const QString& value) {
    if (value == editMask_)
        return;
    editMask_ = value;
    NotifyChanged();
}

void TColumnX::SetHideDuplicates(bool value) {
    if (value == hideDuplicates_)
        return;
    hideDuplicates_ = value;
    NotifyChanged();
}

void TColumnX::SetShowImageAndText(bool value) {
    if (value == showImageAndText_)
        return;
    showImageAndText_ = value;
    NotifyChanged();
}

void TColumnX::SetNotInKeyListIndex(int value) {
    if (value == notInKeyListIndex_)
        return;
    notInKeyListIndex_ = value;
    if (TCustomDBGridX* grid = Grid())
        grid->InvalidateGrid();
}

void TColumnX::SetPickList(const QStringList& list) {
    pickList_ = list;
}

void TColumnX::SetKeyList(const QStringList& list) {
    keyList_ = list;
    if (TCustomDBGridX* grid = Grid())
        grid->InvalidateGrid();
}

void TColumnX::SetImageList(TGridPictureList* list) {
    imageList_ = list;
    if (TCustomDBGridX* grid = Grid())
        grid->InvalidateGrid();
}

// ---- Footers -----------------------------------------------------------

TColumnFooterX* TColumnX::FooterForRow(int row) const {
    if (row >= 0 && row < footers_->Count())
        return footers_->Items(row);
    return footer_.get();
}

void TColumnX::SyncFooterSums() {
    footer_->SyncSumEntry();
    for (int i = 0; i < footers_->Count(); ++i)
        footers_->Items(i)->SyncSumEntry();
}

// ---- Copying and resetting ---------------------------------------------

void TColumnX::Assign(const TColumnX& source) {
    if (collection_)
        collection_->BeginUpdate();
    const auto endUpdate = qScopeGuard([this] {
        if (collection_)
            collection_->EndUpdate();
    });
    ResetToDefaults();
    SetFieldName(source.FieldName());
    if (source.IsAssigned(cvColor))
        SetColor(source.Color());
    if (source.IsAssigned(cvWidth))
        SetWidth(source.Width());
    if (source.IsAssigned(cvFont))
        SetFont(source.Font());
    if (source.IsAssigned(cvImeMode))
        SetImeMode(source.ImeMode());
    if (source.IsAssigned(cvImeName))
        SetImeName(source.ImeName());
    if (source.IsAssigned(cvAlignment))
        SetAssignedValue(cvAlignment, own_.Alignment, source.Alignment());
    if (source.IsAssigned(cvReadOnly))
        SetAssignedValue(cvReadOnly, own_.ReadOnly, source.ReadOnly());
    if (source.IsAssigned(cvLookupDisplayFields))
        SetLookupDisplayFields(source.LookupDisplayFields());
    if (source.IsAssigned(cvCheckboxes))
        SetCheckboxes(source.Checkboxes());
    SetEndEllipsis(source.EndEllipsis());
    SetAutoDropDown(source.AutoDropDown());
    SetAlwaysShowEditButton(source.AlwaysShowEditButton());
    own_.WordWrap = source.WordWrap();
    SetAssigned(cvWordWrap);
    SetToolTips(source.ToolTips());
    SetDblClickNextVal(source.DblClickNextVal());
    SetDropDownSizing(source.DropDownSizing());
    SetDropDownShowTitles(source.DropDownShowTitles());
    SetLayout(source.Layout());
    title_->Assign(*source.title_);
    dropDownRows_ = source.dropDownRows_;
    buttonStyle_ = source.buttonStyle_;
    pickList_ = source.pickList_;
    popupMenu_ = source.popupMenu_;
    BaseWidth = source.BaseWidth;
    autoFitColWidth_ = source.autoFitColWidth_;
    dropDownWidth_ = source.dropDownWidth_;
    footer_->Assign(*source.footer_);
    keyList_ = source.keyList_;
    increment_ = source.increment_;
    footers_->Assign(*source.footers_);
    Tag = source.Tag;
    visible_ = source.visible_;
    imageList_ = source.imageList_;
    notInKeyListIndex_ = source.notInKeyListIndex_;
    minWidth_ = source.minWidth_;
    maxWidth_ = source.maxWidth_;
    OnGetCellParams = source.OnGetCellParams;
    OnNotInList = source.OnNotInList;
    OnUpdateData = source.OnUpdateData;
    OnEditButtonClick = source.OnEditButtonClick;
    OnEditButtonDown = source.OnEditButtonDown;
    editButtons_->Assign(*source.editButtons_);
    dropDownBox_->Assign(*source.dropDownBox_);
    mruList_->Assign(*source.mruList_);
    displayFormat_ = source.displayFormat_;
    editMask_ = source.editMask_;
    showImageAndText_ = source.showImageAndText_;
    hideDuplicates_ = source.hideDuplicates_;
}

void TColumnX::ResetToDefaults() {
    const bool fontWasAssigned = IsAssigned(cvFont);
    title_->ResetToDefaults();
    assigned_ = 0;
    own_.Font = DefaultFont();
    pickList_.clear();
    buttonStyle_ = cbsAuto;
    NotifyChanged(fontWasAssigned);
    keyList_.clear();
}

void TColumnX::SpecRowChanged() {
    NotifyChanged();
}

// ---- The collection ----------------------------------------------------

TDBGridColumnsX::TDBGridColumnsX(TCustomDBGridX* grid, TColumnFactory factory)
    : grid_(grid), factory_(std::move(factory)) {}

TDBGridColumnsX::~TDBGridColumnsX() {
    ++updateCount_; // nothing to lay out while the columns go
    items_.clear();
}

int TDBGridColumnsX::IndexOf(const TColumnX* column) const {
    const auto it =
        std::ranges::find_if(items_, [column](const auto& item) { return item.get() == column; });
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

TColumnX* TDBGridColumnsX::Insert(std::unique_ptr<TColumnX> column) {
    items_.push_back(std::move(column));
    return items_.back().get();
}

TColumnX* TDBGridColumnsX::Add() {
    if (grid_)
        grid_->BeginLayoutUpdate();
    BeginUpdate();
    const auto endUpdate = qScopeGuard([this] {
        EndUpdate();
        if (grid_)
            grid_->EndLayoutUpdate();
    });
    return Insert(factory_ ? factory_(this) : std::make_unique<TDBGridColumnX>(this));
}

TColumnX* TDBGridColumnsX::AddDefaultColumn() {
    TColumnX* column = Add();
    column->customized_ = false;
    return column;
}

void TDBGridColumnsX::Delete(int index) {
    BeginUpdate();
    const auto endUpdate = qScopeGuard([this] { EndUpdate(); });
    std::unique_ptr<TColumnX> column = std::move(items_.at(static_cast<std::size_t>(index)));
    items_.erase(items_.begin() + index);
}

void TDBGridColumnsX::Clear() {
    if (items_.empty())
        return;
    BeginUpdate();
    const auto endUpdate = qScopeGuard([this] { EndUpdate(); });
    while (!items_.empty())
        Delete(Count() - 1);
}

void TDBGridColumnsX::Move(int fromIndex, int toIndex) {
    toIndex = std::clamp(toIndex, 0, Count() - 1);
    if (fromIndex == toIndex)
        return;
    auto column = std::move(items_.at(static_cast<std::size_t>(fromIndex)));
    items_.erase(items_.begin() + fromIndex);
    items_.insert(items_.begin() + toIndex, std::move(column));
    Changed(nullptr);
}

bool TDBGridColumnsX::GetState() const {
    return !items_.empty() && items_.front()->Customized();
}

void TDBGridColumnsX::Assign(const TDBGridColumnsX& source) {
    BeginUpdate();
    const auto endUpdate = qScopeGuard([this] { EndUpdate(); });
    Clear();
    for (const auto& item : source.items_) {
        TColumnX* column = Add();
        column->Assign(*item);
        column->customized_ = item->Customized();
    }
}

void TDBGridColumnsX::BeginUpdate() {
    ++updateCount_;
}

void TDBGridColumnsX::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0 && changedWhileUpdating_) {
        changedWhileUpdating_ = false;
        ApplyColumnChange(nullptr);
    }
}

void TDBGridColumnsX::ForgetFields() {
    for (const auto& column : items_)
        column->ForgetField();
}

void TDBGridColumnsX::Changed(TColumnX* column) {
    if (updateCount_ > 0) {
        changedWhileUpdating_ = true;
        return;
    }
    ApplyColumnChange(column);
}

void TDBGridColumnsX::ApplyColumnChange(TColumnX* column) {
    if (grid_ && !grid_->Loading())
        grid_->ColumnChanged(column);
}

void TColumnX::SetIndex(int index) {
    TCustomDBGridX* grid = Grid();
    if (grid && IsDefaultColumn() && grid->DataLink()->Active() && Field()) {
        if (db::TField* target = grid->DataLink()->MappedField(index))
            Field()->SetIndex(target->Index());
    }
    if (!collection_)
        return;
    const int from = Index();
    const int to = std::clamp(index, 0, collection_->Count() - 1);
    if (grid && to != from)
        grid->ColumnIndexChanging(from, to);
    collection_->Move(from, to);
}

// ---- A list of columns -------------------------------------------------

int TColumnsXList::IndexOf(const TColumnX* column) const {
    const auto it = std::ranges::find(items_, column);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TColumnsXList::Insert(int index, TColumnX* column) {
    items_.insert(items_.begin() + index, column);
}

void TColumnsXList::Remove(const TColumnX* column) {
    std::erase(items_, column);
}

} // namespace kx

#include "moc_columnx.cpp"
