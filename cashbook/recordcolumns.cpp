#include "cashbook/recordcolumns.h"

#include "cashbook/cashbooktables.h"
#include "core/appstate.h"
#include "core/moneytext.h"
#include "platform/db/dataset.h"

#include <algorithm>
#include <cmath>

namespace kx {
namespace {

constexpr int kRuleCount = 38;
constexpr int kListPrintCount = 38;
constexpr int kDrillDownPrintCount = 48;
constexpr int kStatisticsPrintCount = 10;
constexpr int kMoneyDigits = 11;
constexpr int kMoneyCellWidth = 21;

const QString kStatus = QStringLiteral("STATUS");
const QString kRecordId = QStringLiteral("MONEY_ID");
const QString kAccountName = QStringLiteral("MONEY_ACCOUNT_NAME");
const QString kAmountIn = QStringLiteral("MONEY_INTO_NUMBER");
const QString kAmountOut = QStringLiteral("MONEY_OUT_NUMBER");
const QString kBalance = QStringLiteral("MONEY_SUM_NUMBER");
const QString kSubjectName = QStringLiteral("MONEY_TYPE_NAME");
const QString kStatusItems = cashbook::kStatusUnverified + u';' + cashbook::kStatusVerified;

struct TAuditColumn {
    const char* FieldName;
    const char* Caption;
    const char* TypeCode;
    const char* FindKind;
};

const TAuditColumn kAuditColumns[] = {
    {"VERIFY_NAME", "审核人员", "C", "T"}, {"VERIFY_DATE", "审核日期", "D", "D"},
    {"CREATE_NAME", "建档人员", "C", "T"}, {"CREATE_DATE", "建档日期", "D", "D"},
    {"EDIT_NAME", "修改人员", "C", "T"},   {"EDIT_DATE", "修改日期", "D", "D"},
};

bool IsAmount(const QString& column) {
    return column == kAmountIn || column == kAmountOut;
}

int SlotWidth(const QString& storedWidth) {
    return static_cast<int>(std::lround(MoneyTextToFloat(storedWidth)));
}

// Empties every entry, keeping room for everything the rows may need.
template <class Array> void ClearEntries(Array& array, int count) {
    array.SetLength(0);
    array.SetLength(count);
}

void ClearPrint(TPrintFieldsArray& printFields, int count) {
    printFields.assign(static_cast<std::size_t>(count), TPrintFields{});
}

void DrawInDigitCells(TFieldsData& rule) {
    rule.MoneyCell = true;
    rule.DigitCount = kMoneyDigits;
    rule.DisplayWidth = kMoneyCellWidth;
}

TFieldsData StatusRule() {
    TFieldsData rule;
    rule.FieldName = kStatus;
    rule.DisplayLabel = QStringLiteral("状态");
    rule.DisplayWidth = 8;
    rule.TypeCode = QStringLiteral("C");
    rule.Visible = true;
    rule.FooterValue = QStringLiteral("合计");
    return rule;
}

TFieldsData SearchableStatusRule() {
    TFieldsData rule = StatusRule();
    rule.Required = true;
    rule.FindKind = QStringLiteral("B");
    rule.FindKey = kStatusItems;
    return rule;
}

// The rule of one slot as every builder starts it.
TFieldsData SlotRule(const TMoneyFieldSlot& slot) {
    TFieldsData rule;
    rule.FieldName = slot.FieldName;
    rule.DisplayLabel = slot.DisplayName;
    rule.DisplayWidth = SlotWidth(slot.DisplayWidth);
    rule.TypeCode = FieldTypeCode(slot.FieldType);
    rule.Visible = true;
    if (rule.TypeCode == QLatin1String("N"))
        rule.FooterValue = QStringLiteral("@Sum");
    return rule;
}

// The slot rule of a window whose find dialog offers the slots.
TFieldsData SearchableSlotRule(const TMoneyFieldSlot& slot, bool financialFormat) {
    TFieldsData rule = SlotRule(slot);
    rule.FindKind = slot.FindType;
    if (slot.FieldName == kAccountName) {
        rule.FindKind = QStringLiteral("ESB");
        rule.FindKey = QStringLiteral("MONEY_ACCOUNT_ID");
    }
    if (financialFormat && IsAmount(slot.FieldName)) {
        rule.TypeCode = QStringLiteral("N");
        rule.FindKind = QStringLiteral("T");
        rule.FooterValue = QStringLiteral("@Sum");
        DrawInDigitCells(rule);
    }
    return rule;
}

// The balance is no column of the records table, so no find dialog offers
// it: a condition on it could not run.
TFieldsData BalanceRule(const TMoneyFieldSlot* amountOutSlot, bool financialFormat) {
    TFieldsData rule;
    rule.FieldName = kBalance;
    rule.DisplayLabel = QStringLiteral("资金余额");
    rule.DisplayWidth = amountOutSlot ? SlotWidth(amountOutSlot->DisplayWidth) : 0;
    rule.TypeCode = QStringLiteral("N");
    rule.FooterValue = QStringLiteral("@Sum");
    rule.Visible = true;
    if (financialFormat)
        DrawInDigitCells(rule);
    return rule;
}

TFieldsData SubjectNameRule() {
    TFieldsData rule;
    rule.FieldName = kSubjectName;
    rule.DisplayLabel = QStringLiteral("账款类别");
    rule.TypeCode = QStringLiteral("C");
    rule.Visible = true;
    return rule;
}

TFieldsData AuditRule(const TAuditColumn& column, bool withFindKind) {
    TFieldsData rule;
    rule.FieldName = QString::fromLatin1(column.FieldName);
    rule.DisplayLabel = QString::fromUtf8(column.Caption);
    rule.TypeCode = QString::fromLatin1(column.TypeCode);
    if (withFindKind)
        rule.FindKind = QString::fromLatin1(column.FindKind);
    rule.Visible = true;
    return rule;
}

TPrintFields PrintEntry(const QString& fieldName, const QString& caption, const char* dataSet,
                        bool inMaster, bool inDetail) {
    return {fieldName, caption, QString::fromLatin1(dataSet), inMaster, inDetail};
}

const TMoneyFieldSlot* FindSlot(const TMoneyFieldSlots& slotRows, const QString& column) {
    const auto found =
        std::find_if(slotRows.begin(), slotRows.end(),
                     [&](const TMoneyFieldSlot& slot) { return slot.FieldName == column; });
    return found == slotRows.end() ? nullptr : &*found;
}

// Writes rules and print entries one after the other.
class TColumnWriter {
public:
    TColumnWriter(const TFieldsDataArray& fields, TPrintFieldsArray& printFields)
        : fields_(fields), printFields_(printFields) {}

    void AddRule(const TFieldsData& rule) {
        if (nextRule_ >= fields_.Count())
            fields_.SetLength(nextRule_ + 1);
        fields_[nextRule_++] = rule;
    }
    void AddPrint(const TPrintFields& entry) {
        if (nextPrint_ >= static_cast<int>(printFields_.size()))
            printFields_.resize(static_cast<std::size_t>(nextPrint_ + 1));
        printFields_[static_cast<std::size_t>(nextPrint_++)] = entry;
    }

private:
    const TFieldsDataArray& fields_;
    TPrintFieldsArray& printFields_;
    int nextRule_ = 0;
    int nextPrint_ = 0;
};

} // namespace

TMoneyFieldSlots ReadFieldSlots(db::TDataSet& slotRows) {
    TMoneyFieldSlots rows;
    const auto text = [&slotRows](const char* column) {
        return slotRows.FieldByName(QString::fromLatin1(column))->AsString();
    };
    for (slotRows.First(); !slotRows.Eof(); slotRows.Next())
        rows.append({text("FIELD_NAME"), text("FIELD_DISPLAY_NAME"), text("FIELD_TYPE"),
                     text("FIELD_FIND_TYPE"), text("FIELD_ORDER_TYPE"), text("FIELD_WIDTH"),
                     text("FIELD_DISPLAY_WIDTH"), text("FIELD_ORDER")});
    return rows;
}

QStringList RecordFieldDesignOrder() {
    return {kStatus,
            kRecordId,
            QStringLiteral("MONEY_DATE"),
            kSubjectName,
            kAccountName,
            kAmountIn,
            kAmountOut,
            QStringLiteral("MONEY_DEPT_NAME"),
            QStringLiteral("MONEY_EMPLOYEE_NAME"),
            QStringLiteral("MONEY_DATE_FIELD1"),
            QStringLiteral("MONEY_DATE_FIELD2"),
            QStringLiteral("MONEY_TEXT_FIELD1"),
            QStringLiteral("MONEY_TEXT_FIELD2"),
            QStringLiteral("MONEY_TEXT_FIELD3"),
            QStringLiteral("MONEY_TEXT_FIELD4"),
            QStringLiteral("MONEY_TEXT_FIELD5"),
            QStringLiteral("MONEY_TEXT_FIELD6"),
            QStringLiteral("MONEY_TEXT_FIELD7"),
            QStringLiteral("MONEY_TEXT_NOTE"),
            QStringLiteral("MONEY_NUMBER_FIELD1"),
            QStringLiteral("MONEY_NUMBER_FIELD2"),
            QStringLiteral("MONEY_NUMBER_FIELD3"),
            QStringLiteral("VERIFY_NAME"),
            QStringLiteral("VERIFY_DATE"),
            QStringLiteral("EDIT_NAME"),
            QStringLiteral("EDIT_DATE"),
            QStringLiteral("CREATE_NAME"),
            QStringLiteral("CREATE_DATE"),
            QStringLiteral("MONEY_RECORD_ID"),
            QStringLiteral("MONEY_TYPE_ID"),
            kBalance,
            QStringLiteral("MONEY_ACCOUNT_ID"),
            QStringLiteral("CHARGE_OUGHT_ID")};
}

QString FieldTypeCode(const QString& fieldType) {
    if (fieldType == QLatin1String("Integer") || fieldType == QLatin1String("Float"))
        return QStringLiteral("N");
    if (fieldType == QLatin1String("Date"))
        return QStringLiteral("D");
    return QStringLiteral("C");
}

void RememberFieldCaptions(const QString& column, const QString& caption, TCaptionScope scope) {
    static const QStringList kFreeColumns = {
        QStringLiteral("MONEY_DATE_FIELD1"),   QStringLiteral("MONEY_DATE_FIELD2"),
        QStringLiteral("MONEY_NUMBER_FIELD1"), QStringLiteral("MONEY_NUMBER_FIELD2"),
        QStringLiteral("MONEY_NUMBER_FIELD3"), QStringLiteral("MONEY_TEXT_FIELD1"),
        QStringLiteral("MONEY_TEXT_FIELD2"),   QStringLiteral("MONEY_TEXT_FIELD3"),
        QStringLiteral("MONEY_TEXT_FIELD4"),   QStringLiteral("MONEY_TEXT_FIELD5"),
        QStringLiteral("MONEY_TEXT_FIELD6"),   QStringLiteral("MONEY_TEXT_FIELD7")};
    const bool amount = scope == TCaptionScope::FreeColumnsAndAmounts && IsAmount(column);
    if (amount || kFreeColumns.contains(column))
        AppFieldCaptions[column] = caption;
}

void BuildListColumns(const TMoneyFieldSlots& slotRows, bool financialFormat,
                      const TFieldsDataArray& fields, TPrintFieldsArray& printFields,
                      TSortChoices& sort) {
    ClearEntries(fields, kRuleCount);
    ClearPrint(printFields, kListPrintCount);
    sort = {};
    TColumnWriter out(fields, printFields);
    out.AddRule(SearchableStatusRule());
    out.AddPrint(PrintEntry(kStatus, QStringLiteral("状态"), "D", true, true));
    for (const TMoneyFieldSlot& slot : slotRows) {
        TFieldsData rule = SearchableSlotRule(slot, financialFormat);
        if (slot.FieldName == kRecordId)
            rule.FooterValue = QStringLiteral("@Count");
        out.AddRule(rule);
        RememberFieldCaptions(slot.FieldName, slot.DisplayName, TCaptionScope::FreeColumns);
        if (slot.OrderType == QStringLiteral("是")) {
            // The account name is looked up, not stored: sort by the code.
            sort.Captions.append(slot.DisplayName);
            sort.Fields.append(slot.FieldName == kAccountName ? QStringLiteral("MONEY_ACCOUNT_ID")
                                                              : slot.FieldName);
        }
        out.AddPrint(PrintEntry(slot.FieldName, slot.DisplayName, "D", true, true));
    }
    const TFieldsData subject = SubjectNameRule();
    out.AddRule(subject);
    out.AddPrint(PrintEntry(subject.FieldName, subject.DisplayLabel, "M", true, true));
    for (const TAuditColumn& column : kAuditColumns) {
        const TFieldsData rule = AuditRule(column, true);
        out.AddRule(rule);
        out.AddPrint(PrintEntry(rule.FieldName, rule.DisplayLabel, "D", true, true));
    }
}

void BuildDrillDownColumns(const TMoneyFieldSlots& slotRows, bool financialFormat,
                           const TFieldsDataArray& fields, TPrintFieldsArray& printFields) {
    ClearEntries(fields, kRuleCount);
    ClearPrint(printFields, kDrillDownPrintCount);
    TColumnWriter out(fields, printFields);
    out.AddRule(StatusRule());
    out.AddPrint(PrintEntry(kStatus, QStringLiteral("状态"), "M", false, true));
    const TMoneyFieldSlot* amountOut = FindSlot(slotRows, kAmountOut);
    const TFieldsData balance = BalanceRule(amountOut, financialFormat);
    for (const TMoneyFieldSlot& slot : slotRows) {
        TFieldsData rule = SlotRule(slot);
        if (slot.FieldName == kRecordId)
            rule.FooterValue = QStringLiteral("@Count");
        if (financialFormat && IsAmount(slot.FieldName)) {
            rule.TypeCode = QStringLiteral("N");
            rule.FooterValue = QStringLiteral("@Sum");
            DrawInDigitCells(rule);
        }
        out.AddRule(rule);
        out.AddPrint(PrintEntry(slot.FieldName, slot.DisplayName, "M", false, true));
        RememberFieldCaptions(slot.FieldName, slot.DisplayName, TCaptionScope::FreeColumns);
        if (slot.FieldName == kAmountOut) {
            out.AddRule(balance);
            out.AddPrint(PrintEntry(kBalance, balance.DisplayLabel, "M", false, true));
        }
    }
    // Without a slot for the amount out the balance still shows, last.
    if (!amountOut) {
        out.AddRule(balance);
        out.AddPrint(PrintEntry(kBalance, balance.DisplayLabel, "M", false, true));
    }
    out.AddRule(SubjectNameRule());
    for (const TAuditColumn& column : kAuditColumns) {
        const TFieldsData rule = AuditRule(column, false);
        out.AddRule(rule);
        out.AddPrint(PrintEntry(rule.FieldName, rule.DisplayLabel, "M", false, true));
    }
}

void BuildStatisticsColumns(const TMoneyFieldSlots& slotRows, bool financialFormat,
                            const TFieldsDataArray& fields, TPrintFieldsArray& printFields) {
    ClearEntries(fields, kRuleCount);
    ClearPrint(printFields, kStatisticsPrintCount);
    TColumnWriter rules(fields, printFields);
    rules.AddRule(SearchableStatusRule());
    const TMoneyFieldSlot* amountOut = FindSlot(slotRows, kAmountOut);
    TFieldsData subject = SubjectNameRule();
    subject.FooterValue = QStringLiteral("合计");
    const TFieldsData balance = BalanceRule(amountOut, financialFormat);
    for (const TMoneyFieldSlot& slot : slotRows) {
        rules.AddRule(SearchableSlotRule(slot, financialFormat));
        RememberFieldCaptions(slot.FieldName, slot.DisplayName,
                              TCaptionScope::FreeColumnsAndAmounts);
        if (slot.FieldName == kAmountOut) {
            rules.AddRule(subject);
            rules.AddRule(balance);
        }
    }
    // Without a slot for the amount out the result columns still show.
    if (!amountOut) {
        rules.AddRule(subject);
        rules.AddRule(balance);
    }
    for (const TAuditColumn& column : kAuditColumns)
        rules.AddRule(AuditRule(column, true));

    if (AppFieldCaptions.value(kAmountIn).isEmpty())
        AppFieldCaptions[kAmountIn] = QStringLiteral("借入金额");
    if (AppFieldCaptions.value(kAmountOut).isEmpty())
        AppFieldCaptions[kAmountOut] = QStringLiteral("贷出金额");
    printFields[0] = PrintEntry(kSubjectName, subject.DisplayLabel, "D", true, true);
    printFields[1] = PrintEntry(kAmountIn, AppFieldCaptions.value(kAmountIn), "D", true, true);
    printFields[2] = PrintEntry(kAmountOut, AppFieldCaptions.value(kAmountOut), "D", true, true);
    printFields[3] = PrintEntry(kBalance, balance.DisplayLabel, "D", true, true);
}

QStringList OrderFieldsByLayout(const QStringList& fieldOrder, const TMoneyFieldSlots& slotRows) {
    QStringList order = fieldOrder;
    // A field moved to a position is taken out first and then put in, the
    // fields between shifting by one; a position past the end is the last.
    const auto moveTo = [&order](const QString& field, qsizetype position) {
        const qsizetype from = order.indexOf(field);
        if (from < 0)
            return;
        order.removeAt(from);
        order.insert(std::min(position, order.size()), field);
    };
    qsizetype slotNumber = 0;
    for (const TMoneyFieldSlot& slot : slotRows)
        moveTo(slot.FieldName, ++slotNumber + 1);
    if (order.contains(kBalance) && order.contains(kAmountOut)) {
        order.removeAll(kBalance);
        order.insert(order.indexOf(kAmountOut) + 1, kBalance);
    }
    return order;
}

} // namespace kx
