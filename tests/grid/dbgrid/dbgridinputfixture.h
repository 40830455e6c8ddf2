#pragma once
// A data-aware grid over a live query of a table of eight integer columns
// C0..C7 in a fresh data folder; row n holds n * 10 + c in column c.

#include "grid/dbgrid/customdbgridx.h"
#include "grid/dbgrid/dbgridselection.h"
#include "grid/dbgrid/gridpictures.h"
#include "platform/db/datasource.h"
#include "platform/db/query.h"
#include "tests/platform/db/dbfixture.h"

#include <QStringList>

namespace kx::test {

class InputGrid : public TCustomDBGridX {
public:
    using TCustomDBGridX::DblClick;
    using TCustomDBGridX::MouseDown;
    using TCustomDBGridX::MouseMove;
    using TCustomDBGridX::MouseUp;
    using TCustomDBGridX::TimerFired;
};

class DBGridInputTest : public db::test::DbTest {
protected:
    DBGridInputTest() {
        StartGridUnit();
        Exec({"CREATE TABLE INPUT_TEST (ID INTEGER PRIMARY KEY, C1 INTEGER, C2 INTEGER, "
              "C3 INTEGER, C4 INTEGER, C5 INTEGER, C6 INTEGER, C7 INTEGER)"});
    }
    ~DBGridInputTest() override { EndGridUnit(); }

    void AddRows(int count) {
        for (int n = 1; n <= count; ++n) {
            QStringList values;
            for (int c = 0; c < 8; ++c)
                values.append(QString::number(c == 0 ? n : n * 10 + c));
            Exec({QStringLiteral("INSERT INTO INPUT_TEST VALUES (%1)").arg(values.join(u','))});
        }
    }

    // Opens the query behind a grid of 600 x 300 pixels.
    InputGrid& OpenGrid(int rows) {
        AddRows(rows);
        query_.SetDatabaseName(QStringLiteral("RUReravezDataBase"));
        query_.SetRequestLive(true);
        query_.SQL().SetText(QStringLiteral("SELECT * FROM INPUT_TEST ORDER BY ID"));
        source_.SetDataSet(&query_);
        grid_.resize(600, 300);
        grid_.SetDataSource(&source_);
        query_.Open();
        return grid_;
    }

    TColumnX* Col(int index) const { return grid_.Columns()->GetColumn(index); }

    // The data column indexes of the selected columns, in list order.
    std::vector<int> SelectedColumns() const {
        std::vector<int> indexes;
        for (const TColumnX* column : grid_.Selection().Columns())
            indexes.push_back(column->Index());
        return indexes;
    }

    db::TBookmark BookmarkOfRecord(int recNo) {
        query_.SetRecNo(recNo);
        return query_.Bookmark();
    }

    int CurrentId() const { return query_.FieldByName(QStringLiteral("ID"))->AsInteger(); }

    db::TQuery query_;
    db::TDataSource source_;
    InputGrid grid_;
};

} // namespace kx::test
