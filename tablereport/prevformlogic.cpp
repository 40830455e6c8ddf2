#include "tablereport/prevformlogic.h"

#include "core/sqlfunctions.h"
#include "platform/sys/cp936.h"
#include "platform/sys/numberformat.h"

namespace kx {
namespace {

const QString kSettingMark = QStringLiteral("设置:");
constexpr int kSettingSkipBytes = 5;
constexpr int kLayoutTextBytes = 100;

struct TMarginRule {
    TMarginEdit Edit;
    const char* Missing;
    const char* NotPositive;
    TMarginEdit NotPositiveFocus;
};

// The bottom and right values follow what is typed in the top and left
// edits, so a margin that is not positive sends the user there.
const TMarginRule kMarginRules[] = {
    {TMarginEdit::Top, "必须输入上边距", "上边距不能小于等于零", TMarginEdit::Top},
    {TMarginEdit::Bottom, "必须输入下边距", "下边距不能小于等于零", TMarginEdit::Top},
    {TMarginEdit::Left, "必须输入左边距", "左边距不能小于等于零", TMarginEdit::Left},
    {TMarginEdit::Right, "必须输入右边距", "右边距不能小于等于零", TMarginEdit::Left}};

} // namespace

QString PagingStatusText(int pageCount, int page) {
    return QStringLiteral("总共%1页, 第%2页").arg(pageCount).arg(page);
}

QString NewPageStatusText(int pageCount, int page) {
    return QStringLiteral("总共%1页,第%2页").arg(pageCount).arg(page);
}

QString MarginRowSql(const QString& reportName) {
    return "SELECT * FROM SYS_PRINT_TABLE WHERE PRINT_NAME = " + QuotedStr(reportName);
}

QString MarginUpdateSql(const QString& reportName, const TReportMargins& margins) {
    return "UPDATE SYS_PRINT_TABLE SET TOP_MARGIN = " + sys::SqlNumber(margins.Top) +
           ",BUTTOM_MARGIN = " + sys::SqlNumber(margins.Bottom) +
           ",LEFT_MARGIN = " + sys::SqlNumber(margins.Left) +
           ",RIGHT_MARGIN = " + sys::SqlNumber(margins.Right) +
           " WHERE PRINT_NAME = " + QuotedStr(reportName);
}

QString MarginInsertSql(const QString& reportName, const TReportMargins& margins) {
    return "INSERT INTO SYS_PRINT_TABLE(PRINT_NAME,TOP_MARGIN,BUTTOM_MARGIN,LEFT_MARGIN,"
           "RIGHT_MARGIN) VALUES(" +
           QuotedStr(reportName) + ',' + sys::SqlNumber(margins.Top) + ',' +
           sys::SqlNumber(margins.Bottom) + ',' + sys::SqlNumber(margins.Left) + ',' +
           sys::SqlNumber(margins.Right) + ')';
}

QList<TLayoutItem> ParseLayoutItems(const QString& names) {
    QList<TLayoutItem> items;
    for (const QString& name : names.split(u';', Qt::SkipEmptyParts)) {
        if (!name.contains(kSettingMark)) {
            items.append({name, false});
            continue;
        }
        const QByteArray bytes = cp936::Encode(name).mid(kSettingSkipBytes);
        items.append({cp936::Decode(cp936::CutBytes(bytes, kLayoutTextBytes)), true});
    }
    return items;
}

std::optional<TMarginRefusal> CheckMargins(const QStringList& texts) {
    for (const TMarginRule& rule : kMarginRules) {
        double value = 0;
        if (!sys::TryStrToFloat(texts.value(int(rule.Edit)).trimmed(), value))
            return TMarginRefusal{QString::fromUtf8(rule.Missing), rule.Edit};
        if (value <= 0)
            return TMarginRefusal{QString::fromUtf8(rule.NotPositive), rule.NotPositiveFocus};
    }
    return std::nullopt;
}

} // namespace kx
