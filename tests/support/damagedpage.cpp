#include "tests/support/damagedpage.h"

#include <QFile>

#include <sqlite3.h>

namespace kx::test {
namespace {

struct TFileLayout {
    int pageSize = 0;
    int rootPage = 0;
};

TFileLayout ReadLayout(const QString& databaseFile, const QString& name) {
    TFileLayout layout;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(databaseFile).constData(), &db, SQLITE_OPEN_READONLY,
                        nullptr) == SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db,
                           "SELECT rootpage, (SELECT page_size FROM pragma_page_size) FROM "
                           "sqlite_master WHERE name = ?",
                           -1, &statement, nullptr);
        const QByteArray utf8 = name.toUtf8();
        sqlite3_bind_text(statement, 1, utf8.constData(), int(utf8.size()), SQLITE_STATIC);
        if (sqlite3_step(statement) == SQLITE_ROW)
            layout = {sqlite3_column_int(statement, 1), sqlite3_column_int(statement, 0)};
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return layout;
}

int BigEndian(const QByteArray& bytes, qsizetype at, int size) {
    int value = 0;
    for (int i = 0; i < size; ++i)
        value = value << 8 | quint8(bytes[at + i]);
    return value;
}

} // namespace

bool DamageLeafPage(const QString& databaseFile, const QString& name) {
    const TFileLayout layout = ReadLayout(databaseFile, name);
    if (layout.rootPage <= 1)
        return false;
    QFile file(databaseFile);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    qint64 page = layout.rootPage;
    for (;;) {
        file.seek((page - 1) * layout.pageSize);
        const QByteArray bytes = file.read(layout.pageSize);
        const quint8 type = quint8(bytes[0]);
        // Interior pages (2: index, 5: table) lead down to the leaves.
        if (type != 2 && type != 5)
            break;
        const int cells = BigEndian(bytes, 3, 2);
        const int cell = BigEndian(bytes, 12 + 2 * (cells / 2), 2);
        page = BigEndian(bytes, cell, 4);
    }
    file.seek((page - 1) * layout.pageSize);
    // No valid page type, and a cell count beyond the page.
    return file.write(QByteArray(8, '\xff')) == 8;
}

} // namespace kx::test
