#pragma once
// The work of the data repair without its window: the name of the copy made
// before a repair, and the verify and rebuild of every table with the lines
// that the message window lists for the tables that could not be repaired.

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <exception>
#include <functional>

namespace kx {

namespace db {
class TDatabase;
}

// folder + "岚衡出纳记账管理系统数据修复前" + "yyyy-mm-dd hh.mm" + "备份文件".
QString RepairCopyName(const QString& folder, const QDateTime& time);

// What the repair does to one table; a test replaces a step to force a
// failure.
struct TRepairSteps {
    // SQLite's findings about the table, empty when it is sound (damage that
    // stops the check is a finding); raises when the check cannot run.
    std::function<QStringList(const QString& table)> Verify;
    // The table's definition can be read, so that it can be rebuilt from it.
    std::function<bool(const QString& table)> Describe;
    // Rebuilds the table from the rows that can be read and names those that
    // could not; raises when the table could not be rebuilt, leaving it as
    // it was.
    std::function<QStringList(const QString& table)> Rebuild;
};

struct TRepairResult {
    // For the message window: two lines per table that is not repaired.
    QStringList Lines;
    // The error that broke the run off, after the line of its table.
    std::exception_ptr StoppedBy;
};

class TDataRepair {
public:
    explicit TDataRepair(db::TDatabase& database);

    TRepairSteps Steps;
    // After each table, with its index in the list.
    std::function<void(int index)> OnTableDone;

    // The tables in name order.
    QStringList Tables() const;

    // Every table is verified, rebuilt and verified again. Refused with
    // engine error 10243 while a data set of the database is open.
    TRepairResult RepairTables();

private:
    void RepairTable(const QString& table, QStringList& lines);

    db::TDatabase& database_;
};

} // namespace kx
