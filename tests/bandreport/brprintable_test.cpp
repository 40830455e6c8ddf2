#include "bandreport/bandrep.h"
#include "bandreport/brexportfilter.h"
#include "bandreport/brprintable.h"
#include "bandreport/brprinter.h"
#include "tests/platform/db/dbfixture.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace kx {
namespace {

// Every character 10 pixels wide and every line 15 high, whatever the font.
class FixedMetricsReport : public TBandRep {
public:
    using TBandRep::TBandRep;
    int MeasureTextHeight(const QFont&, const QString&) const override { return 15; }
    int MeasureTextWidth(const QFont&, const QString& text) const override {
        return 10 * int(text.size());
    }
};

struct TPlacedText {
    long double X;
    long double Y;
    QString Text;
    Qt::Alignment Alignment;
};

class RecordingFilter : public TBRExportFilter {
public:
    RecordingFilter() : TBRExportFilter(QString()) {}
    void PutText(long double x, long double y, const QFont&, quint32, Qt::Alignment alignment,
                 const QString& text) override {
        Texts.append({x, y, text, alignment});
    }
    QStringList Lines() const {
        QStringList lines;
        for (const TPlacedText& text : Texts)
            lines.append(text.Text);
        return lines;
    }
    QList<TPlacedText> Texts;
};

class PrintableTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetNewPrinterPaperSize([] { return TBRPaperSize::Default; });
        band_ = report_.CreateBand(TBRBandType::rbDetail);
    }
    void TearDown() override {
        report_.ActivePrinter = nullptr;
        report_.ExportFilter = nullptr;
        SetNewPrinterPaperSize({});
    }

    TBRLabel* Label(const QString& caption, int width, bool autoSize = false) {
        auto* label = new TBRLabel(band_);
        label->AutoSize = autoSize;
        label->SetBounds(QRect(0, 0, width, 16));
        label->SetCaption(caption);
        return label;
    }

    // A run that hands every text to the recorder.
    void StartRun() {
        printer_.StartDocument();
        printer_.StartNewPage();
        report_.ActivePrinter = &printer_;
        report_.ExportFilter = &recorder_;
        report_.DrawOnCanvas = false;
        report_.Running = true;
        report_.CursorY = 100;
        report_.CurrentPage = 1;
    }

    FixedMetricsReport report_;
    TBRBand* band_ = nullptr;
    TBRPrinter printer_;
    RecordingFilter recorder_;
};

TEST_F(PrintableTest, LinesBreakAtBlanksHyphensAndCarriageReturns) {
    const struct {
        const char* name;
        QString text;
        bool wordWrap;
        QStringList lines;
    } cases[] = {
        {"wrap", QStringLiteral("aaaa bbbb cccc"), true, {"aaaa bbbb ", "cccc"}},
        {"hyphen", QStringLiteral("aaaaa-bbbbbbb"), true, {"aaaaa-", "bbbbbbb"}},
        {"word too wide", QStringLiteral("abcdefghijklmn"), true, {"abcdefghi"}},
        {"wide word after text", QStringLiteral("ab abcdefghijklmn"), true, {"ab ", "abcdefghij"}},
        {"no wrap", QStringLiteral("aaaa bbbb cccc dd"), false, {"aaaa bbbb "}},
        {"returns and feeds", QStringLiteral("ab\r\n\rcd"), true, {"ab", "", "cd"}},
        {"empty", QString(), true, {""}},
    };
    for (const auto& c : cases) {
        TBRLabel* label = Label(QString(), 100);
        label->WordWrap = c.wordWrap;
        label->SetCaption(c.text);
        EXPECT_EQ(label->OutputLines(), c.lines) << c.name;
    }
}

TEST_F(PrintableTest, AnAutoSizedLabelTakesItsWidestLineAndKeepsItsAnchor) {
    TBRLabel* lines = Label(QString(), 300, true);
    lines->SetCaption(QStringLiteral("ab\rlonger line and more words"));
    EXPECT_EQ(lines->OutputLines(), (QStringList{"ab", "longer line and more words"}));
    EXPECT_EQ(lines->Bounds().width(), 260);
    EXPECT_EQ(lines->Bounds().height(), 16);

    TBRLabel* label = Label(QString(), 300, true);
    label->SetAlignment(taRightJustify);
    label->SetBounds(QRect(200, 0, 300, 5));
    label->SetCaption(QStringLiteral("eleven char"));
    EXPECT_EQ(label->Bounds(), QRect(390, 0, 110, 16));
    label->SetAlignment(taCenter);
    label->SetCaption(QStringLiteral("ab"));
    EXPECT_EQ(label->Bounds().left(), 390 + 45);
    label->Frame().SetDrawLeft(true);
    label->Frame().SetDrawRight(true);
    label->Frame().SetWidth(2);
    label->SetCaption(QStringLiteral("ab"));
    EXPECT_EQ(label->Bounds().width(), 24);
}

TEST_F(PrintableTest, ALabelPrintsItsLinesAtItsPlaceAndOnPrintChangesOnlyThatPrint) {
    TBRLabel* label = Label(QStringLiteral("aaaa bbbb cccc"), 100);
    label->AutoStretch = false;
    label->Size().SetValues({500, 30, 40, label->Size().Native(TBRPrintableSize::WidthIndex)});
    int calls = 0;
    label->OnPrint = [&calls](QObject*, QString& value) {
        ++calls;
        value = QStringLiteral("changed");
    };
    StartRun();
    label->BeginPrintMode();
    label->PrintAt(0, 100);
    ASSERT_EQ(recorder_.Lines(), QStringList{QStringLiteral("changed")});
    EXPECT_NEAR(double(recorder_.Texts.at(0).X), 30, 1e-9);
    EXPECT_NEAR(double(recorder_.Texts.at(0).Y), 140, 1e-9);
    EXPECT_EQ(label->PrintText, QStringLiteral("aaaa bbbb cccc"));
    EXPECT_EQ(calls, 1);

    label->SetCaption(QString());
    label->PrintAt(0, 100);
    EXPECT_EQ(calls, 1);
}

TEST_F(PrintableTest, LinesBelowTheControlAreDroppedWithoutAutoStretch) {
    TBRLabel* label = Label(QStringLiteral("aaaa bbbb cccc dddd eeee"), 100);
    StartRun();
    label->BeginPrintMode();
    label->PrintAt(0, 0);
    EXPECT_EQ(recorder_.Lines(), QStringList{QStringLiteral("aaaa bbbb ")});
    EXPECT_TRUE(label->PrintComplete());
}

TEST_F(PrintableTest, AStretchingLabelGrowsItsBandOrContinuesOnTheNextPage) {
    TBRLabel* label = Label(QStringLiteral("aaaa bbbb cccc dddd eeee"), 100);
    label->AutoStretch = true;
    StartRun();
    label->BeginPrintMode();
    label->PrintAt(0, 0);
    EXPECT_EQ(recorder_.Lines(), (QStringList{"aaaa bbbb ", "cccc dddd ", "eeee"}));
    EXPECT_TRUE(label->PrintComplete());
    EXPECT_GT(band_->Stretch, 0);

    // No room left below the cursor: the rest waits for the next page.
    recorder_.Texts.clear();
    band_->Stretch = 0;
    report_.CursorY = printer_.PaperLength() - 120;
    label->PrintAt(0, 0);
    EXPECT_EQ(recorder_.Lines(), QStringList{QStringLiteral("aaaa bbbb ")});
    EXPECT_FALSE(label->PrintComplete());
    recorder_.Texts.clear();
    report_.CursorY = 100;
    label->PrintAt(0, 0);
    EXPECT_EQ(recorder_.Lines(), (QStringList{"cccc dddd ", "eeee"}));
    EXPECT_TRUE(label->PrintComplete());
}

TEST_F(PrintableTest, TheFirstGrowthOfAPrintReusesAStretchAlreadyMade) {
    StartRun();
    band_->Stretch = 50;
    long double position = 0;
    bool started = false;
    EXPECT_TRUE(band_->TryGrowHeight(position, started, 30));
    EXPECT_NEAR(double(band_->Stretch), 50, 1e-9);
    EXPECT_TRUE(started);
    EXPECT_FALSE(band_->TryGrowHeight(position, started, 30));
    EXPECT_NEAR(double(band_->Stretch), 80, 1e-9);
    EXPECT_NEAR(double(position), 80, 1e-9);
}

TEST_F(PrintableTest, SystemDataPutsItsTextDirectlyBeforeTheValue) {
    auto* page = new TBRSysData(band_);
    page->SetData(brsPageNumber);
    EXPECT_EQ(page->Caption(), QStringLiteral("(Page#)"));
    StartRun();
    report_.CurrentPage = 3;
    page->BeginPrintMode();
    page->PrintAt(0, 0);
    page->SetText(QStringLiteral("第"));
    page->PrintAt(0, 0);
    report_.ReportTitle = QStringLiteral("部门清单");
    page->SetText(QString());
    page->SetData(brsReportTitle);
    page->PrintAt(0, 0);
    EXPECT_EQ(recorder_.Lines(), (QStringList{"3", "第3", "部门清单"}));
}

TEST_F(PrintableTest, ExpressionsPrintTheirValuesAndRunningTotalsRestartAfterPrint) {
    auto* count = new TBRExpr(band_);
    EXPECT_EQ(count->Caption(), QStringLiteral("(none)"));
    count->SetExpression(QStringLiteral("COUNT"));
    count->ResetAfterPrint = true;
    auto* sum = new TBRExpr(band_);
    sum->SetExpression(QStringLiteral("1+2*3"));
    auto* wrong = new TBRExpr(band_);
    wrong->SetExpression(QStringLiteral("1/0"));
    StartRun();
    for (TBRExpr* expression : {count, sum, wrong})
        expression->BeginPrintMode();
    EXPECT_TRUE(report_.Controller().NotifyExprs.contains(count));
    EXPECT_FALSE(report_.Controller().NotifyExprs.contains(sum));
    for (int record = 0; record < 3; ++record)
        count->ParentNotify(band_, 0);
    count->PrintAt(0, 0);
    count->ParentNotify(band_, 0);
    count->PrintAt(0, 0);
    sum->PrintAt(0, 0);
    wrong->PrintAt(0, 0);
    EXPECT_EQ(recorder_.Lines(), (QStringList{"3", "1", "7", "Cannot divide by 0"}));
    count->EndPrintMode();
    EXPECT_EQ(count->Caption(), QStringLiteral("COUNT"));
}

TEST_F(PrintableTest, AVerticalLineRunsThroughTheMiddleOfItsBox) {
    auto* shape = new TBRShape(band_);
    shape->Shape = brsVertLine;
    shape->Size().SetValues({254, 0, 0, 254});
    report_.DrawOnCanvas = true;
    printer_.StartDocument();
    printer_.StartNewPage();
    report_.ActivePrinter = &printer_;
    shape->PrintAt(0, 0);
    printer_.FinishDocument();
    const auto page = printer_.PageMetafile(1);
    ASSERT_TRUE(page.has_value());
    QImage image(page->Size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter canvas(&image);
        page->Play(canvas, QRectF(QPointF(0, 0), QSizeF(page->Size())));
    }
    EXPECT_EQ(image.pixelColor(48, 40), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(40, 40), QColor(Qt::white));
}

class DBTextTest : public db::test::DbTest {
protected:
    void SetUp() override {
        Exec({"CREATE TABLE PRINT_TABLE (NAME VARCHAR(20), AMOUNT REAL, DAY DATE, NOTE MEMO)",
              "INSERT INTO PRINT_TABLE VALUES ('张三', 1234.5, '2024-01-31', "
              "'first line' || char(13) || char(10) || 'second line')",
              "INSERT INTO PRINT_TABLE VALUES (NULL, NULL, NULL, NULL)"});
        query_ = NewQuery("SELECT * FROM PRINT_TABLE ORDER BY NAME DESC");
        query_->Open();
        SetNewPrinterPaperSize([] { return TBRPaperSize::Default; });
        band_ = report_.CreateBand(TBRBandType::rbDetail);
        printer_.StartDocument();
        printer_.StartNewPage();
        report_.ActivePrinter = &printer_;
        report_.ExportFilter = &recorder_;
        report_.DrawOnCanvas = false;
    }
    void TearDown() override {
        report_.ActivePrinter = nullptr;
        report_.ExportFilter = nullptr;
        SetNewPrinterPaperSize({});
    }

    TBRDBText* Text(const char* field, const char* mask = "") {
        auto* text = new TBRDBText(band_);
        text->SetBounds(QRect(0, 0, 500, 100));
        text->SetDataSet(query_);
        text->SetDataField(QString::fromUtf8(field));
        text->Mask = QString::fromUtf8(mask);
        text->BeginPrintMode();
        return text;
    }

    FixedMetricsReport report_;
    TBRBand* band_ = nullptr;
    TBRPrinter printer_;
    RecordingFilter recorder_;
    db::TQuery* query_ = nullptr;
};

TEST_F(DBTextTest, PrintsTheFieldAsShownOrThroughItsMask) {
    const struct {
        const char* field;
        const char* mask;
        QString first;
        QString second;
    } cases[] = {
        {"NAME", "", QStringLiteral("张三"), QString()},
        {"AMOUNT", "#,##0.00", QStringLiteral("1,234.50"), QString()},
        {"DAY", "yyyy/mm/dd", QStringLiteral("2024-01-31"), QString()},
        {"MISSING", "", QString(), QString()},
    };
    for (const auto& c : cases) {
        TBRDBText* text = Text(c.field, c.mask);
        query_->First();
        EXPECT_EQ(text->FieldText(), c.first) << c.field;
        query_->Next();
        EXPECT_EQ(text->FieldText(), c.second) << c.field;
        text->EndPrintMode();
        EXPECT_EQ(text->Caption(), QString::fromUtf8(c.field));
    }
}

TEST_F(DBTextTest, AMemoPrintsItsOwnLines) {
    TBRDBText* note = Text("NOTE");
    query_->First();
    note->PrintAt(0, 0);
    EXPECT_EQ(recorder_.Lines(), (QStringList{"first line", "second line"}));
}

} // namespace
} // namespace kx
