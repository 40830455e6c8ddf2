#pragma once
// The cash book's tables, codes and values as every cash-book window and the
// posting read them. The tables themselves ship with the data folder.

#include <QString>
#include <QStringList>

#include <array>

namespace kx::cashbook {

inline const QString KX_MONEY_INTO_OUT_TYPE_TABLE = QStringLiteral("KX_MONEY_INTO_OUT_TYPE_TABLE");
inline const QString KX_MONEY_ACCOUNT_TABLE = QStringLiteral("KX_MONEY_ACCOUNT_TABLE");
inline const QString KX_INTO_OUT_MONEY_TABLE = QStringLiteral("KX_INTO_OUT_MONEY_TABLE");
inline const QString KX_MONEY_DAY_TABLE = QStringLiteral("KX_MONEY_DAY_TABLE");
inline const QString KX_MONEY_MONTH_TABLE = QStringLiteral("KX_MONEY_MONTH_TABLE");
inline const QString KX_INTO_OUT_MONEY_SUM_TABLE = QStringLiteral("KX_INTO_OUT_MONEY_SUM_TABLE");
inline const QString SYS_MONEY_FIELD_TABLE = QStringLiteral("SYS_MONEY_FIELD_TABLE");

// Status of records and ledger rows: new rows are unverified; only unverified
// records may be edited or deleted, and posting refuses a verified ledger row.
inline const QString kStatusUnverified = QStringLiteral("未审核");
inline const QString kStatusVerified = QStringLiteral("已审核");

// Root of the subject and account trees; no row of either table has it.
inline const QString kTreeRootId = QStringLiteral("G001");
// Every tree level adds three digits to its parent's code, so the counter of
// a level ends at 999.
inline constexpr int kCodeDigitsPerLevel = 3;
inline constexpr int kMaxChildCounter = 999;
inline constexpr int kMaxSubjectLevels = 4;
inline constexpr int kMaxAccountLevels = 1;

inline const QStringList kAccountTypes = {QStringLiteral("现金账"), QStringLiteral("银行账")};

// The items of the cash-flow statement a subject may name, in list order.
inline const QStringList kCashFlowItems = {
    QStringLiteral("2销售商品、提供劳务收到的现金"),
    QStringLiteral("3收到的税费返还"),
    QStringLiteral("4收到的其他与经营活动有关的现金"),
    QStringLiteral("6购买商品、接受劳务支付的现金"),
    QStringLiteral("7支付给职工以及为职工支付的现金"),
    QStringLiteral("8支付的各项税费"),
    QStringLiteral("9支付的其他与经营活动有关的现金"),
    QStringLiteral("13收回投资所收到的现金"),
    QStringLiteral("14其中：出售子公司所收到的现金"),
    QStringLiteral("15取得投资收益所收到的现金"),
    QStringLiteral("16处置固定资产、无形资产和其他长期资产收回的现金净额"),
    QStringLiteral("17收到的其他与投资活动有关的现金"),
    QStringLiteral("19购建固定资产、无形资产和其他长期资产所支付的现金"),
    QStringLiteral("20投资所支付的现金"),
    QStringLiteral("21其中：购买子公司所支付的现金"),
    QStringLiteral("22支付的与其他与投资活动有关的现金"),
    QStringLiteral("26吸收投资所收到的现金"),
    QStringLiteral("27借款所收到的现金"),
    QStringLiteral("28收到的其他与筹资活动有关的现金"),
    QStringLiteral("30偿还债务所支付的现金"),
    QStringLiteral("31分配股利、利润或偿付利息所支付的现金"),
    QStringLiteral("32支付的其他与筹资活动有关的现金"),
};

// The record columns a field slot may name.
inline const QStringList kRecordPoolColumns = {
    QStringLiteral("MONEY_ID"),
    QStringLiteral("MONEY_DATE"),
    QStringLiteral("MONEY_ACCOUNT_NAME"),
    QStringLiteral("MONEY_INTO_NUMBER"),
    QStringLiteral("MONEY_OUT_NUMBER"),
    QStringLiteral("MONEY_DEPT_NAME"),
    QStringLiteral("MONEY_EMPLOYEE_NAME"),
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
    QStringLiteral("MONEY_DATE_FIELD1"),
    QStringLiteral("MONEY_DATE_FIELD2"),
};
inline constexpr int kFieldSlotCount = 21;

// One row of SYS_MONEY_FIELD_TABLE.
struct TMoneyFieldSlot {
    int Order;
    QString FieldName;
    QString DisplayName;
    QString FieldType;
    QString FindType;
    int Width;
    int DisplayWidth;
};

// Which window writes the first slot rows: the ledger window captions the
// two amounts as loans, the records list and the statistics as in and out.
enum class TSlotCaptions { List, Ledger };

// The slot rows written, in this order, when the table is found empty.
std::array<TMoneyFieldSlot, 8> DefaultFieldSlots(TSlotCaptions captions);

// Writes the default slot rows when SYS_MONEY_FIELD_TABLE has none; true when
// it wrote them.
bool SeedDefaultFieldSlots(TSlotCaptions captions);

} // namespace kx::cashbook
