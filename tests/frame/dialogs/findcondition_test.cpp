#include "frame/dialogs/findcondition.h"

#include "tests/frame/controlsfixture.h"

namespace kx {
namespace {

struct ConditionCase {
    const char* name;
    TFieldsData field;
    TFindInput input;
    QString piece = {};  // when accepted
    QString prompt = {}; // when refused
    TFindFocus focus = TFindFocus::None;
};

TFieldsData Field(const QString& kind, const QString& typeCode, const QString& name = "NAME",
                  const QString& findKey = QString(), const QString& alias = QString()) {
    TFieldsData field;
    field.FieldName = name;
    field.DisplayLabel = "名称";
    field.FindKind = kind;
    field.TypeCode = typeCode;
    field.FindKey = findKey;
    field.TableAlias = alias;
    return field;
}

TFieldsData SubSelectField(const QString& typeCode) {
    TFieldsData field = Field("DS", typeCode, "MONEY_RECORD_ID", "A.MONEY_RECORD_ID");
    field.SubTable = "KX_EMPLOYEE_TABLE";
    field.SubSelectColumn = "EMPLOYEE_RECORD_ID";
    field.SubWhereColumn = "EMPLOYEE_NAME";
    return field;
}

TFindInput In(const QString& relation, QString text = QString()) {
    TFindInput input;
    input.SqlRelation = relation;
    input.Text = text;
    return input;
}

TFindInput Simple(TFindInput input) {
    input.Simple = true;
    return input;
}

TFindInput Dialect(TFindInput input, TSqlType type) {
    input.SqlType = type;
    return input;
}

TFindInput YearMonth(const QString& relation, const QString& year, const QString& month) {
    TFindInput input = In(relation);
    input.Year = year;
    input.Month = month;
    return input;
}

TFindInput DateBox(const QString& relation, const QString& text, const QString& pickedValue = {},
                   const QString& pickedId = {}) {
    TFindInput input = In(relation);
    input.DateText = text;
    input.PickedValue = pickedValue;
    input.PickedId = pickedId;
    return input;
}

TFindInput Choice(const QString& relation, const QString& text) {
    TFindInput input = In(relation);
    input.ChoiceText = text;
    return input;
}

const QString kKey = "(10000 * EXTRACT(YEAR FROM MONEY_DATE) +100 * EXTRACT(Month FROM "
                     "MONEY_DATE)) + EXTRACT(DAY FROM MONEY_DATE)";
const QString kYearMonth = "100 * EXTRACT(YEAR FROM MONEY_DATE) + EXTRACT(MONTH FROM MONEY_DATE)";
const QString kDateFormat = "错误的日期格式,正确的日期格式如2000年8月8日是:“2000-08-08”";

const ConditionCase kCases[] = {
    // Typed text: quoted, apostrophes doubled; numbers checked.
    {"LikeText", Field("T", "C"), In("Like", "abc"), "NAME Like  '%abc%'"},
    {"QuoteInText", Field("T", "C"), In("=", "O'Neil"), "NAME =  'O''Neil'"},
    {"QuoteCannotEndTheLiteral", Field("T", "C"), In("Like", "x' OR '1'='1"),
     "NAME Like  '%x'' OR ''1''=''1%'"},
    {"Number", Field("T", "N", "MONEY"), In(">=", "12.5"), "MONEY >=  12.5"},
    {"NumberOnSqlServer", Field("T", "N", "MONEY"), Dialect(In(">=", "-3"), urSql_Server),
     "ISNULL(MONEY,0) >=  -3"},
    {"SimpleNumberOnSqlServer", Field("T", "N", "MONEY"),
     Simple(Dialect(In("=", "7"), urSql_Server)), "MONEY = 7"},
    {"ArithmeticIsNoNumber",
     Field("T", "N", "MONEY"),
     In("=", "12-3"),
     {},
     "查找的值必须是数字",
     TFindFocus::TextBox},
    {"ApostropheIsNoNumber",
     Field("T", "N", "MONEY"),
     In("<>", "1'2"),
     {},
     "查找的值必须是数字",
     TFindFocus::TextBox},
    {"MissingText", Field("T", "C"), In("=", "  "), {}, "必须有一个查找的值", TFindFocus::TextBox},
    {"TableAlias", Field("T", "C", "NAME", {}, "A"), In("<>", "x"), "A.NAME <>  'x'"},
    {"SimpleText", Field("T", "C"), Simple(In("=", "张三")), "NAME = '张三'"},
    {"ListTextClosesTheSubSelect", Field("LS", "C"), In("=", "x"), "NAME =  'x') "},
    {"SimpleListText", Field("LS", "C"), Simple(In("=", "x")), "NAME = 'x')"},
    // Year and month.
    {"YearMonthNumber", Field("Y", "D", "MONEY_DATE"), YearMonth("=", "2000", "12"),
     kYearMonth + " =  200012"},
    {"YearMonthNumberNextYear", Field("Y", "D", "MONEY_DATE"), YearMonth(">=", "2001", "02"),
     kYearMonth + " >=  200102"},
    {"YearMonthText", Field("Y", "C", "MONEY_MONTH"), YearMonth("=", "2007", "03"),
     "MONEY_MONTH =  '2007年03月'"},
    {"YearMonthSqlServer", Field("Y", "D", "MONEY_DATE"),
     Dialect(YearMonth("=", "2000", "08"), urSql_Server),
     "100 * Datepart(yy,MONEY_DATE) + Datepart(mm,MONEY_DATE) =  200008"},
    {"YearMonthAccess", Field("Y", "D", "MONEY_DATE"),
     Dialect(YearMonth("=", "2000", "08"), urAccess),
     "100 * YEAR(MONEY_DATE) + MONTH(MONEY_DATE) =  200008"},
    {"YearMissing",
     Field("Y", "D"),
     YearMonth("=", "", "08"),
     {},
     "必须有一个查找的年份",
     TFindFocus::YearBox},
    {"YearShort",
     Field("Y", "D"),
     YearMonth("=", "200", "08"),
     {},
     "错误的年份,正确的年份如2000年是:“2000”",
     TFindFocus::YearBox},
    {"YearNotDigits",
     Field("Y", "D"),
     YearMonth("=", "2'00", "08"),
     {},
     "错误的年份,正确的年份如2000年是:“2000”",
     TFindFocus::YearBox},
    {"MonthMissing",
     Field("Y", "D"),
     YearMonth("=", "2000", " "),
     {},
     "必须有一个查找的月份",
     TFindFocus::MonthBox},
    {"MonthShort",
     Field("Y", "D"),
     YearMonth("=", "2000", "8"),
     {},
     "错误的月份,正确的月份如8月是:“08”",
     TFindFocus::MonthBox},
    // Dates.
    {"DateKey", Field("D", "D", "MONEY_DATE"), DateBox("=", "2000-08-08"), kKey + " =  20000808"},
    {"DateAsText", Field("D", "C", "MONEY_DATE"), DateBox("<=", "2000-08-08"),
     "MONEY_DATE <=  '2000-08-08'"},
    {"SimpleDateAlwaysKey", Field("D", "C", "MONEY_DATE"), Simple(DateBox("=", "2000-08-08")),
     kKey + " = 20000808"},
    {"DateSqlServer", Field("D", "D", "MONEY_DATE"),
     Dialect(DateBox("=", "2000-08-08"), urSql_Server), "MONEY_DATE =   '2000-08-08'"},
    {"DateAccess", Field("D", "D", "MONEY_DATE"), Dialect(DateBox("=", "2000-08-08"), urAccess),
     "(10000 * YEAR(MONEY_DATE) +100 * MONTH(MONEY_DATE)) + DAY(MONEY_DATE) =  20000808"},
    {"DateInSubSelect", Field("DLS", "D", "ID IN (SELECT ID FROM T WHERE", "MONEY_DATE"),
     DateBox("=", "2000-08-08"), "ID IN (SELECT ID FROM T WHERE " + kKey + " =  20000808)"},
    {"DateMissing",
     Field("D", "D"),
     DateBox("=", ""),
     {},
     "必须有一个查找的日期",
     TFindFocus::DateBox},
    {"DateNotTen", Field("D", "D"), DateBox("=", "2000-8-8"), {}, kDateFormat, TFindFocus::DateBox},
    {"DateNoDate",
     Field("D", "D"),
     DateBox("=", "2000-13-45"),
     {},
     kDateFormat,
     TFindFocus::DateBox},
    // Choices.
    {"Choice", Field("B", "C"), Choice("=", "现金"), "NAME =  '现金'"},
    {"ChoiceNumber", Field("B", "N"), Choice("=", "2"), "NAME =  2"},
    {"ChoiceInSubSelect", Field("BLS", "C"), Choice("=", "x"), "NAME =  'x') "},
    {"ChoiceMissing",
     Field("S", "C"),
     Choice("=", ""),
     {},
     "必须有一个查找的值",
     TFindFocus::ChoiceBox},
    // Values picked from the window's pop-up.
    {"SubSelectLike", SubSelectField("C"), DateBox("Like", "张"),
     "A.MONEY_RECORD_ID IN (SELECT EMPLOYEE_RECORD_ID FROM KX_EMPLOYEE_TABLE WHERE "
     "EMPLOYEE_NAME Like  '%张%') "},
    {"SubSelectText", SubSelectField("C"), DateBox("=", "张三"),
     "A.MONEY_RECORD_ID IN (SELECT EMPLOYEE_RECORD_ID FROM KX_EMPLOYEE_TABLE WHERE "
     "EMPLOYEE_NAME =  '张三') "},
    {"SubSelectNumber", SubSelectField("N"), DateBox("=", "5"),
     "A.MONEY_RECORD_ID IN (SELECT EMPLOYEE_RECORD_ID FROM KX_EMPLOYEE_TABLE WHERE "
     "EMPLOYEE_NAME =  5) "},
    {"PickedKey", Field("ESB", "C", "NAME", "MONEY_TYPE_ID"),
     DateBox("=", "办公费", "办公费", "001"), "MONEY_TYPE_ID =  '001'"},
    {"PickedKeyAsPrefix", Field("ES", "C", "NAME", "MONEY_TYPE_ID"),
     DateBox("Like", "办公费", "办公费", "001"), "MONEY_TYPE_ID Like  '001%'"},
    {"PickedKeyInSubSelect", Field("ELS", "C", "NAME", "K"), DateBox("=", "x", "x", "7"),
     "K =  '7')"},
    {"PickedKeyMissing",
     Field("ESB", "C"),
     DateBox("=", "办公费"),
     {},
     "必须从弹出的窗口里选择一个值",
     TFindFocus::DateBox},
    {"PickedKeyChanged",
     Field("ESB", "C"),
     DateBox("=", "办公费用", "办公费", "001"),
     {},
     "选择出来的值不能改变",
     TFindFocus::DateBox},
    {"SimpleHasNoESB", Field("ESB", "C"), Simple(DateBox("=", "x", "x", "1")), ""},
    {"PickedText", Field("DT", "C"), DateBox("=", "张三"), "NAME =  '张三'"},
    {"PickedTextInSubSelect", Field("LDT", "C"), DateBox("Like", "张"), "NAME Like  '%张%')"},
    {"PickedIdAsCondition", Field("BS", "C"), DateBox("=", "现金", "现金", "A.TYPE = 1"),
     "A.TYPE = 1"},
    {"PickedIdClosesSubSelect", Field("LBS", "C", "ID IN (SELECT ID FROM T WHERE "),
     DateBox("=", "x", "x", "Y = 1"), "ID IN (SELECT ID FROM T WHERE Y = 1)"},
    {"PickedIdMissingText",
     Field("BS", "C"),
     DateBox("=", " ", "", "A.TYPE = 1"),
     {},
     "必须有一个查找的值",
     TFindFocus::DateBox},
    {"TypedLike", Field("BT", "C"), DateBox("=", " 张 "), "NAME LIKE '%张%'"},
    {"FilterAroundTheComparison", Field("BF", "C"), DateBox("=", "x", "x", "(A = 1 AND * )"),
     "(A = 1 AND NAME =  'x' )"},
    {"FilterWithoutStar", Field("BF", "C"), DateBox("=", "x", "x", "A = 1"), "A = 1"},
};

class BuildFindConditionTest : public ::testing::TestWithParam<ConditionCase> {};

TEST_P(BuildFindConditionTest, PieceOrPrompt) {
    const ConditionCase& c = GetParam();
    TFindInput input = c.input;
    input.Field = &c.field;
    const TFindResult result = BuildFindCondition(input);
    if (c.prompt.isEmpty()) {
        EXPECT_TRUE(result.Accepted) << result.Prompt.toStdString();
        EXPECT_EQ(result.Piece, c.piece);
    } else {
        EXPECT_FALSE(result.Accepted);
        EXPECT_EQ(result.Prompt, c.prompt);
        EXPECT_EQ(result.Focus, c.focus);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, BuildFindConditionTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BuildFindCondition, ShownValueAndPickedRelation) {
    const TFieldsData year = Field("Y", "D", "MONEY_DATE");
    TFindInput input = YearMonth("=", "2007", "03");
    input.Field = &year;
    EXPECT_EQ(BuildFindCondition(input).Value, "2007年03月");

    const TFieldsData filter = Field("BF", "C");
    input = DateBox("Like", "x", "x", "(A = 1 AND *)@");
    input.Field = &filter;
    TFindResult result = BuildFindCondition(input);
    EXPECT_EQ(result.Piece, "(A = 1 AND NAME Like  '%x%')");
    EXPECT_TRUE(result.RelationFixed);
    input.PickedId = "A = 1";
    result = BuildFindCondition(input);
    EXPECT_FALSE(result.RelationFixed);
    EXPECT_TRUE(result.RelationFreed);
}

TEST(FindConditionLine, FirstLinesHaveNoLogicWord) {
    EXPECT_EQ(FindConditionLine("", "摘要", "相似", false, "abc"), " 摘要 相似 abc");
    EXPECT_EQ(FindConditionLine("并且", "金额", "大于等于", false, "5"), " 并且 金额 大于等于 5");
    EXPECT_EQ(FindConditionLine("或着", "金额", "等于", false, "5"), " 或着 金额 等于 5");
    EXPECT_EQ(FindConditionLine("", "类别", "等于", true, "现金"), " 类别 等于 现金");
    EXPECT_EQ(FindConditionLine("并且", "类别", "不等于", true, "现金"), " 并且  类别 等于 现金");
    EXPECT_EQ(AsFirstFindLine(" 并且 金额 大于等于 5"), " 金额 大于等于 5");
    EXPECT_EQ(AsFirstFindLine(" 或着  类别 等于 现金"), " 类别 等于 现金");
    EXPECT_EQ(AsFirstFindLine(" 摘要 相似 abc"), " 摘要 相似 abc");
}

TEST(CleanFindText, KeepsThePartAfterSeparators) {
    EXPECT_EQ(CleanFindText("  abc  ", false), "abc");
    EXPECT_EQ(CleanFindText("编号；001", false), "001");
    EXPECT_EQ(CleanFindText("a；b；c", false), "c");
    EXPECT_EQ(CleanFindText("abc?def", false), "abc");
    EXPECT_EQ(CleanFindText("a;b;c;d", false), "d");
    EXPECT_EQ(CleanFindText("名称？说明", false), "名称？说明");
    EXPECT_EQ(CleanFindText("名称？说明", true), "名称");
    EXPECT_EQ(CleanFindText("x；" + QString(150, u'中'), false), QString(100, u'中'));
}

} // namespace
} // namespace kx
