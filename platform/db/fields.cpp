#include "platform/db/fields.h"

#include "platform/db/dberrors.h"
#include "platform/db/field.h"

#include <algorithm>

namespace kx::db {

TField* TFields::FindField(const QString& fieldName) const {
    for (TField* field : fields_) {
        if (field->FieldName().compare(fieldName, Qt::CaseInsensitive) == 0)
            return field;
    }
    return nullptr;
}

TField* TFields::FieldByName(const QString& fieldName) const {
    TField* field = FindField(fieldName);
    if (!field)
        DatabaseError(QStringLiteral("Field '%1' not found").arg(fieldName));
    return field;
}

void TFields::Move(TField* field, int index) {
    const qsizetype from = fields_.indexOf(field);
    if (from < 0)
        return;
    const qsizetype to = std::clamp<qsizetype>(index, 0, fields_.size() - 1);
    fields_.move(from, to);
}

} // namespace kx::db
