#include "platform/db/updatesql.h"

namespace kx::db {

TSqlLines& TUpdateSQL::SQL(TUpdateKind kind) {
    return const_cast<TSqlLines&>(std::as_const(*this).SQL(kind));
}

const TSqlLines& TUpdateSQL::SQL(TUpdateKind kind) const {
    switch (kind) {
    case ukInsert:
        return insertSQL_;
    case ukDelete:
        return deleteSQL_;
    default:
        return modifySQL_;
    }
}

} // namespace kx::db

#include "moc_updatesql.cpp"
