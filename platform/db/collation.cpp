#include "platform/db/collation.h"

#include "platform/sys/cp936.h"

#include <QString>

#include <algorithm>
#include <cstring>
#include <sqlite3.h>

namespace kx::db {
namespace {

int CompareCp936(void*, int lengthA, const void* a, int lengthB, const void* b) {
    const QByteArray gbkA = cp936::Encode(QString::fromUtf8(static_cast<const char*>(a), lengthA));
    const QByteArray gbkB = cp936::Encode(QString::fromUtf8(static_cast<const char*>(b), lengthB));
    const int common = static_cast<int>(std::min(gbkA.size(), gbkB.size()));
    const int c = std::memcmp(gbkA.constData(), gbkB.constData(), static_cast<size_t>(common));
    if (c != 0)
        return c;
    if (gbkA.size() != gbkB.size())
        return static_cast<int>(gbkA.size() - gbkB.size());
    // Characters outside code page 936 all encode as '?': tell them apart
    // by their own bytes so that different texts never compare equal.
    const int utf8Common = std::min(lengthA, lengthB);
    const int u = std::memcmp(a, b, static_cast<size_t>(utf8Common));
    return u != 0 ? u : lengthA - lengthB;
}

} // namespace

void RegisterCollations(sqlite3* db) {
    sqlite3_create_collation(db, kCp936Collation, SQLITE_UTF8, nullptr, &CompareCp936);
}

} // namespace kx::db
