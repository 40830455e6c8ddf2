#pragma once
// A data-aware grid over a live query of a small table in a fresh data
// folder, for the tests of export, import and the clipboard commands.

#include "grid/dbgrid/columntitlex.h"
#include "grid/dbgrid/customdbgridx.h"
#include "grid/dbgrid/dbgridselection.h"
#include "grid/dbgrid/gridpictures.h"
#include "grid/editors/dbgridxexport.h"
#include "platform/db/datasource.h"
#include "platform/db/query.h"
#include "tests/platform/db/dbfixture.h"

#include <QBuffer>
#include <QStringList>

namespace kx::test {

class GridIOTest : public db::test::DbTest {
protected:
    GridIOTest() {
        StartGridUnit();
        Exec({"CREATE TABLE IO_TEST (ID INTEGER PRIMARY KEY, NAME VARCHAR(10), AMOUNT REAL, "
              "QTY INTEGER, DAY DATE)"});
    }
    ~GridIOTest() override { EndGridUnit(); }

    // Each entry is the values of one row in column order.
    void Rows(const QStringList& rows) {
        for (const QString& row : rows)
            Exec({QStringLiteral("INSERT INTO IO_TEST VALUES (%1)").arg(row)});
    }

    // The grid shows the fields named, in that order, as columns titled
    // by their names.
    TCustomDBGridX& OpenGrid(const QString& fields) {
        query_.SetDatabaseName(QStringLiteral("RUReravezDataBase"));
        query_.SetRequestLive(true);
        query_.SQL().SetText(QStringLiteral("SELECT %1 FROM IO_TEST ORDER BY ID").arg(fields));
        source_.SetDataSet(&query_);
        grid_.resize(600, 300);
        grid_.SetDataSource(&source_);
        query_.Open();
        return grid_;
    }

    TColumnX* Col(int index) const { return grid_.Columns()->GetColumn(index); }

    QByteArray Export(TGridExportFormat format, bool wholeGrid = true) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        ExportGridToStream(format, &grid_, buffer, wholeGrid);
        return buffer.data();
    }

    db::TBookmark BookmarkOfRecord(int recNo) {
        query_.SetRecNo(recNo);
        return query_.Bookmark();
    }

    void SelectRecords(const std::vector<int>& recNos) {
        for (int recNo : recNos) {
            query_.SetRecNo(recNo);
            grid_.SelectedRows().MarkCurrentRow(true);
        }
    }

    void SelectRect(int leftCol, int topRecNo, int rightCol, int bottomRecNo) {
        grid_.Selection().Rect().Select(leftCol, BookmarkOfRecord(topRecNo), false);
        grid_.Selection().Rect().Select(rightCol, BookmarkOfRecord(bottomRecNo), true);
    }

    // One text column of the table, record by record ("" for null).
    QStringList Stored(const QString& field) {
        return Column(
            QStringLiteral("SELECT COALESCE(%1, '') FROM IO_TEST ORDER BY ID").arg(field));
    }

    db::TQuery query_;
    db::TDataSource source_;
    TCustomDBGridX grid_;
};

} // namespace kx::test
