// What a column's cells hold and how a new value reaches the field.

#include "grid/dbgrid/cellvalues.h"
#include "grid/dbgrid/columndropdownboxx.h"
#include "grid/dbgrid/columnx.h"
#include "grid/dbgrid/customdbgridx.h"
#include "grid/dbgrid/dbgridhelpers.h"
#include "grid/dbgrid/griddatalinkx.h"
#include "grid/editors/cellbuttons.h"
#include "grid/editors/editbuttonx.h"
#include "grid/editors/extrarowx.h"
#include "grid/editors/mrulistx.h"
#include "platform/db/dberrors.h"

#include <QApplication>
#include <QStyle>

namespace kx {

namespace {

bool IsNumberField(const db::TField* field) {
    switch (field->DataType()) {
    case db::ftSmallint:
    case db::ftInteger:
    case db::ftWord:
    case db::ftFloat:
    case db::ftCurrency:
    case db::ftBCD:
        return true;
    default:
        return false;
    }
}

int IndexOfIgnoringCase(const QStringList& list, const QString& text) {
    for (int i = 0; i < list.size(); ++i) {
        if (list[i].compare(text, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QVariant KeyFieldValues(const db::TField* field) {
    const QList<db::TField*> keys = field->DataSet()->GetFieldList(field->KeyFields());
    if (keys.size() == 1)
        return keys.front()->Value();
    QVariantList values;
    for (const db::TField* key : keys)
        values.append(key->Value());
    return values;
}

void SetKeyFieldValues(db::TField* field, const QVariant& value) {
    const QList<db::TField*> keys = field->DataSet()->GetFieldList(field->KeyFields());
    if (keys.size() == 1) {
        keys.front()->SetValue(value);
        return;
    }
    const QVariantList values = value.toList();
    for (int i = 0; i < keys.size(); ++i)
        keys[i]->SetValue(i < values.size() ? values[i] : QVariant());
}

} // namespace

TColumnCellKind TColumnX::ReadCellKind() const {
    if (Checkboxes())
        return cellCheckBox;
    const db::TField* field = Field();
    if (field && field->Lookup())
        return cellLookupField;
    if (!pickList_.isEmpty() && keyList_.isEmpty())
        return cellPickList;
    if (imageList_ && !showImageAndText_)
        return cellImages;
    if (!keyList_.isEmpty() && !pickList_.isEmpty())
        return cellKeyToPick;
    return cellPlain;
}

QString TColumnX::ShownText() const {
    const db::TField* field = Field();
    if (!field || ReadCellKind() == cellImages)
        return {};
    if (!keyList_.isEmpty())
        return KeyToPickText(field->EditText(), keyList_, pickList_, notInKeyListIndex_);
    const TCustomDBGridX* grid = Grid();
    if (grid && grid->DrawMemoText() && field->DataType() == db::ftMemo)
        return field->AsString();
    if (ReadCellKind() == cellLookupField && specRow_->Visible()) {
        if (KeyFieldValues(field) == specRow_->Value() ||
            (specRow_->ShowIfNotInKeyList() && !LookupValueFound(field)))
            return specRow_->CellTextAt(0);
    }
    return FormatFieldText(field, displayFormat_);
}

int TColumnX::ReadImageIndex() const {
    const db::TField* field = Field();
    if (!field)
        return -1;
    int index = -1;
    if (!keyList_.isEmpty())
        index = IndexOfIgnoringCase(keyList_, field->EditText());
    else if (!pickList_.isEmpty())
        index = IndexOfIgnoringCase(pickList_, field->EditText());
    else if (IsNumberField(field))
        index = FieldAsIntegerOrDefault(field, -1);
    return index == -1 ? notInKeyListIndex_ : index;
}

TCheckBoxState TColumnX::ReadCheckState() const {
    const db::TField* field = Field();
    return field ? CheckStateOf(field, keyList_) : cbUnchecked;
}

void TColumnX::WriteCheckboxState(TCheckBoxState state) {
    const db::TField* field = Field();
    if (!field)
        return;
    if (state == cbGrayed) {
        WriteCellValue({}, QVariant(), false);
    } else if (field->DataType() == db::ftBoolean) {
        WriteCellValue({}, state == cbChecked, false);
    } else {
        const QString text = CheckBoxKeyText(state, keyList_);
        WriteCellValue(text, text, true);
    }
}

bool TColumnX::EditableField(const db::TField* field, bool memoAllowed) const {
    const TCustomDBGridX* grid = Grid();
    if (field->Lookup()) {
        if (field->KeyFields().isEmpty())
            return false;
        const QList<db::TField*> keys = field->DataSet()->GetFieldList(field->KeyFields());
        if (!AllFieldsModifiable(keys))
            return false;
        field = keys.front();
    }
    if (!field->CanModify())
        return false;
    const bool memoShown = memoAllowed && grid->DrawMemoText() && field->DataType() == db::ftMemo;
    if (field->IsBlob() && !field->OnSetText && !memoShown)
        return false;
    return grid->CanModifyRecord();
}

bool TColumnX::StartEditThroughGrid() const {
    TGridDataLinkX* link = Grid()->DataLink();
    if (!link->Edit())
        return false;
    link->MarkEditorChanged();
    return true;
}

bool TColumnX::CellEditable(bool tryEdit) const {
    const TCustomDBGridX* grid = Grid();
    if (!grid || grid->ReadOnly() || !grid->DataLink()->Active() || grid->DataLink()->ReadOnly() ||
        ReadOnly())
        return false;
    const db::TField* field = Field();
    if (!field || !EditableField(field, true))
        return false;
    return !tryEdit || StartEditThroughGrid();
}

void TColumnX::StepCellValue(double step) {
    TCustomDBGridX* grid = Grid();
    if (!grid || grid->ReadOnly() || !grid->DataLink()->Active() || grid->DataLink()->ReadOnly() ||
        ReadOnly())
        return;
    const db::TField* field = Field();
    if (!field || !EditableField(field, false) || !StartEditThroughGrid())
        return;
    const QString text = grid->EditorShown() ? grid->EditText() : field->EditText();
    switch (ReadCellKind()) {
    case cellCheckBox:
        WriteCheckboxState(ReadCheckState() == cbChecked ? cbUnchecked : cbChecked);
        return;
    case cellKeyToPick:
    case cellImages:
    case cellPickList:
        StepListCell(step, text);
        return;
    case cellLookupField:
        StepLookupCell(step, text);
        return;
    case cellPlain:
        StepNumberCell(step, text);
        return;
    }
}

void TColumnX::StepListCell(double step, const QString& text) {
    db::TField* field = Field();
    const bool pickList = ReadCellKind() == cellPickList;
    const QStringList& list = pickList ? pickList_ : keyList_;
    // An image column without keys has nothing to step through.
    if (list.isEmpty())
        return;
    const int current = IndexOfIgnoringCase(list, field->EditText());
    const int next = SteppedListIndex(current, static_cast<int>(list.size()), step);
    if (!pickList) {
        WriteCellValue(text, list[next], false);
        return;
    }
    const bool wrapped = step == 1 ? next == 0 : next == list.size() - 1;
    if (wrapped)
        field->SetEditText(list[next]);
    else
        WriteCellValue(list[next], list[next], true);
}

void TColumnX::StepLookupCell(double step, const QString& text) {
    db::TField* field = Field();
    db::TDataSet* list = LookupListDataSet();
    if (!list)
        return;
    const QVariant keys = KeyFieldValues(field);
    const bool found = !keys.isNull() && list->Locate(field->LookupKeyFields(), keys);
    if (!found) {
        list->First();
    } else if (step == 1) {
        if (list->Eof())
            list->First();
        else {
            list->Next();
            if (list->Eof())
                list->First();
        }
    } else if (list->Bof()) {
        list->Last();
    } else {
        list->Prior();
        if (list->Bof())
            list->Last();
    }
    const QList<db::TField*> listKeys = list->GetFieldList(field->LookupKeyFields());
    QVariant value;
    if (listKeys.size() == 1) {
        value = listKeys.front()->Value();
    } else {
        QVariantList values;
        for (const db::TField* key : listKeys)
            values.append(key->Value());
        value = values;
    }
    WriteCellValue(text, value, false);
    if (const db::TField* result = list->FindField(field->LookupResultField()))
        field->SetEditText(result->EditText());
}

void TColumnX::StepNumberCell(double step, const QString& text) {
    const db::TField* field = Field();
    if (!IsNumberField(field))
        return;
    const double value = field->IsNull() ? -step : field->AsFloat();
    try {
        WriteCellValue(text, value + step, false);
    } catch (const db::EDatabaseError&) {
        // A step the field refuses leaves the value as it was; the user
        // steps again or types a value.
    }
}

void TColumnX::WriteCellValue(QString text, QVariant value, bool useText) {
    TCustomDBGridX* grid = Grid();
    if (!grid)
        return;
    bool handled = false;
    if (OnUpdateData)
        OnUpdateData(this, text, value, useText, handled);
    db::TField* field = Field();
    if (handled || !field)
        return;
    if (useText) {
        if (grid->DrawMemoText() && field->DataType() == db::ftMemo)
            field->SetAsString(text);
        else
            field->SetEditText(text);
    } else if (field->Lookup() && !field->KeyFields().isEmpty()) {
        SetKeyFieldValues(field, value);
    } else {
        field->SetValue(value);
    }
    if (mruList_->AutoAdd() && mruList_->Active() && grid->EditorShown())
        mruList_->AddText(text);
}

void TColumnX::FillCellParams(TColCellParamsX& params) const {
    params.CellRow = -1;
    params.CellCol = -1;
    params.CellState = 0;
    params.CellFont = Font();
    params.CellColor = Color();
    params.CellAlignment = Alignment();
    params.CellImageIndex = ReadImageIndex();
    params.CellText = ShownText();
    params.CellCheckState = ReadCheckState();
    params.CellReadOnly = ReadOnly();
}

void TColumnX::FireGetCellParams(bool editMode, TColCellParamsX& params) {
    if (OnGetCellParams)
        OnGetCellParams(this, editMode, params);
}

int TColumnX::EditButtonsWidth() const {
    const TCustomDBGridX* grid = Grid();
    const bool flat = grid && grid->Flat();
    const int buttonWidth =
        flat ? FlatButtonWidth() : QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    int width = 0;
    if (buttonStyle_ != cbsNone && (buttonStyle_ != cbsAuto || ReadCellKind() != cellPlain))
        width = buttonWidth + (flat ? 1 : 0);
    for (int i = 0; i < editButtons_->Count(); ++i) {
        const TEditButtonX* button = editButtons_->ButtonAt(i);
        if (!button->Visible())
            continue;
        width += (button->Width() > 0 ? button->Width() : buttonWidth) + (flat ? 1 : 0);
    }
    return width;
}

db::TDataSet* TColumnX::LookupListDataSet() const {
    if (const db::TDataSource* source = dropDownBox_->ListSource()) {
        if (source->DataSet())
            return source->DataSet();
    }
    return FieldLookupDataSet();
}

db::TDataSet* TColumnX::FieldLookupDataSet() const {
    const db::TField* field = Field();
    return field ? field->LookupDataSet() : nullptr;
}

} // namespace kx
