#include "cashbook/drilldownrecords.h"

#include "cashbook/cashbooktables.h"
#include "cashbook/ledgermonth.h"
#include "cashbook/recordcolumns.h"
#include "cashbook/recordfields.h"
#include "core/moneytext.h"
#include "core/options.h"
#include "core/sqlfunctions.h"
#include "platform/db/dataset.h"
#include "platform/db/fieldtypes.h"

namespace kx::cashbook {
namespace {

const QString kAccountName = QStringLiteral("MONEY_ACCOUNT_NAME");
const QString kSubjectName = QStringLiteral("MONEY_TYPE_NAME");
const QString kBalance = QStringLiteral("MONEY_SUM_NUMBER");

void AddLookupField(QObject* owner, db::TDataSet& records, const QString& name, const QString& key,
                    db::TDataSet* names) {
    db::TField* field = AddRecordField(owner, records, name, db::ftString, 20, db::fkLookup);
    field->SetKeyFields(key);
    field->SetLookupKeyFields(key);
    field->SetLookupResultField(name);
    field->SetLookupDataSet(names);
}

QString VerifiedOfAccount(const QString& accountId) {
    return "MONEY_ACCOUNT_ID = " + QuotedStr(accountId) +
           " AND STATUS = " + QuotedStr(kStatusVerified);
}

QString DateLiteral(const QDate& date) {
    return QuotedStr(SqlDateText(date));
}

} // namespace

QString LedgerDayCondition(const QString& accountId, const QDate& day) {
    return VerifiedOfAccount(accountId) + " AND MONEY_DATE = " + DateLiteral(day);
}

QString LedgerMonthCondition(const QString& accountId, const QDate& start, const QDate& end) {
    return VerifiedOfAccount(accountId) + " AND MONEY_DATE >= " + DateLiteral(start) +
           " AND MONEY_DATE <= " + DateLiteral(end);
}

QString SubjectRecordsCondition(const QString& subjectId, const QString& findCondition) {
    const QString subtree = MoneyTypeCodeClause(subjectId);
    if (subtree.isEmpty())
        return findCondition;
    if (findCondition.isEmpty())
        return subtree;
    return subtree + " AND " + findCondition;
}

QString LedgerDayLabel(const QString& accountName, const QString& dayText) {
    return accountName + "  " + dayText;
}

QString LedgerMonthLabel(const QString& accountName, const QString& startText,
                         const QString& endText) {
    return accountName + "  " + startText + "<--->" + endText;
}

QString SubjectRecordsLabel(const QString& conditionText, const QString& subjectName) {
    return conditionText + QStringLiteral(" 并且 资金借贷科目 等于 ") + subjectName;
}

QString DrillDownSelect(const QString& condition) {
    // Without any condition every record qualifies, as at the root with
    // all data.
    const QString where = condition.isEmpty() ? QString() : " WHERE " + condition;
    return "SELECT * FROM KX_INTO_OUT_MONEY_TABLE" + where + " ORDER BY MONEY_DATE,MONEY_ID";
}

void AddDrillDownFields(QObject* owner, db::TDataSet& records, db::TDataSet* subjectNames,
                        db::TDataSet* accountNames) {
    for (const QString& name : RecordFieldDesignOrder()) {
        if (name == kSubjectName) {
            AddLookupField(owner, records, name, QStringLiteral("MONEY_TYPE_ID"), subjectNames);
        } else if (name == kAccountName) {
            AddLookupField(owner, records, name, QStringLiteral("MONEY_ACCOUNT_ID"), accountNames);
        } else if (name == kBalance) {
            AddRecordField(owner, records, name, db::ftFloat, 0, db::fkCalculated);
        } else {
            const TRecordColumnType type = RecordColumnType(name);
            AddRecordField(owner, records, name, type.Type, type.Size, db::fkData);
        }
    }
}

void CalculateBalance(db::TDataSet& records) {
    const auto amount = [&records](const char* column) {
        return MoneyTextToFloat(records.FieldByName(QString::fromLatin1(column))->AsString());
    };
    records.FieldByName(kBalance)->SetAsFloat(amount("MONEY_INTO_NUMBER") -
                                              amount("MONEY_OUT_NUMBER"));
}

} // namespace kx::cashbook
