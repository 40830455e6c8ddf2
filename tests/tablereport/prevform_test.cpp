// The banded-report preview window over a running report: its paging and
// status texts, zoom steps, printing, closing, and the settings button's
// margins and layouts.

#include "tablereport/prevform.h"

#include "bandreport/bandrep.h"
#include "bandreport/brpreview.h"
#include "bandreport/brprinter.h"
#include "core/settingfunctions.h"
#include "core/sqlfunctions.h"
#include "frame/controls/radiogroup.h"
#include "frame/dialogs/selectitemqueryform.h"
#include "platform/db/query.h"
#include "platform/print/printer.h"
#include "tablereport/prevformlogic.h"
#include "tablereport/selectreportform.h"
#include "tablereport/setprintform.h"
#include "tests/core/programfixture.h"
#include "tests/support/modal.h"
#include "tests/support/previewwatch.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace kx {
namespace {

TEST(PrevFormLogicTest, StatusTextsDifferByTheBlankAfterTheComma) {
    EXPECT_EQ(PagingStatusText(3, 2), QStringLiteral("总共3页, 第2页"));
    EXPECT_EQ(NewPageStatusText(3, 1), QStringLiteral("总共3页,第1页"));
}

TEST(PrevFormLogicTest, MarginStatementsQuoteTheNameAndWriteNumbersWithAPoint) {
    const TReportMargins margins{15, 12.5, 20, 0.25};
    EXPECT_EQ(MarginRowSql(QStringLiteral("Rep'A")),
              QStringLiteral("SELECT * FROM SYS_PRINT_TABLE WHERE PRINT_NAME = 'Rep''A'"));
    EXPECT_EQ(MarginUpdateSql(QStringLiteral("Rep'A"), margins),
              QStringLiteral("UPDATE SYS_PRINT_TABLE SET TOP_MARGIN = 15,BUTTOM_MARGIN = "
                             "12.5,LEFT_MARGIN = 20,RIGHT_MARGIN = 0.25 WHERE PRINT_NAME = "
                             "'Rep''A'"));
    EXPECT_EQ(MarginInsertSql(QStringLiteral("Rep'A"), margins),
              QStringLiteral("INSERT INTO SYS_PRINT_TABLE(PRINT_NAME,TOP_MARGIN,BUTTOM_MARGIN,"
                             "LEFT_MARGIN,RIGHT_MARGIN) VALUES('Rep''A',15,12.5,20,0.25)"));
}

TEST(PrevFormLogicTest, LayoutItemsSkipEmptiesAndListSettingsFromTheirSixthByte) {
    const QList<TLayoutItem> items = ParseLayoutItems(
        QStringLiteral(";纵向;;设置:横向格式;A设置:B;设置:") + QString(60, QChar(u'长')));
    ASSERT_EQ(items.size(), 4);
    EXPECT_EQ(items[0].Text, QStringLiteral("纵向"));
    EXPECT_FALSE(items[0].IsSetting);
    EXPECT_EQ(items[1].Text, QStringLiteral("横向格式"));
    EXPECT_TRUE(items[1].IsSetting);
    // "A设置" is five bytes: the text starts after them.
    EXPECT_EQ(items[2].Text, QStringLiteral(":B"));
    EXPECT_TRUE(items[2].IsSetting);
    EXPECT_EQ(items[3].Text, QString(50, QChar(u'长')));
}

TEST(PrevFormLogicTest, MarginChecksRefuseInTheOrderOfTheEdits) {
    const struct {
        QStringList texts;
        const char* message;
        TMarginEdit focus;
    } cases[] = {
        {{"", "", "", ""}, "必须输入上边距", TMarginEdit::Top},
        {{"x", "5", "5", "5"}, "必须输入上边距", TMarginEdit::Top},
        {{"0", "", "", ""}, "上边距不能小于等于零", TMarginEdit::Top},
        {{"5", "", "", ""}, "必须输入下边距", TMarginEdit::Bottom},
        {{"5", "-", "5", "5"}, "必须输入下边距", TMarginEdit::Bottom},
        {{"5", "0", "", ""}, "下边距不能小于等于零", TMarginEdit::Top},
        {{"5", "5", "", ""}, "必须输入左边距", TMarginEdit::Left},
        {{"5", "5", "-1", "5"}, "左边距不能小于等于零", TMarginEdit::Left},
        {{"5", "5", "5", ""}, "必须输入右边距", TMarginEdit::Right},
        {{"5", "5", "5", "a"}, "必须输入右边距", TMarginEdit::Right},
        {{"5", "5", "5", "0"}, "右边距不能小于等于零", TMarginEdit::Left},
    };
    for (const auto& c : cases) {
        const auto refusal = CheckMargins(c.texts);
        ASSERT_TRUE(refusal) << c.texts.join('|').toStdString();
        EXPECT_EQ(refusal->Message, QString::fromUtf8(c.message))
            << c.texts.join('|').toStdString();
        EXPECT_EQ(refusal->Focus, c.focus) << c.texts.join('|').toStdString();
    }
    EXPECT_FALSE(CheckMargins({"15", "9", "20", "8"}));
}

// A report of `rows` detail bands, two to a page.
class PrevFormTest : public ::testing::Test {
protected:
    PrevFormTest() {
        test::ResetProgramState();
        print::SetPdfFolder(pdfFolder_.path());
        print::SetPdfViewer([this](const QString& fileName) { pdfs_.append(fileName); });
        SetNewPrinterPaperSize([] { return TBRPaperSize::Default; });
        report_.setObjectName(QStringLiteral("RepTest"));
        report_.SetUnits(TBRUnit::Native);
        report_.Page().SetPaperSize(TBRPaperSize::A4);
        report_.CreateBand(TBRBandType::rbDetail)->Size().SetHeight(1200);
        report_.OnPreview = [this](QObject* sender) { CreatePrevForm(&owner_, sender)->show(); };
    }
    ~PrevFormTest() override {
        print::SetPdfViewer({});
        SetNewPrinterPaperSize({});
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        test::ResetProgramState();
    }

    void Fill(int rows) {
        ASSERT_TRUE(ExecSqlText(kDatabaseName, "CREATE TABLE PREV_ROWS (N INTEGER)"));
        for (int row = 1; row <= rows; ++row)
            ASSERT_TRUE(ExecSqlText(kDatabaseName,
                                    QStringLiteral("INSERT INTO PREV_ROWS VALUES (%1)").arg(row)));
        query_.SetDatabaseName(kDatabaseName);
        query_.SQL().SetText(QStringLiteral("SELECT * FROM PREV_ROWS ORDER BY N"));
        query_.Open();
        report_.SetDataSet(&query_);
    }

    // Previews the report and runs the action on the window once the run
    // has ended and its page notices are in; a window the action leaves
    // open is closed.
    void WhilePreviewing(const std::function<void(TPrevForm*)>& action) {
        EXPECT_TRUE(test::WhilePreviewShown([this] { report_.ShowPreviewAndWait(); },
                                            [this](TPrevForm*) { return !report_.Running; },
                                            action));
    }

    static QString Status(const TPrevForm* form) { return form->sbarPrint->currentMessage(); }

    test::OpenDataFolder data_;
    test::MessageRecorder messages_;
    QTemporaryDir pdfFolder_;
    QStringList pdfs_;
    QWidget owner_;
    TBandRep report_{&owner_};
    db::TQuery query_;
};

TEST_F(PrevFormTest, PagingShowsThePageCountAndStaysWithinThePages) {
    Fill(5);
    WhilePreviewing([](TPrevForm* form) {
        EXPECT_EQ(Status(form), QStringLiteral("总共3页,第1页"));
        const struct {
            QAction* button;
            int page;
        } steps[] = {{form->Button_Next, 2},  {form->Button_Last, 3},  {form->Button_Next, 3},
                     {form->Button_Prior, 2}, {form->Button_First, 1}, {form->Button_Prior, 1}};
        for (const auto& step : steps) {
            step.button->trigger();
            EXPECT_EQ(form->OwnBRPre->PageNumber(), step.page);
            EXPECT_EQ(Status(form), PagingStatusText(3, step.page));
        }
        EXPECT_FALSE(form->Button_Set->isVisible());
        EXPECT_FALSE(form->Button_Excel->isVisible());
        EXPECT_TRUE(form->isMaximized());
    });
}

TEST_F(PrevFormTest, AOnePageReportKeepsItsOnlyPage) {
    Fill(1);
    WhilePreviewing([](TPrevForm* form) {
        for (QAction* button :
             {form->Button_Next, form->Button_Last, form->Button_Prior, form->Button_First}) {
            button->trigger();
            EXPECT_EQ(form->OwnBRPre->PageNumber(), 1);
            EXPECT_EQ(Status(form), QStringLiteral("总共1页, 第1页"));
        }
    });
}

TEST_F(PrevFormTest, ZoomStepsByOnePercentAndStopsAtTwo) {
    Fill(1);
    WhilePreviewing([](TPrevForm* form) {
        EXPECT_EQ(form->OwnBRPre->Zoom(), 100);
        form->ZoomInItem->trigger();
        EXPECT_EQ(form->OwnBRPre->Zoom(), 101);
        form->Button_WholePage->trigger();
        EXPECT_EQ(form->OwnBRPre->ZoomState(), TBRZoomState::brZoomToFit);
        form->OwnBRPre->SetZoom(3);
        form->ZoomOutItem->trigger();
        EXPECT_EQ(form->OwnBRPre->Zoom(), 2);
        form->ZoomOutItem->trigger();
        EXPECT_EQ(form->OwnBRPre->Zoom(), 2);
        form->Button_OneToOne->trigger();
        EXPECT_EQ(form->OwnBRPre->Zoom(), 100);
    });
}

TEST_F(PrevFormTest, F11PrintsTheReportAndTheWindowStaysOpen) {
    if (!print::InstalledPrinters().isEmpty())
        GTEST_SKIP() << "print queues are installed";
    Fill(5);
    WhilePreviewing([this](TPrevForm* form) {
        QTest::keyClick(form->OwnBRPre, Qt::Key_F11);
        ASSERT_EQ(pdfs_.size(), 1);
        EXPECT_GT(QFileInfo(pdfs_.at(0)).size(), 0);
        EXPECT_TRUE(form->isVisible());
        EXPECT_NE(report_.ActivePrinter, nullptr);
    });
}

TEST_F(PrevFormTest, F4AndEscapeCloseTheWindowAndEndTheWait) {
    Fill(3);
    for (const Qt::Key key : {Qt::Key_F4, Qt::Key_Escape}) {
        QPointer<TPrevForm> closed;
        WhilePreviewing([&](TPrevForm* form) {
            closed = form;
            QTest::keyClick(form->OwnBRPre, key);
            EXPECT_FALSE(form->isVisible());
        });
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(closed.isNull());
        EXPECT_TRUE(PrevForm.isNull());
        EXPECT_EQ(report_.ActivePrinter, nullptr);
    }
}

// Answers the margin dialog with the texts, in the order top, bottom, left,
// right.
void AnswerMargins(const QStringList& texts) {
    test::OnNextModal([texts](QWidget* dialog) {
        auto* form = qobject_cast<TSetPrintForm*>(dialog);
        ASSERT_NE(form, nullptr);
        QLineEdit* edits[] = {form->EditTop, form->EditBottom, form->EditLeft, form->EditRight};
        for (int index = 0; index < 4; ++index)
            edits[index]->setText(texts[index]);
        form->SureButton->click();
    });
}

TEST_F(PrevFormTest, MarginsAreStoredOnceAndUpdatedAfterwards) {
    report_.setObjectName(QStringLiteral("Rep'User"));
    report_.SetUnits(TBRUnit::MM);
    auto* form = new TPrevForm(&owner_);
    form->Report = &report_;
    AnswerMargins({"15", "9", "20", "8"});
    form->PrintSetClick();
    AnswerMargins({"12", "7", "10", "6"});
    form->PrintSetClick();
    EXPECT_EQ(GetSqlFirstValue(kDatabaseName, "SELECT COUNT(*) FROM SYS_PRINT_TABLE"), "1");
    EXPECT_EQ(GetSqlFirstValue(kDatabaseName,
                               "SELECT TOP_MARGIN || '/' || BUTTOM_MARGIN || '/' || LEFT_MARGIN || "
                               "'/' || RIGHT_MARGIN FROM SYS_PRINT_TABLE WHERE PRINT_NAME = "
                               "'Rep''User'"),
              QStringLiteral("12.0/7.0/10.0/6.0"));
    EXPECT_DOUBLE_EQ(double(report_.Page().TopMargin()), 12);
    EXPECT_DOUBLE_EQ(double(report_.Page().RightMargin()), 6);
    EXPECT_EQ(messages_.Texts(),
              QStringList(2, QStringLiteral("请关闭打印预览窗口后，再重新打开")));
    form->close();
}

TEST_F(PrevFormTest, MarginsNeedAReport) {
    TPrevForm form(&owner_);
    form.setAttribute(Qt::WA_DeleteOnClose, false);
    form.PrintSetClick();
    EXPECT_EQ(messages_.Texts(), QStringList{QStringLiteral("没有报表对象")});
}

TEST_F(PrevFormTest, TheMarginDialogFocusesTheEditItRefuses) {
    TSetPrintForm form;
    form.Top = 10;
    form.VerticalMarginTotal = 20;
    form.HorizontalMarginTotal = 25;
    form.show();
    QApplication::setActiveWindow(&form);
    EXPECT_EQ(form.focusWidget(), form.EditTop);
    EXPECT_EQ(form.EditTop->text(), QStringLiteral("10"));
    form.EditTop->clear();
    QTest::keyClicks(form.EditTop, QStringLiteral("12"));
    EXPECT_EQ(form.EditBottom->text(), QStringLiteral("8"));
    form.EditLeft->clear();
    QTest::keyClicks(form.EditLeft, QStringLiteral("19"));
    EXPECT_EQ(form.EditRight->text(), QStringLiteral("6"));
    form.EditBottom->clear();
    form.SureButton->click();
    EXPECT_EQ(messages_.Texts(), QStringList{QStringLiteral("必须输入下边距")});
    EXPECT_EQ(form.focusWidget(), form.EditBottom);
    EXPECT_FALSE(form.result() == QDialog::Accepted);
    form.EditBottom->setText(QStringLiteral("9"));
    form.EditRight->setText(QStringLiteral("x"));
    form.SureButton->click();
    EXPECT_EQ(messages_.Texts().last(), QStringLiteral("必须输入右边距"));
    EXPECT_EQ(form.focusWidget(), form.EditRight);
    form.EditRight->setText(QStringLiteral("8"));
    form.SureButton->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.Top, 12);
    EXPECT_EQ(form.Right, 8);
}

TEST_F(PrevFormTest, AChosenSettingsLayoutIsStoredUnderItsOwnName) {
    TPrevForm form(&owner_);
    form.setAttribute(Qt::WA_DeleteOnClose, false);
    form.LayoutChoice = true;
    form.LayoutKey = QStringLiteral("DeptLayout");
    form.LayoutNames = QStringLiteral("纵向;;设置:横向");
    test::OnNextModal([](QWidget* dialog) {
        auto* chooser = qobject_cast<TSelectItemQueryForm*>(dialog);
        ASSERT_NE(chooser, nullptr);
        EXPECT_EQ(chooser->windowTitle(), QStringLiteral("打印设置"));
        ASSERT_EQ(chooser->RadioGroup->Count(), 2);
        EXPECT_EQ(chooser->RadioGroup->Item(1), QStringLiteral("横向"));
        EXPECT_EQ(chooser->RadioGroup->ItemIndex(), 0);
        chooser->RadioGroup->SetItemIndex(1);
        chooser->SureButton->click();
    });
    form.PrintSetClick();
    EXPECT_EQ(form.LayoutIndex, 1);
    EXPECT_EQ(ReadSetting(QStringLiteral("SetDeptLayout")), QStringLiteral("1"));
    EXPECT_EQ(ReadSetting(QStringLiteral("DeptLayout")), QString());
    EXPECT_EQ(messages_.Texts(), QStringList{QStringLiteral("请关闭打印预览窗口后，再重新打开")});
}

TEST_F(PrevFormTest, TheChoiceDialogNeedsACheckedButton) {
    TSelectReportForm form;
    EXPECT_TRUE(form.RadioButton1->isChecked());
    EXPECT_TRUE(form.RadioButton3->isHidden());
    for (QRadioButton* button : {form.RadioButton1, form.RadioButton2, form.RadioButton3})
        button->setAutoExclusive(false);
    form.RadioButton1->setChecked(false);
    form.SureButton->click();
    EXPECT_EQ(messages_.Texts(), QStringList{QStringLiteral("必须选择一个选项")});
    EXPECT_NE(form.result(), QDialog::Accepted);
    form.RadioButton3->setChecked(true);
    form.SureButton->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
}

} // namespace
} // namespace kx
