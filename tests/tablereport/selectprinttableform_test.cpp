#include "tablereport/selectprinttableform.h"

#include "core/options.h"
#include "platform/db/field.h"
#include "platform/print/printer.h"
#include "platform/sys/cp936.h"
#include "platform/sys/exception.h"
#include "platform/ui/application.h"
#include "platform/ui/messagedialog.h"
#include "tablereport/kxexcel.h"
#include "tablereport/prevform.h"
#include "tablereport/previewform.h"
#include "tablereport/printerdevmode.h"
#include "tablereport/reportdesignform.h"
#include "tablereport/saveprinttableeditform.h"
#include "tablereport/saveprinttableform.h"
#include "tablereport/selectreportform.h"
#include "tablereport/setprintform.h"
#include "tablereport/templatestream.h"
#include "tests/platform/db/dbfixture.h"
#include "tests/support/clippedtexts.h"
#include "tests/support/modal.h"
#include "tests/support/printedpage.h"
#include "tests/tablereport/fakemeasurer.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace kx {
namespace {

const QString kIndex = QStringLiteral("SomeForm");

class SelectPrintTableFormTest : public db::test::DbTest {
protected:
    SelectPrintTableFormTest() {
        oldSink_ = ui::SetMessageSink([this](const ui::MessageRequest& r) {
            prompts_ << r.text;
            return answerYes_;
        });
        ui::SetExceptionHandler([this](const std::exception_ptr& error) {
            try {
                std::rethrow_exception(error);
            } catch (const EAbort&) {
            } catch (const Exception& e) {
                prompts_ << e.Message();
            }
        });
        Exec({"CREATE TABLE SP_ITEMS (N INTEGER, NAME VARCHAR(20), STATUS VARCHAR(10))",
              "INSERT INTO SP_ITEMS VALUES (1, '甲', '未审核'), (2, '乙', '已审核'), "
              "(3, '丙', '已审核'), (4, '丁', '未审核'), (5, '戊', '已审核')"});
        owner_.setObjectName(QStringLiteral("SomeForm"));
        list_ = new db::TQuery(&owner_);
        list_->setObjectName(QStringLiteral("Query"));
        list_->SetDatabaseName(QStringLiteral("RUReravezDataBase"));
        list_->SQL().SetText(QStringLiteral("SELECT * FROM SP_ITEMS ORDER BY N"));
        list_->Open();
    }
    ~SelectPrintTableFormTest() override {
        form_.reset();
        ui::SetMessageSink(oldSink_);
        ui::SetExceptionHandler({});
    }

    void AddRow(const QString& name, const QString& type, const QString& id,
                const QString& index = kIndex) {
        db::TQuery* rows = NewQuery(QStringLiteral("SELECT * FROM SYS_PRINT_NAME_TABLE"));
        rows->Open();
        rows->Append();
        rows->FieldByName(QStringLiteral("PRINT_INDEX"))->SetAsString(index);
        rows->FieldByName(QStringLiteral("PRINT_NAME"))->SetAsString(name);
        rows->FieldByName(QStringLiteral("PRINT_TYPE"))->SetAsString(type);
        rows->FieldByName(QStringLiteral("PRINT_ID"))->SetAsString(id);
        rows->Post();
        delete rows;
    }
    QString TemplatePath(const QString& id) const { return QDir(folder_.Path()).filePath(id); }
    // A header, a detail line of the names and two footers, one page high.
    void WriteTemplate(const QString& id, const QString& detail = QStringLiteral("#M.NAME")) {
        TReportControl grid(&measurer_);
        for (const QString& text : {QStringLiteral("标题"), detail, QStringLiteral("`PAGENUM/"),
                                    QStringLiteral("合计")}) {
            TReportLine* line = grid.AppendLine();
            line->CreateCells(0, 1, 200);
            line->Cells[0]->SetCellText(text);
        }
        grid.UpdateLines();
        SaveTemplateFile(grid, TemplatePath(id));
    }

    TSelectPrintTableForm& Form() {
        if (!form_) {
            form_ = std::make_unique<TSelectPrintTableForm>();
            form_->PrintIndex = kIndex;
            form_->TemplateDir = folder_.Path();
            form_->KindCaption1 = QStringLiteral("设置报表(报表模版)");
            form_->PrintFieldsM = {{"NAME", "名称", "M", true, true}};
            form_->PrintFieldsMD = {{"NAME", "名称", "D", true, true}};
            form_->DataSetLine1 = QStringLiteral("M,SomeForm.Query");
        }
        return *form_;
    }
    TSelectPrintTableForm& Shown() {
        Form().show();
        return *form_;
    }
    QStringList RadioTexts() {
        QStringList texts;
        for (QAbstractButton* button : form_->RadioGroup->buttons())
            texts << button->text();
        return texts;
    }
    void Check(int index) { form_->RadioGroup->button(index)->setChecked(true); }
    // Runs the action and closes the designer it opens; what the designer
    // held when it came up goes to check.
    void WithDesigner(const std::function<void()>& action,
                      const std::function<void(TReportDesignForm&)>& check) {
        bool came = false;
        test::OnNextModal([&](QWidget* dialog) {
            auto* designer = dynamic_cast<TReportDesignForm*>(dialog);
            ASSERT_NE(designer, nullptr);
            came = true;
            check(*designer);
            static_cast<QDialog*>(designer)->reject();
        });
        action();
        EXPECT_TRUE(came);
    }

    QWidget owner_;
    db::TQuery* list_ = nullptr;
    FakeMeasurer measurer_;
    std::unique_ptr<TSelectPrintTableForm> form_;
    QStringList prompts_;
    bool answerYes_ = false;
    ui::MessageSink oldSink_;
};

TEST_F(SelectPrintTableFormTest, EmptyCatalogueRefusesAllButAdd) {
    AddRow(QStringLiteral("别的窗口"), QStringLiteral("M"), QStringLiteral("BX9"),
           QStringLiteral("OtherForm"));
    TSelectPrintTableForm& form = Shown();
    EXPECT_EQ(form.windowTitle(), "打印报表选择窗口");
    EXPECT_TRUE(form.RadioGroup->buttons().isEmpty());
    form.Button_Print->click();
    form.Button_Pre->click();
    form.button_Edit->click();
    form.Button_Delete->click();
    EXPECT_EQ(
        prompts_,
        QStringList({"没有报表模版记录,不能打印报表", "没有报表模版记录,不能预览报表",
                     "没有报表模版记录,不能修改报表模版", "没有报表模版记录,不能删除报表模版"}));
    prompts_.clear();
    WithDesigner([&] { form.button_Add->click(); },
                 [&](TReportDesignForm& designer) {
                     EXPECT_EQ(designer.PrintType, "M");
                     EXPECT_EQ(designer.PrintIndex, kIndex);
                     EXPECT_EQ(designer.TemplateDir, folder_.Path());
                     EXPECT_EQ(designer.DataSetLine1, "M,SomeForm.Query");
                     EXPECT_TRUE(designer.PrintId.isEmpty());
                     ASSERT_EQ(designer.PrintFields.size(), 1u);
                     EXPECT_EQ(designer.PrintFields[0].DataSetName, "M");
                 });
    EXPECT_TRUE(prompts_.isEmpty());
    EXPECT_TRUE(form.RadioGroup->buttons().isEmpty());
    // the list is read again when the designer closes
    AddRow(QStringLiteral("新报表"), QStringLiteral("M"), QStringLiteral("BX1"));
    form.TemplateKind = 2;
    WithDesigner([&] { form.button_Add->click(); },
                 [&](TReportDesignForm& designer) {
                     EXPECT_EQ(designer.PrintType, "MD");
                     EXPECT_EQ(designer.ReportDataSet, nullptr);
                     EXPECT_EQ(designer.PrintFields[0].DataSetName, "D");
                 });
    EXPECT_EQ(RadioTexts(), QStringList{"新报表"});
    EXPECT_TRUE(form.RadioGroup->button(0)->isChecked());
}

TEST_F(SelectPrintTableFormTest, WithoutPrintIndexNothingIsListed) {
    AddRow(QStringLiteral("报表"), QStringLiteral("M"), QStringLiteral("BX1"));
    Form().PrintIndex.clear();
    Shown();
    EXPECT_EQ(prompts_.value(0), "没有GPRINT_INDEX");
    EXPECT_TRUE(form_->RadioGroup->buttons().isEmpty());
    prompts_.clear();
    form_->Button_Delete->click();
    EXPECT_TRUE(prompts_.isEmpty());
}

TEST_F(SelectPrintTableFormTest, MissingFileIsReportedWithItsPath) {
    AddRow(QStringLiteral("缺文件"), QStringLiteral("M"), QStringLiteral("BX260101120000"));
    TSelectPrintTableForm& form = Shown();
    const QString missing =
        "报表模版文件:" + TemplatePath("BX260101120000") + "\n没有找到报表模版文件";
    form.Button_Print->click();
    form.Button_Pre->click();
    EXPECT_EQ(prompts_, QStringList({missing, missing}));
    EXPECT_EQ(form.SelectedPrintId, "BX260101120000");
    prompts_.clear();
    WithDesigner([&] { form.button_Edit->click(); },
                 [&](TReportDesignForm& designer) {
                     EXPECT_EQ(designer.PrintId, "BX260101120000");
                     EXPECT_FALSE(designer.Document().CatalogueMode);
                 });
    EXPECT_EQ(prompts_, QStringList{missing});
}

TEST_F(SelectPrintTableFormTest, EditOpensTheRowsTemplateByItsType) {
    AddRow(QStringLiteral("明细"), QStringLiteral("MD"), QStringLiteral("BX2"));
    AddRow(QStringLiteral("其它"), QStringLiteral("X"), QStringLiteral("BX3"));
    WriteTemplate(QStringLiteral("BX2"));
    TSelectPrintTableForm& form = Shown();
    ASSERT_EQ(RadioTexts(), QStringList({"明细", "其它"}));
    WithDesigner([&] { form.button_Edit->click(); },
                 [&](TReportDesignForm& designer) {
                     EXPECT_EQ(designer.PrintType, "MD");
                     EXPECT_EQ(designer.PrintId, "BX2");
                     EXPECT_TRUE(designer.Document().CatalogueMode);
                     EXPECT_EQ(designer.Control().Lines.size(), 4u);
                 });
    // a row of an unknown type opens nothing and prints nothing
    Check(1);
    form.button_Edit->click();
    form.Button_Print->click();
    EXPECT_EQ(prompts_, QStringList{"没有打印字段列表"});
}

TEST_F(SelectPrintTableFormTest, ElevenRowsAreAllListedAndAddRefuses) {
    for (int i = 1; i <= 11; ++i) {
        const QString type = i % 2 ? QStringLiteral("MD") : QStringLiteral("M");
        AddRow(QStringLiteral("报表%1").arg(i), type, QStringLiteral("BX%1").arg(i));
    }
    const QStringList ordered = Column(
        "SELECT PRINT_NAME FROM SYS_PRINT_NAME_TABLE WHERE PRINT_INDEX = 'SomeForm' ORDER BY "
        "PRINT_TYPE");
    TSelectPrintTableForm& form = Shown();
    EXPECT_EQ(RadioTexts(), ordered);
    EXPECT_EQ(RadioTexts().size(), 11);
    form.button_Add->click();
    EXPECT_EQ(prompts_, QStringList{"不能超过10个报表"});
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(SelectPrintTableFormTest, TitlesShowAsTheyAreAndDuplicatesFindTheFirst) {
    AddRow(QStringLiteral("收&支"), QStringLiteral("M"), QStringLiteral("BX1"));
    AddRow(QStringLiteral("同名"), QStringLiteral("M"), QStringLiteral("BX2"));
    AddRow(QStringLiteral("同名"), QStringLiteral("M"), QStringLiteral("BX3"));
    const QStringList ids = Column(
        "SELECT PRINT_ID FROM SYS_PRINT_NAME_TABLE WHERE PRINT_NAME = '同名' ORDER BY PRINT_TYPE");
    Form().ChooseOnly = true;
    TSelectPrintTableForm& form = Shown();
    EXPECT_EQ(form.SelectedName(), "收&支");
    for (int row : {2, 1}) {
        Check(row);
        EXPECT_EQ(form.SelectedName(), "同名");
        form.SelectedPrintId.clear();
        form.Button_Print->click();
        EXPECT_EQ(form.SelectedPrintId, ids.first()) << row;
    }
    Check(0);
    form.Button_Print->click();
    EXPECT_EQ(form.SelectedPrintId, "BX1");
}

TEST_F(SelectPrintTableFormTest, ChooseOnlyStoresTheIdAndClosesWithoutPrinting) {
    AddRow(QStringLiteral("报表"), QStringLiteral("M"), QStringLiteral("BX7"));
    Form().ChooseOnly = true;
    TSelectPrintTableForm& form = Shown();
    form.Button_Print->click();
    EXPECT_TRUE(prompts_.isEmpty()); // the body is not even looked for
    EXPECT_EQ(form.SelectedPrintId, "BX7");
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_FALSE(form.isVisible());
}

TEST_F(SelectPrintTableFormTest, DeleteRemovesTheRowAndKeepsTheFile) {
    AddRow(QStringLiteral("一"), QStringLiteral("M"), QStringLiteral("BX1"));
    AddRow(QStringLiteral("二"), QStringLiteral("M"), QStringLiteral("BX2"));
    WriteTemplate(QStringLiteral("BX2"));
    TSelectPrintTableForm& form = Shown();
    Check(1);
    form.Button_Delete->click(); // answered No
    EXPECT_EQ(prompts_, QStringList{"请确认是否删除 ?"});
    EXPECT_EQ(RadioTexts(), QStringList({"一", "二"}));
    answerYes_ = true;
    Check(1);
    form.Button_Delete->click();
    EXPECT_EQ(Column("SELECT PRINT_ID FROM SYS_PRINT_NAME_TABLE"), QStringList{"BX1"});
    EXPECT_EQ(RadioTexts(), QStringList{"一"});
    EXPECT_TRUE(QFileInfo::exists(TemplatePath("BX2")));
}

TEST_F(SelectPrintTableFormTest, FullPageBoxKeepsItsOption) {
    SetOption(QStringLiteral("整页打印"), QStringLiteral("是"));
    EXPECT_TRUE(Shown().CheckBox1->isChecked());
    form_->CheckBox1->click();
    EXPECT_EQ(GetOption(QStringLiteral("整页打印")), "否");
    form_.reset();
    EXPECT_FALSE(Shown().CheckBox1->isChecked());
    form_->CheckBox1->click();
    EXPECT_EQ(GetOption(QStringLiteral("整页打印")), "是");
}

TEST_F(SelectPrintTableFormTest, StatusCheckRefusesPrintAndAdd) {
    AddRow(QStringLiteral("报表"), QStringLiteral("M"), QStringLiteral("BX1"));
    TSelectPrintTableForm& form = Form();
    form.StatusDataSet = list_;
    form.StatusField = QStringLiteral("STATUS");
    form.StatusValue = QStringLiteral("已审核");
    form.ChooseOnly = true;
    Shown();
    const QString refusal = QStringLiteral("状态不是：已审核 的记录不可以打印");
    form.Button_Print->click();
    form.Button_Pre->click();
    form.button_Add->click();
    form.button_Edit->click();
    EXPECT_EQ(prompts_, QStringList({refusal, refusal, refusal, refusal}));
    EXPECT_TRUE(form.SelectedPrintId.isEmpty());
    list_->Next();
    prompts_.clear();
    form.Button_Print->click();
    EXPECT_TRUE(prompts_.isEmpty());
    EXPECT_EQ(form.SelectedPrintId, "BX1");
}

TEST_F(SelectPrintTableFormTest, KeysRunPrintAndCloseWhileTheirButtonsAreEnabled) {
    AddRow(QStringLiteral("报表"), QStringLiteral("M"), QStringLiteral("BX1"));
    Form().ChooseOnly = true;
    TSelectPrintTableForm& form = Shown();
    form.Button_Print->setEnabled(false);
    QKeyEvent f11(QEvent::KeyPress, Qt::Key_F11, Qt::NoModifier);
    QApplication::sendEvent(&form, &f11);
    EXPECT_TRUE(form.SelectedPrintId.isEmpty());
    form.Button_Print->setEnabled(true);
    QApplication::sendEvent(&form, &f11);
    EXPECT_EQ(form.SelectedPrintId, "BX1");

    form.show();
    QKeyEvent f12(QEvent::KeyPress, Qt::Key_F12, Qt::NoModifier);
    form.Button_Close->setEnabled(false);
    QApplication::sendEvent(&form, &f12);
    EXPECT_TRUE(form.isVisible());
    form.Button_Close->setEnabled(true);
    QApplication::sendEvent(&form, &f12);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Rejected);
}

TEST_F(SelectPrintTableFormTest, ExcelButtonShowsOnlyWhenEnabled) {
    TSelectPrintTableForm& hidden = Shown();
    EXPECT_FALSE(hidden.Button_Excel->isVisible());
    EXPECT_EQ(hidden.Button_Close->x(), 155);
    form_.reset();
    Form().Button_Excel->setEnabled(true);
    TSelectPrintTableForm& shown = Shown();
    EXPECT_TRUE(shown.Button_Excel->isVisible());
    EXPECT_GT(shown.Button_Close->x(), shown.Button_Excel->x());
}

TEST_F(SelectPrintTableFormTest, ExcelWritesTheListToTheChosenFile) {
    QTemporaryDir out;
    const QString target = out.filePath(QStringLiteral("员工资料.XLS"));
    TSelectPrintTableForm& form = Form();
    form.Button_Excel->setEnabled(true);
    form.KXExcel->SetDataSet(list_);
    form.KXExcel->SetReportName(QStringLiteral("员工资料"));
    form.ExcelNumberColumn = true;
    form.ExcelFields = {{"NAME", "", "姓名"}};
    form.ExcelTitles = {{"员工名单", "", ""}};
    QStringList asked;
    form.AskExcelFileName = [&](const QString& suggested) {
        asked << suggested;
        return asked.size() == 1 ? QString() : target;
    };
    Shown();
    list_->SetRecNo(4);
    form.Button_Excel->click(); // cancelled
    EXPECT_FALSE(QFileInfo::exists(target));
    form.Button_Excel->click();
    EXPECT_EQ(asked, QStringList({"员工资料", "员工资料"}));
    EXPECT_TRUE(form.KXExcel->ID());
    QFile file(target);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith(QByteArray("\x09\x08", 2)));
    for (const char* text : {"序号", "姓名", "员工名单", "甲", "戊"})
        EXPECT_TRUE(bytes.contains(cp936::Encode(QString::fromUtf8(text)))) << text;
    EXPECT_EQ(list_->RecNo(), 4);
    EXPECT_EQ(prompts_, QStringList{"数据成功导出到：" + target});
}

// The chooser, even with a title as long as the title dialog takes (50
// characters), and the small windows of printing show every caption whole.
TEST_F(SelectPrintTableFormTest, EveryPrintingWindowShowsItsTextsWhole) {
    AddRow(QStringLiteral("资金借贷记录报表（按月份与资金账号分列）资金借贷记录报表（按月份与资金账"
                          "号分列）资金借贷记录报表附表"),
           QStringLiteral("M"), QStringLiteral("BX1"));
    Form().Button_Excel->setEnabled(true);
    TSelectPrintTableForm& form = Shown();
    QApplication::processEvents();
    EXPECT_EQ(test::ClippedTexts(form), QStringList());
    TSavePrintTableEditForm editor;
    editor.PrintIndex = kIndex;
    editor.PrintType = QStringLiteral("M");
    editor.TemplateDir = folder_.Path();
    TSavePrintTableForm title;
    TSetPrintForm margins;
    TSelectReportForm choice;
    TPrevForm preview(nullptr);
    for (QWidget* window :
         std::initializer_list<QWidget*>{&editor, &title, &margins, &choice, &preview}) {
        window->show();
        QApplication::processEvents();
        EXPECT_EQ(test::ClippedTexts(*window), QStringList())
            << window->windowTitle().toStdString();
        window->hide();
    }
}

// Printing goes to PDF files in a folder of the test's own.
class ChooserPrintTest : public SelectPrintTableFormTest {
protected:
    void SetUp() override {
        if (!print::InstalledPrinters().isEmpty())
            GTEST_SKIP() << "print queues are installed";
        SetPrinterDevMode({.PaperSize = 9, .Orientation = print::kPortrait});
        AddRow(QStringLiteral("名单"), QStringLiteral("M"), QStringLiteral("BX1"));
        WriteTemplate(QStringLiteral("BX1"));
        report_ = new db::TQuery(&owner_);
        report_->SetDatabaseName(QStringLiteral("RUReravezDataBase"));
        report_->SQL().SetText(QStringLiteral("SELECT * FROM SP_ITEMS ORDER BY N DESC"));
        report_->Open();
    }
    QString PdfText(const QStringList& pdfs) const {
        QFile file(pdfs.value(0));
        return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
    }

    test::PdfCapture pdfs_;
    db::TQuery* report_ = nullptr;
};

TEST_F(ChooserPrintTest, PrintFillsTheBoundListAndKeepsItsRecord) {
    // most windows bind their list through the lines alone
    TSelectPrintTableForm& form = Shown();
    list_->SetRecNo(3);
    form.Button_Print->click();
    EXPECT_TRUE(prompts_.isEmpty()) << prompts_.join('|').toStdString();
    const QStringList pdfs = pdfs_.TakeFiles();
    ASSERT_EQ(pdfs.size(), 1);
    EXPECT_TRUE(PdfText(pdfs).startsWith("%PDF"));
    EXPECT_EQ(form.ReportRunTime.ReportFile(), TemplatePath("BX1"));
    EXPECT_EQ(form.ReportRunTime.DataSet, nullptr);
    EXPECT_EQ(list_->RecNo(), 3);
    EXPECT_EQ(form.SelectedPrintId, "BX1");
}

TEST_F(ChooserPrintTest, PreviewFillsTheReportDataSetAndKeepsItsRecord) {
    Form().DataSetLine1.clear();
    Form().ReportDataSet = report_;
    TSelectPrintTableForm& form = Shown();
    report_->SetRecNo(2);
    bool shown = false;
    QTimer::singleShot(0, [&] {
        TPreviewForm* preview = form.ReportRunTime.Preview();
        ASSERT_NE(preview, nullptr);
        shown = true;
        EXPECT_FALSE(form.ReportRunTime.PageStreams.empty());
        preview->CloseAction->trigger();
    });
    form.Button_Pre->click();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(prompts_.isEmpty()) << prompts_.join('|').toStdString();
    EXPECT_EQ(form.ReportRunTime.DataSet, report_);
    EXPECT_EQ(report_->RecNo(), 2);
    EXPECT_TRUE(pdfs_.TakeFiles().isEmpty());
}

TEST_F(ChooserPrintTest, FailedFillingStillKeepsTheRecords) {
    WriteTemplate(QStringLiteral("BX1"), QStringLiteral("#M.NO_SUCH_FIELD"));
    TSelectPrintTableForm& form = Shown();
    list_->SetRecNo(4);
    form.Button_Print->click();
    EXPECT_EQ(prompts_, QStringList{"形成报表时发生错误，请检查各项参数与模板设置等是否正确"});
    EXPECT_TRUE(pdfs_.TakeFiles().isEmpty());
    EXPECT_EQ(list_->RecNo(), 4);
}

} // namespace
} // namespace kx
