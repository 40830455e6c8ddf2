#include "cashbook/ledgerviews.h"

#include "cashbook/cashbooktables.h"
#include "cashbook/unverifiedcolors.h"
#include "core/moneytext.h"
#include "core/sqlfunctions.h"
#include "platform/db/updatesql.h"

namespace kx::cashbook {
namespace {

constexpr int kRuleEntries = 17;
constexpr int kMoneyDigits = 12;
constexpr int kMoneyCellWidth = 21;

const QStringList kAuditColumns = {"NOTE",        "EDIT_NAME",   "EDIT_DATE",  "CREATE_NAME",
                                   "CREATE_DATE", "VERIFY_NAME", "VERIFY_DATE"};

// One row of the rule tables: field, caption, type, required, find kind
// and footer; every searchable field is written as A.field.
struct TRuleRow {
    const char* Field;
    const char* Caption;
    char Type;
    bool Required;
    const char* Find;
    const char* Footer;
};

const TRuleRow kStatusRow = {"STATUS", "状态", 'C', false, "B", "合计:"};
const TRuleRow kAccountRow = {"MONEY_ACCOUNT_NAME", "资金账号", 'C', true, "", ""};
const TRuleRow kTailRows[] = {{"NOTE", "备注", 'C', false, "T", ""},
                              {"VERIFY_NAME", "审核人员", 'C', false, "T", ""},
                              {"VERIFY_DATE", "审核日期", 'D', false, "D", ""},
                              {"CREATE_NAME", "建档人员", 'C', false, "T", ""},
                              {"CREATE_DATE", "建档日期", 'D', false, "D", ""},
                              {"EDIT_NAME", "修改人员", 'C', false, "T", ""},
                              {"EDIT_DATE", "修改日期", 'D', false, "D", ""}};

TFieldsData RuleOf(const TRuleRow& row, bool financialFormat) {
    TFieldsData rule;
    rule.FieldName = QString::fromUtf8(row.Field);
    rule.DisplayLabel = QString::fromUtf8(row.Caption);
    rule.TypeCode = QString(QChar::fromLatin1(row.Type));
    rule.Visible = true;
    rule.Required = row.Required;
    rule.FindKind = QString::fromUtf8(row.Find);
    if (!rule.FindKind.isEmpty())
        rule.TableAlias = QStringLiteral("A");
    rule.FooterValue = QString::fromUtf8(row.Footer);
    if (rule.FindKind == u"B")
        rule.FindKey = QStringLiteral("已审核;未审核");
    if (row.Type == 'N' && financialFormat) {
        rule.MoneyCell = true;
        rule.DigitCount = kMoneyDigits;
        rule.DisplayWidth = kMoneyCellWidth;
    }
    return rule;
}

TLedgerNames DayNames() {
    return {QStringLiteral("KX_MONEY_DAY_TABLE"),
            QStringLiteral("MONEY_DAY_DATE"),
            QStringLiteral("PRIOR_DAY_MONEY"),
            QStringLiteral("INTO_DAY_MONEY"),
            QStringLiteral("OUT_DAY_MONEY"),
            QStringLiteral("TODAY_DAY_MONEY"),
            QStringLiteral(" ORDER BY A.MONEY_DAY_DATE,B.ORDER_ID"),
            QStringLiteral("GQueryFieldData"),
            QStringLiteral("IntoOutMoneyAccountForm1"),
            QStringList{"STATUS", "MONEY_DAY_DATE", "MONEY_ACCOUNT_ID", "PRIOR_DAY_MONEY",
                        "INTO_DAY_MONEY", "OUT_DAY_MONEY", "TODAY_DAY_MONEY"} +
                kAuditColumns};
}

TLedgerNames MonthNames() {
    return {QStringLiteral("KX_MONEY_MONTH_TABLE"),
            QStringLiteral("MONEY_MONTH"),
            QStringLiteral("PRIOR_MONTH_MONEY"),
            QStringLiteral("INTO_MONTH_MONEY"),
            QStringLiteral("OUT_MONTH_MONEY"),
            QStringLiteral("TODAY_MONTH_MONEY"),
            QStringLiteral(" ORDER BY A.MONEY_MONTH,B.ORDER_ID"),
            QStringLiteral("GQueryDetailFieldData"),
            QStringLiteral("IntoOutMoneyAccountForm2"),
            QStringList{"STATUS", "MONEY_MONTH", "MONEY_ACCOUNT_ID", "MONEY_START_DATE",
                        "MONEY_END_DATE", "PRIOR_MONTH_MONEY", "INTO_MONTH_MONEY",
                        "OUT_MONTH_MONEY", "TODAY_MONTH_MONEY"} +
                kAuditColumns};
}

std::vector<TRuleRow> RuleRows(TLedgerView view) {
    std::vector<TRuleRow> rows = {kStatusRow};
    if (view == TLedgerView::Day) {
        rows.insert(rows.end(), {{"MONEY_DAY_DATE", "借贷日期", 'D', true, "D", "@Count"},
                                 kAccountRow,
                                 {"PRIOR_DAY_MONEY", "前日结转", 'N', false, "T", "@Sum"},
                                 {"INTO_DAY_MONEY", "本日借入", 'N', false, "T", "@Sum"},
                                 {"OUT_DAY_MONEY", "本日贷出", 'N', false, "T", "@Sum"},
                                 {"TODAY_DAY_MONEY", "本日结存", 'N', false, "T", "@Sum"}});
    } else {
        rows.insert(rows.end(), {{"MONEY_MONTH", "台账年月", 'C', true, "T", "@Count"},
                                 kAccountRow,
                                 {"MONEY_START_DATE", "起始日期", 'D', true, "D", ""},
                                 {"MONEY_END_DATE", "终止日期", 'D', true, "D", ""},
                                 {"PRIOR_MONTH_MONEY", "前月结转", 'N', false, "T", "@Sum"},
                                 {"INTO_MONTH_MONEY", "本月借入", 'N', false, "T", "@Sum"},
                                 {"OUT_MONTH_MONEY", "本月贷出", 'N', false, "T", "@Sum"},
                                 {"TODAY_MONTH_MONEY", "本月结存", 'N', false, "T", "@Sum"}});
    }
    rows.insert(rows.end(), std::begin(kTailRows), std::end(kTailRows));
    return rows;
}

TCheckFieldsData Link(const QString& field, const QString& kind) {
    return TCheckFieldsData{field, field, {}, {}, kind};
}

} // namespace

const TLedgerNames& LedgerNames(TLedgerView view) {
    static const TLedgerNames day = DayNames();
    static const TLedgerNames month = MonthNames();
    return view == TLedgerView::Day ? day : month;
}

TFieldsDataArray LedgerFieldsData(TLedgerView view, bool financialFormat) {
    TFieldsDataArray rules;
    for (const TRuleRow& row : RuleRows(view))
        rules.Append(RuleOf(row, financialFormat));
    TFieldsData accountId;
    accountId.FieldName = QStringLiteral("MONEY_ACCOUNT_ID");
    accountId.DisplayLabel = accountId.FieldName;
    accountId.TypeCode = QStringLiteral("C");
    rules.Append(accountId);
    rules.SetLength(kRuleEntries);
    return rules;
}

TPrintFieldsArray LedgerPrintFields(TLedgerView view, const TFieldsDataArray& rules) {
    const int printed = view == TLedgerView::Day ? 14 : 16;
    TPrintFieldsArray fields(kRuleEntries);
    for (int i = 0; i < printed; ++i)
        fields[static_cast<std::size_t>(i)] = {rules[i].FieldName, rules[i].DisplayLabel,
                                               QStringLiteral("D"), true, true};
    return fields;
}

TCheckDataArray LedgerDuplicateCheck(TLedgerView view) {
    const bool day = view == TLedgerView::Day;
    const TLedgerNames& names = LedgerNames(view);
    TCheckData check;
    check.Links[0] = Link(names.PeriodField, day ? QStringLiteral("D") : QStringLiteral("C"));
    check.Links[1] = Link(QStringLiteral("MONEY_ACCOUNT_ID"), QStringLiteral("C"));
    check.NumberField = names.PeriodField;
    check.Message = day ? kDayDuplicateMessage : kMonthDuplicateMessage;
    check.BaseSelect = "SELECT " + names.PeriodField + " FROM " + names.Table + " WHERE ";
    check.MustNotExist = true;
    check.NoRenumber = true;
    return {check};
}

void WriteLedgerUpdateStatements(TLedgerView view, db::TUpdateSQL& update) {
    const TLedgerNames& names = LedgerNames(view);
    QStringList parameters;
    QStringList assignments;
    for (const QString& column : names.Columns) {
        parameters.append(':' + column);
        assignments.append(column + " = :" + column + (column == names.Columns.last() ? "" : ","));
    }
    const QString where = "where " + names.PeriodField + " = :OLD_" + names.PeriodField +
                          " and MONEY_ACCOUNT_ID = :OLD_MONEY_ACCOUNT_ID";
    update.InsertSQL().SetLines({"insert into " + names.Table, "(" + names.Columns.join(", ") + ")",
                                 "values", "(" + parameters.join(", ") + ")"});
    update.ModifySQL().SetLines(QStringList{"update " + names.Table, "set"} + assignments +
                                QStringList{where});
    update.DeleteSQL().SetLines({"delete from " + names.Table, where});
}

QString LedgerListSql(TLedgerView view, const QString& condition, const QString& accountFilter) {
    QString sql = "SELECT DISTINCT B.ORDER_ID,B.MONEY_ACCOUNT_NAME,A.* FROM " +
                  LedgerNames(view).Table +
                  " A,KX_MONEY_ACCOUNT_TABLE B WHERE A.MONEY_ACCOUNT_ID = B.MONEY_ACCOUNT_ID";
    if (!condition.isEmpty())
        sql += " AND " + condition;
    if (!accountFilter.isEmpty())
        sql += " AND " + accountFilter;
    return sql;
}

QString LedgerAccountFilter(bool accountChosen, const QString& accountId) {
    return accountChosen ? " (A.MONEY_ACCOUNT_ID = " + QuotedStr(accountId) + ") " : QString();
}

QString FindConditionSql(const QStringList& pieces) {
    return pieces.isEmpty() ? QString() : '(' + pieces.join(QString()) + ')';
}

QString LedgerMonthText(const QDate& date) {
    return date.toString(QStringLiteral("yyyy")) + u'年' + date.toString(QStringLiteral("MM")) +
           u'月';
}

QString PickedMonthText(const QString& year, const QString& month) {
    return year + u'年' + month + u'月';
}

void LedgerCellColors(const QString& status, ui::TColor& brush, ui::TColor& font) {
    TStatusCellColors colors{brush, font};
    ApplyUnverifiedColors(status, THighlightRule::HighlightOnly, colors);
    brush = colors.Brush;
    font = colors.Font;
}

ui::TColor LedgerStatusBarColor(const QString& status) {
    constexpr ui::TColor kVerifiedBarColor = 12902881;
    return status == kStatusUnverified ? kUnverifiedColor : kVerifiedBarColor;
}

QString LedgerBalanceText(const QString& prior, const QString& into, const QString& out) {
    const double carried = MoneyTextToFloat(prior) + MoneyTextToFloat(into);
    return FormatRoundNumber(2, QString(), carried - MoneyTextToFloat(out));
}

} // namespace kx::cashbook
