#include "platform/db/field.h"

#include "platform/db/fieldtypes.h"
#include "platform/db/variants.h"
#include "tests/platform/db/dbfixture.h"

#include <functional>
#include <tuple>

namespace kx::db::test {
namespace {

class FieldTest : public DbTest {
protected:
    void SetUp() override {
        Exec({"CREATE TABLE KX_TYPES_TABLE (ID INTEGER PRIMARY KEY, NAME VARCHAR(6) COLLATE "
              "CP936, AMOUNT REAL, COUNTER INTEGER, SMALL SMALLINT, FLAG BOOLEAN, DAY DATE, "
              "STAMP DATETIME, CLOCK TIME, NOTE MEMO, PICTURE BLOB)",
              "INSERT INTO KX_TYPES_TABLE (ID) VALUES (1)"});
        query_ = NewQuery("SELECT * FROM KX_TYPES_TABLE");
        query_->Open();
        query_->Edit();
    }

    TField* Field(const char* name) const { return query_->FieldByName(name); }

    TQuery* query_ = nullptr;
};

TEST_F(FieldTest, TypesComeFromTheDeclaredColumns) {
    const std::pair<const char*, TFieldType> expected[] = {
        {"ID", ftInteger},   {"NAME", ftString},  {"AMOUNT", ftFloat},   {"SMALL", ftSmallint},
        {"FLAG", ftBoolean}, {"DAY", ftDate},     {"STAMP", ftDateTime}, {"CLOCK", ftTime},
        {"NOTE", ftMemo},    {"PICTURE", ftBlob},
    };
    for (const auto& [name, type] : expected) {
        SCOPED_TRACE(name);
        EXPECT_EQ(Field(name)->DataType(), type);
    }
    EXPECT_EQ(Field("NAME")->Size(), 6);
    EXPECT_EQ(Field("NAME")->DisplayWidth(), 6);
    EXPECT_EQ(Field("AMOUNT")->Alignment(), taRightJustify);
    EXPECT_EQ(Field("NAME")->Alignment(), taLeftJustify);
    EXPECT_TRUE(Field("AMOUNT")->IsValidChar(u'.'));
    EXPECT_FALSE(Field("COUNTER")->IsValidChar(u'.'));
}

struct TextCase {
    const char* name;
    const char* field;
    std::function<void(TField*)> set;
    const char* asString;
    const char* text;
    const char* displayText;
};

TEST_F(FieldTest, ValuesReadBackInTheTextFormsTheWindowsUse) {
    const TextCase cases[] = {
        {"float", "AMOUNT", [](TField* f) { f->SetAsFloat(1234.5); }, "1234.5", "1234.5", "1234.5"},
        {"no trailing zero", "AMOUNT", [](TField* f) { f->SetAsFloat(5); }, "5", "5", "5"},
        {"15 significant digits", "AMOUNT", [](TField* f) { f->SetAsFloat(0.1 + 0.2); }, "0.3",
         "0.3", "0.3"},
        {"text with blanks", "AMOUNT", [](TField* f) { f->SetAsString(" 12.5 "); }, "12.5", "12.5",
         "12.5"},
        {"display format decides the text", "AMOUNT",
         [](TField* f) {
             f->SetDisplayFormat("#,##0.00");
             f->SetAsFloat(1234.5);
         },
         "1234.5", "1,234.50", "1,234.50"},
        {"edit format for the text", "AMOUNT",
         [](TField* f) {
             f->SetDisplayFormat("#,##0.00");
             f->SetEditFormat("0.########");
             f->SetAsFloat(1234.5);
         },
         "1234.5", "1234.5", "1,234.50"},
        {"integer", "COUNTER", [](TField* f) { f->SetAsString("42"); }, "42", "42", "42"},
        {"integer from a float", "COUNTER", [](TField* f) { f->SetAsFloat(41.6); }, "42", "42",
         "42"},
        {"boolean", "FLAG", [](TField* f) { f->SetAsBoolean(true); }, "True", "True", "True"},
        {"boolean text", "FLAG", [](TField* f) { f->SetAsString("f"); }, "False", "False", "False"},
        {"date", "DAY", [](TField* f) { f->SetAsString("2007-3-5"); }, "2007-03-05", "2007-03-05",
         "2007-03-05"},
        {"date display format", "DAY",
         [](TField* f) {
             f->SetDisplayFormat("yyyy年mm月dd日");
             f->SetValue(QDate(2007, 3, 5));
         },
         "2007-03-05", "2007-03-05", "2007年03月05日"},
        {"date serial", "DAY",
         [](TField* f) { f->SetValue(double(QDate(1899, 12, 30).daysTo(QDate(2007, 3, 5)))); },
         "2007-03-05", "2007-03-05", "2007-03-05"},
        {"date and time", "STAMP",
         [](TField* f) { f->SetAsDateTime(QDateTime(QDate(2007, 3, 5), QTime(8, 9, 10))); },
         "2007-03-05 08:09:10", "2007-03-05 08:09:10", "2007-03-05 08:09:10"},
        {"time", "CLOCK", [](TField* f) { f->SetAsString("8:09"); }, "08:09:00", "08:09:00",
         "08:09:00"},
        {"memo", "NOTE", [](TField* f) { f->SetAsString("长文本"); }, "长文本", "(MEMO)", "(MEMO)"},
        {"empty memo", "NOTE", [](TField* f) { f->Clear(); }, "", "(Memo)", "(Memo)"},
        {"blob", "PICTURE", [](TField* f) { f->SetAsBytes("\x01\x02"); }, "\x01\x02", "(BLOB)",
         "(BLOB)"},
        {"empty text", "NAME", [](TField* f) { f->SetAsString(""); }, "", "", ""},
        {"cleared number", "AMOUNT", [](TField* f) { f->SetAsString(""); }, "", "", ""},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.name);
        TField* field = Field(c.field);
        field->SetDisplayFormat({});
        field->SetEditFormat({});
        c.set(field);
        EXPECT_EQ(field->AsString(), QString::fromUtf8(c.asString));
        EXPECT_EQ(field->Text(), QString::fromUtf8(c.text));
        EXPECT_EQ(field->DisplayText(), QString::fromUtf8(c.displayText));
    }
}

// Rows as the file holds them, shown without an edit in between: the texts
// a list forms for every row straight from the stored values.
TEST_F(FieldTest, StoredValuesShowAsTheirTypesFormThem) {
    struct Case {
        const char* name;
        const char* stored;
        const char* day;
        const char* amount;
        const char* text;
        const char* formatted;
    };
    const Case cases[] = {
        {"month end", "'2007-04-30', 1234.5, 'ab'", "2007-04-30", "1234.5", "ab", "1,234.50"},
        {"year end", "'2008-12-31', -1234.5, '张三'", "2008-12-31", "-1234.5", "张三", "-1,234.50"},
        {"leap day", "'2008-02-29', 0.005, ' x '", "2008-02-29", "0.005", " x ", "0.01"},
        {"no leap day", "'2007-02-29', -0.005, ''", "", "-0.005", "", "-0.01"},
        {"first year", "'0001-01-01', 0, NULL", "0001-01-01", "0", "", "0.00"},
        {"year zero", "'0000-01-15', -0.0, NULL", "", "0", "", "0.00"},
        {"not the stored form", "'2007-3-5', 2.675, NULL", "", "2.675", "", "2.68"},
        {"with a time", "'2007-03-05 08:09:10', 1e15, NULL", "2007-03-05", "1E15", "",
         "1,000,000,000,000,000.00"},
        {"integer stored", "'9999-12-31', 42, NULL", "9999-12-31", "42", "", "42.00"},
        {"not a date", "'abc', 'abc', NULL", "", "", "", ""},
        {"empty", "'', '', NULL", "", "", "", ""},
        {"null", "NULL, NULL, NULL", "", "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Exec({"DELETE FROM KX_TYPES_TABLE",
              QStringLiteral("INSERT INTO KX_TYPES_TABLE (ID, DAY, AMOUNT, NAME) VALUES (1, %1)")
                  .arg(QString::fromUtf8(c.stored))});
        query_->Close();
        query_->Open();
        Field("AMOUNT")->SetDisplayFormat({});
        EXPECT_EQ(Field("DAY")->DisplayText(), QString::fromUtf8(c.day));
        EXPECT_EQ(Field("DAY")->Text(), QString::fromUtf8(c.day));
        EXPECT_EQ(Field("AMOUNT")->DisplayText(), QString::fromUtf8(c.amount));
        EXPECT_EQ(Field("NAME")->DisplayText(), QString::fromUtf8(c.text));
        Field("AMOUNT")->SetDisplayFormat("#,##0.00");
        EXPECT_EQ(Field("AMOUNT")->DisplayText(), QString::fromUtf8(c.formatted));
        Field("DAY")->SetDisplayFormat("yyyy年m月d日");
        EXPECT_EQ(Field("DAY")->Text(), QString::fromUtf8(c.day));
        Field("DAY")->SetDisplayFormat({});
    }
}

TEST_F(FieldTest, TextThatDoesNotConvertRaisesAndKeepsTheValue) {
    struct BadText {
        const char* field;
        const char* text;
        const char* message;
    };
    const BadText cases[] = {
        {"AMOUNT", "abc", "'abc' is not a valid floating point value"},
        {"AMOUNT", "1,234", "'1,234' is not a valid floating point value"},
        {"COUNTER", "4.5", "'4.5' is not a valid integer value"},
        {"DAY", "2007/13/45", "'2007/13/45' is not a valid date"},
    };
    Field("AMOUNT")->SetAsFloat(7);
    Field("COUNTER")->SetAsInteger(7);
    Field("DAY")->SetAsString("2007-01-07");
    for (const BadText& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            Field(c.field)->SetText(c.text);
            FAIL();
        } catch (const EConvertError& error) {
            EXPECT_EQ(error.Message(), QString::fromUtf8(c.message));
        }
    }
    EXPECT_EQ(Field("AMOUNT")->AsFloat(), 7);
    EXPECT_EQ(Field("COUNTER")->AsInteger(), 7);
    EXPECT_EQ(Field("DAY")->AsString(), "2007-01-07");
    EXPECT_THROW(Field("SMALL")->SetAsInteger(40000), EDatabaseError);
    EXPECT_THROW(Field("FLAG")->SetAsString("maybe"), EDatabaseError);
}

TEST_F(FieldTest, NullIsKeptApartFromEmptyTextAndUnassigned) {
    EXPECT_TRUE(Field("AMOUNT")->IsNull());
    EXPECT_TRUE(VarIsNull(Field("AMOUNT")->Value()));
    EXPECT_FALSE(VarIsEmpty(Field("AMOUNT")->Value()));
    Field("NAME")->SetAsString("");
    Field("AMOUNT")->SetAsFloat(0);
    EXPECT_TRUE(Field("NAME")->IsNull());
    EXPECT_FALSE(Field("AMOUNT")->IsNull());
    query_->Post();
    EXPECT_EQ(Column("SELECT COUNT(*) FROM KX_TYPES_TABLE WHERE NAME = '' AND AMOUNT = 0"),
              QStringList({"1"}));
    EXPECT_EQ(Column("SELECT COUNT(*) FROM KX_TYPES_TABLE WHERE COUNTER IS NULL"),
              QStringList({"1"}));
}

TEST_F(FieldTest, StoredFormsAreWhatSqlCompares) {
    Field("FLAG")->SetAsBoolean(true);
    Field("DAY")->SetAsString("2007-3-5");
    Field("STAMP")->SetAsString("2007-03-05 8:09:10");
    query_->Post();
    EXPECT_EQ(Column("SELECT ID FROM KX_TYPES_TABLE WHERE FLAG = True AND DAY = '03/05/2007' AND "
                     "STAMP > '2007-03-05'"),
              QStringList({"1"}));
}

TEST_F(FieldTest, OldValueIsTheValueBeforeTheEdit) {
    Field("NAME")->SetAsString("张三");
    query_->Post();
    query_->Edit();
    Field("NAME")->SetAsString("李四");
    EXPECT_EQ(Field("NAME")->OldValue().toString(), "张三");
    EXPECT_EQ(Field("NAME")->AsString(), "李四");
}

TEST_F(FieldTest, TextTooLongForItsColumnIsRefusedWith10029) {
    Field("NAME")->SetAsString("张三四");
    query_->Post();
    query_->Edit();
    Field("NAME")->SetAsString("张三四五");
    try {
        query_->Post();
        FAIL();
    } catch (const EDBEngineError& error) {
        EXPECT_EQ(error.Errors().first().ErrorCode, kErrValueTooLarge);
        EXPECT_EQ(error.Errors().first().NativeError, 0);
    }
    EXPECT_EQ(query_->State(), dsEdit);
    EXPECT_EQ(Column("SELECT NAME FROM KX_TYPES_TABLE"), QStringList({"张三四"}));
}

TEST_F(FieldTest, ValuesLargerThanAStorageBlockSurviveTheRoundTrip) {
    QByteArray picture(600 * 1024, '\0');
    for (int i = 0; i < picture.size(); ++i)
        picture[i] = static_cast<char>(i * 7);
    const QString note(100 * 1024, u'长');
    Field("PICTURE")->SetAsBytes(picture);
    Field("NOTE")->SetAsString(note);
    query_->Post();
    query_->Close();
    query_->Open();
    EXPECT_EQ(Field("PICTURE")->AsBytes(), picture);
    EXPECT_EQ(Field("NOTE")->AsString(), note);
}

TEST_F(FieldTest, ValidateCanRefuseAValue) {
    Field("NAME")->OnValidate = [](TField* field) {
        if (field->AsString() == "x")
            throw EDatabaseError("no x");
    };
    QStringList changes;
    Field("NAME")->OnChange = [&](TField* field) { changes << field->AsString(); };
    Field("NAME")->SetAsString("a");
    EXPECT_THROW(Field("NAME")->SetAsString("x"), EDatabaseError);
    EXPECT_EQ(Field("NAME")->AsString(), "a");
    EXPECT_EQ(changes, QStringList({"a"}));
}

TEST_F(FieldTest, GetAndSetTextHandlersReplaceTheConversion) {
    Field("NAME")->OnGetText = [](TField* field, QString& text, bool display) {
        text = (display ? "D:" : "E:") + field->AsString();
    };
    Field("NAME")->OnSetText = [](TField* field, const QString& text) {
        field->SetAsString(text.toUpper());
    };
    Field("NAME")->SetText("ab");
    EXPECT_EQ(Field("NAME")->AsString(), "AB");
    EXPECT_EQ(Field("NAME")->Text(), "E:AB");
    EXPECT_EQ(Field("NAME")->DisplayText(), "D:AB");
}

// Browsing, the fields read the record's packed row in place; editing, they
// read the edit buffer. Both must give the same answers, for stored values
// of the column's own kind and of others.
TEST_F(FieldTest, BrowsingAndEditingReadAlike) {
    query_->Cancel();
    Exec({"INSERT INTO KX_TYPES_TABLE (ID, NAME, AMOUNT, COUNTER, FLAG, DAY, STAMP, NOTE, "
          "PICTURE) VALUES (2, '', 7, 12, 1, '2007-03-05', '2007-03-05 08:09:10', '备注', "
          "x'00ff')",
          "INSERT INTO KX_TYPES_TABLE (ID, NAME, AMOUNT, COUNTER, DAY, CLOCK) VALUES (3, '张三', "
          "'abc', 2.6, '3/5/2007 x', '08:09:10')"});
    query_->Close();
    query_->Open();
    const char* names[] = {"ID",  "NAME",  "AMOUNT", "COUNTER", "SMALL",  "FLAG",
                           "DAY", "STAMP", "CLOCK",  "NOTE",    "PICTURE"};
    const auto read = [this](const char* name) {
        TField* field = Field(name);
        const bool number = field->DataType() == ftFloat || field->DataType() == ftInteger;
        return std::make_tuple(field->AsString(), field->IsNull(), field->Value(),
                               number ? field->AsFloat() : 0.0);
    };
    for (; !query_->Eof(); query_->Next()) {
        for (const char* name : names) {
            SCOPED_TRACE(testing::Message() << "row " << query_->RecNo() << " " << name);
            const auto browsing = read(name);
            query_->Edit();
            EXPECT_EQ(read(name), browsing);
            query_->Cancel();
        }
    }
}

TEST_F(FieldTest, ValuesCannotBeSetOutsideEditing) {
    query_->Cancel();
    EXPECT_THROW(Field("NAME")->SetAsString("a"), EDatabaseError);
    Field("NAME")->SetReadOnly(true);
    query_->Edit();
    EXPECT_THROW(Field("NAME")->SetAsString("a"), EDatabaseError);
}

// Persistent fields made by a window: a subset of the columns, a field
// looked up in another data set and a calculated one.
class PersistentFieldTest : public DbTest {
protected:
    void SetUp() override {
        Exec({"INSERT INTO SYS_COMPANY_TABLE (COMPANY_ID, PRIOR_ID, COMPANY_NAME) VALUES ('G001', "
              "'G002', '总公司')",
              "INSERT INTO SYS_COMPANY_TABLE (COMPANY_ID, PRIOR_ID, COMPANY_NAME) VALUES "
              "('G001001', 'G001', '财务部')",
              "INSERT INTO KX_EMPLOYEE_TABLE (COMPANY_ID, EMPLOYEE_RECORD_ID, EMPLOYEE_ID, "
              "EMPLOYEE_NAME) VALUES ('G001001', 'R1', 'E1', '张三')",
              "INSERT INTO KX_EMPLOYEE_TABLE (COMPANY_ID, EMPLOYEE_RECORD_ID, EMPLOYEE_ID, "
              "EMPLOYEE_NAME) VALUES ('G009', 'R2', 'E2', '李四')"});
        departments_ = NewQuery("SELECT * FROM SYS_COMPANY_TABLE");
        departments_->Open();
        employees_ = NewQuery("SELECT * FROM KX_EMPLOYEE_TABLE ORDER BY EMPLOYEE_ID");
        employees_->SetCachedUpdates(true);
        companyId_ = Add(new TStringField(&owner_), "COMPANY_ID", fkData);
        name_ = Add(new TStringField(&owner_), "EMPLOYEE_NAME", fkData);
        department_ = Add(new TStringField(&owner_), "COMPANY_NAME", fkLookup);
        department_->SetLookupDataSet(departments_);
        department_->SetKeyFields("COMPANY_ID");
        department_->SetLookupKeyFields("COMPANY_ID");
        department_->SetLookupResultField("COMPANY_NAME");
        label_ = Add(new TStringField(&owner_), "LABEL", fkCalculated);
        employees_->OnCalcFields = [this](TDataSet*) {
            label_->SetAsString(name_->AsString() + "@" + department_->AsString());
        };
    }

    TField* Add(TField* field, const char* name, TFieldKind kind) {
        field->SetFieldName(name);
        field->SetFieldKind(kind);
        field->SetDataSet(employees_);
        return field;
    }

    TQuery* departments_ = nullptr;
    TQuery* employees_ = nullptr;
    TField* companyId_ = nullptr;
    TField* name_ = nullptr;
    TField* department_ = nullptr;
    TField* label_ = nullptr;
};

TEST_F(PersistentFieldTest, LookedUpAndCalculatedValuesFollowTheRecord) {
    employees_->Open();
    EXPECT_FALSE(employees_->DefaultFields());
    EXPECT_EQ(employees_->FieldCount(), 4);
    EXPECT_EQ(name_->Size(), 20);
    EXPECT_EQ(department_->AsString(), "财务部");
    EXPECT_EQ(label_->AsString(), "张三@财务部");
    employees_->Next();
    EXPECT_TRUE(department_->IsNull());
    EXPECT_EQ(label_->AsString(), "李四@");

    employees_->Edit();
    companyId_->SetAsString("G001");
    EXPECT_EQ(department_->AsString(), "总公司");
    department_->SetAsString("shown while editing");
    EXPECT_EQ(department_->AsString(), "shown while editing");
    EXPECT_THROW(label_->SetAsString("x"), EDatabaseError);
    employees_->Post();
    EXPECT_EQ(department_->AsString(), "总公司");
    EXPECT_EQ(employees_->Lookup("EMPLOYEE_NAME", "张三", "LABEL").toString(), "张三@财务部");
}

TEST_F(PersistentFieldTest, AMissingColumnStopsTheOpen) {
    Add(new TStringField(&owner_), "NO_SUCH_COLUMN", fkData);
    try {
        employees_->Open();
        FAIL();
    } catch (const EDatabaseError& error) {
        EXPECT_EQ(error.Message(), "Field 'NO_SUCH_COLUMN' not found");
    }
    EXPECT_FALSE(employees_->Active());
}

TEST_F(PersistentFieldTest, FieldsOutliveTheirDataSetAndLeaveIt) {
    employees_->Open();
    delete name_;
    EXPECT_EQ(employees_->FieldCount(), 3);
    EXPECT_EQ(employees_->FindField("EMPLOYEE_NAME"), nullptr);
    EXPECT_THROW(department_->SetDataSet(nullptr), EDatabaseError);
    employees_->Close();
    department_->SetDataSet(nullptr);
    EXPECT_EQ(employees_->FieldCount(), 2);
}

} // namespace
} // namespace kx::db::test
