#include "bandreport/bandrep.h"
#include "bandreport/brprintdialog.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <gtest/gtest.h>

namespace kx {
namespace {

TEST(CenterDialogWindowTest, CentresAcrossAndAThirdDown) {
    EXPECT_EQ(CenterDialogWindow(QRect(0, 0, 1024, 768), QSize(400, 300)), QPoint(312, 156));
    EXPECT_EQ(CenterDialogWindow(QRect(100, 0, 1024, 768), QSize(1100, 900)), QPoint(62, -44));
}

class PrintDialogTest : public ::testing::Test {
protected:
    print::TPrinter printer_;
    TBRPrintDialog dialog_;

    void SetUp() override { dialog_.Printer = &printer_; }
};

TEST_F(PrintDialogTest, OneCopyAnsweredTakesThePrintersOwnCount) {
    dialog_.SetCopyCount(3);
    EXPECT_EQ(printer_.Copies(), 3);
    dialog_.TakeResult({prPageNums, 2, 4, 1, false});
    EXPECT_EQ(dialog_.Copies(), 3);
    EXPECT_EQ(dialog_.PrintRange, prPageNums);
    EXPECT_EQ(dialog_.FromPage, 2);
    EXPECT_EQ(dialog_.ToPage, 4);
    dialog_.TakeResult({prAllPages, 0, 0, 5, false});
    EXPECT_EQ(dialog_.Copies(), 5);
}

TEST_F(PrintDialogTest, ThePrintersPaperAndDuplexAreReadBack) {
    printer_.SetPaperCode(9);
    printer_.SetOrientation(print::kLandscape);
    printer_.SetDuplexCode(print::kDuplexNone);
    dialog_.TakeResult({});
    EXPECT_EQ(dialog_.PaperSize, 9);
    EXPECT_EQ(dialog_.Orientation, print::kLandscape);
    EXPECT_DOUBLE_EQ(dialog_.Paperwidth, 2100);
    EXPECT_DOUBLE_EQ(dialog_.Paperlength, 2970);
    EXPECT_EQ(dialog_.DuplexCode, print::kDuplexNone);
    EXPECT_FALSE(dialog_.Duplex);
}

TEST_F(PrintDialogTest, ACancelledDialogChangesNothing) {
    dialog_.FromPage = 2;
    dialog_.ToPage = 3;
    dialog_.MaxPage = 9;
    dialog_.PrintRange = prPageNums;
    dialog_.Options = poPageNums | poWarning;
    int shown = 0;
    int closed = 0;
    dialog_.OnShow = [&shown] { ++shown; };
    dialog_.OnClose = [&closed] { ++closed; };
    QTimer::singleShot(0, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            static_cast<QDialog*>(modal)->reject();
    });
    EXPECT_FALSE(dialog_.RunDialog());
    EXPECT_EQ(dialog_.FromPage, 2);
    EXPECT_EQ(dialog_.ToPage, 3);
    EXPECT_EQ(dialog_.PrintRange, prPageNums);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(closed, 1);
}

TEST(PrinterSetupTest, ACancelledSetUpMarksTheReportAndChangesNothing) {
    SetNewPrinterPaperSize([] { return TBRPaperSize::Default; });
    TBandRep report;
    report.PrinterSettings.Copies = 2;
    report.PrinterSettings.FirstPage = 3;
    QTimer::singleShot(0, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            static_cast<QDialog*>(modal)->reject();
    });
    report.RunPrinterSetupDialog();
    EXPECT_EQ(report.Tag, 1);
    EXPECT_EQ(report.PrinterSettings.Copies, 2);
    EXPECT_EQ(report.PrinterSettings.FirstPage, 3);
    EXPECT_EQ(report.Page().Orientation(), TBRPrinterOrientation::poPortrait);
    SetNewPrinterPaperSize({});
}

} // namespace
} // namespace kx
