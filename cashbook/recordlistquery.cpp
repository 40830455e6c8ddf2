#include "cashbook/recordlistquery.h"

#include "cashbook/cashbooktables.h"
#include "cashbook/recordcolumns.h"
#include "cashbook/recordfields.h"
#include "cashbook/unverifiedcolors.h"
#include "platform/db/dataset.h"
#include "platform/db/fieldtypes.h"
#include "platform/db/updatesql.h"
#include "platform/ui/canvas.h"

#include <QHash>

namespace kx::cashbook {
namespace {

const QString kAccountName = QStringLiteral("MONEY_ACCOUNT_NAME");
const QString kSubjectName = QStringLiteral("MONEY_TYPE_NAME");
const QString kBalance = QStringLiteral("MONEY_SUM_NUMBER");

QHash<QString, QString> NamesOf(db::TDataSet& rows) {
    QHash<QString, QString> names;
    db::TField* id = rows.Fields()[0];
    db::TField* name = rows.Fields()[1];
    for (rows.First(); !rows.Eof(); rows.Next())
        names.insert(id->AsString(), name->AsString());
    return names;
}

const QString kKeyWhere = QStringLiteral("where MONEY_RECORD_ID = :OLD_MONEY_RECORD_ID and "
                                         "MONEY_ID = :OLD_MONEY_ID and MONEY_TYPE_ID = "
                                         ":OLD_MONEY_TYPE_ID");

QStringList Assignments(const QStringList& columns) {
    QStringList lines;
    for (const QString& column : columns)
        lines.append(column + " = :" + column + (column == columns.last() ? "" : ","));
    return lines;
}

} // namespace

QString FindConditionOf(const QStringList& pieces, bool allData) {
    return allData ? QString() : '(' + pieces.join(QString()) + ')';
}

QString RecordListSelect(const QString& findCondition, const QString& subjectClause,
                         const QString& orderBy) {
    QString sql = QStringLiteral("SELECT * FROM KX_INTO_OUT_MONEY_TABLE ");
    if (!findCondition.isEmpty() && !subjectClause.isEmpty())
        sql += " WHERE " + findCondition + " AND " + subjectClause;
    else if (!subjectClause.isEmpty())
        sql += " WHERE " + subjectClause;
    else if (!findCondition.isEmpty())
        sql += " WHERE " + findCondition;
    return sql + orderBy;
}

void AddRecordFields(QObject* owner, db::TDataSet& records) {
    for (const QString& name : RecordFieldDesignOrder()) {
        if (name == kAccountName || name == kSubjectName) {
            const QString key = name == kAccountName ? QStringLiteral("MONEY_ACCOUNT_ID")
                                                     : QStringLiteral("MONEY_TYPE_ID");
            db::TField* field =
                AddRecordField(owner, records, name, db::ftString, 20, db::fkLookup);
            field->SetKeyFields(key);
            field->SetLookupKeyFields(key);
            field->SetLookupResultField(name);
        } else if (name == kBalance) {
            AddRecordField(owner, records, name, db::ftFloat, 0, db::fkCalculated);
        } else {
            const TRecordColumnType type = RecordColumnType(name);
            AddRecordField(owner, records, name, type.Type, type.Size, db::fkData);
        }
    }
}

TRecordCalculator::TRecordCalculator(db::TDataSet& records)
    : accountId_(records.FieldByName(QStringLiteral("MONEY_ACCOUNT_ID"))),
      accountName_(records.FieldByName(kAccountName)),
      subjectId_(records.FieldByName(QStringLiteral("MONEY_TYPE_ID"))),
      subjectName_(records.FieldByName(kSubjectName)),
      in_(records.FieldByName(QStringLiteral("MONEY_INTO_NUMBER"))),
      out_(records.FieldByName(QStringLiteral("MONEY_OUT_NUMBER"))),
      balance_(records.FieldByName(kBalance)) {}

void TRecordCalculator::LoadNames(db::TDataSet& accounts, db::TDataSet& subjects) {
    accountNames_ = NamesOf(accounts);
    subjectNames_ = NamesOf(subjects);
}

void TRecordCalculator::Calculate() const {
    const auto name = [](const QHash<QString, QString>& names, const db::TField* key,
                         db::TField* target) {
        const auto found = names.constFind(key->AsString());
        if (found != names.constEnd())
            target->SetAsString(*found);
    };
    name(accountNames_, accountId_, accountName_);
    name(subjectNames_, subjectId_, subjectName_);
    balance_->SetAsFloat(in_->AsFloat() - out_->AsFloat());
}

void ColourRecordCell(const QString& status, ui::TCanvas& canvas) {
    TStatusCellColors colors{canvas.BrushColor(), canvas.FontColor()};
    ApplyUnverifiedColors(status, THighlightRule::SystemColors, colors);
    canvas.SetBrushColor(colors.Brush);
    canvas.SetFontColor(colors.Font);
}

QStringList RecordWrittenColumns() {
    QStringList columns;
    for (const auto& column : RecordStoredColumns())
        if (column.first != QLatin1String("CHARGE_OUGHT_ID"))
            columns.append(column.first);
    return columns;
}

void WriteRecordStatements(db::TUpdateSQL& update) {
    const QStringList columns = RecordWrittenColumns();
    QStringList parameters;
    for (const QString& column : columns)
        parameters.append(':' + column);
    update.InsertSQL().SetLines({QStringLiteral("insert into KX_INTO_OUT_MONEY_TABLE"),
                                 "(" + columns.join(", ") + ")", QStringLiteral("values"),
                                 "(" + parameters.join(", ") + ")"});
    update.ModifySQL().SetLines(
        QStringList{QStringLiteral("update KX_INTO_OUT_MONEY_TABLE"), QStringLiteral("set")} +
        Assignments(columns) + QStringList{kKeyWhere});
    update.DeleteSQL().SetLines({QStringLiteral("delete from KX_INTO_OUT_MONEY_TABLE"), kKeyWhere});
}

void WriteStatusStatements(db::TUpdateSQL& update) {
    const QStringList columns = {"MONEY_RECORD_ID", "MONEY_ID",    "MONEY_TYPE_ID",
                                 "STATUS",          "VERIFY_NAME", "VERIFY_DATE"};
    update.ModifySQL().SetLines(
        QStringList{QStringLiteral("update KX_INTO_OUT_MONEY_TABLE"), QStringLiteral("set")} +
        Assignments(columns) + QStringList{kKeyWhere});
}

} // namespace kx::cashbook
