#include "grid/editors/dbgridximportasvcldbif.h"

#include "grid/editors/dbgridxexportasvcldbif.h"
#include "platform/db/dataset.h"
#include "platform/sys/cp936.h"
#include "platform/sys/exception.h"

#include <QIODevice>
#include <QtEndian>

#include <cstring>

namespace kx {

void TDBGridXImportAsVCLDBIF::InvalidFormat() {
    throw Exception(QStringLiteral("TDBGridXImportAsVCLDBIF.ReadPrefix: Invalid VCLDBIF format"));
}

QByteArray TDBGridXImportAsVCLDBIF::ReadBytes(qint64 count) {
    if (count < 0 || count > Source().bytesAvailable())
        InvalidFormat();
    const QByteArray bytes = Source().read(count);
    if (bytes.size() != count)
        InvalidFormat();
    return bytes;
}

qint32 TDBGridXImportAsVCLDBIF::ReadInt32() {
    return qFromLittleEndian<qint32>(ReadBytes(4).constData());
}

// The version byte is not examined. No column at all means no data.
void TDBGridXImportAsVCLDBIF::ReadPrefix() {
    columns_.clear();
    namesPresent_ = false;
    endOfSource_ = false;
    const QByteArray prefix = ReadBytes(8);
    if (!prefix.startsWith(VCLDBIFSignature))
        InvalidFormat();
    columnCount_ = ReadInt32();
    if (columnCount_ < 0)
        InvalidFormat();
    for (qint32 i = 0; i < columnCount_; ++i) {
        TSourceColumn column;
        column.Visible = ReadBytes(1).front() != 0;
        for (char c = ReadBytes(1).front(); c != '\0'; c = ReadBytes(1).front())
            column.Name += c;
        namesPresent_ = namesPresent_ || !column.Name.isEmpty();
        columns_.append(column);
    }
    if (columnCount_ == 0)
        endOfSource_ = true;
    ReadNextValue();
}

void TDBGridXImportAsVCLDBIF::ReadNextValue() {
    held_ = {false, QVariant()};
    if (endOfSource_)
        return;
    switch (static_cast<quint8>(ReadBytes(1).front())) {
    case vtEnd:
        endOfSource_ = true;
        return;
    case vtNull:
        held_ = {true, QVariant()};
        return;
    case vtInteger:
        held_ = {true, ReadInt32()};
        return;
    case vtDouble: {
        const quint64 bits = qFromLittleEndian<quint64>(ReadBytes(8).constData());
        double value = 0;
        std::memcpy(&value, &bits, sizeof value);
        held_ = {true, value};
        return;
    }
    case vtString:
        held_ = {true, cp936::Decode(ReadBytes(ReadInt32()))};
        return;
    case vtBytes:
        held_ = {true, ReadBytes(ReadInt32())};
        return;
    default:
        return;
    }
}

// A record cut short by the end of the data is not in the format.
bool TDBGridXImportAsVCLDBIF::ParseRecord(TImportRow& row) {
    if (endOfSource_)
        return false;
    for (qint32 i = 0; i < columnCount_; ++i) {
        if (endOfSource_)
            InvalidFormat();
        row.push_back(held_);
        ReadNextValue();
    }
    return true;
}

void TDBGridXImportAsVCLDBIF::ParseDataCell(TColumnX* column, const TImportCell& cell) {
    db::TField* field = column->Field();
    if (!field || !column->CellEditable(false))
        return;
    // A looked-up column takes its key; an unknown key name raises.
    if (field->Lookup())
        field = field->DataSet()->FieldByName(field->KeyFields());
    if (!StartEdit(field))
        return;
    if (cell.Value.typeId() == QMetaType::QByteArray && !field->IsBlob())
        field->SetValue(cp936::Decode(cell.Value.toByteArray()));
    else
        field->SetValue(cell.Value);
}

} // namespace kx
