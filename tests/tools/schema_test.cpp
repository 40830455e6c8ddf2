#include "platform/db/collation.h"

#include "tests/support/datafolder.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

// Raw access to the shipped database, below the program's own data layer.
class Database {
public:
    explicit Database(const QString& file) {
        sqlite3_open_v2(QFile::encodeName(file).constData(), &db_, SQLITE_OPEN_READWRITE, nullptr);
        kx::db::RegisterCollations(db_);
    }
    ~Database() { sqlite3_close(db_); }
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // The statement's extended result code.
    int Exec(const QString& sql) {
        sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
        return sqlite3_extended_errcode(db_);
    }

    // Every row, each column as text ("" for NULL).
    QList<QStringList> Rows(const QString& sql) {
        QList<QStringList> rows;
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db_, sql.toUtf8().constData(), -1, &statement, nullptr) !=
            SQLITE_OK) {
            ADD_FAILURE() << sql.toStdString() << ": " << sqlite3_errmsg(db_);
            return rows;
        }
        while (sqlite3_step(statement) == SQLITE_ROW) {
            QStringList row;
            for (int i = 0; i < sqlite3_column_count(statement); ++i)
                row << QString::fromUtf8(
                    reinterpret_cast<const char*>(sqlite3_column_text(statement, i)));
            rows << row;
        }
        sqlite3_finalize(statement);
        return rows;
    }

    QString Value(const QString& sql) {
        const QList<QStringList> rows = Rows(sql);
        return rows.isEmpty() ? QString() : rows.first().value(0);
    }

    struct Column {
        QString declaredType;
        QString collation;
    };
    Column ColumnOf(const QString& table, const QString& column) {
        const char* type = nullptr;
        const char* collation = nullptr;
        sqlite3_table_column_metadata(db_, nullptr, table.toUtf8().constData(),
                                      column.toUtf8().constData(), &type, &collation, nullptr,
                                      nullptr, nullptr);
        return {QString::fromUtf8(type), QString::fromUtf8(collation)};
    }

private:
    sqlite3* db_ = nullptr;
};

class Schema : public ::testing::Test {
protected:
    kx::test::TempDataFolder folder;
    Database db{folder.DatabaseFile()};

    QStringList Tables() {
        QStringList names;
        for (const QStringList& row :
             db.Rows("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"))
            names << row.first();
        return names;
    }
    QStringList Columns(const QString& table) {
        QStringList names;
        for (const QStringList& row :
             db.Rows("SELECT name FROM pragma_table_info('" + table + "')"))
            names << row.first();
        return names;
    }
    QStringList KeyColumns(const QString& table) {
        QStringList names;
        for (const QStringList& row : db.Rows("SELECT name FROM pragma_table_info('" + table +
                                              "') WHERE pk > 0 ORDER BY pk"))
            names << row.first();
        return names;
    }
};

struct TableShape {
    QString table;
    int columns;
    QStringList key;
};

QList<TableShape> ShippedTables() {
    const QStringList layoutKey = {"USE_ID", "FORM_NAME", "DBGRID_NAME", "FIELD_NAME"};
    QList<TableShape> tables = {
        {"SYS_USER_TABLE", 10, {"USE_ID"}},
        {"SYS_COMPOSE_TABLE", 2, {"COMPOSE_ID"}},
        {"SYS_PROGRAM_TABLE", 7, {"COMPOSE_ID", "PROGRAM_ID"}},
        {"SYS_RIGHT_TABLE", 10, {"USE_ID", "COMPOSE_ID", "PROGRAM_ID"}},
        {"SYS_ID_TABLE", 2, {"NAME_ID"}},
        {"SYS_COMPANY_TABLE", 19, {"COMPANY_ID", "PRIOR_ID"}},
        {"SYS_MONEY_INTO_OUT_TABLE", 6, layoutKey},
        {"SYS_SHOW_INTO_OUT_MONEY_TABLE", 6, layoutKey},
        {"SYS_MONEY_INTO_OUT_QUERY_TABLE", 6, layoutKey},
        {"SYS_INTO_OUT_ACCOUNT_TABLE", 6, layoutKey},
        {"SYS_EMPLOYEE_DBGRID_TABLE", 6, layoutKey},
        {"SYS_SELECT_EMPLOYEE_FILE_TABLE", 5, layoutKey},
        {"SYS_SELECT_EMPLOYEE_PICTURE_TABLE", 5, layoutKey},
        {"KX_MONEY_INTO_OUT_TYPE_TABLE", 10, {"MONEY_TYPE_ID"}},
        {"KX_MONEY_ACCOUNT_TABLE", 14, {"MONEY_ACCOUNT_ID", "PRIOR_ID"}},
        {"KX_INTO_OUT_MONEY_TABLE", 30, {"MONEY_RECORD_ID", "MONEY_ID", "MONEY_TYPE_ID"}},
        {"KX_MONEY_DAY_TABLE", 14, {"MONEY_DAY_DATE", "MONEY_ACCOUNT_ID"}},
        {"KX_MONEY_MONTH_TABLE", 16, {"MONEY_MONTH", "MONEY_ACCOUNT_ID"}},
        {"KX_INTO_OUT_MONEY_SUM_TABLE", 4, {"MONEY_TYPE_ID"}},
        {"SYS_MONEY_FIELD_TABLE", 8, {"FIELD_NAME"}},
        {"SYS_EMPLOYEE_FIELD_TABLE", 8, {"FIELD_NAME"}},
        {"KX_EMPLOYEE_TABLE", 32, {"COMPANY_ID", "EMPLOYEE_RECORD_ID", "EMPLOYEE_ID"}},
        {"KX_EMPLOYEE_MASTER_FILE_TABLE", 9, {"EMPLOYEE_RECORD_ID", "FILE_RECORD_ID"}},
        {"KX_EMPLOYEE_MASTER_PICTURE_TABLE", 9, {"EMPLOYEE_RECORD_ID", "PICTURE_RECORD_ID"}},
        {"SYS_PRINT_NAME_TABLE", 6, {"PRINT_INDEX", "PRINT_ID"}},
        {"SYS_PRINT_DATA_TABLE", 2, {"PRINT_ID"}},
        {"SYS_PRINT_TABLE", 5, {"PRINT_NAME"}},
    };
    for (int n = 1; n <= 7; ++n)
        tables << TableShape{QString("KX_MONEY_TEXT_FIELD%1_TABLE").arg(n),
                             5,
                             {QString("MONEY_TEXT_FIELD%1").arg(n)}};
    for (int n = 1; n <= 12; ++n)
        tables << TableShape{QString("KX_EMPLOYEE_TEXT_FIELD%1_TABLE").arg(n),
                             5,
                             {QString("EMPLOYEE_TEXT_FIELD%1").arg(n)}};
    return tables;
}

TEST_F(Schema, ShipsEveryTableWithItsColumnsAndKey) {
    QStringList expected;
    for (const TableShape& shape : ShippedTables()) {
        SCOPED_TRACE(shape.table.toStdString());
        expected << shape.table;
        EXPECT_EQ(Columns(shape.table).size(), shape.columns);
        EXPECT_EQ(KeyColumns(shape.table), shape.key);
    }
    expected.sort();
    EXPECT_EQ(Tables(), expected);
}

TEST_F(Schema, EveryColumnCarriesADeclaredTypeAndTextSortsByCodePage936) {
    static const QRegularExpression declared(
        "^(VARCHAR\\([1-9][0-9]*\\)|DATE|DATETIME|INTEGER|REAL|BOOLEAN|MEMO|BLOB)$");
    for (const QString& table : Tables()) {
        for (const QString& column : Columns(table)) {
            SCOPED_TRACE((table + "." + column).toStdString());
            const Database::Column meta = db.ColumnOf(table, column);
            EXPECT_TRUE(declared.match(meta.declaredType).hasMatch())
                << meta.declaredType.toStdString();
            const bool text = meta.declaredType.startsWith("VARCHAR");
            EXPECT_EQ(meta.collation, text ? kx::db::kCp936Collation : "BINARY");
        }
    }
}

// Where the descriptions of a column disagree, the owning table's wins.
TEST_F(Schema, DisputedColumnsTakeTheOwningDefinition) {
    struct Case {
        QString table, column, type;
    };
    const Case cases[] = {
        {"SYS_PRINT_NAME_TABLE", "PRINT_ID", "VARCHAR(26)"}, // "BX" ids are 14 long
        {"SYS_PRINT_NAME_TABLE", "PRINT_NAME", "VARCHAR(180)"},
        {"KX_EMPLOYEE_TABLE", "EMPLOYEE_ID", "VARCHAR(13)"},
        {"KX_MONEY_ACCOUNT_TABLE", "ORDER_ID", "INTEGER"},
        {"SYS_COMPANY_TABLE", "ORDER_ID", "INTEGER"},
        {"SYS_MONEY_FIELD_TABLE", "FIELD_ORDER", "INTEGER"},
        {"KX_MONEY_TEXT_FIELD7_TABLE", "MONEY_TEXT_FIELD7", "VARCHAR(160)"},
        {"KX_EMPLOYEE_TEXT_FIELD10_TABLE", "EMPLOYEE_TEXT_FIELD10", "VARCHAR(50)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(db.ColumnOf(c.table, c.column).declaredType, c.type)
            << (c.table + "." + c.column).toStdString();
    EXPECT_FALSE(Columns("KX_INTO_OUT_MONEY_TABLE").contains("MONEY_DATE_FIELD3"));
    EXPECT_FALSE(Columns("SYS_SELECT_EMPLOYEE_FILE_TABLE").contains("FIELD_ORDER"));
}

TEST_F(Schema, ShipsTheThreeProgramGroupsInTheSetUpsNumbering) {
    EXPECT_EQ(db.Rows("SELECT COMPOSE_ID, COMPOSE_NAME FROM SYS_COMPOSE_TABLE ORDER BY 1"),
              (QList<QStringList>{
                  {"1.0", "出纳记账管理"}, {"2.0", "基本数据录入编辑"}, {"3.0", "系统管理"}}));
    // The first-run set-up grants exactly these pairs.
    EXPECT_EQ(db.Rows("SELECT CAST(COMPOSE_ID AS INTEGER) || ',' || CAST(PROGRAM_ID AS INTEGER) "
                      "FROM SYS_PROGRAM_TABLE ORDER BY COMPOSE_ID, PROGRAM_ID"),
              (QList<QStringList>{{"1,1"},
                                  {"1,2"},
                                  {"1,3"},
                                  {"2,1"},
                                  {"2,2"},
                                  {"2,3"},
                                  {"2,4"},
                                  {"3,1"},
                                  {"3,2"},
                                  {"3,3"}}));
}

// Each window checks its right by group and program name, and offers only the
// rights its program row allows.
TEST_F(Schema, EveryWindowFindsItsProgramAndTheRightsItNeeds) {
    struct Case {
        QString group, program, rightsOffered;
    };
    const Case cases[] = {
        {"出纳记账管理", "资金借贷记录录入编辑", "ADD_RIGHT,VERIFY_RIGHT,PRINT_RIGHT"},
        {"出纳记账管理", "资金账号台账录入编辑", "ADD_RIGHT,VERIFY_RIGHT,PRINT_RIGHT"},
        {"出纳记账管理", "资金借贷数据统计报表", "PRINT_RIGHT"},
        {"基本数据录入编辑", "资金借贷科目录入编辑", "ADD_RIGHT,PRINT_RIGHT"},
        {"基本数据录入编辑", "单位部门资料录入编辑", "ADD_RIGHT,PRINT_RIGHT"},
        {"基本数据录入编辑", "单位员工资料录入编辑", "ADD_RIGHT,PRINT_RIGHT"},
        {"基本数据录入编辑", "资金账号录入编辑", "ADD_RIGHT,PRINT_RIGHT"},
        {"系统管理", "数据备份", ""},
        {"系统管理", "过时数据删除", "ADD_RIGHT"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.program.toStdString());
        const QString group =
            db.Value("SELECT CAST(COMPOSE_ID AS INTEGER) FROM  SYS_COMPOSE_TABLE WHERE "
                     "COMPOSE_NAME ='" +
                     c.group + "'");
        ASSERT_FALSE(group.isEmpty());
        const QString where = "WHERE PROGRAM_NAME ='" + c.program + "' and COMPOSE_ID =" + group;
        EXPECT_FALSE(db.Value("SELECT PROGRAM_ID FROM  SYS_PROGRAM_TABLE " + where).isEmpty());
        QStringList offered = {"BROWSE_RIGHT"};
        if (!c.rightsOffered.isEmpty())
            offered << c.rightsOffered.split(',');
        for (const char* right : {"ADD_RIGHT", "BROWSE_RIGHT", "PRINT_RIGHT", "VERIFY_RIGHT"}) {
            const QString flag =
                db.Value("SELECT " + QString(right) + " FROM SYS_PROGRAM_TABLE " + where);
            EXPECT_EQ(flag == "是", offered.contains(right)) << right;
        }
    }
}

TEST_F(Schema, EveryOtherTableShipsEmpty) {
    for (const QString& table : Tables()) {
        if (table == "SYS_COMPOSE_TABLE" || table == "SYS_PROGRAM_TABLE")
            continue;
        EXPECT_EQ(db.Value("SELECT COUNT(*) FROM " + table), "0") << table.toStdString();
    }
}

TEST_F(Schema, TheSetUpsRightsRowsFitTheKey) {
    // The set-up spells the delete column "DElETE_RIGHT"; names match
    // regardless of case.
    const QString insert =
        "INSERT INTO SYS_RIGHT_TABLE(USE_ID,COMPOSE_ID,PROGRAM_ID,ADD_RIGHT,"
        "EDIT_RIGHT,DElETE_RIGHT,BROWSE_RIGHT,PRINT_RIGHT,VERIFY_RIGHT,"
        "CURRENCY_RIGHT)VALUES('ADMIN',%1,%2,'是','是','是','是','是','是','是')";
    for (const QStringList& pair : db.Rows("SELECT CAST(COMPOSE_ID AS INTEGER), CAST(PROGRAM_ID "
                                           "AS INTEGER) FROM SYS_PROGRAM_TABLE"))
        EXPECT_EQ(db.Exec(insert.arg(pair[0], pair[1])), SQLITE_OK);
    EXPECT_EQ(db.Value("SELECT COUNT(*) FROM SYS_RIGHT_TABLE WHERE DELETE_RIGHT = '是'"), "10");
    EXPECT_EQ(db.Exec(insert.arg("1", "1")), SQLITE_CONSTRAINT_PRIMARYKEY);
}

// Values written as the program writes them compare and sort as the program
// expects.
TEST_F(Schema, ValuesCompareAndSortAsTheProgramExpects) {
    struct Case {
        const char* what;
        QStringList setup;
        QString query;
        QList<QStringList> expected;
    };
    const Case cases[] = {
        {"an integer order compared with a quoted number",
         {"INSERT INTO KX_MONEY_ACCOUNT_TABLE(MONEY_ACCOUNT_ID,PRIOR_ID,ORDER_ID) "
          "VALUES('001','G001',3)"},
         "SELECT MONEY_ACCOUNT_ID FROM KX_MONEY_ACCOUNT_TABLE WHERE ORDER_ID = '3'",
         {{"001"}}},
        {"slot numbers written as text sort as numbers",
         {"INSERT INTO SYS_MONEY_FIELD_TABLE(FIELD_NAME,FIELD_ORDER) "
          "VALUES('MONEY_TEXT_NOTE','21')",
          "INSERT INTO SYS_MONEY_FIELD_TABLE(FIELD_NAME,FIELD_ORDER) VALUES('MONEY_DATE','2')",
          "INSERT INTO SYS_MONEY_FIELD_TABLE(FIELD_NAME,FIELD_ORDER) VALUES('MONEY_ID','1')",
          "INSERT INTO SYS_MONEY_FIELD_TABLE(FIELD_NAME,FIELD_ORDER) "
          "VALUES('MONEY_TEXT_FIELD2','10')"},
         "SELECT FIELD_NAME FROM SYS_MONEY_FIELD_TABLE ORDER BY FIELD_ORDER",
         {{"MONEY_ID"}, {"MONEY_DATE"}, {"MONEY_TEXT_FIELD2"}, {"MONEY_TEXT_NOTE"}}},
        {"a record number written unquoted stays text",
         {"INSERT INTO KX_INTO_OUT_MONEY_TABLE(MONEY_RECORD_ID,MONEY_ID,MONEY_TYPE_ID) "
          "VALUES('080901120000',200809000001,'001')"},
         "SELECT typeof(MONEY_ID) FROM KX_INTO_OUT_MONEY_TABLE WHERE MONEY_ID = '200809000001'",
         {{"text"}}},
        {"dates are ISO text and compare in time order",
         {"INSERT INTO KX_MONEY_DAY_TABLE(MONEY_DAY_DATE,MONEY_ACCOUNT_ID) "
          "VALUES('2008-09-30','001')",
          "INSERT INTO KX_MONEY_DAY_TABLE(MONEY_DAY_DATE,MONEY_ACCOUNT_ID) "
          "VALUES('2008-10-01','001')",
          "INSERT INTO KX_MONEY_DAY_TABLE(MONEY_DAY_DATE,MONEY_ACCOUNT_ID) "
          "VALUES('2007-12-31','001')"},
         "SELECT MONEY_DAY_DATE, typeof(MONEY_DAY_DATE) FROM KX_MONEY_DAY_TABLE "
         "WHERE MONEY_DAY_DATE < '2008-10-01' ORDER BY MONEY_DAY_DATE DESC",
         {{"2008-09-30", "text"}, {"2007-12-31", "text"}}},
        {"ledger months compare in time order",
         {"INSERT INTO KX_MONEY_MONTH_TABLE(MONEY_MONTH,MONEY_ACCOUNT_ID) "
          "VALUES('2008年10月','001')",
          "INSERT INTO KX_MONEY_MONTH_TABLE(MONEY_MONTH,MONEY_ACCOUNT_ID) "
          "VALUES('2008年09月','001')",
          "INSERT INTO KX_MONEY_MONTH_TABLE(MONEY_MONTH,MONEY_ACCOUNT_ID) "
          "VALUES('2009年01月','001')"},
         "SELECT MAX(MONEY_MONTH) FROM KX_MONEY_MONTH_TABLE WHERE MONEY_MONTH < '2009年01月'",
         {{"2008年10月"}}},
        {"Chinese names sort by code page 936 (pinyin)",
         {"INSERT INTO KX_MONEY_ACCOUNT_TABLE(MONEY_ACCOUNT_ID,PRIOR_ID,MONEY_ACCOUNT_NAME) "
          "VALUES('001','G001','银行')",
          "INSERT INTO KX_MONEY_ACCOUNT_TABLE(MONEY_ACCOUNT_ID,PRIOR_ID,MONEY_ACCOUNT_NAME) "
          "VALUES('002','G001','现金')",
          "INSERT INTO KX_MONEY_ACCOUNT_TABLE(MONEY_ACCOUNT_ID,PRIOR_ID,MONEY_ACCOUNT_NAME) "
          "VALUES('003','G001','备用金')"},
         "SELECT MONEY_ACCOUNT_NAME FROM KX_MONEY_ACCOUNT_TABLE ORDER BY MONEY_ACCOUNT_NAME",
         {{"备用金"}, {"现金"}, {"银行"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const kx::test::TempDataFolder fresh;
        Database data(fresh.DatabaseFile());
        for (const QString& statement : c.setup)
            ASSERT_EQ(data.Exec(statement), SQLITE_OK) << statement.toStdString();
        EXPECT_EQ(data.Rows(c.query), c.expected);
    }
}

TEST_F(Schema, KeysRefuseRepeatsButNothingMore) {
    struct Case {
        const char* what;
        QString first, second;
        int expected;
    };
    const QString record = "INSERT INTO KX_INTO_OUT_MONEY_TABLE(MONEY_RECORD_ID,MONEY_ID,"
                           "MONEY_TYPE_ID) VALUES('%1','200809000001','001')";
    const QString layout = "INSERT INTO SYS_EMPLOYEE_DBGRID_TABLE(USE_ID,FORM_NAME,DBGRID_NAME,"
                           "FIELD_NAME,FIELD_WIDTH,FIELD_ORDER) VALUES('%1','EmployeeForm',"
                           "'DBGrid1','EMPLOYEE_NAME',64,1)";
    const QString code = "INSERT INTO KX_MONEY_TEXT_FIELD1_TABLE(MONEY_TEXT_FIELD1) VALUES('%1')";
    const QString slot = "INSERT INTO SYS_EMPLOYEE_FIELD_TABLE(FIELD_NAME,FIELD_DISPLAY_NAME) "
                         "VALUES('%1','员工编号')";
    const Case cases[] = {
        {"a record number may repeat under another record id", record.arg("080901120000"),
         record.arg("080901120001"), SQLITE_OK},
        {"a record key may not repeat", record.arg("080901120000"), record.arg("080901120000"),
         SQLITE_CONSTRAINT_PRIMARYKEY},
        {"another user's layout row", layout.arg("A"), layout.arg("B"), SQLITE_OK},
        {"a second layout row for the same column", layout.arg("A"), layout.arg("A"),
         SQLITE_CONSTRAINT_PRIMARYKEY},
        {"a code-list value may not repeat", code.arg("差旅费"), code.arg("差旅费"),
         SQLITE_CONSTRAINT_PRIMARYKEY},
        {"captions are checked by the slot dialog, not the table", slot.arg("EMPLOYEE_ID"),
         slot.arg("EMPLOYEE_NAME"), SQLITE_OK},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const kx::test::TempDataFolder fresh;
        Database data(fresh.DatabaseFile());
        ASSERT_EQ(data.Exec(c.first), SQLITE_OK);
        EXPECT_EQ(data.Exec(c.second), c.expected);
    }
}

} // namespace
