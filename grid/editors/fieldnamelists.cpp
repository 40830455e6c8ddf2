#include "grid/editors/fieldnamelists.h"

#include "grid/editors/cellbuttons.h"
#include "platform/db/dataset.h"
#include "platform/db/dberrors.h"
#include "platform/db/field.h"
#include "platform/db/variants.h"

#include <QObject>

namespace kx {

void FieldsByNameList(TFieldsArrX* list, const db::TDataSet& dataSet, const QObject* errorComponent,
                      const QString& fieldNames) {
    for (const QString& part : fieldNames.split(u';', Qt::SkipEmptyParts)) {
        const QString name = part.trimmed();
        if (name.isEmpty())
            continue;
        db::TField* field = dataSet.FindField(name);
        if (!field) {
            QString message = QStringLiteral("Field '%1' not found").arg(name);
            if (errorComponent && !errorComponent->objectName().isEmpty())
                message = errorComponent->objectName() + QStringLiteral(": ") + message;
            db::DatabaseError(message);
        }
        if (list)
            list->append(field);
    }
}

TFieldsArrX FieldListToArray(const db::TDataSet& dataSet, const QObject* errorComponent,
                             const QString& fieldNames) {
    TFieldsArrX fields;
    FieldsByNameList(&fields, dataSet, errorComponent, fieldNames);
    return fields;
}

void SetFieldValues(db::TDataSet& dataSet, const QString& fieldNames, const QVariant& value) {
    const QList<db::TField*> fields = dataSet.GetFieldList(fieldNames);
    if (VariantsMatch(value, db::NullVariant())) {
        for (db::TField* field : fields)
            field->Clear();
        return;
    }
    if (fields.size() == 1) {
        fields.first()->SetValue(value);
        return;
    }
    const QVariantList values = value.toList();
    if (values.size() != fields.size())
        db::DatabaseError(
            QStringLiteral("%1 values given for the fields %2").arg(values.size()).arg(fieldNames));
    for (int i = 0; i < fields.size(); ++i)
        fields.at(i)->SetValue(values.at(i));
}

} // namespace kx
