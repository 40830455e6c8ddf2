#include "tablereport/marginform.h"
#include "tablereport/printerdevmode.h"
#include "tablereport/setprintpaperform.h"
#include "tablereport/templatestream.h"

#include "platform/print/printer.h"
#include "platform/ui/messagedialog.h"
#include "tests/tablereport/fakemeasurer.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace kx {
namespace {

constexpr int kA4 = 9;
constexpr int kA5 = 11;

QByteArray ReadFile(const QString& name) {
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The forms change the shared printer's paper; each test starts from A4
// portrait on the PDF printer and leaves it so.
class PageSetupTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!print::InstalledPrinters().isEmpty())
            GTEST_SKIP() << "print queues are installed";
        SetA4();
        oldSink_ = ui::SetMessageSink([this](const ui::MessageRequest& request) {
            prompts_.append(request.text);
            return false;
        });
    }
    void TearDown() override {
        ui::SetMessageSink(oldSink_);
        SetA4();
    }
    static void SetA4() { SetPrinterDevMode({.PaperSize = kA4, .Orientation = print::kPortrait}); }

    // A two-line template with margins 20/20/10/15 mm, A4 portrait and a
    // page size that no printer gives.
    QString WriteTemplate(int paperSize = kA4, int orientation = print::kPortrait) {
        TReportControl page(&measurer_);
        page.NewTable(2, 2);
        page.Lines[0]->Cells[0]->SetCellText(QStringLiteral("标题"));
        page.SetPageSize(800, 1100);
        page.PaperSize = paperSize;
        page.Orientation = orientation;
        page.PaperLength = 2970;
        page.PaperWidth = 2100;
        const QString name = dir_.filePath(QStringLiteral("report.ept"));
        SaveTemplateFile(page, name);
        return name;
    }
    void Reread(const QString& name, TReportControl& page) { LoadTemplateFile(name, page); }

    FakeMeasurer measurer_;
    QTemporaryDir dir_;
    ui::MessageSink oldSink_;
    QStringList prompts_;
};

TEST_F(PageSetupTest, PrinterPaperRoundTripsThroughTheDevMode) {
    SetPrinterDevMode({.PaperSize = kA5, .Orientation = print::kLandscape});
    TDevMode mode = GetPrinterDevMode();
    EXPECT_EQ(mode.PaperSize, kA5);
    EXPECT_EQ(mode.Orientation, print::kLandscape);
    EXPECT_EQ(mode.PaperWidth, 1480);
    EXPECT_EQ(mode.PaperLength, 2100);

    SetPrinterDevMode({.PaperSize = print::kCustomPaperCode,
                       .Orientation = print::kPortrait,
                       .PaperLength = 1000,
                       .PaperWidth = 1500});
    mode = GetPrinterDevMode();
    EXPECT_EQ(mode.PaperSize, print::kCustomPaperCode);
    EXPECT_EQ(mode.PaperWidth, 1500);
    EXPECT_EQ(mode.PaperLength, 1000);
}

TEST_F(PageSetupTest, PdfPrinterLaysOutA4AsTheDefaultPage) {
    TReportControl page(&measurer_);
    page.PrinterPage = CurrentPrinterPage;
    page.RecordedPageWidth = 0;
    page.UpdatePageSize();
    EXPECT_EQ(page.PageWidth, 758);
    EXPECT_EQ(page.PageHeight, 1037);
    SetPrinterDevMode({.PaperSize = kA4, .Orientation = print::kLandscape});
    page.RecordedPageWidth = 0;
    page.UpdatePageSize();
    EXPECT_EQ(page.PageWidth, 1037);
    EXPECT_EQ(page.PageHeight, 758);
}

TEST_F(PageSetupTest, CreationLoadsMarginsAndGivesThePrinterTheTemplatePaper) {
    const auto form = CreateMarginForm(nullptr, WriteTemplate(kA5, print::kLandscape));
    EXPECT_EQ(form->windowTitle(), "报表属性设置");
    EXPECT_EQ(form->Margins(), (std::array<int32_t, 4>{20, 20, 10, 15}));
    EXPECT_EQ(form->Result(), 0);
    EXPECT_EQ(GetPrinterDevMode().PaperSize, kA5);
    EXPECT_EQ(GetPrinterDevMode().Orientation, print::kLandscape);
}

TEST_F(PageSetupTest, OkWritesMarginsAndThePrinterPageBackToTheFile) {
    const QString name = WriteTemplate();
    const auto form = CreateMarginForm(nullptr, name);
    // The edits have no bounds.
    form->SetMargins({-5, 30, 100000, 15});
    EXPECT_EQ(form->Margins(), (std::array<int32_t, 4>{-5, 30, 100000, 15}));
    form->SetMargins({25, 30, 10, 15});
    form->OkButton->click();
    EXPECT_EQ(form->Result(), 1);
    EXPECT_EQ(form->result(), QDialog::Accepted);

    TReportControl page(&measurer_);
    Reread(name, page);
    EXPECT_EQ(page.GetMargins(), (std::array<int32_t, 4>{25, 30, 10, 15}));
    EXPECT_EQ(page.LeftMarginPx, 90); // 25 x 3.6095238 = 90.238
    EXPECT_EQ(page.TopMarginPx, 105); // 30 x 3.4915825 = 104.747
    EXPECT_EQ(page.PageWidth, 758);
    EXPECT_EQ(page.PageHeight, 1037);
    EXPECT_EQ(page.Lines.size(), 2u);
    EXPECT_EQ(page.Lines[0]->Cells[0]->Text(), "标题");
}

TEST_F(PageSetupTest, OkRewritesTheFileEvenWithoutAChange) {
    const QString name = WriteTemplate();
    const QByteArray before = ReadFile(name);
    const auto form = CreateMarginForm(nullptr, name);
    form->OkButton->click();
    EXPECT_EQ(form->Result(), 1);
    // The recorded 800 x 1100 gave way to the printer's page.
    EXPECT_NE(ReadFile(name), before);
}

TEST_F(PageSetupTest, PaperChosenInSetupIsTheOneTheTemplateKeeps) {
    const QString name = WriteTemplate();
    const auto form = CreateMarginForm(nullptr, name);
    form->RunPrinterSetup = [](QWidget*) {
        SetPrinterDevMode({.PaperSize = kA5, .Orientation = print::kLandscape});
        return true;
    };
    form->SetupButton->click();
    EXPECT_EQ(form->Result(), 1);
    form->OkButton->click();

    TReportControl page(&measurer_);
    Reread(name, page);
    EXPECT_EQ(page.PaperSize, kA5);
    EXPECT_EQ(page.Orientation, print::kLandscape);
    EXPECT_EQ(page.PaperWidth, 1480);
    EXPECT_EQ(page.PaperLength, 2100);
    EXPECT_GT(page.PageWidth, page.PageHeight);
}

TEST_F(PageSetupTest, SetupAnswersAndCancelLeavesTheFileAndResultZero) {
    const QString name = WriteTemplate();
    const QByteArray before = ReadFile(name);
    const auto form = CreateMarginForm(nullptr, name);
    form->show();
    bool answer = true;
    form->RunPrinterSetup = [&answer](QWidget*) { return answer; };
    form->SetupButton->click();
    EXPECT_EQ(form->Result(), 1);
    EXPECT_TRUE(form->isVisible());
    answer = false;
    form->SetupButton->click();
    EXPECT_EQ(form->Result(), 0);
    answer = true;
    form->SetupButton->click();
    form->CancelButton->click();
    EXPECT_EQ(form->Result(), 0);
    EXPECT_EQ(form->result(), QDialog::Rejected);
    EXPECT_EQ(ReadFile(name), before);
}

TEST_F(PageSetupTest, MarginFormRefusesAFileThatIsNoTemplate) {
    const QString name = dir_.filePath(QStringLiteral("notes.txt"));
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("plain text");
    file.close();
    EXPECT_THROW(CreateMarginForm(nullptr, name), ETemplateFormat);
}

TEST_F(PageSetupTest, PaperFormRefusesMissingAndNonPositiveSizes) {
    const struct {
        const char* width;
        const char* height;
        const char* prompt; // nullptr: accepted
        bool focusOnWidth;
    } cases[] = {
        {"", "100", "必须输入纸张宽度", true},   {"  ", "100", "必须输入纸张宽度", true},
        {"0", "100", "必须输入纸张宽度", true},  {"abc", "100", "必须输入纸张宽度", true},
        {"-5", "100", "必须输入纸张宽度", true}, {"150", "", "必须输入纸张高度", false},
        {"150", "0", "必须输入纸张高度", false}, {"150", "100.5", nullptr, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.width) + " x " + c.height);
        prompts_.clear();
        TSetPrintPaperForm form(nullptr);
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        form.WidthEdit->setText(QString::fromUtf8(c.width));
        form.HeightEdit->setText(QString::fromUtf8(c.height));
        form.OkButton->click();
        if (c.prompt) {
            EXPECT_EQ(prompts_, QStringList{QString::fromUtf8(c.prompt)});
            EXPECT_TRUE(form.isVisible());
            EXPECT_EQ(form.focusWidget(), c.focusOnWidth ? form.WidthEdit : form.HeightEdit);
        } else {
            EXPECT_TRUE(prompts_.isEmpty());
            EXPECT_EQ(form.result(), QDialog::Accepted);
            EXPECT_DOUBLE_EQ(form.PaperWidthMm(), 150);
            EXPECT_DOUBLE_EQ(form.PaperHeightMm(), 100.5);
        }
    }
}

TEST_F(PageSetupTest, PaperFormStartsOnTheWidthAndEnterMovesOn) {
    TSetPrintPaperForm form(nullptr);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    EXPECT_EQ(form.windowTitle(), "自定义纸张大小设置窗口");
    EXPECT_EQ(QApplication::focusWidget(), form.WidthEdit);
    QTest::keyClicks(form.WidthEdit, "123456789");
    EXPECT_EQ(form.WidthEdit->text(), "1234567");
    QTest::keyClick(form.WidthEdit, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), form.HeightEdit);
    EXPECT_TRUE(form.isVisible());
    form.CloseButton->click();
    EXPECT_EQ(form.result(), QDialog::Rejected);
}

TEST_F(PageSetupTest, NoLabelIsClipped) {
    const auto margins = CreateMarginForm(nullptr, WriteTemplate());
    TSetPrintPaperForm paper(nullptr);
    for (QDialog* form : std::initializer_list<QDialog*>{margins.get(), &paper}) {
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
        for (const QLabel* label : form->findChildren<QLabel*>())
            EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()))
                << label->text().toStdString();
        form->close();
    }
}

} // namespace
} // namespace kx
