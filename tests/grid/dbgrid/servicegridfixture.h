#pragma once
// A grid over a live query of a small table in a fresh data folder, for the
// tests of the grid's services, messages and properties.

#include "grid/dbgrid/customdbgridx.h"
#include "grid/dbgrid/gridpictures.h"
#include "platform/db/datasource.h"
#include "platform/db/query.h"
#include "tests/platform/db/dbfixture.h"

#include <gtest/gtest.h>

namespace kx::test {

// Opens the grid's protected reactions to the tests.
class ServiceGrid : public TCustomDBGridX {
public:
    using TCustomDBGridX::AutoScrollStep;
    using TCustomDBGridX::CalcSizingState;
    using TCustomDBGridX::CursorAt;
    using TCustomDBGridX::DialogCode;
    using TCustomDBGridX::FocusOut;
    using TCustomDBGridX::IncSearchTimerRunning;
    using TCustomDBGridX::ScrollAction;
    using TCustomDBGridX::StartTimer;
    using TCustomDBGridX::StopTimer;
    using TCustomDBGridX::ThumbToUnsequencedPlace;
    using TCustomDBGridX::TimerFired;
    using TCustomDBGridX::TimerInterval;
    using TCustomDBGridX::TimerRunning;
};

class ServiceGridTest : public db::test::DbTest {
protected:
    ServiceGridTest() {
        StartGridUnit();
        Exec({"CREATE TABLE SVC_TEST (ID INTEGER PRIMARY KEY, NAME VARCHAR(20), AMOUNT REAL, "
              "DAY DATE, FLAG VARCHAR(1))"});
    }
    ~ServiceGridTest() override { EndGridUnit(); }

    void Rows(const QStringList& values) {
        for (const QString& row : values)
            Exec({QStringLiteral("INSERT INTO SVC_TEST VALUES (%1)").arg(row)});
    }

    // Rows 1..count named "N<id>" with an amount of id.
    void NumberedRows(int count) {
        for (int id = 1; id <= count; ++id)
            Rows({QStringLiteral("%1, 'N%1', %1, '2026-01-01', 'Y'").arg(id)});
    }

    ServiceGrid& OpenGrid(int height = 300) {
        query_.SetDatabaseName(QStringLiteral("RUReravezDataBase"));
        query_.SetRequestLive(true);
        query_.SQL().SetText(QStringLiteral("SELECT * FROM SVC_TEST ORDER BY ID"));
        source_.SetDataSet(&query_);
        grid_.resize(600, height);
        grid_.SetDataSource(&source_);
        query_.Open();
        return grid_;
    }

    TColumnX* Column(const QString& fieldName) const {
        for (int i = 0; i < grid_.Columns()->Count(); ++i)
            if (grid_.Columns()->GetColumn(i)->FieldName() == fieldName)
                return grid_.Columns()->GetColumn(i);
        return nullptr;
    }

    void MakeCurrentColumn(const QString& fieldName) {
        grid_.SetCol(grid_.DataToRawColumn(Column(fieldName)->Index()));
    }

    // The record number of the first row the grid shows.
    int TopRecNo() const { return query_.RecNo() - grid_.DataLink()->ActiveRecord(); }

    db::TQuery query_;
    db::TDataSource source_;
    ServiceGrid grid_;
};

} // namespace kx::test
