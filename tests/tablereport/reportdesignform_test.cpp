#include "tablereport/reportdesignform.h"

#include "frame/controls/radiogroup.h"
#include "frame/data/kxquery.h"
#include "frame/dialogs/selectitemqueryform.h"
#include "platform/db/field.h"
#include "platform/print/printer.h"
#include "platform/sys/exception.h"
#include "platform/ui/application.h"
#include "platform/ui/messagedialog.h"
#include "tablereport/borderform.h"
#include "tablereport/cellfontform.h"
#include "tablereport/colorform.h"
#include "tablereport/diagonalform.h"
#include "tablereport/frmnewtable.h"
#include "tablereport/marginkform.h"
#include "tablereport/previewform.h"
#include "tablereport/printerdevmode.h"
#include "tablereport/reportcontrolwidget.h"
#include "tablereport/saveprinttableeditform.h"
#include "tablereport/saveprinttableform.h"
#include "tablereport/setprintpaperform.h"
#include "tablereport/templatestream.h"
#include "tablereport/vsplitform.h"
#include "tests/platform/db/dbfixture.h"
#include "tests/support/clippedtexts.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>

namespace kx {
namespace {

// Runs the action on the next modal dialog of that type, once it is up; a
// dialog that never comes fails the test instead of hanging it.
template <typename Dialog, typename Act> void WhenModal(Act act, int tries = 200) {
    QTimer::singleShot(10, [act, tries] {
        auto* dialog = dynamic_cast<Dialog*>(QApplication::activeModalWidget());
        if (dialog && dialog->isVisible())
            act(*dialog);
        else if (tries > 0)
            WhenModal<Dialog>(act, tries - 1);
        else
            ADD_FAILURE() << "no dialog came up";
    });
}

void AnswerFile(const QString& path) {
    WhenModal<QFileDialog>([path](QFileDialog& dialog) {
        auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        name->setText(path);
        static_cast<QDialog&>(dialog).accept();
    });
}

void CancelFile() {
    WhenModal<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
}

// Answers the choice of save as or open with its second way, a file, then
// acts on the file dialog.
void ChooseFileWay(const std::function<void()>& fileAnswer) {
    WhenModal<TSelectItemQueryForm>([fileAnswer](TSelectItemQueryForm& choice) {
        choice.RadioGroup->SetItemIndex(1);
        fileAnswer();
        choice.SureButton->click();
    });
}

void SaveAsFile(const QString& path) {
    ChooseFileWay([path] { AnswerFile(path); });
}

// Takes the catalogue way of save as or open, then acts on the next dialog.
template <typename Dialog, typename Act> void ChooseCatalogueWay(Act act) {
    WhenModal<TSelectItemQueryForm>([act](TSelectItemQueryForm& choice) {
        choice.RadioGroup->SetItemIndex(0);
        WhenModal<Dialog>(act);
        choice.SureButton->click();
    });
}

bool SaveIntoCatalogue(TReportDesignForm& designer, const QString& title) {
    ChooseCatalogueWay<TSavePrintTableForm>([title](TSavePrintTableForm& dialog) {
        dialog.TitleEdit->setText(title);
        dialog.button_Ok->click();
    });
    return designer.SaveAs();
}

// New catalogue rows are numbered by the second.
void WaitForNextSecond() {
    const auto stamp = [] { return QDateTime::currentDateTime().toString("yyMMddHHmmss"); };
    const QString now = stamp();
    while (stamp() == now)
        QTest::qWait(20);
}

class ReportDesignFormTest : public db::test::DbTest {
protected:
    ReportDesignFormTest() {
        oldSink_ = ui::SetMessageSink([this](const ui::MessageRequest& r) {
            messages_.push_back(r.caption + u'|' + r.text);
            return false;
        });
        ui::SetExceptionHandler([this](const std::exception_ptr& error) {
            try {
                std::rethrow_exception(error);
            } catch (const Exception& e) {
                errors_.push_back(e.Message());
            }
        });
        oldPdfFolder_ = print::PdfFolder();
        print::SetPdfFolder(dir_.filePath(QStringLiteral("pdf")));
        print::SetPdfViewer([this](const QString& name) { pdfs_.push_back(name); });
        SetPrinterDevMode({.PaperSize = 9, .Orientation = print::kPortrait});
        form.show();
    }
    ~ReportDesignFormTest() override {
        SetPrinterDevMode({.PaperSize = 9, .Orientation = print::kPortrait});
        print::SetPdfViewer({});
        print::SetPdfFolder(oldPdfFolder_);
        ui::SetMessageSink(oldSink_);
        ui::SetExceptionHandler({});
    }
    void SetUp() override {
        if (!print::InstalledPrinters().isEmpty())
            GTEST_SKIP() << "print queues are installed";
    }
    // A table of ten amounts and the printable fields over it.
    db::TQuery* Items() {
        QStringList statements{"CREATE TABLE DZ_ITEMS (NAME VARCHAR(20), AMOUNT REAL)"};
        for (int i = 1; i <= 10; ++i)
            statements
                << QStringLiteral("INSERT INTO DZ_ITEMS VALUES ('收入%1', %2)").arg(i).arg(i * 100);
        Exec(statements);
        db::TQuery* query = NewQuery(QStringLiteral("SELECT * FROM DZ_ITEMS"), false);
        query->Open();
        return query;
    }
    static TPrintFieldsArray ItemFields() {
        return {{"NAME", "名称", "", true, true}, {"AMOUNT", "金额", "", false, true}};
    }

    TReportControl& control() { return form.Control(); }
    TReportCell* Cell(int line, int cell) { return control().Lines[line]->Cells[cell].get(); }
    void Select(std::initializer_list<std::pair<int, int>> cells) {
        control().ClearSelection();
        for (auto [line, cell] : cells)
            control().SelectCell(Cell(line, cell));
    }
    void NewTable(int rows, int columns) {
        WhenModal<TfrmNewTable>([rows, columns](TfrmNewTable& dialog) {
            dialog.RowsEdit->setText(QString::number(rows));
            dialog.ColumnsEdit->setText(QString::number(columns));
            dialog.accept();
        });
        form.NewTableAction->trigger();
    }
    QString Path(const QString& name) const { return dir_.filePath(name); }

    QTemporaryDir dir_;
    std::vector<QString> messages_;
    std::vector<QString> errors_;
    ui::MessageSink oldSink_;
    QString oldPdfFolder_;
    std::vector<QString> pdfs_;
    TReportDesignForm form;
};

TEST_F(ReportDesignFormTest, BuildsTableSavesItAndReopensItIdentical) {
    NewTable(10, 6);
    ASSERT_EQ(control().Lines.size(), 10u);
    ASSERT_EQ(control().Lines[0]->Cells.size(), 6u);

    Select({{0, 0}, {0, 1}, {0, 2}});
    form.CombineAction->trigger();
    Select({{2, 0}, {3, 0}});
    form.CombineAction->trigger();
    ASSERT_EQ(Cell(2, 0)->MergedCells.size(), 1u);

    Select({{1, 1}});
    WhenModal<TBorderForm>([](TBorderForm& dialog) {
        dialog.LineBoxes[0]->setChecked(false);
        dialog.WidthEdits[3]->setValue(2);
        dialog.accept();
    });
    form.BordersAction->trigger();
    EXPECT_FALSE(Cell(1, 1)->LeftBorder().Line);
    EXPECT_EQ(Cell(1, 1)->BottomBorder().Width, 2);

    Select({{1, 2}});
    WhenModal<TDiagonalForm>([](TDiagonalForm& dialog) {
        dialog.Boxes[0]->setChecked(true);
        dialog.Boxes[4]->setChecked(true);
        dialog.accept();
    });
    form.DiagonalAction->trigger();
    EXPECT_EQ(Cell(1, 2)->Diagonal, 1 | 512);

    Select({{0, 0}});
    form.SizeBox->setCurrentText(QStringLiteral("16"));
    form.StyleButtons[0]->click();
    form.HorzButtons[1]->click();
    EXPECT_EQ(Cell(0, 0)->LogFont().Height(), -21);
    EXPECT_EQ(Cell(0, 0)->LogFont().Weight(), 700);
    EXPECT_EQ(Cell(0, 0)->HorzAlign, 1);
    control().SetSelectedCellsText(QStringLiteral("现金日记账"));

    form.PrintFields = ItemFields();
    form.hide();
    form.show();
    for (int column : {0, 1}) {
        Select({{5, column}});
        form.DetailList->setCurrentRow(column);
        form.DetailFieldAction->trigger();
    }
    EXPECT_EQ(Cell(5, 1)->Text(), QStringLiteral("[金额]"));
    Select({{5, 1}});
    form.ApplyFormat(QStringLiteral("0.00"));

    Select({{4, 4}});
    QImage picture(8, 6, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(Path("p.bmp")));
    AnswerFile(Path("p.bmp"));
    form.PictureAction->trigger();
    EXPECT_TRUE(Cell(4, 4)->HasPicture);

    const QString file = Path("cash.ept");
    SaveAsFile(file);
    EXPECT_TRUE(form.SaveTemplate());
    EXPECT_TRUE(form.Saved());
    EXPECT_EQ(form.Document().Path, file);
    const QByteArray written = WriteTemplate(control());

    TReportDesignForm reopened;
    reopened.OpenTemplateFile(file);
    EXPECT_EQ(WriteTemplate(reopened.Control()).toHex(), written.toHex());
    const TReportCell& owner = *reopened.Control().Lines[2]->Cells[0];
    ASSERT_EQ(owner.MergedCells.size(), 1u);
    EXPECT_EQ(reopened.Control().Lines[0]->Cells[0]->Text(), QStringLiteral("现金日记账"));

    reopened.PrintFields = ItemFields();
    reopened.ReportDataSet = Items();
    reopened.show();
    bool previewed = false;
    QTimer::singleShot(0, [&] {
        TPreviewForm* preview = reopened.Filler.Preview();
        ASSERT_NE(preview, nullptr);
        previewed = true;
        const TReportControl& page = preview->PageControl->Control;
        ASSERT_GE(page.Lines.size(), 8u);
        EXPECT_EQ(page.Lines[5]->Cells[0]->Text(), QStringLiteral("收入1"));
        EXPECT_EQ(page.Lines[5]->Cells[1]->Text(), QStringLiteral("100.00"));
        EXPECT_EQ(page.Lines[6]->Cells[0]->Text(), QStringLiteral("收入2"));
        EXPECT_EQ(page.Lines[0]->Cells[0]->Text(), QStringLiteral("现金日记账"));
        preview->CloseAction->trigger();
    });
    reopened.PreviewAction->trigger();
    EXPECT_TRUE(previewed);
    EXPECT_TRUE(errors_.empty());
    EXPECT_TRUE(messages_.empty());
}

// A new page is laid out on A4 portrait, as it will print, whatever paper
// the last job left on the shared printer; its cells are in 宋体, which the
// font box offers.
TEST_F(ReportDesignFormTest, NewPageIsA4PortraitAfterALandscapeJobAndSongTiIsOffered) {
    EXPECT_EQ(form.FontBox->currentText(), QStringLiteral("宋体"));
    SetPrinterDevMode({.PaperSize = 9, .Orientation = print::kLandscape});
    WhenModal<QMessageBox>([](QMessageBox& box) { box.button(QMessageBox::Ok)->click(); });
    form.CloseTemplate();
    EXPECT_EQ(control().PageWidth, 758);
    EXPECT_EQ(control().PageHeight, 1037);
    EXPECT_EQ(GetPrinterDevMode().Orientation, print::kPortrait);
}

TEST_F(ReportDesignFormTest, PrintsEveryPageOfTheTemplateAsItStands) {
    NewTable(2, 2);
    Select({{1, 0}});
    form.ApplyVariable(QStringLiteral("单位名称"));
    form.CompanyName = QStringLiteral("某公司");
    form.PrintAction->trigger();
    ASSERT_EQ(pdfs_.size(), 1u);
    EXPECT_TRUE(QFileInfo(pdfs_[0]).size() > 0);
    EXPECT_TRUE(errors_.empty());
    EXPECT_TRUE(messages_.empty());
}

TEST_F(ReportDesignFormTest, SaveGoesWhereTheTemplateCameFromAndReportsFailure) {
    // An empty designer has nowhere to save and nothing to lose.
    EXPECT_TRUE(form.SaveTemplate());

    NewTable(2, 2);
    EXPECT_FALSE(form.Saved());
    ChooseFileWay(CancelFile);
    EXPECT_FALSE(form.SaveTemplate()); // save as cancelled: the changes are still unsaved
    EXPECT_FALSE(form.Saved());

    // The window stays open when its close query's save fails.
    WhenModal<QMessageBox>([](QMessageBox& box) {
        ChooseFileWay(CancelFile);
        box.done(QMessageBox::Yes);
    });
    form.close();
    QCoreApplication::processEvents();
    EXPECT_TRUE(form.isVisible());

    // A save that cannot be written keeps the changes unsaved and says why.
    const QString file = Path("old.ept");
    SaveAsFile(file);
    ASSERT_TRUE(form.SaveTemplate());
    ASSERT_TRUE(QFile::remove(file));
    ASSERT_TRUE(QDir().mkpath(QDir(file).filePath(QStringLiteral("inside"))));
    Select({{0, 0}});
    form.ApplyFormat(QStringLiteral("0.00"));
    EXPECT_FALSE(form.SaveTemplate());
    EXPECT_FALSE(form.Saved());
    EXPECT_EQ(errors_.size(), 1u);
    EXPECT_TRUE(QFileInfo(QDir(file).filePath(QStringLiteral("inside"))).isDir());
}

TEST_F(ReportDesignFormTest, StreamModeSurvivesARefusedNewTableAndSavesIntoTheStream) {
    QByteArray stream;
    {
        TReportDesignForm maker;
        maker.Control().NewTable(2, 1);
        stream = WriteTemplate(maker.Control());
    }
    form.OpenTemplateStream(&stream);
    NewTable(3, 3); // refused: a table is open
    EXPECT_EQ(form.Document().Stream, &stream);
    EXPECT_EQ(control().Lines.size(), 1u);

    Select({{0, 0}});
    form.ApplyFormat(QStringLiteral("0,.00"));
    EXPECT_FALSE(form.Saved());
    ASSERT_TRUE(form.SaveTemplate());
    EXPECT_TRUE(form.Saved());
    TReportDesignForm check;
    check.OpenTemplateStream(&stream);
    EXPECT_EQ(check.Control().Lines[0]->Cells[0]->DisplayFormat(), QStringLiteral("0,.00"));
}

TEST_F(ReportDesignFormTest, CatalogueFolderOpensAndSavesTheRowFile) {
    form.TemplateDir = dir_.path();
    form.PrintId = QStringLiteral("BX260101120000");
    EXPECT_FALSE(form.OpenCatalogueTemplate());
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_TRUE(messages_[0].endsWith(QStringLiteral("没有找到报表模版文件")));

    TReportDesignForm maker;
    maker.Control().NewTable(3, 1);
    SaveTemplateFile(maker.Control(), Path(form.PrintId));
    ASSERT_TRUE(form.OpenCatalogueTemplate());
    EXPECT_TRUE(form.Document().CatalogueMode);
    Select({{0, 1}});
    form.ApplyFormat(QStringLiteral("大写金额"));
    ASSERT_TRUE(form.SaveTemplate());
    TReportDesignForm check;
    check.OpenTemplateFile(Path(form.PrintId));
    EXPECT_EQ(check.Control().Lines[0]->Cells[1]->DisplayFormat(), QStringLiteral("大写金额"));

    form.PrintId.clear();
    EXPECT_FALSE(form.SaveTemplate());
    EXPECT_EQ(messages_.back(), QStringLiteral("提示信息|没有报表模板记录编号,报表模板不能保存"));
}

TEST_F(ReportDesignFormTest, CatalogueTableKeepsOneBodyRowPerTemplate) {
    form.TemplateTable = QStringLiteral("SYS_PRINT_DATA_TABLE");
    form.PrintId = QStringLiteral("BX260101120000");
    EXPECT_FALSE(form.OpenCatalogueTemplate());
    EXPECT_EQ(messages_.back(), QStringLiteral("提示信息|数据库里没有找到报表模版文件"));

    TReportDesignForm maker;
    maker.Control().NewTable(1, 3);
    db::TQuery* rows = NewQuery(QStringLiteral("SELECT * FROM SYS_PRINT_DATA_TABLE"));
    rows->Open();
    rows->Append();
    rows->FieldByName(QStringLiteral("PRINT_ID"))->SetAsString(form.PrintId);
    rows->FieldByName(QStringLiteral("PRINT_TABLE"))->SetAsBytes(WriteTemplate(maker.Control()));
    rows->Post();
    rows->Close();

    ASSERT_TRUE(form.OpenCatalogueTemplate());
    EXPECT_TRUE(form.Document().CatalogueMode);
    ASSERT_EQ(control().Lines.size(), 3u);
    Select({{1, 0}});
    form.ApplyFormat(QStringLiteral("0.0"));
    ASSERT_TRUE(form.SaveTemplate());
    EXPECT_TRUE(form.Saved());
    // A body row deleted meanwhile is written anew.
    Exec({"DELETE FROM SYS_PRINT_DATA_TABLE"});
    ASSERT_TRUE(form.SaveTemplate());
    EXPECT_EQ(Column(QStringLiteral("SELECT PRINT_ID FROM SYS_PRINT_DATA_TABLE")),
              QStringList{form.PrintId});

    // A body that cannot be written leaves the changes unsaved.
    Select({{2, 0}});
    form.ApplyFormat(QStringLiteral("0"));
    form.TemplateTable = QStringLiteral("NO_SUCH_TABLE");
    EXPECT_FALSE(form.SaveTemplate());
    EXPECT_FALSE(form.Saved());
    EXPECT_EQ(messages_.back(), QStringLiteral("提示信息|报表模板保存过程发生错误"));

    TReportDesignForm check;
    check.TemplateTable = QStringLiteral("SYS_PRINT_DATA_TABLE");
    check.PrintId = form.PrintId;
    ASSERT_TRUE(check.OpenCatalogueTemplate());
    EXPECT_EQ(check.Control().Lines[1]->Cells[0]->DisplayFormat(), QStringLiteral("0.0"));
}

TEST_F(ReportDesignFormTest, FieldAndVariableCommandsNeedASelectedCell) {
    form.PrintFields = {{"AMOUNT", "金额", "", true, false},
                        {"NAME", "名称", "", false, true},
                        {"HIDDEN", "", "", true, true}};
    form.hide();
    form.show();
    ASSERT_EQ(form.MasterList->count(), 1);
    ASSERT_EQ(form.DetailList->count(), 1);

    form.MasterFieldAction->trigger();
    EXPECT_EQ(messages_.back(), QStringLiteral("提示信息|请先选择单元格!!!"));
    NewTable(2, 3);
    Select({{0, 0}, {0, 1}});
    form.MasterFieldAction->trigger();
    EXPECT_EQ(messages_.back(), QStringLiteral("提示信息|没有选择数据字段"));
    form.MasterList->setCurrentRow(0);
    form.MasterFieldAction->trigger();
    EXPECT_EQ(Cell(0, 0)->Text(), QStringLiteral("{金额}"));
    EXPECT_EQ(Cell(0, 1)->Text(), QStringLiteral("{金额}"));
    form.DetailList->setCurrentRow(0);
    Select({{1, 2}});
    form.DetailFieldAction->trigger();
    EXPECT_EQ(Cell(1, 2)->Text(), QStringLiteral("[名称]"));

    form.ApplyVariable(QStringLiteral("PageNum/"));
    EXPECT_EQ(Cell(1, 2)->Text(), QStringLiteral("<PageNum/>"));
    // The cell selected last must still be in the selection.
    control().DeselectCell(Cell(1, 2));
    control().SelectCell(Cell(0, 0));
    control().LastSelected = Cell(1, 2);
    form.ApplyVariable(QStringLiteral("Date"));
    EXPECT_EQ(Cell(0, 0)->Text(), QStringLiteral("{金额}"));
    form.DetailFieldAction->trigger();
    EXPECT_EQ(messages_.back(), QStringLiteral("提示信息|请先选择单元格"));
}

TEST_F(ReportDesignFormTest, BorderDialogMarksUnsavedEvenWhenCancelledOthersOnlyOnOk) {
    form.BordersAction->trigger();
    EXPECT_EQ(messages_.back(), QStringLiteral("警告|请选择单元格!!!"));
    NewTable(1, 2);
    SaveAsFile(Path("b.ept"));
    ASSERT_TRUE(form.SaveTemplate());
    Select({{0, 0}});
    WhenModal<TDiagonalForm>([](TDiagonalForm& dialog) {
        dialog.Boxes[0]->setChecked(true);
        dialog.reject();
    });
    form.DiagonalAction->trigger();
    EXPECT_TRUE(form.Saved());
    EXPECT_EQ(Cell(0, 0)->Diagonal, 0);
    WhenModal<TBorderForm>([](TBorderForm& dialog) {
        EXPECT_TRUE(dialog.LineBoxes[2]->isChecked());
        dialog.CheckAll(false);
        dialog.reject();
    });
    form.BordersAction->trigger();
    EXPECT_FALSE(form.Saved());
    EXPECT_TRUE(Cell(0, 0)->RightBorder().Line);
}

TEST_F(ReportDesignFormTest, FontColourAndSplitDialogsApplyToTheSelection) {
    form.FontAction->trigger();
    EXPECT_EQ(messages_.back(), QStringLiteral("提示信息|请选择单元格!!!"));
    NewTable(2, 2);
    Select({{0, 0}, {1, 1}});
    WhenModal<TCellFontForm>([](TCellFontForm& dialog) {
        EXPECT_EQ(dialog.FontBox->currentFont().pointSize(), 12);
        QFont chosen = dialog.FontBox->currentFont();
        chosen.setPointSize(18);
        chosen.setItalic(true);
        dialog.FontBox->setCurrentFont(chosen);
        dialog.TextColor = 0x0000FF;
        dialog.accept();
    });
    form.FontAction->trigger();
    for (const TReportCell* cell : {Cell(0, 0), Cell(1, 1)}) {
        EXPECT_EQ(cell->LogFont().Height(), -24);
        EXPECT_TRUE(cell->LogFont().Italic());
        EXPECT_EQ(cell->TextColor, 0x0000FFu);
    }

    WhenModal<TColorForm>([](TColorForm& dialog) {
        dialog.SetColors(0x00FF00, 0xC0C0C0);
        dialog.accept();
    });
    form.ColorAction->trigger();
    EXPECT_EQ(Cell(1, 1)->TextColor, 0x00FF00u);
    EXPECT_EQ(Cell(1, 1)->BackColor, 0xC0C0C0u);

    Select({{0, 1}});
    WhenModal<TVSplitForm>([](TVSplitForm& dialog) {
        EXPECT_EQ(dialog.CountEdit->value(), 2);
        dialog.CountEdit->setValue(3);
        dialog.accept();
    });
    form.VSplitAction->trigger();
    EXPECT_EQ(control().Lines[0]->Cells.size(), 4u);
}

TEST_F(ReportDesignFormTest, PropertiesSetMarginsOnOkOnly) {
    NewTable(2, 2);
    form.show();
    SaveAsFile(Path("m.ept"));
    ASSERT_TRUE(form.SaveTemplate());
    WhenModal<TMarginkForm>([](TMarginkForm& dialog) {
        EXPECT_EQ(dialog.Margins(), (std::array<int32_t, 4>{20, 20, 10, 15}));
        dialog.SetMargins({5, 6, 7, 8});
        dialog.CancelButton->click();
    });
    form.PropertiesAction->trigger();
    EXPECT_EQ(control().GetMargins(), (std::array<int32_t, 4>{20, 20, 10, 15}));
    EXPECT_TRUE(form.Saved());
    WhenModal<TMarginkForm>([](TMarginkForm& dialog) {
        dialog.SetMargins({5, 6, 7, 8});
        dialog.OkButton->click();
    });
    form.PropertiesAction->trigger();
    EXPECT_EQ(control().GetMargins(), (std::array<int32_t, 4>{5, 6, 7, 8}));
    EXPECT_EQ(control().LeftMarginPx, 18);
    EXPECT_FALSE(form.Saved());
}

// Custom paper, then Cancel: the page gets its paper back only when it had
// one of its own (a paper length not 0).
TEST_F(ReportDesignFormTest, CustomPaperAndCancelRestoringTheRememberedPaper) {
    for (const int32_t length : {2970, 0}) {
        control().SetPageSize(758, 1037);
        control().PaperSize = 9;
        control().Orientation = 1;
        control().PaperLength = length;
        control().PaperWidth = length ? 2100 : 0;
        QSize chosen;
        WhenModal<TMarginkForm>([&chosen](TMarginkForm& dialog) {
            dialog.SelectPaperKind = [] { return 1; };
            WhenModal<TSetPrintPaperForm>([](TSetPrintPaperForm& paper) {
                EXPECT_EQ(paper.WidthEdit->text(), QStringLiteral("210"));
                EXPECT_EQ(paper.HeightEdit->text(), QStringLiteral("297"));
                paper.WidthEdit->setText(QStringLiteral("100"));
                paper.HeightEdit->setText(QStringLiteral("150"));
                paper.OkButton->click();
            });
            dialog.SetupButton->click();
            TReportControl& page = dynamic_cast<TReportDesignForm*>(dialog.parent())->Control();
            chosen = {page.PageWidth, page.PageHeight};
            EXPECT_EQ(page.PaperSize, 256);
            EXPECT_EQ(page.Orientation, 1);
            dialog.CancelButton->click();
        });
        form.PropertiesAction->trigger();
        EXPECT_EQ(chosen, QSize(361, 524));
        if (length) {
            EXPECT_EQ(QSize(control().PageWidth, control().PageHeight), QSize(758, 1037));
            EXPECT_EQ(control().PaperSize, 9);
            EXPECT_EQ(control().PaperLength, 2970);
        } else {
            EXPECT_EQ(QSize(control().PageWidth, control().PageHeight), QSize(361, 524));
            EXPECT_EQ(control().PaperSize, 256);
        }
    }
}

TEST_F(ReportDesignFormTest, StandardPaperTakesThePrinterPaperAndPage) {
    NewTable(1, 1);
    WhenModal<TMarginkForm>([](TMarginkForm& dialog) {
        dialog.SelectPaperKind = [] { return 2; };
        dialog.RunPrinterSetup = [](QWidget*) {
            SetPrinterDevMode({.PaperSize = 11, .Orientation = print::kLandscape});
            return false; // the answer plays no part
        };
        dialog.SetupButton->click();
        dialog.OkButton->click();
    });
    form.PropertiesAction->trigger();
    EXPECT_EQ(control().PaperSize, 11);
    EXPECT_EQ(control().Orientation, print::kLandscape);
    EXPECT_EQ(control().PaperWidth, 1480);
    EXPECT_EQ(control().PaperLength, 2100);
    EXPECT_GT(control().PageWidth, control().PageHeight);
    EXPECT_FALSE(form.Saved());
}

TEST_F(ReportDesignFormTest, StructuralCommandsEndTheCellEditFirst) {
    NewTable(3, 3);
    form.UpdateOldies();
    const TReportCell* cell = Cell(1, 1);
    const QPoint inside(cell->CellRect.Left + 20, cell->CellRect.Top + 8);
    QTest::mouseDClick(form.Page, Qt::LeftButton, {}, inside);
    ASSERT_NE(form.Page->Editor(), nullptr);
    control().SelectCell(Cell(1, 1));
    form.DeleteLineAction->trigger();
    EXPECT_EQ(control().Lines.size(), 2u);
    EXPECT_EQ(control().EditingCell, nullptr);
    EXPECT_EQ(form.Page->Editor(), nullptr);
}

TEST_F(ReportDesignFormTest, ClosingTheTemplateDropsItAndTheWindowAsks) {
    NewTable(2, 2);
    WhenModal<QMessageBox>([](QMessageBox& box) { box.done(QMessageBox::Cancel); });
    form.CloseAction->trigger();
    EXPECT_EQ(control().Lines.size(), 2u);
    WhenModal<QMessageBox>([](QMessageBox& box) {
        EXPECT_EQ(box.text(), QStringLiteral("确实要关闭报表吗？"));
        box.done(QMessageBox::Ok);
    });
    form.CloseAction->trigger();
    EXPECT_TRUE(control().Lines.empty());
    EXPECT_TRUE(form.windowTitle().endsWith(QStringLiteral("[无报表]")));
    EXPECT_TRUE(form.Saved());

    NewTable(1, 1);
    WhenModal<QMessageBox>([](QMessageBox& box) { box.done(QMessageBox::Cancel); });
    form.close();
    EXPECT_TRUE(form.isVisible());
    WhenModal<QMessageBox>([](QMessageBox& box) { box.done(QMessageBox::No); });
    form.close();
    EXPECT_FALSE(form.isVisible());
}

TEST_F(ReportDesignFormTest, EveryWindowShowsItsTextsWhole) {
    EXPECT_EQ(test::ClippedTexts(form), QStringList());
    TfrmNewTable newTable(&form);
    TVSplitForm split(&form);
    TBorderForm borders(&form);
    TDiagonalForm diagonal(&form);
    TColorForm colors(&form);
    TMarginkForm properties(form, control());
    for (QDialog* dialog : std::initializer_list<QDialog*>{&newTable, &split, &borders, &diagonal,
                                                           &colors, &properties}) {
        dialog->show();
        QApplication::processEvents();
        EXPECT_EQ(test::ClippedTexts(*dialog), QStringList())
            << dialog->windowTitle().toStdString();
        dialog->hide();
    }
}

TEST_F(ReportDesignFormTest, PreviewedPageEditedInItsOwnDesignerIsWrittenBack) {
    QByteArray page;
    {
        TReportDesignForm maker;
        maker.Control().NewTable(2, 1);
        page = WriteTemplate(maker.Control());
    }
    WhenModal<TReportDesignForm>([](TReportDesignForm& designer) {
        EXPECT_FALSE(designer.PreviewAction->isEnabled());
        designer.Control().SelectCell(designer.Control().Lines[0]->Cells[1].get());
        designer.ApplyVariable(QStringLiteral("PageNum"));
        designer.SaveAction->trigger();
        designer.close();
    });
    EditPageInDesigner(&form, page);
    TReportDesignForm check;
    check.OpenTemplateStream(&page);
    EXPECT_EQ(check.Control().Lines[0]->Cells[1]->Text(), QStringLiteral("<PageNum>"));
}

TEST_F(ReportDesignFormTest, ZoomStepsAndFitNeverEnlarges) {
    form.resize(1400, 1400);
    form.FitToWindow();
    EXPECT_EQ(form.Zoom(), 100);
    form.ZoomOutAction->trigger();
    form.ZoomOutAction->trigger();
    EXPECT_EQ(form.Zoom(), 80);
    EXPECT_EQ(form.Page->width(), 606);
    form.ZoomInAction->trigger();
    EXPECT_EQ(form.Zoom(), 90);
    form.resize(900, 678);
    form.FitToWindow();
    EXPECT_EQ(form.Zoom(), 50);
}

} // namespace
} // namespace kx

namespace kx {
namespace {

class DesignerCatalogueTest : public ReportDesignFormTest {
protected:
    DesignerCatalogueTest() {
        form.TemplateDir = dir_.path();
        form.PrintIndex = QStringLiteral("MoneyIntoOutForm");
        form.PrintType = QStringLiteral("M");
    }
    QStringList Rows() {
        return Column("SELECT PRINT_ID || '/' || PRINT_INDEX || '/' || PRINT_TYPE || '/' || "
                      "PRINT_NAME FROM SYS_PRINT_NAME_TABLE ORDER BY PRINT_ID");
    }
    static QByteArray Read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    void CloseTemplate() {
        WhenModal<QMessageBox>([](QMessageBox& box) { box.done(QMessageBox::Ok); });
        form.CloseAction->trigger();
    }
    QString Row(const QString& title) const {
        return form.PrintId + "/MoneyIntoOutForm/M/" + title;
    }
};

TEST_F(DesignerCatalogueTest, SaveAsMakesOneRowThenRetitlesAndRewritesIt) {
    NewTable(2, 2);
    ASSERT_TRUE(SaveIntoCatalogue(form, QStringLiteral("借贷报表")));
    const QString id = form.PrintId;
    EXPECT_TRUE(id.startsWith(QStringLiteral("BX")));
    EXPECT_EQ(id.size(), 14);
    EXPECT_EQ(Rows(), QStringList{Row("借贷报表")});
    EXPECT_EQ(Read(Path(id)), WriteTemplate(control()));
    EXPECT_TRUE(form.Document().CatalogueMode);
    EXPECT_TRUE(form.Saved());
    EXPECT_EQ(form.ReportTitle, QStringLiteral("借贷报表"));

    Select({{0, 0}});
    form.ApplyFormat(QStringLiteral("0.00"));
    ASSERT_TRUE(SaveIntoCatalogue(form, QStringLiteral("O'Neil 报表")));
    EXPECT_EQ(form.PrintId, id);
    EXPECT_EQ(Rows(), QStringList{Row("O'Neil 报表")});
    EXPECT_EQ(Read(Path(id)), WriteTemplate(control()));
    EXPECT_EQ(form.ReportTitle, QStringLiteral("O'Neil 报表"));
}

TEST_F(DesignerCatalogueTest, AnotherTemplateOrAClosedOneGetsARowOfItsOwn) {
    NewTable(2, 2);
    ASSERT_TRUE(SaveIntoCatalogue(form, QStringLiteral("第一")));
    const QString first = form.PrintId;
    const QByteArray firstBody = Read(Path(first));

    // Even an empty page saved after closing is a template of its own.
    CloseTemplate();
    WaitForNextSecond();
    ASSERT_TRUE(SaveIntoCatalogue(form, QStringLiteral("第二")));
    const QString second = form.PrintId;
    EXPECT_NE(second, first);
    EXPECT_EQ(Read(Path(first)), firstBody);

    TReportDesignForm maker;
    maker.Control().NewTable(1, 4);
    const QString other = Path(QStringLiteral("other.Rep"));
    SaveTemplateFile(maker.Control(), other);
    const QByteArray secondBody = Read(Path(second));
    ChooseFileWay([other] { AnswerFile(other); });
    form.Open();
    ASSERT_EQ(control().Lines.size(), 4u);
    EXPECT_FALSE(form.Document().CatalogueMode);
    EXPECT_EQ(form.ReportTitle, QStringLiteral("other"));
    WaitForNextSecond();
    ASSERT_TRUE(SaveIntoCatalogue(form, QStringLiteral("第三")));
    EXPECT_EQ(Column("SELECT PRINT_NAME FROM SYS_PRINT_NAME_TABLE ORDER BY PRINT_ID"),
              (QStringList{"第一", "第二", "第三"}));
    EXPECT_EQ(Read(Path(second)), secondBody);
    EXPECT_EQ(Read(Path(form.PrintId)), Read(other));
}

TEST_F(DesignerCatalogueTest, AFailedSaveLeavesNoRowWithoutItsBody) {
    NewTable(2, 2);
    ChooseCatalogueWay<TSavePrintTableForm>([](TSavePrintTableForm& dialog) { dialog.reject(); });
    EXPECT_FALSE(form.SaveAs());
    EXPECT_EQ(messages_.back(), QStringLiteral("提示信息|报表模板没有保存到数据库里"));

    // The title cannot be stored.
    Exec({"CREATE TRIGGER NO_ROWS BEFORE INSERT ON SYS_PRINT_NAME_TABLE "
          "BEGIN SELECT RAISE(ABORT, 'refused'); END"});
    EXPECT_FALSE(SaveIntoCatalogue(form, QStringLiteral("标题")));
    EXPECT_EQ(messages_.back(), QStringLiteral("提示信息|报表模板标题保存过程发生错误"));
    EXPECT_TRUE(Rows().isEmpty());
    EXPECT_FALSE(form.Document().CatalogueMode);
    EXPECT_FALSE(form.Saved());
    Exec({"DROP TRIGGER NO_ROWS"});

    // The body cannot be written: a file stands where the folder should be.
    const QString notAFolder = Path(QStringLiteral("plain"));
    QFile(notAFolder).open(QIODevice::WriteOnly);
    form.TemplateDir = notAFolder;
    errors_.clear();
    EXPECT_FALSE(SaveIntoCatalogue(form, QStringLiteral("标题")));
    EXPECT_EQ(errors_.size(), 1u);
    EXPECT_TRUE(Rows().isEmpty());
    EXPECT_TRUE(form.PrintId.isEmpty());
    EXPECT_TRUE(form.ReportTitle.isEmpty());
    EXPECT_FALSE(form.Document().CatalogueMode);
    EXPECT_FALSE(form.Saved());

    form.TemplateDir = dir_.path();
    ASSERT_TRUE(SaveIntoCatalogue(form, QStringLiteral("标题")));
    EXPECT_EQ(Rows(), QStringList{Row("标题")});

    form.TemplateDir.clear();
    WhenModal<TSelectItemQueryForm>([](TSelectItemQueryForm& choice) {
        choice.RadioGroup->SetItemIndex(0);
        choice.SureButton->click();
    });
    EXPECT_FALSE(form.SaveAs());
    EXPECT_EQ(messages_.back(),
              QStringLiteral("提示信息|没有保存模板文件的路经或数据表,不能保存报表模板文件"));
    EXPECT_EQ(Rows().size(), 1);
}

TEST_F(DesignerCatalogueTest, SaveAsIntoTheTemplateTableKeepsTheBodyThere) {
    form.TemplateDir.clear();
    form.TemplateTable = QStringLiteral("SYS_PRINT_DATA_TABLE");
    NewTable(2, 3);
    ASSERT_TRUE(SaveIntoCatalogue(form, QStringLiteral("库内模板")));
    EXPECT_EQ(Rows(), QStringList{Row("库内模板")});
    EXPECT_EQ(Column(QStringLiteral("SELECT PRINT_ID FROM SYS_PRINT_DATA_TABLE")),
              QStringList{form.PrintId});
    EXPECT_TRUE(QDir(dir_.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(DesignerCatalogueTest, OpenFromTheCatalogueLoadsThePickedRow) {
    TReportDesignForm maker;
    maker.Control().NewTable(4, 2);
    SaveTemplateFile(maker.Control(), Path(QStringLiteral("200700000007")));
    Exec({"INSERT INTO SYS_PRINT_NAME_TABLE (PRINT_INDEX, PRINT_NAME, PRINT_TYPE, PRINT_ID) "
          "VALUES ('MoneyIntoOutForm', '资金借贷记录报表', 'M', '200700000007')",
          "INSERT INTO SYS_PRINT_NAME_TABLE (PRINT_INDEX, PRINT_NAME, PRINT_TYPE, PRINT_ID) "
          "VALUES ('MoneyIntoOutForm', '没有文件', 'M', 'BX070305120000')"});
    const auto pick = [](const QString& id) {
        ChooseCatalogueWay<TSavePrintTableEditForm>([id](TSavePrintTableEditForm& editor) {
            TKXQuery* rows = editor.Query;
            for (rows->First(); !rows->Eof(); rows->Next())
                if (rows->FieldByName(QStringLiteral("PRINT_ID"))->AsString() == id)
                    break;
            editor.button_Ok->click();
        });
    };
    pick(QStringLiteral("200700000007"));
    form.Open();
    EXPECT_EQ(form.PrintId, QStringLiteral("200700000007"));
    EXPECT_EQ(form.ReportTitle, QStringLiteral("资金借贷记录报表"));
    EXPECT_TRUE(form.Document().CatalogueMode);
    EXPECT_EQ(control().Lines.size(), 2u);
    EXPECT_EQ(form.Zoom(), 100);

    // A row without its file leaves the open template where it belongs.
    pick(QStringLiteral("BX070305120000"));
    form.Open();
    EXPECT_TRUE(messages_.back().endsWith(QStringLiteral("没有找到报表模版文件")));
    EXPECT_EQ(form.PrintId, QStringLiteral("200700000007"));
    EXPECT_EQ(form.ReportTitle, QStringLiteral("资金借贷记录报表"));
    Select({{0, 0}});
    form.ApplyFormat(QStringLiteral("0.0"));
    ASSERT_TRUE(form.SaveTemplate());
    EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("BX070305120000"))));

    form.TemplateDir.clear();
    WhenModal<TSelectItemQueryForm>([](TSelectItemQueryForm& choice) {
        choice.RadioGroup->SetItemIndex(0);
        choice.SureButton->click();
    });
    form.Open();
    EXPECT_EQ(messages_.back(),
              QStringLiteral("提示信息|没有保存模板的文件或数据表,不能打开报表模板文件"));
}

} // namespace
} // namespace kx
