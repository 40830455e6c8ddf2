#pragma once
// The statements a data set with cached updates writes its changes with:
// ":FIELD" takes the field's new value, ":OLD_FIELD" the value as it was
// read.

#include "platform/db/dataset.h"
#include "platform/db/sqllines.h"

#include <QObject>

namespace kx::db {

class TUpdateSQL : public QObject {
    Q_OBJECT
public:
    explicit TUpdateSQL(QObject* owner = nullptr) : QObject(owner) {}

    TSqlLines& ModifySQL() { return modifySQL_; }
    TSqlLines& InsertSQL() { return insertSQL_; }
    TSqlLines& DeleteSQL() { return deleteSQL_; }
    TSqlLines& SQL(TUpdateKind kind);
    const TSqlLines& SQL(TUpdateKind kind) const;

private:
    TSqlLines modifySQL_;
    TSqlLines insertSQL_;
    TSqlLines deleteSQL_;
};

} // namespace kx::db
