#include "bandreport/brerror.h"
#include "bandreport/brexportfilter.h"
#include "platform/sys/cp936.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kx {
namespace {

constexpr long double kNinePointCell = 31.75L;

class AsciiFilterTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        filter_.Start(2100, 2970, QFont(QStringLiteral("Arial"), 9));
        filter_.NewPage();
    }
    void TearDown() override { filter_.Finish(); }

    void Put(long double x, long double y, const QString& text,
             Qt::Alignment alignment = Qt::AlignLeft) {
        filter_.PutText(x, y, QFont(), 0xFFFFFF, alignment, text);
    }
    QString Line(int index) const { return cp936::Decode(filter_.Line(index)); }

    QTemporaryDir folder_;
    TBRAsciiExportFilter filter_{folder_.filePath(QStringLiteral("report.txt"))};
};

TEST_F(AsciiFilterTest, ANinePointFontMakesAGridOf94Lines) {
    EXPECT_NEAR(double(filter_.CharacterWidth()), 31.75, 1e-9);
    EXPECT_NEAR(double(filter_.LineHeight()), 31.75, 1e-9);
    EXPECT_EQ(filter_.LineCount(), 94);
}

TEST_F(AsciiFilterTest, TextsArePlacedOnTheCharacterGrid) {
    Put(254, 0, QStringLiteral("AB"));
    EXPECT_EQ(Line(0), QString(13, u' ') + QStringLiteral("AB"));

    Put(254, kNinePointCell, QStringLiteral("ABC"), Qt::AlignRight);
    EXPECT_EQ(Line(1), QString(10, u' ') + QStringLiteral("ABC"));
    Put(254, kNinePointCell, QStringLiteral("de"));
    EXPECT_EQ(Line(1), QString(10, u' ') + QStringLiteral("ABCde"));

    // Halves of a line round up; centred text is placed as left-aligned.
    Put(0, kNinePointCell * 2.5L, QStringLiteral("x"), Qt::AlignHCenter);
    EXPECT_EQ(Line(3), QStringLiteral("x"));
}

TEST_F(AsciiFilterTest, ALaterTextOverwritesAndLinesPastTheGridAreDropped) {
    Put(0, 0, QStringLiteral("abcdef"));
    Put(2 * kNinePointCell / 1.7L, 0, QStringLiteral("XY"));
    EXPECT_EQ(Line(0), QStringLiteral("aXYdef"));
    // Position 0 lies before the line: the text goes in front of it.
    Put(0, 0, QStringLiteral("Z"));
    EXPECT_EQ(Line(0), QStringLiteral("ZaXYdef"));

    Put(0, kNinePointCell * 200, QStringLiteral("last"));
    Put(0, kNinePointCell * 201, QStringLiteral("gone"));
    Put(0, -kNinePointCell * 3, QStringLiteral("gone"));
    EXPECT_EQ(Line(200), QStringLiteral("last"));
}

TEST_F(AsciiFilterTest, AnOverwriteNeverLeavesHalfADoubleByteCharacter) {
    const struct {
        int position;
        QString expected;
    } cases[] = {
        {2, QStringLiteral(" x文")},
        {3, QStringLiteral("中x ")},
        {1, QStringLiteral("x 文")},
    };
    for (const auto& c : cases) {
        filter_.NewPage();
        Put(0, 0, QStringLiteral("中文"));
        Put(c.position * kNinePointCell / 1.7L, 0, QStringLiteral("x"));
        EXPECT_EQ(Line(0), c.expected) << c.position;
    }
}

TEST_F(AsciiFilterTest, PagesWriteTheirNonEmptyLinesInCodePage936) {
    Put(0, 0, QStringLiteral("部门"));
    Put(0, kNinePointCell * 2, QStringLiteral("Total"));
    filter_.EndPage();
    filter_.NewPage();
    filter_.EndPage();
    filter_.NewPage();
    Put(0, 0, QStringLiteral("p3"));
    filter_.EndPage();
    filter_.Finish();
    QFile file(filter_.FileName());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), cp936::Encode(QStringLiteral("部门")) + "\r\nTotal\r\np3\r\n");
}

TEST(TBRAsciiExportFilterTest, APixelSizedFontCountsItsPixelsAsPoints) {
    QTemporaryDir folder;
    TBRAsciiExportFilter filter(folder.filePath(QStringLiteral("a.txt")));
    QFont pixelFont;
    pixelFont.setPixelSize(12);
    filter.Start(2970, 2970, pixelFont);
    EXPECT_NEAR(double(filter.LineHeight()), 12 * 254.0 / 72, 1e-9);
    EXPECT_EQ(filter.LineCount(), 70);
    filter.Finish();
}

TEST(TBRAsciiExportFilterTest, AFileThatCannotBeCreatedRaisesAnError) {
    TBRAsciiExportFilter filter(QStringLiteral("/nonexistent-folder/report.txt"));
    EXPECT_THROW(filter.Start(2100, 2970, QFont()), EBRError);
    EXPECT_FALSE(filter.Active());
}

TEST(TBRExportFilterLibraryTest, TheTextFilterIsListedOnceWhileItsComponentLives) {
    TBRExportFilterLibrary& library = TBRExportFilterLibrary::Instance();
    const QString pageFile = QStringLiteral("Report page file(*.BRP)|*.BRP");
    EXPECT_EQ(library.BuildSaveDialogFilter(), pageFile);
    {
        TBRTextFilter first;
        library.RegisterFilter(AsciiExportFilterClass());
        EXPECT_EQ(library.Entries().size(), 1);
        EXPECT_EQ(library.BuildSaveDialogFilter(),
                  pageFile + QStringLiteral("|Text file (*.TXT)|*.TXT"));
    }
    EXPECT_TRUE(library.Entries().isEmpty());
    EXPECT_EQ(library.BuildSaveDialogFilter(), pageFile);
}

} // namespace
} // namespace kx
