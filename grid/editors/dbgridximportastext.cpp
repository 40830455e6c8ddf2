#include "grid/editors/dbgridximportastext.h"

#include "platform/db/dataset.h"
#include "platform/sys/cp936.h"
#include "platform/sys/exception.h"

#include <QIODevice>

namespace kx {

bool TDBGridXImportAsText::NextChar() {
    return Source().getChar(&char_) && char_ != '\0';
}

TDBGridXImportAsText::TState TDBGridXImportAsText::CheckState() {
    if (!NextChar())
        lastState_ = stEndOfSource;
    else if (char_ == '\t')
        lastState_ = stEndOfCell;
    else if (char_ != '\r')
        lastState_ = stChar;
    else if (NextChar() && char_ == '\n')
        lastState_ = stEndOfRow;
    else
        throw Exception(QStringLiteral("TDBGridXImportAsText.CheckState: Invalid text format"));
    return lastState_;
}

void TDBGridXImportAsText::ReadPrefix() {
    CheckState();
}

// Leaves the next cell's first character, or the next separator, waiting.
QString TDBGridXImportAsText::ReadCellText() {
    QByteArray bytes(1, char_);
    while (CheckState() == stChar)
        bytes += char_;
    if (lastState_ == stEndOfCell)
        CheckState();
    return cp936::Decode(bytes);
}

bool TDBGridXImportAsText::ParseRecord(TImportRow& row) {
    if (lastState_ == stEndOfSource)
        return false;
    while (lastState_ == stChar || lastState_ == stEndOfCell) {
        if (lastState_ == stEndOfCell) {
            row.push_back({true, QString()});
            CheckState();
        } else {
            row.push_back({true, ReadCellText()});
        }
    }
    if (lastState_ == stEndOfRow)
        CheckState();
    return true;
}

// A text names a looked-up value; the key of the first value that begins
// with it (whatever its case) is written, and an empty text clears the key.
void TDBGridXImportAsText::WriteLookupText(db::TField* field, const QString& text) {
    const QList<db::TField*> keys = field->DataSet()->GetFieldList(field->KeyFields());
    if (text.isEmpty()) {
        for (db::TField* key : keys)
            key->Clear();
        return;
    }
    db::TDataSet* lookup = field->LookupDataSet();
    if (!lookup ||
        !lookup->Locate(field->LookupResultField(), text, db::loCaseInsensitive | db::loPartialKey))
        throw Exception(QStringLiteral("'%1' is not a value of the list of field '%2'")
                            .arg(text, field->FieldName()));
    const QList<db::TField*> values = lookup->GetFieldList(field->LookupKeyFields());
    for (int i = 0; i < keys.size() && i < values.size(); ++i)
        keys[i]->SetValue(values[i]->Value());
}

void TDBGridXImportAsText::ParseDataCell(TColumnX* column, const TImportCell& cell) {
    db::TField* field = column->Field();
    if (!field || !column->CellEditable(false))
        return;
    const QString text = cell.Value.toString();
    if (field->Lookup()) {
        if (field->KeyFields().isEmpty())
            return;
        db::TField* key = field->DataSet()->GetFieldList(field->KeyFields()).front();
        if (StartEdit(key))
            WriteLookupText(field, text);
        return;
    }
    if (!StartEdit(field))
        return;
    if (column->ReadCellKind() != cellKeyToPick) {
        field->SetAsString(text);
        return;
    }
    const qsizetype index = column->PickList().indexOf(text);
    if (index >= 0)
        field->SetAsString(column->KeyList().value(index));
    else if (text.isEmpty())
        field->Clear();
    else
        throw Exception(QStringLiteral("'%1' is not a value of the list of field '%2'")
                            .arg(text, field->FieldName()));
}

} // namespace kx
