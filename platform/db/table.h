#pragma once
// A data set over one whole table by name, as table maintenance opens it.
// The name may carry ".DB"; every table has type "PARADOX".

#include "platform/db/query.h"

namespace kx::db {

class TTable : public TQuery {
    Q_OBJECT
public:
    explicit TTable(QObject* owner = nullptr);

    const QString& TableName() const { return tableName_; }
    void SetTableName(const QString& name);
    // Kept for the maintenance code, which packs only tables opened so.
    bool Exclusive() const { return exclusive_; }
    void SetExclusive(bool exclusive) { exclusive_ = exclusive; }
    QString TableType() const;

private:
    QString tableName_;
    bool exclusive_ = false;
};

} // namespace kx::db
