#include "grid/dbgrid/dblookupgridx.h"

#include "grid/dbgrid/dblookupgridcolumnx.h"

#include "grid/editors/cellbuttons.h"
#include "grid/editors/fieldnamelists.h"
#include "platform/db/dataset.h"
#include "platform/db/datasource.h"
#include "platform/db/dberrors.h"
#include "platform/db/field.h"
#include "platform/ui/application.h"

#include <QDateTime>
#include <QScopeGuard>

namespace kx {

namespace {

constexpr qint64 SearchResetMs = 2000;
constexpr int SearchMaxLength = 32;

// One time stamp for every lookup grid: a pause in typing is a pause
// wherever the typing went.
qint64 lastSearchKeyMs = 0;

bool IsTextField(const db::TField* field) {
    switch (field->DataType()) {
    case db::ftString:
    case db::ftFixedChar:
    case db::ftWideString:
        return field->FieldKind() == db::fkData || field->FieldKind() == db::fkInternalCalc;
    default:
        return false;
    }
}

QString JoinedNames(const QList<db::TField*>& fields) {
    QStringList names;
    for (const db::TField* field : fields)
        names.append(field->FieldName());
    return names.join(u';');
}

QVariant ValuesOf(const QList<db::TField*>& fields) {
    if (fields.isEmpty())
        return QVariant();
    if (fields.size() == 1)
        return fields.first()->Value();
    QVariantList values;
    for (const db::TField* field : fields)
        values.append(field->Value());
    return values;
}

bool IsNull(const QVariant& value) {
    return !value.isValid() || value.isNull();
}

} // namespace

std::function<qint64()> TDBLookupGridX::SearchClock = [] {
    return QDateTime::currentMSecsSinceEpoch();
};

void TLookupGridDataLinkX::ActiveChanged() {
    if (grid_)
        grid_->DataLinkChanged();
}

void TLookupGridDataLinkX::LayoutChanged() {
    if (grid_)
        grid_->DataLinkChanged();
}

void TLookupGridDataLinkX::RecordChanged(db::TField* field) {
    if (grid_)
        grid_->DataRecordChanged(field);
}

void TLookupGridDataLinkX::FocusControl(db::TField* field) {
    if (grid_ && !grid_->DataFields().isEmpty() && field == grid_->DataFields().first() &&
        grid_->CanFocus())
        grid_->setFocus();
}

TDBLookupGridX::TDBLookupGridX(QWidget* owner)
    : TCustomDBGridX(owner), dataLink_(std::make_unique<TLookupGridDataLinkX>(this)),
      internalSource_(std::make_unique<db::TDataSource>()),
      specRow_(std::make_unique<TSpecRowX>(this)) {
    SetOptions(dgColLines | dgRowSelect);
    SetOptionsX(OptionsX() | dghTraceColSizing);
    SetThumbTracking(true);
    TCustomDBGridX::SetFlat(true);
    SetDrawMemoText(true);
    setFocusPolicy(Qt::ClickFocus);
    SetVTitleMargin(5);
    specRow_->OnChanged = [this](TSpecRowX*) { SpecRowChanged(); };
    Columns()->SetColumnFactory(
        [](TDBGridColumnsX* columns) { return std::make_unique<TDBLookupGridColumnX>(columns); });
    ApplyRowCount();
}

TDBLookupGridX::~TDBLookupGridX() {
    // Let go of the internal source while the grid can still hear of it.
    if (GetDataSource() == internalSource_.get())
        TCustomDBGridX::SetDataSource(nullptr);
    dataLink_->DetachGrid();
    dataLink_->SetDataSource(nullptr);
}

// Data side.

void TDBLookupGridX::SetLookupDataSource(db::TDataSource* source) {
    if (source != dataLink_->DataSource())
        dataLink_->SetDataSource(source);
    DataLinkChanged();
}

void TDBLookupGridX::SetDataFieldName(const QString& names) {
    if (dataFieldName_ == names)
        return;
    dataFieldName_ = names;
    DataLinkChanged();
}

void TDBLookupGridX::CheckCircularLink(const db::TDataSet* dataSet,
                                       const db::TDataSource* listSource) const {
    if (dataSet && listSource && listSource->DataSet() == dataSet)
        throw db::EDatabaseError(QStringLiteral("Circular datalinks are not allowed"));
}

void TDBLookupGridX::CheckListPropertyFree() const {
    if (lookupMode_)
        throw db::EDatabaseError(QStringLiteral("Property already defined by lookup field"));
}

void TDBLookupGridX::DataLinkChanged() {
    QList<db::TField*> dataFields;
    QList<db::TField*> keyFields;
    bool lookup = false;
    db::TDataSet* dataSet = dataLink_->Active() ? dataLink_->DataSet() : nullptr;
    if (dataSet && !dataFieldName_.isEmpty()) {
        CheckCircularLink(dataSet, ListSource());
        dataFields = dataSet->GetFieldList(dataFieldName_);
        lookup = dataFields.size() == 1 && dataFields.first()->Lookup();
        keyFields = lookup ? dataSet->GetFieldList(dataFields.first()->KeyFields()) : dataFields;
    }
    dataFields_ = dataFields;
    dataKeyFields_ = keyFields;
    dataKeyFieldNames_ = JoinedNames(keyFields);
    SetLookupMode(lookup);
    DataRecordChanged(nullptr);
}

void TDBLookupGridX::SetLookupMode(bool on) {
    if (on) {
        db::TField* field = dataFields_.first();
        internalSource_->SetDataSet(field->LookupDataSet());
        lookupMode_ = true;
        keyFieldName_ = field->LookupKeyFields();
        if (GetDataSource() != internalSource_.get())
            TCustomDBGridX::SetDataSource(internalSource_.get());
        else
            ListFieldsChanged();
    } else if (lookupMode_) {
        lookupMode_ = false;
        keyFieldName_.clear();
        TCustomDBGridX::SetDataSource(nullptr);
        internalSource_->SetDataSet(nullptr);
    }
}

void TDBLookupGridX::DataRecordChanged(db::TField* field) {
    if (field && !dataKeyFields_.contains(field))
        return;
    const bool onRecord = dataLink_->Active() && !dataKeyFields_.isEmpty();
    SetKeyValue(onRecord ? ValuesOf(dataKeyFields_) : QVariant());
}

// List side.

db::TDataSet* TDBLookupGridX::ListDataSet() const {
    return DataLink()->Active() ? DataLink()->DataSet() : nullptr;
}

void TDBLookupGridX::SetListSource(db::TDataSource* source) {
    CheckListPropertyFree();
    TCustomDBGridX::SetDataSource(source);
}

void TDBLookupGridX::SetKeyFieldName(const QString& names) {
    CheckListPropertyFree();
    if (keyFieldName_ == names)
        return;
    keyFieldName_ = names;
    ListFieldsChanged();
    FitColumns();
}

void TDBLookupGridX::SetListFieldName(const QString& names) {
    if (listFieldName_ == names)
        return;
    listFieldName_ = names;
    ListFieldsChanged();
    FitColumns();
}

void TDBLookupGridX::SetListFieldIndex(int index) {
    if (listFieldIndex_ == index)
        return;
    listFieldIndex_ = index;
    ListFieldsChanged();
}

void TDBLookupGridX::ListFieldsChanged() {
    listActive_ = false;
    displayField_ = nullptr;
    listFields_.clear();
    keyFields_.clear();
    try {
        ResolveListFields();
    } catch (...) {
        // The key or the list state still follows what is left.
        UpdateListState();
        throw;
    }
    if (listActive_)
        KeyValueChanged();
    else
        UpdateListState();
    LayoutChanged();
}

void TDBLookupGridX::ResolveListFields() {
    db::TDataSet* list = ListDataSet();
    if (!list || keyFieldName_.isEmpty())
        return;
    if (dataLink_->Active())
        CheckCircularLink(dataLink_->DataSet(), ListSource());
    keyFields_ = list->GetFieldList(keyFieldName_);
    QList<db::TField*> fields;
    for (const QString& name : listFieldName_.split(u';', Qt::SkipEmptyParts)) {
        db::TField* field = list->FindField(name.trimmed());
        if (!field)
            throw db::EDatabaseError(QStringLiteral("Field '%1' not found").arg(listFieldName_));
        fields.append(field);
    }
    if (lookupMode_) {
        db::TField* result = list->FieldByName(dataFields_.first()->LookupResultField());
        if (!fields.contains(result))
            fields.prepend(result);
        displayField_ = result;
    } else {
        if (fields.isEmpty())
            fields = keyFields_;
        displayField_ = fields.value(listFieldIndex_, nullptr);
    }
    listFields_ = fields;
    listActive_ = true;
}

void TDBLookupGridX::BuildFieldMap() {
    if (Columns()->GetState()) {
        TCustomDBGridX::BuildFieldMap();
        return;
    }
    DataLink()->SetByColumnNames(false);
    for (const db::TField* field : listFields_)
        DataLink()->AddMapping(field->FieldName());
}

namespace {

// Cells joined so that SplitCellsText gives them back: a cell holding the
// separator or a quote is quoted.
QString JoinCellsText(const QStringList& cells) {
    QStringList parts;
    for (const QString& cell : cells) {
        if (cell.contains(u';') || cell.contains(u'"') || cell.startsWith(u' '))
            parts.append(u'"' + QString(cell).replace(u'"', QStringLiteral("\"\"")) + u'"');
        else
            parts.append(cell);
    }
    return parts.join(u';');
}

} // namespace

void TDBLookupGridX::ColumnIndexChanging(int fromIndex, int toIndex) {
    if (!listActive_)
        return;
    const int count = std::max(specRow_->CellCount(), Columns()->Count());
    if (specRow_->CellCount() > 0 && fromIndex < count && toIndex < count) {
        QStringList cells;
        for (int i = 0; i < count; ++i)
            cells.append(specRow_->CellTextAt(i));
        cells.move(fromIndex, toIndex);
        while (!cells.isEmpty() && cells.last().isEmpty())
            cells.removeLast();
        specRow_->SetCellsText(JoinCellsText(cells));
    }
    // Generated columns follow the list fields, which take the new order.
    if (Columns()->GetState() || fromIndex >= listFields_.size() || toIndex >= listFields_.size())
        return;
    if (listFieldIndex_ == fromIndex)
        listFieldIndex_ = toIndex;
    else if (fromIndex < listFieldIndex_ && listFieldIndex_ <= toIndex)
        --listFieldIndex_;
    else if (toIndex <= listFieldIndex_ && listFieldIndex_ < fromIndex)
        ++listFieldIndex_;
    listFields_.move(fromIndex, toIndex);
    QStringList names;
    for (const db::TField* field : listFields_)
        names.append(field->FieldName());
    listFieldName_ = names.join(u';');
}

void TDBLookupGridX::LinkActive(bool active) {
    listActive_ = false;
    listFields_.clear();
    displayField_ = nullptr;
    if (active) {
        try {
            ResolveListFields();
        } catch (...) {
            ui::HandleCurrentException();
        }
    }
    TCustomDBGridX::LinkActive(active);
    if (listActive_)
        KeyValueChanged();
    else
        UpdateListState();
}

void TDBLookupGridX::DataChanged(int distance) {
    TCustomDBGridX::DataChanged(distance);
    UpdateListState();
}

// Key and selection.

void TDBLookupGridX::SetKeyValue(const QVariant& value) {
    if (VariantsMatch(keyValue_, value))
        return;
    keyValue_ = value;
    KeyValueChanged();
}

bool TDBLookupGridX::FindKeyRow() {
    db::TDataSet* list = ListDataSet();
    if (IsNull(keyValue_) || !list || !list->Active() || keyFieldName_.isEmpty())
        return false;
    try {
        return list->Locate(keyFieldName_, keyValue_);
    } catch (const std::exception&) {
        // A key that cannot even be compared is simply not in the list.
        return false;
    }
}

void TDBLookupGridX::KeyValueChanged() {
    specRowSelected_ = false;
    keyRowFound_ = false;
    if (specRow_->Visible()) {
        specRowSelected_ = VariantsMatch(specRow_->Value(), keyValue_);
        if (!specRowSelected_ && !locked_ && specRow_->ShowIfNotInKeyList()) {
            keyRowFound_ = FindKeyRow();
            specRowSelected_ = !keyRowFound_;
        }
    }
    if (listActive_ && !locked_ && !keyRowFound_) {
        keyRowFound_ = FindKeyRow();
        if (!keyRowFound_ && !specRowSelected_ && ListDataSet())
            ListDataSet()->First();
    }
    if (listActive_ && locked_)
        keyRowFound_ = !specRowSelected_ && VariantsMatch(CurrentKeyValues(), keyValue_);
    if (specRow_->Visible() && specRowSelected_)
        displayText_ = specRow_->CellTextAt(listFieldIndex_);
    else if (displayField_ && keyRowFound_)
        displayText_ = displayField_->DisplayText();
    else
        // A key that is in neither the list nor the special row shows
        // nothing, not the text of whichever row the list is on.
        displayText_.clear();
    UpdateListState();
    InvalidateGrid();
}

QVariant TDBLookupGridX::CurrentKeyValues() const {
    return ValuesOf(keyFields_);
}

void TDBLookupGridX::SelectKeyValue(const QVariant& value) {
    if (dataKeyFields_.isEmpty())
        SetKeyValue(value);
    else if (dataLink_->Edit())
        SetFieldValues(*dataLink_->DataSet(), dataKeyFieldNames_, value);
    InvalidateGrid();
    if (OnClick)
        OnClick(this);
}

void TDBLookupGridX::SelectCurrentRow() {
    if (!ListDataSet())
        return;
    locked_ = true;
    const auto unlock = qScopeGuard([this] { locked_ = false; });
    const QVariant value = CurrentKeyValues();
    if (specRowSelected_ || !VariantsMatch(value, keyValue_)) {
        specRowSelected_ = false;
        SelectKeyValue(value);
    }
}

void TDBLookupGridX::SelectSpecRow() {
    locked_ = true;
    const auto unlock = qScopeGuard([this] { locked_ = false; });
    if (!VariantsMatch(specRow_->Value(), keyValue_))
        SelectKeyValue(specRow_->Value());
    specRowSelected_ = true;
    keyRowFound_ = false;
    displayText_ = specRow_->CellTextAt(listFieldIndex_);
    InvalidateGrid();
}

bool TDBLookupGridX::InSpecRow(int y) const {
    if (!specRow_->Visible())
        return false;
    const int top = TitlePartHeight();
    return y >= top && y < top + SpecRowHeight();
}

bool TDBLookupGridX::OnDataCell(int x, int y) const {
    const TGridCoord cell = MouseCoord(x, y);
    return cell.X >= IndicatorOffset() && cell.Y >= FixedRows() &&
           cell.Y < TCustomGridX::RowCount();
}

void TDBLookupGridX::SelectRowAt(int x, int y) {
    if (InSpecRow(y)) {
        SelectSpecRow();
        return;
    }
    const TGridCoord cell = MouseCoord(x, std::min(y, ClientHeight() - 1));
    db::TDataSet* list = ListDataSet();
    if (!list || cell.Y < FixedRows() || cell.Y >= TCustomGridX::RowCount())
        return;
    list->MoveBy(cell.Y - FixedRows() - DataLink()->ActiveRecord());
    SelectCurrentRow();
}

bool TDBLookupGridX::CanModifyData() const {
    if (!listActive_ || dataLink_->ReadOnly())
        return false;
    if (!dataLink_->DataSource())
        return true;
    if (dataKeyFields_.isEmpty())
        return false;
    return std::all_of(dataKeyFields_.cbegin(), dataKeyFields_.cend(),
                       [](const db::TField* field) { return field->CanModify(); });
}

int TDBLookupGridX::KeyRowIndex() {
    if (!listActive_ || IsNull(keyValue_))
        return -1;
    const int saved = DataLink()->ActiveRecord();
    int found = -1;
    for (int row = 0; row < DataLink()->RecordCount() && found < 0; ++row) {
        DataLink()->SetActiveRecord(row);
        if (VariantsMatch(CurrentKeyValues(), keyValue_))
            found = row;
    }
    DataLink()->SetActiveRecord(saved);
    return found;
}

void TDBLookupGridX::UpdateListState() {
    const db::TDataSet* list = ListDataSet();
    hasValue_ = listActive_ && list && !(IsNull(keyValue_) && list->RecNo() <= 1);
    if (HandleAllocated())
        UpdateScrollBar();
}

void TDBLookupGridX::AssignSpecRow(const TSpecRowX& specRow) {
    specRow_->Assign(specRow);
}

void TDBLookupGridX::SpecRowChanged() {
    ApplyTitleRow();
    ApplyRowCount();
    KeyValueChanged();
}

// Keys and mouse.

void TDBLookupGridX::StepList(const TLookupStep& step) {
    db::TDataSet* list = ListDataSet();
    searchText_.clear();
    const bool atBeginning = list->RecNo() <= 1;
    if (step.Kind != TLookupStepKind::First && step.Kind != TLookupStepKind::Last &&
        step.Distance < 0 && (atBeginning || specRowSelected_) && specRow_->Visible()) {
        list->First();
        SelectSpecRow();
        return;
    }
    if (step.Kind == TLookupStepKind::First) {
        list->First();
    } else if (step.Kind == TLookupStepKind::Last) {
        list->Last();
    } else if (step.Distance > 0 && specRowSelected_) {
        list->First();
        list->MoveBy(step.Distance - 1);
    } else {
        int distance = step.Distance;
        const int keyRow = KeyRowIndex();
        if (keyRow < 0) {
            KeyValueChanged();
            distance = 0;
        } else {
            list->MoveBy(keyRow - DataLink()->ActiveRecord());
        }
        list->MoveBy(distance);
    }
    SelectCurrentRow();
}

void TDBLookupGridX::KeyDown(int& key, ui::TShiftState shift) {
    if (CanModifyData()) {
        const TLookupStep step =
            LookupKeyStep(key, std::max(VisibleDataRowCount(), 1), ScrollBarShown(ui::SB_HORZ));
        if (step.Kind != TLookupStepKind::None) {
            key = 0;
            StepList(step);
            return;
        }
    }
    TCustomDBGridX::KeyDown(key, shift);
}

void TDBLookupGridX::KeyPress(QChar& key) {
    if (displayField_ && IsTextField(displayField_) &&
        (key.unicode() >= 32 || key == QChar(8) || key == QChar(27))) {
        SearchKey(key);
        key = QChar();
        return;
    }
    TCustomDBGridX::KeyPress(key);
}

void TDBLookupGridX::SearchKey(QChar key) {
    if (!displayField_ || !IsTextField(displayField_))
        return;
    if (key == QChar(8) || key == QChar(27)) {
        searchText_.clear();
        return;
    }
    if (key.unicode() < 32 || !CanModifyData())
        return;
    const qint64 now = SearchClock();
    if (now - lastSearchKeyMs > SearchResetMs)
        searchText_.clear();
    lastSearchKeyMs = now;
    if (searchText_.size() >= SearchMaxLength)
        return;
    const QString text = searchText_ + key;
    const auto keep = qScopeGuard([this, &text] { searchText_ = text; });
    if (ListDataSet()->Locate(displayField_->FieldName(), text,
                              db::loCaseInsensitive | db::loPartialKey))
        SelectKeyValue(CurrentKeyValues());
}

void TDBLookupGridX::MouseDown(ui::TMouseButton button, ui::TShiftState shift, int x, int y) {
    if (!InSpecRow(y) && !OnDataCell(x, y)) {
        TCustomDBGridX::MouseDown(button, shift, x, y);
        return;
    }
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
    if (button != ui::TMouseButton::mbLeft)
        return;
    searchText_.clear();
    if (!MouseSelectsWithoutFocus && !hasFocus() && CanFocus()) {
        setFocus();
        if (!hasFocus())
            return;
    }
    if (!CanModifyData())
        return;
    if (shift & ui::ssDouble) {
        if (MouseCoord(x, y).Y == Row())
            DblClick();
        return;
    }
    SetMouseCapture(true);
    tracking_ = true;
    trackY_ = y;
    SelectRowAt(x, std::max(y, TitlePartHeight()));
}

void TDBLookupGridX::MouseMove(ui::TShiftState shift, int x, int y) {
    if (tracking_) {
        trackY_ = y;
        const int top = TitlePartHeight();
        const int bottom = ClientHeight();
        if (y < top) {
            StartTimer(LookupAutoScrollInterval(top - y));
        } else if (y >= bottom) {
            StartTimer(LookupAutoScrollInterval(y - bottom + 1));
        } else {
            StopTimer();
            SelectRowAt(x, y);
        }
    }
    if (OnMouseMove)
        OnMouseMove(this, shift, x, y);
    if (!tracking_)
        TCustomDBGridX::MouseMove(shift, x, y);
}

void TDBLookupGridX::AutoScrollStep() {
    db::TDataSet* list = ListDataSet();
    if (!list)
        return;
    if (trackY_ < TitlePartHeight()) {
        if (list->RecNo() <= 1 && specRow_->Visible()) {
            SelectSpecRow();
            return;
        }
        list->MoveBy(-1);
    } else {
        list->MoveBy(1);
    }
    SelectCurrentRow();
}

void TDBLookupGridX::StopListTracking() {
    tracking_ = false;
    StopTimer();
    SetMouseCapture(false);
}

void TDBLookupGridX::MouseUp(ui::TMouseButton button, ui::TShiftState shift, int x, int y) {
    if (!tracking_) {
        TCustomDBGridX::MouseUp(button, shift, x, y);
        return;
    }
    StopListTracking();
    if (y >= TitlePartHeight() && y < ClientHeight())
        SelectRowAt(x, y);
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
}

void TDBLookupGridX::TimerFired(int id) {
    if (tracking_ && TimerRunning()) {
        AutoScrollStep();
        return;
    }
    TCustomDBGridX::TimerFired(id);
}

bool TDBLookupGridX::DoMouseWheelDown(ui::TShiftState shift, QPoint pos) {
    Q_UNUSED(shift);
    Q_UNUSED(pos);
    db::TDataSet* list = ListDataSet();
    if (!list)
        return false;
    list->MoveBy(DataLink()->RecordCount() - DataLink()->ActiveRecord());
    return true;
}

bool TDBLookupGridX::DoMouseWheelUp(ui::TShiftState shift, QPoint pos) {
    Q_UNUSED(shift);
    Q_UNUSED(pos);
    db::TDataSet* list = ListDataSet();
    if (!list)
        return false;
    list->MoveBy(-(DataLink()->ActiveRecord() + 1));
    return true;
}

void TDBLookupGridX::FocusIn(QWidget* from) {
    searchText_.clear();
    TCustomDBGridX::FocusIn(from);
    InvalidateGrid();
}

void TDBLookupGridX::FocusOut(QWidget* to) {
    TCustomDBGridX::FocusOut(to);
    InvalidateGrid();
}

unsigned TDBLookupGridX::DialogCode() {
    return TCustomDBGridX::DialogCode() | ui::DLGC_WANTARROWS | ui::DLGC_WANTCHARS;
}

// Size and layout.

int TDBLookupGridX::BorderHeight() const {
    return 2 * frameWidth() + (ScrollBarShown(ui::SB_HORZ) ? ScrollBarThickness() : 0);
}

int TDBLookupGridX::DataRowHeight() const {
    return DefaultRowHeight() + ((Options() & dgRowLines) ? GridLineWidth() : 0);
}

int TDBLookupGridX::SpecRowHeight() const {
    return specRow_->Visible() ? DefaultRowHeight() : 0;
}

int TDBLookupGridX::TitlePartHeight() const {
    return showTitles_ ? titlePart_ : 0;
}

void TDBLookupGridX::ApplyTitleRow() {
    const bool rowZero = showTitles_ || specRow_->Visible();
    const TDBGridOptions options = Options();
    if (rowZero != ((options & dgTitles) != 0))
        SetOptions(rowZero ? options | dgTitles : options & ~dgTitles);
    else
        LayoutChanged();
}

void TDBLookupGridX::UpdateRowCount() {
    if (Options() & dgTitles) {
        // Row 0 holds the titles and, below them, the special row; the
        // layout measured it afresh unless it still has the height given.
        if (GetRowHeights(0) != rowZeroApplied_)
            titlePart_ = GetRowHeights(0);
        rowZeroApplied_ = TitlePartHeight() + SpecRowHeight();
        SetRowHeights(0, std::max(rowZeroApplied_, 0));
    }
    TCustomDBGridX::UpdateRowCount();
    // A horizontal scroll bar that came or went takes or gives the room the
    // rows were counted in.
    if (BorderHeight() != borderApplied_ && !resizing_) {
        ApplyRowCount();
        TCustomDBGridX::UpdateRowCount();
    }
}

void TDBLookupGridX::ApplyRowCount() {
    TLookupGridHeights heights;
    heights.Title = TitlePartHeight();
    heights.SpecRow = SpecRowHeight();
    heights.Row = DataRowHeight();
    heights.Line = (Options() & dgRowLines) && (Options() & dgTitles) ? GridLineWidth() : 0;
    heights.Border = BorderHeight();
    borderApplied_ = heights.Border;
    resizing_ = true;
    const auto done = qScopeGuard([this] { resizing_ = false; });
    resize(width(), LookupGridHeightForRows(listRowCount_, heights));
}

void TDBLookupGridX::SetRowCount(int n) {
    listRowCount_ = std::clamp(n, LookupGridMinRows, LookupGridMaxRows);
    ApplyRowCount();
}

void TDBLookupGridX::SetBounds(int left, int top, int width, int height) {
    TLookupGridHeights heights;
    heights.Title = TitlePartHeight();
    heights.SpecRow = SpecRowHeight();
    heights.Row = DataRowHeight();
    heights.Line = (Options() & dgRowLines) && (Options() & dgTitles) ? GridLineWidth() : 0;
    heights.Border = BorderHeight();
    borderApplied_ = heights.Border;
    listRowCount_ = LookupGridRowsForHeight(height, heights);
    resizing_ = true;
    const auto done = qScopeGuard([this] { resizing_ = false; });
    setGeometry(left, top, width, LookupGridHeightForRows(listRowCount_, heights));
}

void TDBLookupGridX::Resized() {
    if (!resizing_) {
        // Any size from outside (a layout, a grip) snaps to whole rows.
        SetBounds(x(), y(), width(), height());
    }
    TCustomDBGridX::Resized();
    if (autoFitWidths_)
        FitColumns();
}

void TDBLookupGridX::SetShowTitles(bool show) {
    if (showTitles_ == show)
        return;
    showTitles_ = show;
    ApplyTitleRow();
    ApplyRowCount();
}

void TDBLookupGridX::SetUseMultiTitle(bool value) {
    TCustomDBGridX::SetUseMultiTitle(value);
    ApplyRowCount();
}

void TDBLookupGridX::SetAutoFitWidths(bool value) {
    if (autoFitWidths_ == value)
        return;
    autoFitWidths_ = value;
    SetScrollBars(value ? ui::TScrollStyle::ssVertical : ui::TScrollStyle::ssBoth);
    ApplyRowCount();
    UpdateScrollBar();
    FitColumns();
}

void TDBLookupGridX::FitColumns() {
    if (!autoFitWidths_)
        return;
    // Fit once; each column keeps its fitted width afterwards.
    SetAutoFitColWidths(true);
    SetAutoFitColWidths(false);
    ApplyRowCount();
}

int TDBLookupGridX::ColumnsWidth() const {
    const int line = (Options() & dgColLines) ? GridLineWidth() : 0;
    int width = 0;
    for (int i = 0; i < Columns()->Count(); ++i) {
        const TColumnX* column = Columns()->GetColumn(i);
        width += (column->Visible() ? column->Width() : 0) + line;
    }
    return width;
}

TGridRect TDBLookupGridX::DataRect() const {
    TGridRect rect;
    rect.Left = IndicatorOffset();
    rect.Top = specRow_->Visible() ? 0 : FixedRows();
    rect.Right = ColCount() - 1;
    rect.Bottom = TCustomGridX::RowCount() - 1;
    return rect;
}

void TDBLookupGridX::SetLookupOptions(TDBLookupGridOptionsX options) {
    lookupOptions_ = options;
    const auto toggle = [](auto set, auto flag, bool on) { return on ? set | flag : set & ~flag; };
    TDBGridOptions gridOptions = Options();
    gridOptions = toggle(gridOptions, dgColumnResize, options & dlgColumnResizeX);
    gridOptions = toggle(gridOptions, dgColLines, options & dlgColLinesX);
    gridOptions = toggle(gridOptions, dgRowLines, options & dlgRowLinesX);
    SetOptions(gridOptions);
    TDBGridOptionsX optionsX = OptionsX();
    optionsX = toggle(optionsX, dghAutoSortMarking, options & dlgAutoSortMarkingX);
    optionsX = toggle(optionsX, dghMultiSortMarking, options & dlgMultiSortMarkingX);
    SetOptionsX(optionsX);
    ApplyRowCount();
}

// Painting.

void TDBLookupGridX::DrawCell(int col, int row, const ui::TRect& rect, TGridDrawState state) {
    if (row != 0 || !specRow_->Visible() || !(Options() & dgTitles)) {
        TCustomDBGridX::DrawCell(col, row, rect, state);
        return;
    }
    const int split = rect.Top + TitlePartHeight();
    if (showTitles_)
        TCustomDBGridX::DrawCell(col, row, {rect.Left, rect.Top, rect.Right, split}, state);
    DrawSpecRowCell(col, {rect.Left, split, rect.Right, rect.Bottom});
}

void TDBLookupGridX::DrawSpecRowCell(int col, const ui::TRect& rect) {
    try {
        ui::TCanvas& canvas = Canvas();
        const int dataCol = RawToDataColumn(col);
        const TColumnX* column =
            dataCol >= 0 && dataCol < Columns()->Count() ? Columns()->GetColumn(dataCol) : nullptr;
        const auto* cell = dynamic_cast<const TDBLookupGridColumnX*>(column);
        canvas.SetFont(cell ? cell->SpecCell()->Font() : specRow_->Font());
        const ui::TColor colour = cell ? cell->SpecCell()->Color() : specRow_->Color();
        canvas.SetBrushColor(specRowSelected_ ? ui::clHighlight : colour);
        canvas.SetFontColor(specRowSelected_ ? ui::clHighlightText : ui::clWindowText);
        canvas.FillRect(rect);
        if (!column)
            return;
        const QString text = cell ? cell->SpecCell()->Text() : specRow_->CellTextAt(dataCol);
        ui::TRect area{rect.Left + 2, rect.Top, rect.Right - 2, rect.Bottom};
        const unsigned align = column->Alignment() == db::taRightJustify ? ui::DT_RIGHT
                               : column->Alignment() == db::taCenter     ? ui::DT_CENTER
                                                                         : ui::DT_LEFT;
        canvas.DrawText(text, area, align | ui::DT_VCENTER | ui::DT_SINGLELINE | ui::DT_NOPREFIX);
        if (specRowSelected_ && dataCol == Columns()->Count() - 1)
            canvas.DrawFocusRect({IndicatorOffset() > 0 ? CellRect(IndicatorOffset(), 0).Left : 0,
                                  rect.Top, rect.Right, rect.Bottom});
    } catch (...) {
        ui::HandleCurrentException();
    }
}

bool TDBLookupGridX::DataCellHighlight(TColumnX* column, QFont& font, ui::TColor& fontColor,
                                       ui::TColor& background, TGridDrawState& state, int dataCol,
                                       int dataRow) {
    Q_UNUSED(column);
    Q_UNUSED(font);
    Q_UNUSED(dataCol);
    Q_UNUSED(dataRow);
    // Only the picked row is highlighted, wherever the list's cursor is.
    state &= ~gdSelected;
    if (LayoutUpdateHeld() || !listActive_ || specRowSelected_ || IsNull(keyValue_) ||
        !VariantsMatch(CurrentKeyValues(), keyValue_))
        return false;
    background = ui::clHighlight;
    fontColor = ui::clHighlightText;
    state |= gdSelected;
    return true;
}

} // namespace kx
