#include "staff/deptprintrows.h"

#include "core/datamodule.h"
#include "core/sqlfunctions.h"
#include "platform/db/field.h"
#include "platform/db/query.h"
#include "platform/sys/cp936.h"
#include "staff/deptrules.h"

namespace kx::staff {
namespace {

constexpr int kNameBytes = 40;
const QString kIndent = QStringLiteral("  ");

int Digits(int number) {
    return static_cast<int>(QString::number(number).size());
}

void Walk(const QString& prefix, bool numbering, const QString& parentCode, int depth,
          QList<TDeptPrintRow>& rows) {
    if (depth > kMaxDeptLevels)
        return;
    const auto children = OpenSqlQuery(
        kDatabaseName, "SELECT COMPANY_ID,COMPANY_NAME,COMPANY_PHONE,NOTE,ORDER_ID FROM "
                       "SYS_COMPANY_TABLE WHERE PRIOR_ID = " +
                           QuotedStr(parentCode) + " ORDER BY ORDER_ID");
    const int width = Digits(children->RecordCount());
    for (int i = 1; !children->Eof(); ++i, children->Next()) {
        const QString line =
            numbering ? prefix + QString::number(i) + u'.' + PadOrderNumber(width, i) : prefix;
        rows.append({1,
                     cp936::CutToBytes(line + children->FieldByName("COMPANY_NAME")->AsString(),
                                       kNameBytes),
                     children->FieldByName("COMPANY_PHONE")->AsString(),
                     children->FieldByName("NOTE")->AsString()});
        Walk(prefix + kIndent, numbering, children->FieldByName("COMPANY_ID")->AsString(),
             depth + 1, rows);
    }
}

} // namespace

QString PadOrderNumber(int width, int i) {
    return QString(std::max(0, width - Digits(i)), u' ');
}

QList<TDeptPrintRow> FillDeptPrintRows(const QString& startCode, bool numbering,
                                       const std::optional<TDeptPrintRow>& head) {
    QList<TDeptPrintRow> rows;
    if (head)
        rows.append(
            {1, cp936::CutToBytes(head->CompanyName, kNameBytes), head->CompanyPhone, head->Note});
    Walk(head ? kIndent : QString(), numbering, startCode, 1, rows);
    return rows;
}

} // namespace kx::staff
