#pragma once
// A list of fruit by code in a fresh data folder, and records that pick one
// of them by code: the two sides of a lookup grid.

#include "grid/dbgrid/dblookupgridx.h"
#include "grid/dbgrid/gridpictures.h"
#include "platform/db/datasource.h"
#include "platform/db/query.h"
#include "tests/platform/db/dbfixture.h"

namespace kx::test {

class LookupGridTest : public db::test::DbTest {
protected:
    LookupGridTest() {
        StartGridUnit();
        Exec({"CREATE TABLE LOOKUP_LIST (CODE VARCHAR(10) PRIMARY KEY, NAME VARCHAR(20))",
              "INSERT INTO LOOKUP_LIST VALUES ('01', 'Apple')",
              "INSERT INTO LOOKUP_LIST VALUES ('02', 'Banana')",
              "INSERT INTO LOOKUP_LIST VALUES ('03', 'Cherry')",
              "INSERT INTO LOOKUP_LIST VALUES ('04', 'avocado')",
              "INSERT INTO LOOKUP_LIST VALUES ('05', 'Blueberry')",
              "INSERT INTO LOOKUP_LIST VALUES ('06', 'Date')",
              "CREATE TABLE LOOKUP_DATA (ID INTEGER PRIMARY KEY, CODE VARCHAR(10))",
              "INSERT INTO LOOKUP_DATA VALUES (1, '02')",
              "INSERT INTO LOOKUP_DATA VALUES (2, '77')"});
        list_ = NewQuery("SELECT * FROM LOOKUP_LIST ORDER BY CODE");
        list_->Open();
        listSource_.SetDataSet(list_);
    }
    ~LookupGridTest() override { EndGridUnit(); }

    // A grid over the list, keyed by CODE and showing NAME.
    void SetUpList(TDBLookupGridX& grid) {
        grid.resize(200, 120);
        grid.SetListSource(&listSource_);
        grid.SetKeyFieldName("CODE");
        grid.SetListFieldName("NAME");
    }

    // The records, open, their CODE the grid's data field.
    void SetUpData(TDBLookupGridX& grid) {
        data_ = NewQuery("SELECT * FROM LOOKUP_DATA ORDER BY ID");
        data_->Open();
        dataSource_.SetDataSet(data_);
        grid.SetLookupDataSource(&dataSource_);
        grid.SetDataFieldName("CODE");
    }

    QString ListCode() const { return list_->FieldByName("CODE")->AsString(); }

    db::TQuery* list_ = nullptr;
    db::TQuery* data_ = nullptr;
    db::TDataSource listSource_;
    db::TDataSource dataSource_;
};

} // namespace kx::test
