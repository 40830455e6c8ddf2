#pragma once
// A fresh data folder with the database "RUReravezDataBase" over it, and a
// few helpers to set up rows and read them back with plain SQL.

#include "platform/db/database.h"
#include "platform/db/query.h"
#include "tests/support/datafolder.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

QT_BEGIN_NAMESPACE
// Readable test failures.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace kx::db::test {

class DbTest : public ::testing::Test {
protected:
    DbTest();

    // Runs statements one by one through a query with parameter parsing off.
    void Exec(const QStringList& statements);
    // The first column of every row of a SELECT, as text ("" for NULL).
    QStringList Column(const QString& sql);
    // A query on the database, owned by the test.
    TQuery* NewQuery(const QString& sql, bool live = true);

    kx::test::TempDataFolder folder_;
    std::unique_ptr<TDatabase> database_;
    QObject owner_;
};

} // namespace kx::db::test
