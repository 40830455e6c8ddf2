#include "grid/editors/dbgridxexportasvcldbif.h"

#include "grid/dbgrid/customdbgridx.h"
#include "platform/db/dataset.h"
#include "platform/sys/cp936.h"

#include <QtEndian>

#include <cstring>

namespace kx {

void TDBGridXExportAsVCLDBIF::WriteInt32(qint32 value) {
    char bytes[4];
    qToLittleEndian(value, bytes);
    Write(QByteArray(bytes, 4));
}

void TDBGridXExportAsVCLDBIF::WriteTag(TVCLDBIFTag tag) {
    Write(QByteArray(1, static_cast<char>(tag)));
}

// Column entries carry their visible flag and an empty name.
void TDBGridXExportAsVCLDBIF::EmitHeader() {
    Write(QByteArray(VCLDBIFSignature) + static_cast<char>(VCLDBIFVersion));
    WriteInt32(ExportedColumns().Count());
    for (const TColumnX* column : ExportedColumns())
        Write(QByteArray(1, column->Visible() ? '\1' : '\0') + QByteArray(1, '\0'));
}

void TDBGridXExportAsVCLDBIF::EmitTrailer() {
    WriteTag(vtEnd);
}

void TDBGridXExportAsVCLDBIF::EmitRecord(const TColumnsXList& columns) {
    for (TColumnX* column : columns) {
        db::TField* field = column->Field();
        // A looked-up column carries its key; an unknown key name raises.
        if (field && field->Lookup())
            field = field->DataSet()->FieldByName(field->KeyFields());
        EmitValue(field);
    }
}

void TDBGridXExportAsVCLDBIF::EmitValue(db::TField* field) {
    if (!field) {
        WriteTag(vtNone);
        return;
    }
    if (field->IsNull()) {
        WriteTag(vtNull);
        return;
    }
    const auto writeBytes = [this](TVCLDBIFTag tag, const QByteArray& bytes) {
        WriteTag(tag);
        WriteInt32(static_cast<qint32>(bytes.size()));
        Write(bytes);
    };
    switch (field->DataType()) {
    case db::ftSmallint:
    case db::ftInteger:
    case db::ftWord:
    case db::ftAutoInc: {
        WriteTag(vtInteger);
        WriteInt32(field->AsInteger());
        return;
    }
    case db::ftFloat:
    case db::ftCurrency:
    case db::ftBCD:
    case db::ftDate:
    case db::ftTime:
    case db::ftDateTime:
    case db::ftTimeStamp:
    case db::ftFMTBcd: {
        WriteTag(vtDouble);
        const double value = field->AsFloat();
        char bytes[8];
        quint64 bits;
        std::memcpy(&bits, &value, sizeof bits);
        qToLittleEndian(bits, bytes);
        Write(QByteArray(bytes, 8));
        return;
    }
    case db::ftString:
    case db::ftBoolean:
    case db::ftMemo:
    case db::ftFixedChar:
    case db::ftLargeint:
    case db::ftGuid:
        writeBytes(vtString, cp936::Encode(field->AsString()));
        return;
    case db::ftBlob:
    case db::ftGraphic:
        writeBytes(vtBytes, field->AsBytes());
        return;
    case db::ftFmtMemo:
    case db::ftWideString:
        writeBytes(vtBytes, cp936::Encode(field->AsString()));
        return;
    default:
        WriteTag(vtNone);
        return;
    }
}

} // namespace kx
