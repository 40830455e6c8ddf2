#include "platform/db/sqltranslate.h"

#include "platform/db/field.h"
#include "tests/platform/db/dbfixture.h"

#include <cstring>

namespace kx::db::test {
namespace {

struct Translation {
    const char* sql;
    const char* expected;
};

TEST(SqlTranslateTest, RewritesOnlyTheDialect) {
    const TColumnLookup noTables = [](const QString&) { return TDeclaredColumns(); };
    const Translation cases[] = {
        {"SELECT MAX(SubString(MONEY_ID FROM 7 FOR 6)) From T",
         "SELECT MAX(substr(MONEY_ID,7,6)) From T"},
        {" SUBSTRING(MONEY_TYPE_ID FROM 1  FOR  6) = '001'", " substr(MONEY_TYPE_ID,1,6) = '001'"},
        {" SUBSTRING(B.COMPANY_ID FROM  1  FOR  3) = 'G01'", " substr(B.COMPANY_ID,1,3) = 'G01'"},
        {"substring ( X from 2 )", "substr(X,2)"},
        {"SUBSTRING(SUBSTRING(X FROM 2 FOR 5) FROM 1 FOR 2)", "substr(substr(X,2,5),1,2)"},
        {"SUBSTRING('A FROM B' FROM 1 FOR 2)", "substr('A FROM B',1,2)"},
        {"SUBSTRING(X, 1, 2)", "substr(X, 1, 2)"},
        {"WHERE   EXTRACT(YEAR FROM MONEY_DATE) =2007",
         "WHERE   CAST(strftime('%Y',MONEY_DATE) AS INTEGER) =2007"},
        {"extract ( month from D ) + 1", "CAST(strftime('%m',D) AS INTEGER) + 1"},
        {"EXTRACT(DAY FROM A.D)", "CAST(strftime('%d',A.D) AS INTEGER)"},
        {"EXTRACT(HOUR FROM D)", "EXTRACT(HOUR FROM D)"},
        {"SET C = C --20.50", "SET C = C - -20.50"},
        {"SET C = C - -20.50", "SET C = C - -20.50"},
        {"SELECT '--', 'a''--b' FROM T", "SELECT '--', 'a''--b' FROM T"},
        {"SELECT  *  FROM  SYS_USER_TABLE.DB", "SELECT  *  FROM  SYS_USER_TABLE"},
        {"select * from sys_user_table.db where x=1", "select * from sys_user_table where x=1"},
        {"SELECT A.DBX FROM T A", "SELECT A.DBX FROM T A"},
        {"SELECT 'SUBSTRING(a FROM 1 FOR 2)' FROM \"EXTRACT(YEAR FROM X)\"",
         "SELECT 'SUBSTRING(a FROM 1 FOR 2)' FROM \"EXTRACT(YEAR FROM X)\""},
        {"WHERE A = :A AND B IN (SELECT B FROM T2)", "WHERE A = :A AND B IN (SELECT B FROM T2)"},
        {"D = '3/5/2007'", "D = '3/5/2007'"},
    };
    for (const Translation& c : cases) {
        SCOPED_TRACE(c.sql);
        EXPECT_EQ(TranslateSql(QString::fromUtf8(c.sql), noTables), QString::fromUtf8(c.expected));
    }
}

// Date literals against the shipped tables, plus a table whose MONEY_DATE is
// text and one with a date-time column.
class DateLiteralTest : public DbTest {
protected:
    void SetUp() override {
        Exec({"CREATE TABLE T_TEXT (MONEY_DATE VARCHAR(10), NOTE VARCHAR(10))",
              "CREATE TABLE T_STAMP (AT DATETIME, DAY DATE, NOTE VARCHAR(10))"});
    }

    QString Translate(const char* sql) {
        return TranslateSql(QString::fromUtf8(sql), [this](const QString& table) {
            return database_->DeclaredColumns(table);
        });
    }
};

TEST_F(DateLiteralTest, RewritesLiteralsWhereTheyMeetADateColumn) {
    const Translation cases[] = {
        // Ledger posting.
        {"SELECT Count(MONEY_ACCOUNT_ID) FROM KX_MONEY_MONTH_TABLE WHERE MONEY_ACCOUNT_ID = '001' "
         "AND MONEY_START_DATE <= '03/05/2007' AND MONEY_END_DATE >= '03/05/2007'",
         "SELECT Count(MONEY_ACCOUNT_ID) FROM KX_MONEY_MONTH_TABLE WHERE MONEY_ACCOUNT_ID = '001' "
         "AND MONEY_START_DATE <= '2007-03-05' AND MONEY_END_DATE >= '2007-03-05'"},
        {"SELECT MAX(MONEY_DAY_DATE) FROM KX_MONEY_DAY_TABLE WHERE MONEY_DAY_DATE < '03/05/2007' "
         "AND MONEY_ACCOUNT_ID = '3/5/2007'",
         "SELECT MAX(MONEY_DAY_DATE) FROM KX_MONEY_DAY_TABLE WHERE MONEY_DAY_DATE < '2007-03-05' "
         "AND MONEY_ACCOUNT_ID = '3/5/2007'"},
        {"UPDATE KX_MONEY_DAY_TABLE SET PRIOR_DAY_MONEY = PRIOR_DAY_MONEY - 1.50,TODAY_DAY_MONEY = "
         "TODAY_DAY_MONEY - 1.50 WHERE MONEY_DAY_DATE > '03/05/2007' AND  MONEY_ACCOUNT_ID = '001'",
         "UPDATE KX_MONEY_DAY_TABLE SET PRIOR_DAY_MONEY = PRIOR_DAY_MONEY - 1.50,TODAY_DAY_MONEY = "
         "TODAY_DAY_MONEY - 1.50 WHERE MONEY_DAY_DATE > '2007-03-05' AND  MONEY_ACCOUNT_ID = "
         "'001'"},
        {"INSERT INTO KX_MONEY_DAY_TABLE(STATUS,MONEY_DAY_DATE,MONEY_ACCOUNT_ID,PRIOR_DAY_MONEY,"
         "INTO_DAY_MONEY,OUT_DAY_MONEY,TODAY_DAY_MONEY,CREATE_NAME,CREATE_DATE) VALUES('未审核',"
         "'03/05/2007','3/5/2007',0,1,0,1,'3/5/2007','03/06/2007')",
         "INSERT INTO KX_MONEY_DAY_TABLE(STATUS,MONEY_DAY_DATE,MONEY_ACCOUNT_ID,PRIOR_DAY_MONEY,"
         "INTO_DAY_MONEY,OUT_DAY_MONEY,TODAY_DAY_MONEY,CREATE_NAME,CREATE_DATE) VALUES('未审核',"
         "'2007-03-05','3/5/2007',0,1,0,1,'3/5/2007','2007-03-06')"},
        {"INSERT INTO KX_MONEY_MONTH_TABLE(STATUS,MONEY_MONTH,MONEY_ACCOUNT_ID,MONEY_START_DATE,"
         "MONEY_END_DATE,PRIOR_MONTH_MONEY,INTO_MONTH_MONEY,OUT_MONTH_MONEY,TODAY_MONTH_MONEY,"
         "CREATE_NAME,CREATE_DATE) VALUES('未审核','2007年03月','001','03/01/2007','03/31/2007',0,"
         "1,0,1,'张三','03/06/2007')",
         "INSERT INTO KX_MONEY_MONTH_TABLE(STATUS,MONEY_MONTH,MONEY_ACCOUNT_ID,MONEY_START_DATE,"
         "MONEY_END_DATE,PRIOR_MONTH_MONEY,INTO_MONTH_MONEY,OUT_MONTH_MONEY,TODAY_MONTH_MONEY,"
         "CREATE_NAME,CREATE_DATE) VALUES('未审核','2007年03月','001','2007-03-01','2007-03-31',0,"
         "1,0,1,'张三','2007-03-06')"},
        // First-run set-up.
        {"UPDATE SYS_COMPANY_TABLE SET PRIOR_ID = 'G002',ORDER_ID = 1,COMPANY_NAME = '1/2/2007',"
         "CREATE_NAME = '1/2/2007',CREATE_DATE = '1/2/2007'  WHERE COMPANY_ID = 'G001'",
         "UPDATE SYS_COMPANY_TABLE SET PRIOR_ID = 'G002',ORDER_ID = 1,COMPANY_NAME = '1/2/2007',"
         "CREATE_NAME = '1/2/2007',CREATE_DATE = '2007-01-02'  WHERE COMPANY_ID = 'G001'"},
        {"INSERT INTO SYS_USER_TABLE(USE_PASSWORD,USE_ID,USE_NAME,SYS_USER,STOP_RIGHT,CREATE_NAME,"
         "CREATE_DATE) VALUES('1/2/2007','G001','1/2/2007','是','有效','1/2/2007','1/2/2007')",
         "INSERT INTO SYS_USER_TABLE(USE_PASSWORD,USE_ID,USE_NAME,SYS_USER,STOP_RIGHT,CREATE_NAME,"
         "CREATE_DATE) VALUES('1/2/2007','G001','1/2/2007','是','有效','1/2/2007','2007-01-02')"},
        // Saving checks and key conditions, as the query builds them.
        {"SELECT MONEY_DAY_DATE FROM KX_MONEY_DAY_TABLE WHERE MONEY_DAY_DATE='03/05/2007' and "
         "MONEY_ACCOUNT_ID='12/31/2007'",
         "SELECT MONEY_DAY_DATE FROM KX_MONEY_DAY_TABLE WHERE MONEY_DAY_DATE='2007-03-05' and "
         "MONEY_ACCOUNT_ID='12/31/2007'"},
        {"SELECT * FROM KX_MONEY_TEXT_FIELD1_TABLE  WHERE   MONEY_TEXT_FIELD1 ='12/31/2007'",
         "SELECT * FROM KX_MONEY_TEXT_FIELD1_TABLE  WHERE   MONEY_TEXT_FIELD1 ='12/31/2007'"},
        {"DELETE FROM KX_MONEY_DAY_TABLE  WHERE   MONEY_DAY_DATE ='03/05/2007' AND   "
         "MONEY_ACCOUNT_ID ='001'",
         "DELETE FROM KX_MONEY_DAY_TABLE  WHERE   MONEY_DAY_DATE ='2007-03-05' AND   "
         "MONEY_ACCOUNT_ID ='001'"},
        {"SELECT MONEY_TYPE_ID FROM KX_MONEY_INTO_OUT_TYPE_TABLE WHERE MONEY_TYPE_NAME='3/5/2007'",
         "SELECT MONEY_TYPE_ID FROM KX_MONEY_INTO_OUT_TYPE_TABLE WHERE MONEY_TYPE_NAME='3/5/2007'"},
        // Options.
        {"UPDATE SYS_ID_TABLE SET AUTO_ID = '1/2/2007'  WHERE NAME_ID = '1/2/2007'",
         "UPDATE SYS_ID_TABLE SET AUTO_ID = '1/2/2007'  WHERE NAME_ID = '1/2/2007'"},
        {"INSERT INTO SYS_ID_TABLE(NAME_ID,AUTO_ID) VALUES('1/2/2007','1/2/2007')",
         "INSERT INTO SYS_ID_TABLE(NAME_ID,AUTO_ID) VALUES('1/2/2007','1/2/2007')"},
        // Ledger details and lists: aliases, qualified names, joins.
        {"SELECT * FROM KX_INTO_OUT_MONEY_TABLE WHERE MONEY_ACCOUNT_ID = '001' AND STATUS = "
         "'已审核' "
         "AND MONEY_DATE >= '03/01/2007' AND MONEY_DATE <= '03/31/2007' ORDER BY MONEY_DATE",
         "SELECT * FROM KX_INTO_OUT_MONEY_TABLE WHERE MONEY_ACCOUNT_ID = '001' AND STATUS = "
         "'已审核' "
         "AND MONEY_DATE >= '2007-03-01' AND MONEY_DATE <= '2007-03-31' ORDER BY MONEY_DATE"},
        {"SELECT DISTINCT B.ORDER_ID,A.* FROM KX_MONEY_DAY_TABLE A,KX_MONEY_ACCOUNT_TABLE B WHERE "
         "A.MONEY_ACCOUNT_ID = B.MONEY_ACCOUNT_ID AND A.MONEY_DAY_DATE >= '3/1/2007' AND "
         "B.MONEY_ACCOUNT_NAME = '3/1/2007'",
         "SELECT DISTINCT B.ORDER_ID,A.* FROM KX_MONEY_DAY_TABLE A,KX_MONEY_ACCOUNT_TABLE B WHERE "
         "A.MONEY_ACCOUNT_ID = B.MONEY_ACCOUNT_ID AND A.MONEY_DAY_DATE >= '2007-03-01' AND "
         "B.MONEY_ACCOUNT_NAME = '3/1/2007'"},
        {"select * from kx_into_out_money_table as x join t_text y on y.note = x.money_id where "
         "x.money_date = '3/5/2007' and y.money_date = '3/5/2007' and "
         "KX_INTO_OUT_MONEY_TABLE.MONEY_DATE_FIELD1 = '3/5/2007'",
         "select * from kx_into_out_money_table as x join t_text y on y.note = x.money_id where "
         "x.money_date = '2007-03-05' and y.money_date = '3/5/2007' and "
         "KX_INTO_OUT_MONEY_TABLE.MONEY_DATE_FIELD1 = '2007-03-05'"},
        {"SELECT * FROM KX_INTO_OUT_MONEY_TABLE.DB WHERE \"MONEY_DATE\" = ' 3/5/2007 '",
         "SELECT * FROM KX_INTO_OUT_MONEY_TABLE WHERE \"MONEY_DATE\" = '2007-03-05'"},
        // The literal on the left, ranges and lists.
        {"SELECT * FROM KX_INTO_OUT_MONEY_TABLE WHERE '03/01/2007' <= MONEY_DATE",
         "SELECT * FROM KX_INTO_OUT_MONEY_TABLE WHERE '2007-03-01' <= MONEY_DATE"},
        {"SELECT * FROM KX_INTO_OUT_MONEY_TABLE WHERE MONEY_DATE BETWEEN '3/1/2007' AND "
         "'3/31/2007' AND MONEY_ID NOT BETWEEN '3/1/2007' AND '3/31/2007' AND MONEY_DATE_FIELD1 "
         "NOT BETWEEN '3/1/2007' AND '3/31/2007'",
         "SELECT * FROM KX_INTO_OUT_MONEY_TABLE WHERE MONEY_DATE BETWEEN '2007-03-01' AND "
         "'2007-03-31' AND MONEY_ID NOT BETWEEN '3/1/2007' AND '3/31/2007' AND MONEY_DATE_FIELD1 "
         "NOT BETWEEN '2007-03-01' AND '2007-03-31'"},
        {"SELECT * FROM KX_INTO_OUT_MONEY_TABLE A WHERE A.MONEY_DATE IN ('3/1/2007', '3/2/2007') "
         "OR MONEY_DATE NOT IN('3/3/2007') OR MONEY_ID IN ('3/4/2007')",
         "SELECT * FROM KX_INTO_OUT_MONEY_TABLE A WHERE A.MONEY_DATE IN ('2007-03-01', "
         "'2007-03-02') OR MONEY_DATE NOT IN('2007-03-03') OR MONEY_ID IN ('3/4/2007')"},
        // Sub-selects: a name is looked up in its own SELECT first, then outwards.
        {"SELECT * FROM KX_MONEY_ACCOUNT_TABLE WHERE MONEY_ACCOUNT_ID IN (SELECT MONEY_ACCOUNT_ID "
         "FROM KX_MONEY_DAY_TABLE WHERE MONEY_DAY_DATE = '3/5/2007')",
         "SELECT * FROM KX_MONEY_ACCOUNT_TABLE WHERE MONEY_ACCOUNT_ID IN (SELECT MONEY_ACCOUNT_ID "
         "FROM KX_MONEY_DAY_TABLE WHERE MONEY_DAY_DATE = '2007-03-05')"},
        {"SELECT * FROM KX_INTO_OUT_MONEY_TABLE WHERE MONEY_DATE = '3/5/2007' AND MONEY_ID IN "
         "(SELECT NOTE FROM T_TEXT WHERE MONEY_DATE = '3/5/2007' AND EXISTS (SELECT 1 FROM "
         "KX_MONEY_ACCOUNT_TABLE WHERE MONEY_DATE = '3/6/2007'))",
         "SELECT * FROM KX_INTO_OUT_MONEY_TABLE WHERE MONEY_DATE = '2007-03-05' AND MONEY_ID IN "
         "(SELECT NOTE FROM T_TEXT WHERE MONEY_DATE = '3/5/2007' AND EXISTS (SELECT 1 FROM "
         "KX_MONEY_ACCOUNT_TABLE WHERE MONEY_DATE = '3/6/2007'))"},
        {"SELECT * FROM T_TEXT A WHERE EXISTS (SELECT 1 FROM KX_MONEY_DAY_TABLE B WHERE "
         "A.MONEY_DATE = '3/5/2007' AND B.MONEY_DAY_DATE = '3/5/2007')",
         "SELECT * FROM T_TEXT A WHERE EXISTS (SELECT 1 FROM KX_MONEY_DAY_TABLE B WHERE "
         "A.MONEY_DATE = '3/5/2007' AND B.MONEY_DAY_DATE = '2007-03-05')"},
        // Date-time columns take the time of midnight, as stored values carry a time.
        {"INSERT INTO T_STAMP VALUES('3/5/2007','3/5/2007','3/5/2007'),('3/6/2007',"
         "'3/6/2007','3/6/2007')",
         "INSERT INTO T_STAMP VALUES('2007-03-05 00:00:00','2007-03-05','3/5/2007'),"
         "('2007-03-06 00:00:00','2007-03-06','3/6/2007')"},
        {"UPDATE T_STAMP SET AT = '12/31/2007' WHERE AT < '1/1/2008'",
         "UPDATE T_STAMP SET AT = '2007-12-31 00:00:00' WHERE AT < '2008-01-01 00:00:00'"},
        // Literals that meet no date column stay as they are.
        {"SELECT '3/5/2007', MONEY_DATE FROM KX_INTO_OUT_MONEY_TABLE WHERE MONEY_DATE LIKE "
         "'3/5/2007' OR substr(MONEY_DATE, 1, 10) = '3/5/2007' OR MONEY_DATE = '13/45/2007' OR "
         "MONEY_DATE = 'at 3/5/2007'",
         "SELECT '3/5/2007', MONEY_DATE FROM KX_INTO_OUT_MONEY_TABLE WHERE MONEY_DATE LIKE "
         "'3/5/2007' OR substr(MONEY_DATE, 1, 10) = '3/5/2007' OR MONEY_DATE = '13/45/2007' OR "
         "MONEY_DATE = 'at 3/5/2007'"},
        {"INSERT INTO T_STAMP(NOTE, DAY) VALUES(upper('3/5/2007'), '3/5/2007' || '')",
         "INSERT INTO T_STAMP(NOTE, DAY) VALUES(upper('3/5/2007'), '3/5/2007' || '')"},
        {"SELECT * FROM NO_SUCH_TABLE WHERE MONEY_DATE = '3/5/2007'",
         "SELECT * FROM NO_SUCH_TABLE WHERE MONEY_DATE = '3/5/2007'"},
        // Several statements in one text.
        {"UPDATE T_TEXT SET MONEY_DATE = '3/5/2007'; UPDATE T_STAMP SET DAY = '3/5/2007'",
         "UPDATE T_TEXT SET MONEY_DATE = '3/5/2007'; UPDATE T_STAMP SET DAY = '2007-03-05'"},
    };
    for (const Translation& c : cases) {
        SCOPED_TRACE(c.sql);
        EXPECT_EQ(Translate(c.sql), QString::fromUtf8(c.expected));
    }
}

TEST(SqlTranslateTest, FindsParametersOutsideLiterals) {
    EXPECT_EQ(ParamNames("WHERE A = :PRINT_INDEX AND B = ':NOT' AND C = :PRINT_TYPE AND D = "
                         ":print_index"),
              QStringList({"PRINT_INDEX", "PRINT_TYPE"}));
    EXPECT_EQ(ParamNames("SELECT '10:30' FROM T"), QStringList());
}

// Every statement shape the windows send, run in order against one data
// folder: SELECTs name the column to read (rows joined by ","; "0" is the
// first column, as the windows read expressions), other statements expect
// their count of rows affected.
struct Shape {
    const char* sql;
    const char* column;
    const char* expected;
};

class StatementShapeTest : public DbTest {
protected:
    void SetUp() override {
        Exec({
            "INSERT INTO SYS_USER_TABLE(USE_PASSWORD,USE_ID,USE_NAME,SYS_USER,STOP_RIGHT,"
            "CREATE_NAME,CREATE_DATE) VALUES('918','G001','张三','是','有效','张三','03/01/2007')",
            "INSERT INTO SYS_COMPANY_TABLE(ORDER_ID,PRIOR_ID,COMPANY_ID,COMPANY_NAME) VALUES(1,"
            "'G002','G001','岚衡软件有限公司')",
            "INSERT INTO SYS_COMPANY_TABLE(ORDER_ID,PRIOR_ID,COMPANY_ID,COMPANY_NAME) VALUES(1,"
            "'G001','G001001','财务部')",
            "INSERT INTO SYS_ID_TABLE(NAME_ID,AUTO_ID) VALUES('分类编号','2')",
            "INSERT INTO KX_MONEY_ACCOUNT_TABLE(MONEY_ACCOUNT_ID,PRIOR_ID,MONEY_ACCOUNT_NAME,"
            "ORDER_ID) VALUES('001','G001','现金',1)",
            "INSERT INTO KX_MONEY_ACCOUNT_TABLE(MONEY_ACCOUNT_ID,PRIOR_ID,MONEY_ACCOUNT_NAME,"
            "ORDER_ID) VALUES('002','G001','银行',2)",
            "INSERT INTO KX_MONEY_INTO_OUT_TYPE_TABLE(MONEY_TYPE_ID,PRIOR_ID,MONEY_TYPE_NAME,"
            "ORDER_ID) VALUES('001','G001','收入',1)",
            "INSERT INTO KX_MONEY_INTO_OUT_TYPE_TABLE(MONEY_TYPE_ID,PRIOR_ID,MONEY_TYPE_NAME,"
            "ORDER_ID) VALUES('001001','001','工资',1)",
            "INSERT INTO KX_MONEY_DAY_TABLE(STATUS,MONEY_DAY_DATE,MONEY_ACCOUNT_ID,PRIOR_DAY_MONEY,"
            "INTO_DAY_MONEY,OUT_DAY_MONEY,TODAY_DAY_MONEY,CREATE_NAME,CREATE_DATE) VALUES('未审核',"
            "'03/05/2007','001',100,50,20,130,'张三','03/05/2007')",
            "INSERT INTO KX_MONEY_DAY_TABLE(STATUS,MONEY_DAY_DATE,MONEY_ACCOUNT_ID,PRIOR_DAY_MONEY,"
            "INTO_DAY_MONEY,OUT_DAY_MONEY,TODAY_DAY_MONEY,CREATE_NAME,CREATE_DATE) VALUES('未审核',"
            "'03/06/2007','001',130,0,0,130,'张三','03/06/2007')",
            "INSERT INTO KX_MONEY_DAY_TABLE(STATUS,MONEY_DAY_DATE,MONEY_ACCOUNT_ID,PRIOR_DAY_MONEY,"
            "INTO_DAY_MONEY,OUT_DAY_MONEY,TODAY_DAY_MONEY,CREATE_NAME,CREATE_DATE) VALUES('未审核',"
            "'01/02/2008','002',0,10,0,10,'张三','01/02/2008')",
            "INSERT INTO KX_MONEY_MONTH_TABLE(STATUS,MONEY_MONTH,MONEY_ACCOUNT_ID,MONEY_START_DATE,"
            "MONEY_END_DATE,PRIOR_MONTH_MONEY,INTO_MONTH_MONEY,OUT_MONTH_MONEY,TODAY_MONTH_MONEY,"
            "CREATE_NAME,CREATE_DATE) VALUES('未审核','2007年03月','001','03/01/2007','03/31/2007',"
            "0,50,20,30,'张三','03/01/2007')",
            "INSERT INTO KX_INTO_OUT_MONEY_TABLE(MONEY_RECORD_ID,MONEY_ID,MONEY_TYPE_ID,"
            "MONEY_ACCOUNT_ID,MONEY_DATE,MONEY_INTO_NUMBER,MONEY_OUT_NUMBER) VALUES("
            "'070305101010','200703000001','001001','001','03/05/2007',50,0)",
            "INSERT INTO KX_INTO_OUT_MONEY_TABLE(MONEY_RECORD_ID,MONEY_ID,MONEY_TYPE_ID,"
            "MONEY_ACCOUNT_ID,MONEY_DATE,MONEY_INTO_NUMBER,MONEY_OUT_NUMBER) VALUES("
            "'070305101011','200703000002','001001','001','03/05/2007',0,20.25)",
            "INSERT INTO KX_EMPLOYEE_TABLE(COMPANY_ID,EMPLOYEE_RECORD_ID,EMPLOYEE_ID,EMPLOYEE_NAME)"
            " VALUES('G001001','E1','001','张三')",
            "INSERT INTO KX_EMPLOYEE_MASTER_FILE_TABLE(EMPLOYEE_RECORD_ID,FILE_RECORD_ID,"
            "FILE_TITLE_NAME) VALUES('E1','F1','合同')",
            "INSERT INTO KX_EMPLOYEE_MASTER_FILE_TABLE(EMPLOYEE_RECORD_ID,FILE_RECORD_ID,"
            "FILE_TITLE_NAME) VALUES('E9','F2','孤儿')",
            "INSERT INTO KX_MONEY_TEXT_FIELD1_TABLE(MONEY_TEXT_FIELD1) VALUES('现金支票')",
            "INSERT INTO KX_MONEY_TEXT_FIELD1_TABLE(MONEY_TEXT_FIELD1) VALUES('ABC')",
        });
    }

    QString Run(const Shape& shape) {
        TQuery* query = NewQuery(QString::fromUtf8(shape.sql), false);
        query->SetParamCheck(false);
        if (!*shape.column) {
            query->ExecSQL();
            return QString::number(query->RowsAffected());
        }
        query->Open();
        QStringList values;
        for (; !query->Eof(); query->Next())
            values.append(std::strcmp(shape.column, "0") == 0
                              ? query->Fields()[0]->AsString()
                              : query->FieldByName(QString::fromUtf8(shape.column))->AsString());
        return values.join(u',');
    }
};

TEST_F(StatementShapeTest, AnswersEveryShapeTheWindowsSend) {
    const Shape shapes[] = {
        {"SELECT  Count(USE_ID) from SYS_USER_TABLE WHERE  SYS_USER ='是'", "0", "1"},
        {"SELECT  USE_ID,USE_NAME,SYS_USER,STOP_RIGHT from SYS_USER_TABLE where ((USE_ID = 'G001')"
         " OR (USE_NAME = 'G001')) AND STOP_RIGHT ='有效'",
         "USE_NAME", "张三"},
        {"select use_name from sys_user_table where use_id = 'G001'", "USE_NAME", "张三"},
        {"SELECT  *  FROM  SYS_USER_TABLE.DB", "CREATE_DATE", "2007-03-01"},
        {"SELECT COUNT(USE_ID) FROM SYS_USER_TABLE WHERE (USE_ID = 'G001') = True AND "
         "(USE_ID = 'G002') = False",
         "0", "1"},
        {"SELECT MAX(SubString(MONEY_ID FROM 7 FOR 6)) From KX_INTO_OUT_MONEY_TABLE WHERE "
         "SubString(MONEY_ID FROM 1 FOR 6)= '200703'",
         "0", "000002"},
        {"SELECT MAX(SubString(MONEY_TYPE_ID FROM 4 FOR 3)) From KX_MONEY_INTO_OUT_TYPE_TABLE "
         "WHERE SubString(MONEY_TYPE_ID FROM 1 FOR 3) = '001'",
         "0", "001"},
        {"SELECT MAX(ORDER_ID) From KX_MONEY_ACCOUNT_TABLE", "0", "2"},
        {"SELECT A.MONEY_ID FROM KX_INTO_OUT_MONEY_TABLE A WHERE  SUBSTRING(A.MONEY_TYPE_ID FROM "
         "1  FOR  3) = '001' ORDER BY A.MONEY_ID",
         "MONEY_ID", "200703000001,200703000002"},
        {"SELECT COMPANY_NAME FROM SYS_COMPANY_TABLE B WHERE  SUBSTRING(B.COMPANY_ID FROM  1  "
         "FOR  4) = 'G001' ORDER BY COMPANY_ID",
         "COMPANY_NAME", "岚衡软件有限公司,财务部"},
        {"SELECT COMPANY_ID,COMPANY_NAME,ORDER_ID FROM SYS_COMPANY_TABLE WHERE PRIOR_ID = 'G001'",
         "COMPANY_ID", "G001001"},
        {"SELECT PRIOR_ID,COMPANY_NAME FROM SYS_COMPANY_TABLE WHERE COMPANY_ID = 'G009'",
         "PRIOR_ID", ""},
        {"SELECT AUTO_ID FROM SYS_ID_TABLE WHERE NAME_ID = '分类编号'", "AUTO_ID", "2"},
        {"SELECT COUNT(AUTO_ID) FROM SYS_ID_TABLE WHERE NAME_ID = '借贷编号'", "0", "0"},
        {"SELECT COUNT(MONEY_ACCOUNT_ID) FROM KX_MONEY_DAY_TABLE WHERE MONEY_ACCOUNT_ID ='001'",
         "0", "2"},
        {"SELECT Count(MONEY_ACCOUNT_ID) FROM KX_MONEY_MONTH_TABLE WHERE MONEY_ACCOUNT_ID = '001' "
         "AND MONEY_START_DATE <= '03/05/2007' AND MONEY_END_DATE >= '03/05/2007'",
         "0", "1"},
        {"SELECT MAX(MONEY_DAY_DATE) FROM KX_MONEY_DAY_TABLE WHERE MONEY_DAY_DATE < '03/06/2007' "
         "AND MONEY_ACCOUNT_ID = '001'",
         "0", "2007-03-05"},
        {"SELECT MAX(MONEY_MONTH) FROM KX_MONEY_MONTH_TABLE WHERE MONEY_MONTH < '2007年04月'", "0",
         "2007年03月"},
        {"SELECT MAX(MONEY_MONTH) FROM KX_MONEY_MONTH_TABLE WHERE MONEY_MONTH < '2000年01月'", "0",
         ""},
        {"SELECT TODAY_DAY_MONEY FROM KX_MONEY_DAY_TABLE WHERE MONEY_DAY_DATE = '03/05/2007' AND "
         "MONEY_ACCOUNT_ID = '001'",
         "TODAY_DAY_MONEY", "130"},
        {"SELECT COUNT(MONEY_ID) AS N FROM KX_INTO_OUT_MONEY_TABLE WHERE   EXTRACT(YEAR FROM "
         "MONEY_DATE) =2007 AND extract(month FROM MONEY_DATE) = 3 AND EXTRACT ( DAY from "
         "MONEY_DATE ) = 5",
         "N", "2"},
        {"SELECT FILE_RECORD_ID,FILE_TITLE_NAME FROM KX_EMPLOYEE_MASTER_FILE_TABLE WHERE "
         "NOT(EMPLOYEE_RECORD_ID IN( SELECT EMPLOYEE_RECORD_ID FROM KX_EMPLOYEE_TABLE))",
         "FILE_TITLE_NAME", "孤儿"},
        {"SELECT MONEY_TEXT_FIELD1 FROM KX_MONEY_TEXT_FIELD1_TABLE WHERE MONEY_TEXT_FIELD1  LIKE "
         "'%现金%' ORDER BY MONEY_TEXT_FIELD1",
         "MONEY_TEXT_FIELD1", "现金支票"},
        {"SELECT MONEY_TEXT_FIELD1 FROM KX_MONEY_TEXT_FIELD1_TABLE WHERE MONEY_TEXT_FIELD1  LIKE "
         "'%abc%'",
         "MONEY_TEXT_FIELD1", ""},
        {"SELECT DISTINCT B.ORDER_ID,B.MONEY_ACCOUNT_NAME,A.* FROM KX_MONEY_DAY_TABLE A,"
         "KX_MONEY_ACCOUNT_TABLE B WHERE A.MONEY_ACCOUNT_ID = B.MONEY_ACCOUNT_ID ORDER BY "
         "B.ORDER_ID,A.MONEY_DAY_DATE",
         "MONEY_DAY_DATE", "2007-03-05,2007-03-06,2008-01-02"},
        {"SELECT MONEY_TYPE_ID,SUM(MONEY_INTO_NUMBER) AS MONEY_INTO_NUMBER,SUM(MONEY_OUT_NUMBER) "
         "AS MONEY_OUT_NUMBER, (SUM(MONEY_INTO_NUMBER) - SUM(MONEY_OUT_NUMBER)) AS "
         "MONEY_SUM_NUMBER FROM KX_INTO_OUT_MONEY_TABLE WHERE  MONEY_ACCOUNT_ID = '001' GROUP BY "
         "MONEY_TYPE_ID  ",
         "MONEY_SUM_NUMBER", "29.75"},
        {"SELECT MONEY_ACCOUNT_NAME FROM KX_MONEY_ACCOUNT_TABLE WHERE ORDER_ID='2'",
         "MONEY_ACCOUNT_NAME", "银行"},
        {"SELECT MONEY_ACCOUNT_ID,MONEY_ACCOUNT_NAME,ORDER_ID FROM KX_MONEY_ACCOUNT_TABLE  ORDER "
         "BY ORDER_ID",
         "MONEY_ACCOUNT_NAME", "现金,银行"},
        {"UPDATE KX_MONEY_DAY_TABLE SET INTO_DAY_MONEY = INTO_DAY_MONEY - -20.5 WHERE "
         "MONEY_ACCOUNT_ID ='001' AND MONEY_DAY_DATE = '03/05/2007'",
         "", "1"},
        {"UPDATE KX_MONEY_DAY_TABLE SET INTO_DAY_MONEY = INTO_DAY_MONEY --0.5 WHERE "
         "MONEY_ACCOUNT_ID ='001' AND MONEY_DAY_DATE = '03/05/2007'",
         "", "1"},
        {"SELECT INTO_DAY_MONEY FROM KX_MONEY_DAY_TABLE WHERE MONEY_DAY_DATE = '03/05/2007'",
         "INTO_DAY_MONEY", "71"},
        {"UPDATE KX_MONEY_MONTH_TABLE SET PRIOR_MONTH_MONEY = PRIOR_MONTH_MONEY + 12.5 WHERE "
         "MONEY_ACCOUNT_ID = '001'",
         "", "1"},
        {"INSERT INTO SYS_ID_TABLE(NAME_ID,AUTO_ID) VALUES('借贷编号','是')", "", "1"},
        {"UPDATE SYS_ID_TABLE SET AUTO_ID = '3'  WHERE NAME_ID = '分类编号'", "", "1"},
        {"Update SYS_USER_TABLE set USE_PASSWORD  = '123' WHERE USE_ID = 'G001'", "", "1"},
        {"INSERT INTO KX_MONEY_MONTH_TABLE(STATUS,MONEY_MONTH,MONEY_ACCOUNT_ID,MONEY_START_DATE,"
         "MONEY_END_DATE,PRIOR_MONTH_MONEY,INTO_MONTH_MONEY,OUT_MONTH_MONEY,TODAY_MONTH_MONEY,"
         "CREATE_NAME,CREATE_DATE) VALUES('未审核','2007年04月','001','04/01/2007','04/30/2007',"
         "30,0,0,30,'张三','04/01/2007')",
         "", "1"},
        {"SELECT MONEY_START_DATE,MONEY_END_DATE FROM KX_MONEY_MONTH_TABLE WHERE MONEY_ACCOUNT_ID "
         "= '001' ORDER BY MONEY_MONTH",
         "MONEY_END_DATE", "2007-03-31,2007-04-30"},
        {"UPDATE KX_MONEY_DAY_TABLE SET PRIOR_DAY_MONEY = PRIOR_DAY_MONEY + 5.00,TODAY_DAY_MONEY "
         "= TODAY_DAY_MONEY + 5.00 WHERE MONEY_DAY_DATE > '03/05/2007' AND MONEY_ACCOUNT_ID = "
         "'001'",
         "", "1"},
        {"SELECT A.TODAY_DAY_MONEY FROM KX_MONEY_DAY_TABLE A WHERE A.MONEY_DAY_DATE BETWEEN "
         "'3/1/2007' AND '3/31/2007' ORDER BY A.MONEY_DAY_DATE",
         "TODAY_DAY_MONEY", "130,135"},
        {"SELECT COUNT(*) FROM KX_INTO_OUT_MONEY_TABLE WHERE MONEY_ACCOUNT_ID = '001' AND "
         "MONEY_DATE "
         ">= '03/01/2007' AND MONEY_DATE <= '03/31/2007'",
         "0", "2"},
        // Text that reads like a date is stored, compared and found as typed.
        {"INSERT INTO KX_MONEY_INTO_OUT_TYPE_TABLE(MONEY_TYPE_ID,PRIOR_ID,MONEY_TYPE_NAME,ORDER_ID,"
         "CREATE_NAME,CREATE_DATE) VALUES('002','G001','3/5/2007',2,'3/5/2007','3/5/2007')",
         "", "1"},
        {"SELECT MONEY_TYPE_NAME || '|' || CREATE_NAME || '|' || CREATE_DATE FROM "
         "KX_MONEY_INTO_OUT_TYPE_TABLE WHERE MONEY_TYPE_NAME='3/5/2007' AND CREATE_DATE = "
         "'3/5/2007'",
         "0", "3/5/2007|3/5/2007|2007-03-05"},
        {"UPDATE SYS_ID_TABLE SET AUTO_ID = '1/2/2007'  WHERE NAME_ID = '分类编号'", "", "1"},
        {"SELECT AUTO_ID FROM SYS_ID_TABLE WHERE NAME_ID = '分类编号'", "AUTO_ID", "1/2/2007"},
        {"INSERT INTO KX_MONEY_TEXT_FIELD1_TABLE(MONEY_TEXT_FIELD1,CREATE_DATE) VALUES("
         "'12/31/2007','12/31/2007')",
         "", "1"},
        {"UPDATE KX_MONEY_TEXT_FIELD1_TABLE SET EDIT_DATE = '1/2/2008' WHERE MONEY_TEXT_FIELD1 "
         "='12/31/2007'",
         "", "1"},
        {"SELECT EDIT_DATE FROM KX_MONEY_TEXT_FIELD1_TABLE WHERE MONEY_TEXT_FIELD1='12/31/2007' "
         "AND CREATE_DATE='12/31/2007'",
         "EDIT_DATE", "2008-01-02"},
        {"DELETE FROM KX_MONEY_DAY_TABLE WHERE   EXTRACT(YEAR FROM MONEY_DAY_DATE) =2008", "", "1"},
        {"DELETE FROM KX_MONEY_MONTH_TABLE WHERE  SUBSTRING(MONEY_MONTH FROM 1  FOR 4) ='2007'", "",
         "2"},
        {"DELETE FROM KX_INTO_OUT_MONEY_SUM_TABLE", "", "0"},
        {"DELETE  FROM SYS_USER_TABLE WHERE USE_ID = 'G001'", "", "1"},
        {"delete from SYS_COMPANY_TABLE where COMPANY_ID = 'G001001' and PRIOR_ID = 'G001'", "",
         "1"},
    };
    for (const Shape& shape : shapes) {
        SCOPED_TRACE(shape.sql);
        EXPECT_EQ(Run(shape), QString::fromUtf8(shape.expected));
    }
}

} // namespace
} // namespace kx::db::test
