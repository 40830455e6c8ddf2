#include "frame/admin/datarepair.h"

#include "core/sqlfunctions.h"
#include "platform/db/database.h"
#include "platform/db/dberrors.h"
#include "platform/db/field.h"
#include "platform/db/query.h"
#include "platform/db/tablemaintenance.h"
#include "platform/sys/exception.h"

namespace kx {
namespace {

const QString kDashes = QString(51, u'-');

// Where the rows that could not be read lay, by record number.
QString UnreadableText(const db::TUnreadableRows& rows) {
    if (rows.After && rows.Before)
        return QStringLiteral("记录号 %1 与 %2 之间的记录").arg(*rows.After).arg(*rows.Before);
    if (rows.After)
        return QStringLiteral("记录号 %1 以后的记录").arg(*rows.After);
    if (rows.Before)
        return QStringLiteral("记录号 %1 以前的记录").arg(*rows.Before);
    return QStringLiteral("全部记录");
}

bool HasDefinition(db::TDatabase& database, const QString& table) {
    return !GetSqlFirstValue(database.DatabaseName(),
                             QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'table' "
                                            "AND name = ") +
                                 QuotedStr(table))
                .trimmed()
                .isEmpty();
}

} // namespace

QString RepairCopyName(const QString& folder, const QDateTime& time) {
    return (folder.endsWith(u'/') ? folder : folder + u'/') +
           QStringLiteral("岚衡出纳记账管理系统") + QStringLiteral("数据修复前") +
           time.toString(QStringLiteral("yyyy-MM-dd hh.mm")) + QStringLiteral("备份文件");
}

TDataRepair::TDataRepair(db::TDatabase& database) : database_(database) {
    Steps.Verify = [this](const QString& table) { return db::TableFindings(database_, table); };
    Steps.Describe = [this](const QString& table) { return HasDefinition(database_, table); };
    Steps.Rebuild = [this](const QString& table) {
        QStringList lost;
        for (const db::TUnreadableRows& rows : db::RebuildTable(database_, table))
            lost.append(UnreadableText(rows));
        return lost;
    };
}

QStringList TDataRepair::Tables() const {
    return db::TableNames(database_, false);
}

TRepairResult TDataRepair::RepairTables() {
    if (!database_.DataSets().isEmpty() || database_.InTransaction())
        throw db::EngineError(db::kErrTablesOpen, QStringLiteral("有未关闭的数据表"));
    TRepairResult result;
    const QStringList tables = Tables();
    for (int index = 0; index < tables.size(); ++index) {
        const QString& table = tables[index];
        // Damage is what the rebuild is for; only a check that cannot run at
        // all leaves nothing sound to go on with.
        try {
            Steps.Verify(table);
        } catch (...) {
            result.Lines << table + QStringLiteral(" 数据文件检查出错，修复中止！") << kDashes;
            result.StoppedBy = std::current_exception();
        }
        if (!result.StoppedBy)
            RepairTable(table, result.Lines);
        if (OnTableDone)
            OnTableDone(index);
        if (result.StoppedBy)
            break;
    }
    return result;
}

void TDataRepair::RepairTable(const QString& table, QStringList& lines) {
    if (!Steps.Describe(table)) {
        lines << table + QStringLiteral(" 数据文件数据结构错误，不能修复！") << kDashes;
        return;
    }
    QStringList reasons;
    QStringList lost;
    try {
        lost = Steps.Rebuild(table);
        reasons = Steps.Verify(table);
    } catch (const Exception& error) {
        reasons = {error.Message()};
    }
    if (!reasons.isEmpty())
        lines << table + QStringLiteral(" 数据文件修复失败！") << reasons << kDashes;
    else if (!lost.isEmpty())
        lines << table + QStringLiteral(" 数据文件已修复，以下记录损坏不能读出：") << lost
              << kDashes;
}

} // namespace kx
