#include "tablereport/reportruntimetext.h"

#include "platform/ui/messagedialog.h"

#include <gtest/gtest.h>

namespace kx {
namespace {

// Records the prompts instead of showing them.
class PromptRecorder {
public:
    PromptRecorder()
        : old_(ui::SetMessageSink([this](const ui::MessageRequest& r) {
              Texts.push_back(r.caption + u'|' + r.text);
              return false;
          })) {}
    ~PromptRecorder() { ui::SetMessageSink(old_); }
    QStringList Texts;

private:
    ui::MessageSink old_;
};

TEST(ReportRunTimeTextTest, TagsBecomeFieldsOnlyAtCellStart) {
    const TPrintFieldsArray fields = {
        {QStringLiteral("JE"), QStringLiteral("金额"), QStringLiteral("D"), false, true},
        {QStringLiteral("MC"), QStringLiteral("名称"), QStringLiteral("M"), true, false},
        {QStringLiteral("MC2"), QStringLiteral("名称"), QStringLiteral("D"), true, true},
    };
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"{名称}", "@M.MC"},
        {"{ 名称 }", "@M.MC"},
        {"[名称]", "#D.MC2"},
        {"[金额]", "#D.JE"},
        {"{金额}", "{金额}"}, // not offered for the master
        {"金额：{名称}", "金额：{名称}"},
        {"<单位名称>", "`单位名称"},
        {"<Sum(3)>", "`Sum(3)"},
        {"合计<Sum(3)>", "`Sum(3)>"},
        {"}{名称", "}{名称"},
        {"没有标记", "没有标记"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TranslateTags(QString::fromUtf8(c.text), fields), QString::fromUtf8(c.expected))
            << c.text;
}

TEST(ReportRunTimeTextTest, VariablesIgnoreCaseAndKnowDateAndTime) {
    TVarTable vars;
    vars.SetVarValue(QStringLiteral("单位名称"), QStringLiteral("甲公司"));
    vars.SetVarValue(QStringLiteral("Kx"), QStringLiteral("1"));
    vars.SetVarValue(QStringLiteral("kX"), QStringLiteral("2"));
    const QDateTime now(QDate(2026, 3, 4), QTime(5, 6, 7));
    EXPECT_EQ(vars.ResolveVariable(QStringLiteral("`单位名称"), now), QStringLiteral("甲公司"));
    EXPECT_EQ(vars.ResolveVariable(QStringLiteral("`kx"), now), QStringLiteral("2"));
    EXPECT_EQ(vars.ResolveVariable(QStringLiteral("`none"), now), QString());
    EXPECT_EQ(vars.ResolveVariable(QStringLiteral("`date"), now), QStringLiteral("2026-03-04"));
    EXPECT_EQ(vars.ResolveVariable(QStringLiteral("`TIME"), now), QStringLiteral("05:06:07"));
    EXPECT_EQ(vars.ResolveVariable(QStringLiteral("`DateTime"), now),
              QStringLiteral("2026-03-04 05:06:07"));
}

TEST(ReportRunTimeTextTest, PageNumbers) {
    EXPECT_EQ(PageNumberText(QStringLiteral("`PAGENUM"), 2, 5), QStringLiteral("第 2 页"));
    EXPECT_EQ(PageNumberText(QStringLiteral("`pagenum/"), 2, 5), QStringLiteral("第 2/5 页"));
    EXPECT_EQ(PageNumberText(QStringLiteral("`PAGENUM-"), 2, 5), QStringLiteral("第 5-2 页"));
    EXPECT_FALSE(PageNumberText(QStringLiteral("`PAGENUMX"), 2, 5));
    EXPECT_TRUE(IsPageNumberTag(QStringLiteral("`PageNumX")));
    EXPECT_TRUE(IsSumTag(QStringLiteral("`sum(1)")));
    EXPECT_FALSE(IsSumTag(QStringLiteral("`SUMPAGE(1)")));
    EXPECT_TRUE(IsPageSumTag(QStringLiteral("`SumPage(1)")));
}

TEST(ReportRunTimeTextTest, SumsFormatAndPrompt) {
    TColumnSums sums{};
    sums[1] = 10.5;
    sums[2] = 3;
    sums[3] = 0.5;
    sums[40] = 1;
    const struct {
        const char* text;
        const char* format;
        bool pageSum;
        const char* expected;
        const char* prompt;
    } cases[] = {
        {"`SUM(2)", "0.00", false, "10.50", ""},
        {"`SUM(2+3-4)", "", false, "13", ""},
        {"`SUMPAGE( 2 - 3 )", "0.0", true, "7.5", ""},
        {"`SUM(41)", "0", false, "1", ""},
        {"`SUM(42)", "", false, "0", ""},
        {"`SUM(5)", "", false, "0", ""},
        {"`SUMPAGE(5)", "", true, "", ""},
        {"`SUM(2)", "大写金额", false, "壹拾元伍角整", ""},
        {"`SUM(0+2)", "", false, "10.5", "提示信息|模板中`SumAll()括号内参数不应为零"},
        {"`SUMPAGE(0)", "", true, "", "提示信息|模板中`Sumpage()括号内参数不应为零"},
        {"`SUM(2", "", false, "0", "提示信息|统计时发生错误，请检查`SumAll()设置是否正确"},
        {"`SUMPAGE(2", "", true, "", "提示信息|统计时发生错误，请检查`Sumpage()设置是否正确"},
        {"`SUM(2*3)", "", false, "0", "提示信息|统计时发生错误，请检查`SumAll()设置是否正确"},
        {"`SUM()", "", false, "0", "提示信息|统计时发生错误，请检查`SumAll()设置是否正确"},
    };
    for (const auto& c : cases) {
        PromptRecorder prompts;
        EXPECT_EQ(SumText(QString::fromUtf8(c.text), sums, QString::fromUtf8(c.format), c.pageSum),
                  QString::fromUtf8(c.expected))
            << c.text << " " << c.format;
        EXPECT_EQ(prompts.Texts.join(u'\n'), QString::fromUtf8(c.prompt)) << c.text;
    }
}

} // namespace
} // namespace kx
