#include "platform/db/dataset.h"

#include "platform/db/datasource.h"
#include "platform/db/field.h"
#include "platform/db/fieldtypes.h"
#include "platform/db/params.h"
#include "platform/db/savepoint.h"
#include "platform/db/sqltranslate.h"
#include "platform/db/updatesql.h"
#include "platform/db/variants.h"
#include "platform/sys/cp936.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstring>

namespace kx::db {
namespace {

bool IsTextType(TFieldType type) {
    switch (type) {
    case ftString:
    case ftFixedChar:
    case ftWideString:
    case ftGuid:
    case ftMemo:
    case ftFmtMemo:
        return true;
    default:
        return false;
    }
}

TBookmark BookmarkOf(quint32 id) {
    return TBookmark(reinterpret_cast<const char*>(&id), sizeof id);
}

quint32 IdOf(const TBookmark& bookmark) {
    quint32 id = 0;
    if (bookmark.size() == sizeof id)
        std::memcpy(&id, bookmark.constData(), sizeof id);
    return id;
}

QVariantList KeyList(const QVariant& keyValues, int count) {
    if (count > 1 || keyValues.typeId() == QMetaType::QVariantList)
        return keyValues.toList();
    return {keyValues};
}

bool TextMatches(const QString& value, const QString& key, TLocateOptions options) {
    const Qt::CaseSensitivity cs =
        options.testFlag(loCaseInsensitive) ? Qt::CaseInsensitive : Qt::CaseSensitive;
    if (options.testFlag(loPartialKey))
        return value.startsWith(key, cs);
    return value.compare(key, cs) == 0;
}

} // namespace

TDataSet::TDataSet(QObject* owner) : QObject(owner) {}

TDataSet::~TDataSet() {
    for (TDataSource* source : QList<TDataSource*>(dataSources_))
        source->SetDataSet(nullptr);
    for (TField* field : fields_)
        field->dataSet_ = nullptr;
    fields_.Clear();
}

void TDataSet::SetActive(bool active) {
    if (active == Active())
        return;
    if (active) {
        Call(BeforeOpen);
        OpenData();
        SetState(dsBrowse);
        Call(AfterOpen);
        if (!IsEmpty())
            Call(AfterScroll);
    } else {
        Call(BeforeClose);
        SetState(dsInactive);
        CloseData();
        CloseCursor();
        Call(AfterClose);
    }
}

void TDataSet::OpenData() {
    records_.clear();
    records_.reserve(lastRowCount_);
    columns_.clear();
    try {
        OpenCursor();
        ResolveColumnTypes();
        BindFields();
    } catch (...) {
        CloseData();
        CloseCursor();
        throw;
    }
    // A narrower result than the last one gives back the room kept for it.
    if (records_.capacity() > 2 * records_.size())
        records_.shrink_to_fit();
    RowsChanged();
    MoveTo(records_.empty() ? -1 : 0);
    bof_ = true;
    eof_ = records_.empty();
}

void TDataSet::CloseData() {
    lastRowCount_ = records_.size();
    records_.clear();
    records_.shrink_to_fit();
    arena_.Clear();
    deleted_.clear();
    originals_.clear();
    editValues_.clear();
    currentCalc_.clear();
    otherCalc_.clear();
    RowsChanged();
    current_ = activeRecord_ = -1;
    bof_ = eof_ = true;
    modified_ = false;
    DestroyDefaultFields();
}

void TDataSet::SetColumns(const QList<TColumnInfo>& columns) {
    columns_ = columns;
}

void TDataSet::AddRow(sqlite3_stmt* statement) {
    records_.push_back(
        Record{PackedRow::FromStatement(statement, static_cast<int>(columns_.size()), arena_),
               nextId_++, usUnmodified});
}

void TDataSet::ResolveColumnTypes() {
    for (int i = 0; i < columns_.size(); ++i) {
        TColumnInfo& column = columns_[i];
        if (column.DataType != ftUnknown)
            continue;
        column.DataType = ftString;
        column.Size = 1;
        bool typed = false;
        for (const Record& record : records_) {
            const QVariant value = ReaderFor(record).Value(i);
            if (!value.isValid())
                continue;
            if (!typed && value.typeId() == QMetaType::LongLong) {
                const qint64 number = value.toLongLong();
                column.DataType = number == static_cast<int>(number) ? ftInteger : ftLargeint;
                break;
            }
            if (!typed && value.typeId() == QMetaType::Double) {
                column.DataType = ftFloat;
                break;
            }
            if (!typed && value.typeId() == QMetaType::QByteArray) {
                column.DataType = ftBlob;
                break;
            }
            typed = true;
            column.Size = std::max(column.Size, cp936::ByteLength(value.toString()));
        }
        if (column.DataType != ftString)
            column.Size = 0;
    }
    reader_.Detach();
}

void TDataSet::BindFields() {
    calcSlots_ = 0;
    if (fields_.Count() == 0) {
        defaultFields_ = true;
        for (int i = 0; i < columns_.size(); ++i) {
            const TColumnInfo& column = columns_[i];
            auto field = std::unique_ptr<TField>(CreateField(column.DataType, nullptr));
            field->SetFieldName(column.Name);
            field->SetSize(column.Size);
            field->SetFieldNo(i + 1);
            field->dataSet_ = this;
            fields_.Add(field.get());
            defaultFieldStore_.push_back(std::move(field));
        }
        FieldListChanged();
        return;
    }
    defaultFields_ = false;
    for (TField* field : fields_) {
        if (field->FieldKind() != fkData) {
            field->SetFieldNo(0);
            field->calcSlot_ = calcSlots_++;
            continue;
        }
        const auto column =
            std::find_if(columns_.begin(), columns_.end(), [field](const TColumnInfo& info) {
                return info.Name.compare(field->FieldName(), Qt::CaseInsensitive) == 0;
            });
        if (column == columns_.end())
            DatabaseError(QStringLiteral("Field '%1' not found").arg(field->FieldName()));
        field->SetFieldNo(static_cast<int>(column - columns_.begin()) + 1);
        if (field->Size() == 0)
            field->SetSize(column->Size);
    }
}

void TDataSet::DestroyDefaultFields() {
    if (!defaultFields_)
        return;
    for (const auto& field : defaultFieldStore_) {
        fields_.Remove(field.get());
        field->dataSet_ = nullptr;
    }
    defaultFieldStore_.clear();
    defaultFields_ = false;
    FieldListChanged();
}

void TDataSet::AddField(TField* field) {
    field->dataSet_ = this;
    fields_.Add(field);
}

void TDataSet::RemoveField(TField* field) {
    fields_.Remove(field);
    field->dataSet_ = nullptr;
}

QList<TField*> TDataSet::GetFieldList(const QString& fieldNames) const {
    QList<TField*> list;
    for (const QString& name : fieldNames.split(u';', Qt::SkipEmptyParts)) {
        const QString trimmed = name.trimmed();
        if (!trimmed.isEmpty())
            list.append(FieldByName(trimmed));
    }
    return list;
}

void TDataSet::SetState(TDataSetState state) {
    if (state == state_)
        return;
    state_ = state;
    modified_ = false;
    DataEvent(deUpdateState);
}

void TDataSet::CheckActive() const {
    if (!Active())
        DatabaseError(QStringLiteral("Cannot perform this operation on a closed dataset"));
}

bool TDataSet::CanModify() const {
    return cachedUpdates_ || CanWriteDirectly();
}

void TDataSet::CheckCanModify() const {
    if (!CanModify())
        DatabaseError(QStringLiteral("Cannot modify a read-only dataset"));
}

void TDataSet::Call(const TDataSetNotifyEvent& event) {
    if (event)
        event(this);
}

void TDataSet::RowsChanged() {
    reader_.Detach();
    positionsValid_ = false;
    currentCalcValid_ = false;
    otherCalcIndex_ = -1;
}

void TDataSet::MoveTo(int index) {
    if (index != current_)
        currentCalcValid_ = false;
    current_ = index;
    activeRecord_ = index;
}

void TDataSet::First() {
    CheckBrowseMode();
    Call(BeforeScroll);
    MoveTo(records_.empty() ? -1 : 0);
    bof_ = true;
    eof_ = records_.empty();
    DataEvent(deDataSetChange);
    Call(AfterScroll);
}

void TDataSet::Last() {
    CheckBrowseMode();
    Call(BeforeScroll);
    MoveTo(static_cast<int>(records_.size()) - 1);
    eof_ = true;
    bof_ = records_.empty();
    DataEvent(deDataSetChange);
    Call(AfterScroll);
}

int TDataSet::MoveBy(int distance) {
    CheckBrowseMode();
    Call(BeforeScroll);
    int moved = 0;
    if ((distance > 0 && !eof_) || (distance < 0 && !bof_)) {
        const int last = static_cast<int>(records_.size()) - 1;
        const qint64 wanted = qint64(current_) + distance;
        bof_ = wanted < 0;
        eof_ = wanted > last;
        const int target = static_cast<int>(std::clamp<qint64>(wanted, 0, last));
        moved = target - current_;
        MoveTo(target);
        if (moved != 0)
            DataEvent(deDataSetScroll);
    }
    Call(AfterScroll);
    return moved;
}

int TDataSet::RecNo() const {
    return Active() ? current_ + 1 : 0;
}

void TDataSet::SetRecNo(int recNo) {
    CheckBrowseMode();
    const int index = std::clamp(recNo, 1, static_cast<int>(records_.size())) - 1;
    if (index == current_)
        return;
    Call(BeforeScroll);
    MoveTo(index);
    bof_ = eof_ = false;
    DataEvent(deDataSetChange);
    Call(AfterScroll);
}

int TDataSet::RecordCount() const {
    return static_cast<int>(records_.size()) - (state_ == dsInsert ? 1 : 0);
}

TBookmark TDataSet::Bookmark() const {
    if (current_ < 0 || state_ == dsInsert)
        return {};
    return BookmarkOf(records_[static_cast<std::size_t>(current_)].Id);
}

TBookmark TDataSet::ActiveBookmark() const {
    if (activeRecord_ < 0 || activeRecord_ >= static_cast<int>(records_.size()) ||
        (state_ == dsInsert && activeRecord_ == current_))
        return {};
    return BookmarkOf(records_[static_cast<std::size_t>(activeRecord_)].Id);
}

int TDataSet::PositionOf(quint32 id) const {
    if (!positionsValid_) {
        positions_.assign(nextId_, -1);
        for (std::size_t i = 0; i < records_.size(); ++i)
            positions_[records_[i].Id] = static_cast<int>(i);
        positionsValid_ = true;
    }
    return id < positions_.size() ? positions_[id] : -1;
}

void TDataSet::GotoBookmark(const TBookmark& bookmark) {
    CheckBrowseMode();
    const int index = PositionOf(IdOf(bookmark));
    if (bookmark.isEmpty() || index < 0)
        DatabaseError(QStringLiteral("Record not found"));
    Call(BeforeScroll);
    MoveTo(index);
    bof_ = eof_ = false;
    DataEvent(deDataSetChange);
    Call(AfterScroll);
}

bool TDataSet::BookmarkValid(const TBookmark& bookmark) const {
    return Active() && !bookmark.isEmpty() && PositionOf(IdOf(bookmark)) >= 0;
}

int TDataSet::CompareBookmarks(const TBookmark& a, const TBookmark& b) const {
    if (a.isEmpty() || b.isEmpty())
        return a.isEmpty() == b.isEmpty() ? 0 : (a.isEmpty() ? -1 : 1);
    const int positionA = PositionOf(IdOf(a));
    const int positionB = PositionOf(IdOf(b));
    const qint64 difference = positionA >= 0 && positionB >= 0 ? qint64(positionA) - positionB
                                                               : qint64(IdOf(a)) - qint64(IdOf(b));
    return difference < 0 ? -1 : (difference > 0 ? 1 : 0);
}

QVariant TDataSet::FieldValueAt(TField* field, int index) {
    const int saved = activeRecord_;
    activeRecord_ = index;
    try {
        QVariant value = field->Value();
        activeRecord_ = saved;
        return value;
    } catch (...) {
        activeRecord_ = saved;
        throw;
    }
}

int TDataSet::FindRecord(const QList<TField*>& fields, const QVariantList& values,
                         TLocateOptions options) {
    if (values.size() != fields.size())
        DatabaseError(QStringLiteral("Wrong number of key values"));
    // Keys become the fields' own types first, so a key that does not
    // convert raises once instead of never matching.
    QVariantList keys;
    for (int i = 0; i < fields.size(); ++i) {
        const QVariant& value = values[i];
        if (VarIsNullOrEmpty(value) || IsTextType(fields[i]->DataType()))
            keys.append(VarIsNullOrEmpty(value) ? NullVariant() : QVariant(value.toString()));
        else
            keys.append(fields[i]->FromStored(fields[i]->ToStored(value)));
    }
    for (int index = 0; index < static_cast<int>(records_.size()); ++index) {
        bool matches = true;
        for (int i = 0; i < fields.size() && matches; ++i) {
            const QVariant value = FieldValueAt(fields[i], index);
            if (VarIsNull(keys[i]) || VarIsNull(value))
                matches = VarIsNull(keys[i]) && VarIsNull(value);
            else if (IsTextType(fields[i]->DataType()))
                matches = TextMatches(value.toString(), keys[i].toString(), options);
            else
                matches = value == keys[i];
        }
        if (matches)
            return index;
    }
    return -1;
}

bool TDataSet::Locate(const QString& keyFields, const QVariant& keyValues, TLocateOptions options) {
    CheckBrowseMode();
    const QList<TField*> fields = GetFieldList(keyFields);
    Call(BeforeScroll);
    const int index =
        FindRecord(fields, KeyList(keyValues, static_cast<int>(fields.size())), options);
    if (index < 0)
        return false;
    MoveTo(index);
    bof_ = eof_ = false;
    DataEvent(deDataSetChange);
    Call(AfterScroll);
    return true;
}

QVariant TDataSet::Lookup(const QString& keyFields, const QVariant& keyValues,
                          const QString& resultFields) {
    if (!Active())
        return NullVariant();
    const QList<TField*> fields = GetFieldList(keyFields);
    const QList<TField*> results = GetFieldList(resultFields);
    const int index = FindRecord(fields, KeyList(keyValues, static_cast<int>(fields.size())), {});
    if (index < 0)
        return NullVariant();
    if (results.size() == 1)
        return FieldValueAt(results.first(), index);
    QVariantList values;
    for (TField* field : results)
        values.append(FieldValueAt(field, index));
    return values;
}

void TDataSet::DisableControls() {
    if (disableCount_++ == 0) {
        disableState_ = state_;
        enableEvent_ = deDataSetChange;
    }
}

void TDataSet::EnableControls() {
    if (disableCount_ == 0 || --disableCount_ > 0)
        return;
    if (disableState_ != state_)
        DataEvent(deUpdateState);
    if (disableState_ != dsInactive && state_ != dsInactive)
        DataEvent(enableEvent_);
}

void TDataSet::AddDataSource(TDataSource* source) {
    if (!dataSources_.contains(source))
        dataSources_.append(source);
}

void TDataSet::RemoveDataSource(TDataSource* source) {
    dataSources_.removeOne(source);
}

void TDataSet::DataEvent(TDataEvent event, TField* field) {
    if (dataSources_.isEmpty())
        return;
    if (disableCount_ > 0 && event != deUpdateRecord && event != deCheckBrowseMode) {
        if (event == deLayoutChange || (event == deUpdateState && state_ == dsInactive))
            enableEvent_ = deLayoutChange;
        return;
    }
    for (TDataSource* source : QList<TDataSource*>(dataSources_))
        source->DataEvent(event, field);
}

void TDataSet::FieldListChanged() {
    DataEvent(deFieldListChange);
}

void TDataSet::LayoutChanged() {
    if (Active())
        DataEvent(deLayoutChange);
}

void TDataSet::SetActiveRecord(int index) {
    activeRecord_ = index;
}

inline const RowReader& TDataSet::ReaderFor(const Record& record) const {
    if (!reader_.IsAttachedTo(record.Data.Bytes()))
        reader_.Attach(record.Data.Bytes(), static_cast<int>(columns_.size()));
    return reader_;
}

QVariant TDataSet::FieldStoredAt(const TField* field, int index) const {
    if (index < 0 || index >= static_cast<int>(records_.size()) || field->FieldNo() <= 0)
        return {};
    const std::size_t column = static_cast<std::size_t>(field->FieldNo() - 1);
    if (index == current_ && (state_ == dsEdit || state_ == dsInsert))
        return editValues_[column];
    const Record& record = records_[static_cast<std::size_t>(index)];
    if (record.Data.IsEmpty())
        return {};
    return ReaderFor(record).Value(static_cast<int>(column));
}

PackedValue TDataSet::PackedValueOf(const TField* field) const {
    const int index = activeRecord_;
    if (state_ == dsInactive || field->FieldKind() != fkData || field->FieldNo() <= 0 ||
        index < 0 || index >= static_cast<int>(records_.size()) ||
        (index == current_ && (state_ == dsEdit || state_ == dsInsert)))
        return {};
    const Record& record = records_[static_cast<std::size_t>(index)];
    if (record.Data.IsEmpty())
        return {};
    return ReaderFor(record).At(field->FieldNo() - 1);
}

const std::vector<QVariant>& TDataSet::CalcValues() const {
    const bool current = activeRecord_ == current_;
    std::vector<QVariant>& values = current ? currentCalc_ : otherCalc_;
    const bool valid = current ? currentCalcValid_ : otherCalcIndex_ == activeRecord_;
    if (valid || calculating_)
        return values;
    values.assign(static_cast<std::size_t>(calcSlots_), QVariant());
    if (current)
        currentCalcValid_ = true;
    else
        otherCalcIndex_ = activeRecord_;
    calculating_ = true;
    auto* self = const_cast<TDataSet*>(this);
    const TDataSetState saved = state_;
    try {
        for (TField* field : fields_) {
            TDataSet* lookupSet = field->LookupDataSet();
            if (!field->Lookup() || !lookupSet)
                continue;
            QVariantList keys;
            for (TField* key : GetFieldList(field->KeyFields()))
                keys.append(key->Value());
            const QVariant found =
                lookupSet->Lookup(field->LookupKeyFields(), keys, field->LookupResultField());
            if (!VarIsNull(found))
                values[static_cast<std::size_t>(field->calcSlot_)] = field->ToStored(found);
        }
        if (OnCalcFields) {
            self->state_ = dsCalcFields;
            OnCalcFields(self);
        }
    } catch (...) {
        self->state_ = saved;
        calculating_ = false;
        throw;
    }
    self->state_ = saved;
    calculating_ = false;
    return values;
}

QVariant TDataSet::StoredValue(const TField* field) const {
    if (state_ == dsInactive)
        return {};
    if (field->calcSlot_ >= 0 && field->FieldKind() != fkData)
        return CalcValues()[static_cast<std::size_t>(field->calcSlot_)];
    return FieldStoredAt(field, activeRecord_);
}

QVariant TDataSet::OldStoredValue(const TField* field) const {
    if (state_ == dsInactive || field->FieldNo() <= 0 || activeRecord_ < 0 ||
        activeRecord_ >= static_cast<int>(records_.size()))
        return {};
    const Record& record = records_[static_cast<std::size_t>(activeRecord_)];
    const PackedRow row = AsRead(record);
    if (row.IsEmpty())
        return {};
    RowReader reader;
    reader.Attach(row.Bytes(), static_cast<int>(columns_.size()));
    return reader.Value(field->FieldNo() - 1);
}

void TDataSet::SetStoredValue(TField* field, const QVariant& stored) {
    const bool editing = state_ == dsEdit || state_ == dsInsert;
    if (field->FieldKind() != fkData) {
        if (state_ != dsCalcFields && (!editing || field->Calculated()))
            DatabaseError(QStringLiteral("Field '%1' cannot be modified").arg(field->FieldName()));
        CalcValues();
        std::vector<QVariant>& values = activeRecord_ == current_ ? currentCalc_ : otherCalc_;
        values[static_cast<std::size_t>(field->calcSlot_)] = stored;
        if (state_ != dsCalcFields)
            DataEvent(deFieldChange, field);
        return;
    }
    if (!editing)
        DatabaseError(QStringLiteral("Dataset not in edit or insert mode"));
    if (field->ReadOnly())
        DatabaseError(QStringLiteral("Field '%1' cannot be modified").arg(field->FieldName()));
    QVariant& slot = editValues_[static_cast<std::size_t>(field->FieldNo() - 1)];
    const QVariant previous = slot;
    slot = stored;
    if (field->OnValidate) {
        try {
            field->OnValidate(field);
        } catch (...) {
            slot = previous;
            throw;
        }
    }
    modified_ = true;
    if (autoCalcFields_)
        currentCalcValid_ = false;
    if (field->OnChange)
        field->OnChange(field);
    DataEvent(deFieldChange, field);
}

void TDataSet::BeginInsert(bool append) {
    CheckBrowseMode();
    CheckCanModify();
    Call(BeforeInsert);
    Call(BeforeScroll);
    const int previous = current_;
    const bool previousBof = bof_;
    const bool previousEof = eof_;
    const int index = append ? static_cast<int>(records_.size()) : std::max(current_, 0);
    records_.insert(records_.begin() + index, Record{{}, nextId_++, usInserted});
    RowsChanged();
    editValues_.assign(columns_.size(), QVariant());
    MoveTo(index);
    bof_ = eof_ = false;
    SetState(dsInsert);
    try {
        Call(OnNewRecord);
    } catch (...) {
        records_.erase(records_.begin() + index);
        RowsChanged();
        MoveTo(previous);
        bof_ = previousBof;
        eof_ = previousEof;
        SetState(dsBrowse);
        DataEvent(deDataSetChange);
        throw;
    }
    modified_ = false;
    DataEvent(deDataSetChange);
    Call(AfterInsert);
    Call(AfterScroll);
}

void TDataSet::Append() {
    BeginInsert(true);
}

void TDataSet::Insert() {
    BeginInsert(false);
}

void TDataSet::Edit() {
    if (state_ == dsEdit || state_ == dsInsert)
        return;
    CheckActive();
    if (records_.empty()) {
        Insert();
        return;
    }
    CheckBrowseMode();
    CheckCanModify();
    Call(BeforeEdit);
    editValues_ = RecordValues(records_[static_cast<std::size_t>(current_)]);
    SetState(dsEdit);
    DataEvent(deRecordChange);
    Call(AfterEdit);
}

void TDataSet::UpdateRecord() {
    if (state_ != dsEdit && state_ != dsInsert)
        DatabaseError(QStringLiteral("Dataset not in edit or insert mode"));
    DataEvent(deUpdateRecord);
}

void TDataSet::CheckBrowseMode() {
    CheckActive();
    DataEvent(deCheckBrowseMode);
    if (state_ != dsEdit && state_ != dsInsert)
        return;
    UpdateRecord();
    if (modified_)
        Post();
    else
        Cancel();
}

void TDataSet::Post() {
    UpdateRecord();
    DataEvent(deCheckBrowseMode);
    Call(BeforePost);
    RequireFields();
    RunWithErrorEvent(OnPostError, [this] { DoPost(); });
    SetState(dsBrowse);
    DataEvent(deDataSetChange);
    Call(AfterPost);
}

void TDataSet::RequireFields() const {
    for (TField* field : fields_) {
        if (field->Required() && field->FieldKind() == fkData && field->IsNull())
            DatabaseError(QStringLiteral("Field '%1' must have a value").arg(field->DisplayName()));
    }
}

void TDataSet::FillUnassignedText() {
    for (std::size_t i = 0; i < editValues_.size(); ++i) {
        if (!editValues_[i].isValid() && IsTextType(columns_[static_cast<int>(i)].DataType))
            editValues_[i] = QStringLiteral("");
    }
}

void TDataSet::DoPost() {
    Record& record = records_[static_cast<std::size_t>(current_)];
    const TUpdateKind kind = state_ == dsInsert ? ukInsert : ukModify;
    if (kind == ukInsert)
        FillUnassignedText();
    if (cachedUpdates_) {
        if (kind == ukModify && record.Status == usUnmodified) {
            originals_[record.Id] = record.Data;
            record.Status = usModified;
        }
    } else {
        CheckStringSizes(editValues_);
        WriteChange({kind, kind == ukInsert ? StoredValues() : RecordValues(record), editValues_});
        record.Status = usUnmodified;
    }
    record.Data = PackedRow::FromValues(editValues_, arena_);
    editValues_.clear();
    RowsChanged();
}

void TDataSet::Cancel() {
    if (state_ != dsEdit && state_ != dsInsert)
        return;
    DataEvent(deCheckBrowseMode);
    Call(BeforeCancel);
    const bool inserting = state_ == dsInsert;
    if (inserting) {
        Call(BeforeScroll);
        records_.erase(records_.begin() + current_);
        RowsChanged();
        MoveTo(std::min(current_, static_cast<int>(records_.size()) - 1));
        bof_ = eof_ = records_.empty();
    }
    editValues_.clear();
    currentCalcValid_ = false;
    SetState(dsBrowse);
    DataEvent(deDataSetChange);
    Call(AfterCancel);
    if (inserting)
        Call(AfterScroll);
}

void TDataSet::Delete() {
    CheckActive();
    if (state_ == dsInsert) {
        Cancel();
        return;
    }
    if (records_.empty())
        DatabaseError(QStringLiteral("Cannot perform this operation on an empty dataset"));
    CheckCanModify();
    DataEvent(deCheckBrowseMode);
    Call(BeforeDelete);
    Call(BeforeScroll);
    RunWithErrorEvent(OnDeleteError, [this] { DoDelete(); });
    editValues_.clear();
    SetState(dsBrowse);
    DataEvent(deDataSetChange);
    Call(AfterDelete);
    Call(AfterScroll);
}

void TDataSet::DoDelete() {
    Record& record = records_[static_cast<std::size_t>(current_)];
    if (!cachedUpdates_) {
        WriteChange({ukDelete, RecordValues(record), {}});
    } else if (record.Status != usInserted) {
        record.Status = usDeleted;
        deleted_.push_back(std::move(record));
    }
    const bool wasLast = current_ == static_cast<int>(records_.size()) - 1;
    records_.erase(records_.begin() + current_);
    RowsChanged();
    MoveTo(std::min(current_, static_cast<int>(records_.size()) - 1));
    bof_ = records_.empty();
    eof_ = records_.empty() || wasLast;
}

void TDataSet::RunWithErrorEvent(const TDataSetErrorEvent& event,
                                 const std::function<void()>& step) {
    for (;;) {
        try {
            step();
            return;
        } catch (EDatabaseError& error) {
            if (!event)
                throw;
            TDataAction action = daFail;
            event(this, error, action);
            if (action == daFail)
                throw;
            if (action == daAbort)
                Abort();
        }
    }
}

void TDataSet::AppendRecord(const QVariantList& values) {
    Append();
    for (int i = 0; i < values.size() && i < fields_.Count(); ++i) {
        if (values[i].isValid())
            fields_[i]->SetValue(values[i]);
    }
    Post();
}

StoredValues TDataSet::RecordValues(const Record& record) const {
    if (record.Data.IsEmpty())
        return StoredValues(columns_.size());
    return ReaderFor(record).Values();
}

StoredValues TDataSet::OriginalValues(const Record& record) const {
    const auto original = originals_.find(record.Id);
    if (original == originals_.end())
        return RecordValues(record);
    RowReader reader;
    reader.Attach(original->second.Bytes(), static_cast<int>(columns_.size()));
    return reader.Values();
}

PackedRow TDataSet::AsRead(const Record& record) const {
    const auto original = originals_.find(record.Id);
    return original == originals_.end() ? record.Data : original->second;
}

void TDataSet::CheckStringSize(const TField* field, const QVariant& stored) const {
    if (field->DataType() != ftString && field->DataType() != ftFixedChar)
        return;
    if (field->Size() <= 0 || stored.typeId() != QMetaType::QString)
        return;
    const int bytes = cp936::ByteLength(stored.toString());
    if (bytes > field->Size())
        throw EngineError(kErrValueTooLarge,
                          QStringLiteral("Field '%1': the value takes %2 bytes, at most %3 fit")
                              .arg(field->FieldName())
                              .arg(bytes)
                              .arg(field->Size()));
}

void TDataSet::CheckStringSizes(const StoredValues& values) const {
    for (TField* field : fields_) {
        if (field->FieldKind() == fkData && field->FieldNo() > 0)
            CheckStringSize(field, values[static_cast<std::size_t>(field->FieldNo() - 1)]);
    }
}

void TDataSet::SetCachedUpdates(bool cached) {
    if (cached == cachedUpdates_)
        return;
    if (!cached && Active())
        CancelUpdates();
    cachedUpdates_ = cached;
}

TUpdateSQL* TDataSet::UpdateObject() const {
    return updateObject_;
}

void TDataSet::SetUpdateObject(TUpdateSQL* updateObject) {
    updateObject_ = updateObject;
}

bool TDataSet::UpdatesPending() const {
    if (!deleted_.empty())
        return true;
    return std::any_of(records_.begin(), records_.end(),
                       [](const Record& record) { return record.Status != usUnmodified; });
}

TUpdateStatus TDataSet::UpdateStatus() const {
    if (current_ < 0 || current_ >= static_cast<int>(records_.size()))
        return usUnmodified;
    return records_[static_cast<std::size_t>(current_)].Status;
}

void TDataSet::ApplyUpdates() {
    CheckActive();
    if (!cachedUpdates_)
        DatabaseError(QStringLiteral("Cached updates not enabled"));
    if (state_ == dsEdit || state_ == dsInsert)
        Post();
    Savepoint savepoint(Connection(), "kx_apply");
    std::vector<quint32> skipped;
    for (Record& record : deleted_) {
        if (!ApplyCached(record, ukDelete))
            skipped.push_back(record.Id);
    }
    for (Record& record : records_) {
        if (record.Status == usUnmodified)
            continue;
        if (!ApplyCached(record, record.Status == usInserted ? ukInsert : ukModify))
            skipped.push_back(record.Id);
    }
    savepoint.Release();
    const auto isSkipped = [&skipped](quint32 id) {
        return std::find(skipped.begin(), skipped.end(), id) != skipped.end();
    };
    std::erase_if(deleted_, [&](const Record& record) { return !isSkipped(record.Id); });
    std::erase_if(originals_, [&](const auto& original) { return !isSkipped(original.first); });
    for (Record& record : records_) {
        if (!isSkipped(record.Id))
            record.Status = usUnmodified;
    }
    RowsChanged();
}

bool TDataSet::ApplyCached(Record& record, TUpdateKind kind) {
    for (;;) {
        try {
            WriteCached(record, kind);
            return true;
        } catch (EDatabaseError& error) {
            if (!OnUpdateError)
                throw;
            const int index = PositionOf(record.Id);
            if (index >= 0)
                MoveTo(index);
            TUpdateAction action = uaFail;
            OnUpdateError(this, error, kind, action);
            switch (action) {
            case uaFail:
                throw;
            case uaAbort:
                Abort();
            case uaSkip:
                return false;
            case uaApplied:
                return true;
            case uaRetry:
                break;
            }
        }
    }
}

void TDataSet::WriteCached(const Record& record, TUpdateKind kind) {
    if (updateObject_) {
        WriteWithUpdateObject(record, kind);
        return;
    }
    if (!CanWriteDirectly())
        DatabaseError(QStringLiteral("Cannot modify a read-only dataset"));
    TRowChange change{kind, kind == ukInsert ? StoredValues() : OriginalValues(record),
                      kind == ukDelete ? StoredValues() : RecordValues(record)};
    if (kind != ukDelete)
        CheckStringSizes(change.NewValues);
    WriteChange(change);
}

void TDataSet::WriteWithUpdateObject(const Record& record, TUpdateKind kind) {
    const QString sql = TranslateSql(updateObject_->SQL(kind).Text(), [this](const QString& table) {
        return DeclaredColumns(table);
    });
    if (sql.trimmed().isEmpty())
        DatabaseError(QStringLiteral("No SQL statement available"));
    sqlite3* db = Connection();
    sqlite3_stmt* statement = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    int rc = sqlite3_prepare_v2(db, utf8.constData(), static_cast<int>(utf8.size()), &statement,
                                nullptr);
    if (rc != SQLITE_OK)
        throw SqliteError(db, rc, sql);
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> guard(statement, sqlite3_finalize);
    const StoredValues current = RecordValues(record);
    const StoredValues original = OriginalValues(record);
    for (int i = 1; i <= sqlite3_bind_parameter_count(statement); ++i) {
        const char* rawName = sqlite3_bind_parameter_name(statement, i);
        if (!rawName)
            continue;
        QString name = QString::fromUtf8(rawName + 1);
        TField* field = FindField(name);
        const bool old = !field && name.startsWith(u"OLD_", Qt::CaseInsensitive);
        if (old)
            field = FindField(name.mid(4));
        if (!field || field->FieldNo() <= 0)
            continue;
        const std::size_t column = static_cast<std::size_t>(field->FieldNo() - 1);
        const QVariant& value = old ? original[column] : current[column];
        if (!old)
            CheckStringSize(field, value);
        BindValue(statement, i, value);
    }
    rc = sqlite3_step(statement);
    if (rc != SQLITE_DONE && rc != SQLITE_ROW)
        throw SqliteError(db, rc, sql);
    if (kind != ukInsert && sqlite3_changes(db) == 0)
        throw EngineError(kErrRecordChanged,
                          QStringLiteral("The record was changed or deleted by another user"));
}

void TDataSet::CancelUpdates() {
    if (!Active())
        return;
    Cancel();
    std::erase_if(records_, [](const Record& record) { return record.Status == usInserted; });
    for (Record& record : deleted_)
        records_.push_back(std::move(record));
    deleted_.clear();
    for (Record& record : records_) {
        record.Data = AsRead(record);
        record.Status = usUnmodified;
    }
    originals_.clear();
    std::sort(records_.begin(), records_.end(),
              [](const Record& a, const Record& b) { return a.Id < b.Id; });
    RowsChanged();
    MoveTo(std::min(std::max(current_, 0), static_cast<int>(records_.size()) - 1));
    bof_ = eof_ = records_.empty();
    DataEvent(deDataSetChange);
}

void TDataSet::CommitUpdates() {
    deleted_.clear();
    originals_.clear();
    for (Record& record : records_)
        record.Status = usUnmodified;
    RowsChanged();
}

} // namespace kx::db

#include "moc_dataset.cpp"
