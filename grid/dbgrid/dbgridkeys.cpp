// The data-aware grid's keyboard: record and column moves, Tab through the
// tab-stop columns, Shift extensions of record and cell selections, record
// insertion from the keys, and the copy of a value from the record above.

#include "grid/base/inplaceedit.h"
#include "grid/dbgrid/customdbgridx.h"
#include "grid/dbgrid/dbgriddataservice.h"
#include "grid/dbgrid/dbgridinputstate.h"
#include "grid/dbgrid/griddatalinkx.h"
#include "grid/dbgrid/inplacefilteredit.h"
#include "grid/dbgrid/memtablex.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/ui/messagedialog.h"

#include <QClipboard>
#include <QGuiApplication>

#include <QScopeGuard>

#include <algorithm>

namespace kx {

using ui::ssAlt;
using ui::ssCtrl;
using ui::ssShift;

namespace {

// Ctrl with the quote key copies a value from the record above.
constexpr int kCopyFromPreviousRecordKey = Qt::Key_Apostrophe;
// Typed text searches on for this long after the last key.
constexpr int kIncSearchTimeOut = 1500;

int Sign(int value) {
    return (value > 0) - (value < 0);
}

} // namespace

int TCustomDBGridX::TrackingMode() const {
    return input_->TrackingMode;
}

void TCustomDBGridX::KeyDown(int& key, ui::TShiftState shift) {
    input_->ToggleSelection = (shift & ssCtrl) || !(optionsX_ & dghClearSelection);
    ui::TCustomControl::KeyDown(key, shift);
    if (key == 0 || !dataLink_->Active() || !CanGridAcceptKey(key, shift))
        return;
    const ui::TShiftState modifiers = shift & (ssCtrl | ssShift | ssAlt);
    if (modifiers == ssCtrl && key == kCopyFromPreviousRecordKey) {
        CopyFromPreviousRecord();
        return;
    }
    if (modifiers == ssCtrl && key == Qt::Key_F) {
        const bool dialog = optionsX_ & dghDialogFind;
        if ((optionsX_ & dghIncSearch) && !(incSearchActive_ && dialog)) {
            if (!incSearchActive_)
                IncSearchAddText(QString(), -1, ltdAll);
        } else if (dialog) {
            StopIncSearch();
            OpenFindDialog();
            return;
        }
    }
    if (incSearchActive_ && IncSearchKeyDown(key, modifiers))
        return;
    if (key == Qt::Key_Up && (modifiers == 0 || modifiers == ssCtrl) && stFilter_->Visible() &&
        (dataLink_->DataSet()->RecNo() <= 1 || modifiers == ssCtrl)) {
        EnterFilterRow(*this);
        return;
    }
    if (shift & ssCtrl)
        CtrlKeyDown(key, shift);
    else
        PlainKeyDown(key, shift);
    if (key == Qt::Key_Delete && !(shift & ssCtrl) && !(options_ & dgRowSelect))
        ClearCheckCell();
}

void TCustomDBGridX::OpenFindDialog() {
    if (TDBGridXDataService* service = GridDataService())
        service->OpenFindDialog(this, QString(), QString(), findDialogModal_);
}

// Keys that steer a running incremental search; true when the key was the
// search's alone.
bool TCustomDBGridX::IncSearchKeyDown(int key, ui::TShiftState modifiers) {
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (modifiers == 0 && (enter || key == Qt::Key_Escape || key == Qt::Key_F2)) {
        StopIncSearch();
        return false;
    }
    if (modifiers == 0 && key == Qt::Key_Backspace) {
        incSearchText_.chop(1);
        InvalidateRow(Row());
        StartIncSearchTimer();
        return true;
    }
    if (enter && (modifiers == ssCtrl || modifiers == (ssCtrl | ssShift))) {
        IncSearchAddText(QString(), incSearchInterval_, modifiers == ssCtrl ? ltdDown : ltdUp);
        return true;
    }
    return false;
}

bool TCustomDBGridX::IncSearchWanted() const {
    return incSearchActive_ ||
           ((optionsX_ & dghIncSearch) && !ColumnEditable(CurrentDataColumn())) ||
           ((optionsX_ & dghPreferIncSearch) && !(options_ & dgAlwaysShowEditor) && !EditorShown());
}

bool TCustomDBGridX::IncSearchTakes(QChar ch) const {
    const db::TDataSet* dataSet = dataLink_->DataSet();
    return IncSearchWanted() && dataLink_->Active() && dataSet &&
           dataSet->State() == db::dsBrowse && (ch == QChar(8) || ch.unicode() >= 32);
}

// Enter and Esc are the window's (its default and cancel buttons) unless
// the grid has a use for them at the moment.
bool TCustomDBGridX::WantSpecialKey(int key) {
    if (TCustomGridX::WantSpecialKey(key) || incSearchActive_)
        return true;
    if (key == Qt::Key_Return)
        return optionsX_ & dghEnterAsTab;
    return dataLink_->Editing() || Selection().SelectionType() != gstNon ||
           SelectedRows().BookmarkCount() > 0 || GridState() != gsNormal || input_->Tracking;
}

void TCustomDBGridX::KeyPress(QChar& key) {
    if ((optionsX_ & dghEnterAsTab) && key == QChar(13))
        key = QChar(9);
    if (!(options_ & dgAlwaysShowEditor) && key == QChar(13) && dataLink_->EditorChanged())
        dataLink_->UpdateRecord();
    TCustomGridX::KeyPress(key);
    if (key.unicode() > 31 && IncSearchTakes(key)) {
        IncSearchAddText(QString(key), incSearchActive_ ? incSearchInterval_ : kIncSearchTimeOut,
                         ltdAll);
        key = QChar();
    }
}

// A space steps a check box; a character the search takes never opens the
// editor.
void TCustomDBGridX::CharTyped(QChar ch) {
    const int dataCol = CurrentDataColumn();
    TColumnX* column =
        dataCol >= 0 && dataCol < columns_->Count() ? columns_->GetColumn(dataCol) : nullptr;
    const TColumnCellKind kind = column ? column->ReadCellKind() : cellPlain;
    if (ch == u' ' && (kind == cellCheckBox || kind == cellImages) && !(options_ & dgRowSelect)) {
        KeyPress(ch);
        if (ch == u' ')
            column->StepCellValue((QGuiApplication::keyboardModifiers() & Qt::ShiftModifier) ? -1
                                                                                             : 1);
        return;
    }
    if (IncSearchTakes(ch)) {
        KeyPress(ch);
        return;
    }
    TCustomGridX::CharTyped(ch);
}

// The clipboard commands of the selection, where the grid offers them.
void TCustomDBGridX::RunEditActionKey(TGridEditActionsX kind) {
    const auto run = [this](const std::function<void(TCustomDBGridX*, bool)>& command) {
        if (command)
            command(this, false);
    };
    if (!(editActions_ & kind))
        return;
    switch (kind) {
    case geaCopyX:
        if (CanCopySelection())
            run(GridClipboardCommands.Copy);
        return;
    case geaCutX:
        if (CanCopySelection() && CanCutSelection())
            run(GridClipboardCommands.Cut);
        return;
    case geaPasteX:
        if (CanPasteSelection())
            run(GridClipboardCommands.Paste);
        return;
    case geaSelectAllX:
        if (CanSelectAll())
            Selection().SelectAll();
        return;
    default:
        return;
    }
}

void TCustomDBGridX::PasteKey() {
    if (incSearchActive_)
        IncSearchAddText(QGuiApplication::clipboard()->text(), incSearchInterval_, ltdAll);
    else
        RunEditActionKey(geaPasteX);
}

void TCustomDBGridX::CtrlKeyDown(int key, ui::TShiftState shift) {
    db::TDataSet* dataSet = dataLink_->DataSet();
    const bool extend = (shift & ssShift) && (options_ & dgMultiSelect);
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_PageUp:
    case Qt::Key_Down:
    case Qt::Key_PageDown: {
        const bool up = key == Qt::Key_Up || key == Qt::Key_PageUp;
        const int active = dataLink_->ActiveRecord();
        const int distance = up ? -active : dataLink_->RecordCount() - active - 1;
        if (extend) {
            MoveBySelecting(true, distance, false, false);
        } else {
            if (!(shift & ssShift))
                ClearSelection();
            dataSet->MoveBy(distance);
        }
        return;
    }
    case Qt::Key_Home:
    case Qt::Key_End:
        if (extend) {
            MoveBySelecting(true, key == Qt::Key_Home ? -1 : 1, false, true);
        } else {
            if (!(shift & ssShift))
                ClearSelection();
            key == Qt::Key_Home ? dataSet->First() : dataSet->Last();
        }
        return;
    case Qt::Key_Left:
        MoveToColumn(indicatorOffset_, 1, false);
        return;
    case Qt::Key_Right:
        MoveToColumn(ColCount() - 1, -1, false);
        return;
    case Qt::Key_Insert:
    case Qt::Key_C:
        RunEditActionKey(geaCopyX);
        return;
    case Qt::Key_X:
        RunEditActionKey(geaCutX);
        return;
    case Qt::Key_V:
        PasteKey();
        return;
    case Qt::Key_A:
        RunEditActionKey(geaSelectAllX);
        return;
    case Qt::Key_Delete:
        if ((editActions_ & geaDeleteX) &&
            (Selection().SelectionType() != gstNon || SelectedRows().BookmarkCount() > 0)) {
            if (CanDeleteSelection() && GridClipboardCommands.Delete)
                GridClipboardCommands.Delete(this, false);
            return;
        }
        DeleteRecordsByKey();
        return;
    default:
        return;
    }
}

void TCustomDBGridX::PlainKeyDown(int key, ui::TShiftState shift) {
    db::TDataSet* dataSet = dataLink_->DataSet();
    const bool extend = (shift & ssShift) && (options_ & dgMultiSelect);
    const bool rowSelect = options_ & dgRowSelect;
    const bool rowWiseShift = !(allowedSelections_ & SelectionTypeBit(gstRectangle));
    switch (key) {
    case Qt::Key_Tab:
        if (!(shift & ssAlt))
            TabMove(!(shift & ssShift));
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (optionsX_ & dghEnterAsTab)
            TabMove(!(shift & ssShift));
        return;
    case Qt::Key_Escape:
        dataLink_->Reset();
        ClearSelection();
        if (!(options_ & dgAlwaysShowEditor))
            HideEditor();
        StopTracking();
        CancelMode();
        return;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
        if (memTable_ && key == Qt::Key_PageDown) {
            const int missing = TopRow() + 2 * VisibleRowCount() - RowCount();
            if (missing > 0)
                memTable_->FetchMore(missing);
        }
        const int rows = key == Qt::Key_PageUp ? -VisibleDataRowCount() : VisibleDataRowCount();
        if (extend) {
            MoveBySelecting(true, rows, rowWiseShift, false);
        } else {
            ClearSelection();
            dataSet->MoveBy(rows);
        }
        return;
    }
    case Qt::Key_Home:
    case Qt::Key_End: {
        const bool home = key == Qt::Key_Home;
        if (ColCount() - indicatorOffset_ > 1 && !rowSelect) {
            MoveToColumn(home ? indicatorOffset_ : ColCount() - 1, home ? 1 : -1, extend);
        } else if (extend) {
            MoveBySelecting(true, home ? -1 : 1, false, true);
        } else {
            ClearSelection();
            home ? dataSet->First() : dataSet->Last();
        }
        return;
    }
    case Qt::Key_Left:
    case Qt::Key_Right: {
        const int step = key == Qt::Key_Left ? -1 : 1;
        if (rowSelect) {
            if (step < 0 && LeftCol() > FixedCols())
                SetLeftCol(LeftCol() - 1);
            else if (step > 0 && VisibleColCount() + LeftCol() < ColCount())
                SetLeftCol(LeftCol() + 1);
        } else {
            if (!extend)
                ClearSelection();
            MoveToColumn(Col() + step, step, extend);
        }
        return;
    }
    case Qt::Key_Up:
        UpMove(shift);
        return;
    case Qt::Key_Down:
        DownMove(shift);
        return;
    case Qt::Key_Insert:
        if (shift & ssShift)
            PasteKey();
        else if (dataSet->CanModify() && !readOnly_ && (options_ & dgEditing)) {
            if (allowedOperations_ & alopInsertX) {
                ClearSelection();
                dataSet->Insert();
            } else if (allowedOperations_ & alopAppendX) {
                ClearSelection();
                dataSet->Append();
            }
        }
        return;
    case Qt::Key_Delete:
        if (shift & ssShift)
            RunEditActionKey(geaCutX);
        return;
    case Qt::Key_F2:
        SetEditorMode(true);
        return;
    default:
        return;
    }
}

bool TCustomDBGridX::InsertingUntouched() const {
    const db::TDataSet* dataSet = dataLink_->DataSet();
    return dataSet->State() == db::dsInsert && !dataSet->Modified() && !dataLink_->EditorChanged();
}

void TCustomDBGridX::DownMove(ui::TShiftState shift) {
    db::TDataSet* dataSet = dataLink_->DataSet();
    if (InsertingUntouched()) {
        // An empty new record at the end stays; one in the middle goes.
        if (dataSet->RecNo() < dataSet->RecordCount())
            dataSet->Cancel();
        return;
    }
    if (shift & ssShift)
        MoveBySelecting(true, 1, !(allowedSelections_ & SelectionTypeBit(gstRectangle)), false);
    else
        MoveBySelecting(false, 1, true, false);
    if (dataSet->Eof() && dataSet->CanModify() && !readOnly_ && (options_ & dgEditing) &&
        (allowedOperations_ & alopAppendX))
        dataSet->Append();
}

void TCustomDBGridX::UpMove(ui::TShiftState shift) {
    db::TDataSet* dataSet = dataLink_->DataSet();
    if (InsertingUntouched() && dataSet->RecNo() >= dataSet->RecordCount()) {
        dataSet->Cancel();
        return;
    }
    if (shift & ssShift)
        MoveBySelecting(true, -1, !(allowedSelections_ & SelectionTypeBit(gstRectangle)), false);
    else
        MoveBySelecting(false, -1, true, false);
}

void TCustomDBGridX::TabMove(bool forward) {
    ClearSelection();
    BeginLayout();
    const auto end = qScopeGuard([this] { EndLayout(); });
    const int start = Col();
    int col = start;
    for (int steps = 0; steps <= 2 * ColCount(); ++steps) {
        if (forward && ++col >= ColCount()) {
            DownMove(0);
            col = indicatorOffset_;
        } else if (!forward && --col < indicatorOffset_) {
            UpMove(0);
            col = ColCount() - 1;
        }
        if (col == start)
            return;
        if (GetTabStops(col)) {
            MoveToColumn(col, 0, false);
            return;
        }
    }
}

void TCustomDBGridX::ClearSelection() {
    if (!(options_ & dgMultiSelect))
        return;
    const bool clearing = optionsX_ & dghClearSelection;
    TDBGridXSelection& selection = Selection();
    const bool hadSelection =
        selection.SelectionType() != gstNon || SelectedRows().BookmarkCount() > 0;
    if (clearing)
        SelectedRows().Clear();
    input_->Extending = false;
    if (clearing && hadSelection) {
        selection.Clear();
        InvalidateGrid();
        RefreshEditor();
    }
}

// One record step of a record selection under way: leaving the anchor marks,
// coming back unmarks; toggling turns each record's state over instead.
void TCustomDBGridX::MarkStep(bool awayFromAnchor) {
    TBookmarkListX& rows = SelectedRows();
    if (input_->ToggleSelection)
        rows.MarkCurrentRow(!rows.IsCurrentRowMarked());
    else
        rows.MarkCurrentRow(awayFromAnchor);
}

void TCustomDBGridX::MoveBySelecting(bool select, int distance, bool rowWise, bool toEdge) {
    db::TDataSet* dataSet = dataLink_->DataSet();
    BeginLayout();
    const auto end = qScopeGuard([this] { EndLayout(); });
    if (rowWise || (options_ & dgRowSelect)) {
        MoveRowWise(select && SelectionKindAllowed(gstRecordBookmarks), distance, toEdge);
        return;
    }
    const bool rectangle = select && SelectionKindAllowed(gstRectangle);
    TDBGridXSelectionRect& rect = Selection().Rect();
    if (rectangle && Selection().SelectionType() != gstRectangle)
        rect.Select(CurrentDataColumn(), dataSet->Bookmark(), false);
    if (toEdge)
        distance == 1 ? dataSet->Last() : dataSet->First();
    else
        dataSet->MoveBy(distance);
    if (rectangle)
        rect.Select(CurrentDataColumn(), dataSet->Bookmark(), true);
}

void TCustomDBGridX::MoveRowWise(bool select, int distance, bool toEdge) {
    db::TDataSet* dataSet = dataLink_->DataSet();
    const bool multi = (options_ & dgMultiSelect) && dataLink_->Active();
    const int direction = distance < 0 ? -1 : 1;
    TDBGridXInput& input = *input_;
    const auto sideOfAnchor = [&] {
        return Sign(dataSet->CompareBookmarks(dataSet->Bookmark(), input.SelectionAnchor));
    };
    for (int remaining = distance; toEdge || remaining != 0;) {
        if (multi && !select) {
            ClearSelection();
        } else if (multi && !input.Extending) {
            input.SelectionAnchor = dataSet->Bookmark();
            input.AnchorSelected = SelectedRows().IsCurrentRowMarked();
            MarkStep(true);
            input.Extending = true;
        } else if (multi && sideOfAnchor() == -direction) {
            MarkStep(false);
        }
        if (dataSet->MoveBy(direction) == 0)
            return;
        if (!toEdge)
            remaining -= direction;
        if (multi && select && sideOfAnchor() == direction)
            MarkStep(true);
    }
}

void TCustomDBGridX::MoveToColumn(int col, int step, bool extendRect) {
    const bool rectangle =
        extendRect && !(options_ & dgRowSelect) && SelectionKindAllowed(gstRectangle);
    db::TDataSet* dataSet = dataLink_->DataSet();
    if (rectangle && dataSet && Selection().SelectionType() != gstRectangle)
        Selection().Rect().Select(CurrentDataColumn(), dataSet->Bookmark(), false);
    if (dataLink_->EditorChanged())
        dataLink_->UpdateRecord();
    col = std::clamp(col, indicatorOffset_, ColCount() - 1);
    while (step != 0 && GetColWidths(col) < 1) {
        col += step;
        if (col < indicatorOffset_ || col >= ColCount())
            return;
    }
    if (col != Col()) {
        if (!input_->InColExit) {
            input_->InColExit = true;
            const auto leaving = qScopeGuard([this] { input_->InColExit = false; });
            const int before = Col();
            FireColExit();
            if (Col() != before)
                return;
        }
        if (!(options_ & dgAlwaysShowEditor))
            HideEditor();
        if (!(options_ & dgRowSelect)) {
            if (col < FixedCols())
                FocusCell(col, Row(), true, true);
            else
                SetCol(col);
        }
        const int dataCol = RawToDataColumn(col);
        const TColumnCellKind kind =
            dataCol < columns_->Count() ? columns_->GetColumn(dataCol)->ReadCellKind() : cellPlain;
        if (kind != cellCheckBox && kind != cellImages && (options_ & dgAlwaysShowEditor) &&
            !filterEditMode_)
            ShowEditor();
        FireColEnter();
    }
    if (rectangle && dataSet)
        Selection().Rect().Select(CurrentDataColumn(), dataSet->Bookmark(), true);
    if (incSearchActive_)
        StopIncSearch();
}

void TCustomDBGridX::DeleteRecordsByKey() {
    db::TDataSet* dataSet = dataLink_->DataSet();
    if (!KeyDeletesRecords || readOnly_ || dataSet->IsEmpty() || !dataSet->CanModify() ||
        !(allowedOperations_ & alopDeleteX))
        return;
    const int marked = SelectedRows().BookmarkCount();
    if (options_ & dgConfirmDelete) {
        const QString text = marked < 2 ? QStringLiteral("Delete record?")
                                        : QStringLiteral("Delete all selected records?");
        if (!ui::ShowMessageDialog(this, QStringLiteral("Confirm"), text, ui::MessageIcon::Question,
                                   ui::MessageButtons::YesNo))
            return;
    }
    if (marked > 0)
        SelectedRows().DeleteRecords();
    else
        dataSet->Delete();
}

void TCustomDBGridX::ClearCheckCell() {
    const int dataCol = CurrentDataColumn();
    if (dataCol < 0 || dataCol >= columns_->Count())
        return;
    TColumnX* column = columns_->GetColumn(dataCol);
    const TColumnCellKind kind = column->ReadCellKind();
    db::TField* field = column->Field();
    if ((kind == cellCheckBox || kind == cellImages) && field && !field->Required() &&
        BeginCellEdit())
        field->Clear();
}

void TCustomDBGridX::CopyFromPreviousRecord() {
    const int active = dataLink_->ActiveRecord();
    db::TField* field = CurrentField();
    if (!dataLink_->Active() || active == 0 || !field)
        return;
    const bool lookup = field->FieldKind() == db::fkLookup;
    db::TDataSet* dataSet = dataLink_->DataSet();
    const QList<db::TField*> targets =
        lookup ? dataSet->GetFieldList(field->KeyFields()) : QList<db::TField*>{field};
    QVariantList values;
    {
        const auto restore = qScopeGuard([this, active] { dataLink_->SetActiveRecord(active); });
        dataLink_->SetActiveRecord(active - 1);
        for (const db::TField* target : targets)
            values.append(target->Value());
    }
    if (!BeginCellEdit())
        return;
    ClearSelection();
    for (int i = 0; i < targets.size(); ++i)
        targets[i]->SetValue(values[i]);
    ShowEditor();
    if (EditorShown())
        InplaceEditor()->selectAll();
}

} // namespace kx
