#include "grid/editors/gridclipboard.h"

#include "grid/editors/dbgridximport.h"
#include "platform/sys/cp936.h"
#include "platform/sys/exception.h"
#include "platform/ui/messagedialog.h"
#include "tests/grid/editors/gridiofixture.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include <gtest/gtest.h>

namespace kx::test {
namespace {

class GridClipboardTest : public GridIOTest {
protected:
    GridClipboardTest() {
        ui::SetMessageSink([this](const ui::MessageRequest& request) {
            questions_.append(request.text);
            return confirm_;
        });
        for (int id = 1; id <= 4; ++id)
            Rows({QStringLiteral("%1, 'n%1', %1.5, %1, NULL").arg(id)});
        OpenGrid(QStringLiteral("ID, NAME, QTY"));
    }
    ~GridClipboardTest() override {
        ui::SetMessageSink({});
        QApplication::clipboard()->clear();
    }

    const QMimeData* Clipboard() const { return QApplication::clipboard()->mimeData(); }

    QStringList questions_;
    bool confirm_ = true;
};

TEST_F(GridClipboardTest, CopyPutsEveryFormatInOneContent) {
    grid_.SetOptions(grid_.Options() & ~dgTitles);
    SelectRecords({2});
    GridCopyToClipboard(&grid_, false);
    ASSERT_TRUE(Clipboard());
    EXPECT_EQ(Clipboard()->text(), QStringLiteral("2\tn2\t2"));
    EXPECT_EQ(Clipboard()->data(QString::fromLatin1(ClipboardFormatCsv)),
              QByteArray("\"2\";\"n2\";\"2\""));
    EXPECT_TRUE(Clipboard()->data(QString::fromLatin1(ClipboardFormatRtf)).startsWith("{\\rtf0"));
    EXPECT_TRUE(
        Clipboard()->data(QString::fromLatin1(GridClipboardMimeType)).startsWith("VCLDBIF"));
    EXPECT_FALSE(query_.ControlsDisabled());
}

TEST_F(GridClipboardTest, PasteTakesTheGridsOwnFormatFirst) {
    grid_.SetOptions(grid_.Options() & ~dgTitles);
    grid_.Selection().Columns().Select(Col(1), false);
    GridCopyToClipboard(&grid_, false);
    auto* data = new QMimeData;
    data->setText(QStringLiteral("t1\nt2\n"));
    data->setData(
        QString::fromLatin1(GridClipboardMimeType),
        QApplication::clipboard()->mimeData()->data(QString::fromLatin1(GridClipboardMimeType)));
    QApplication::clipboard()->setMimeData(data);
    Exec({"UPDATE IO_TEST SET NAME = 'old'"});
    query_.Close();
    query_.Open();
    grid_.MoveToColumn(1);
    GridPasteFromClipboard(&grid_, false);
    EXPECT_EQ(Stored(QStringLiteral("NAME")), (QStringList{"n1", "n2", "n3", "n4"}));

    // Text from another program ends its rows by LF alone.
    QApplication::clipboard()->setText(QStringLiteral("t1\nt2\n"));
    query_.First();
    GridPasteFromClipboard(&grid_, false);
    EXPECT_EQ(Stored(QStringLiteral("NAME")), (QStringList{"t1", "t2", "n3", "n4"}));
}

TEST_F(GridClipboardTest, ClipboardTextBecomesRowsInTheProgramsCodePage) {
    EXPECT_EQ(ClipboardTextBytes(QStringLiteral("a\tb\nc\r\n现")),
              "a\tb\r\nc\r\n" + cp936::Encode(QStringLiteral("现")));
}

TEST_F(GridClipboardTest, CutOfSelectedRecordsAsksOnceAndKeepsThemOnTheClipboard) {
    SelectRecords({1, 2, 4});
    GridCutSelection(&grid_, false);
    EXPECT_EQ(questions_, QStringList{QStringLiteral("Delete all selected records?")});
    EXPECT_EQ(Stored(QStringLiteral("ID")), QStringList{"3"});
    EXPECT_EQ(grid_.Selection().SelectionType(), gstNon);
    EXPECT_TRUE(Clipboard()->text().contains(QStringLiteral("n4")));
}

TEST_F(GridClipboardTest, DeleteQuestionsAndTheirAnswers) {
    SelectRecords({2});
    confirm_ = false;
    GridDeleteSelection(&grid_, false);
    EXPECT_EQ(questions_.last(), QStringLiteral("Delete record?"));
    EXPECT_EQ(Stored(QStringLiteral("ID")).size(), 4) << "refused";

    grid_.Selection().Clear();
    SelectRect(1, 2, 2, 3);
    GridDeleteSelection(&grid_, false);
    EXPECT_EQ(questions_.last(), QStringLiteral("Clear selected cells?"));
    confirm_ = true;
    GridDeleteSelection(&grid_, false);
    EXPECT_EQ(Stored(QStringLiteral("NAME")), (QStringList{"n1", "", "", "n4"}));
    EXPECT_EQ(Stored(QStringLiteral("QTY")), (QStringList{"1", "", "", "4"}));
    EXPECT_EQ(Stored(QStringLiteral("ID")), (QStringList{"1", "2", "3", "4"}));
    EXPECT_EQ(query_.State(), db::dsBrowse);

    GridDeleteSelection(&grid_, true);
    EXPECT_EQ(questions_.last(), QStringLiteral("Delete all selected records?"))
        << "deleting every record is asked about too";
    EXPECT_TRUE(Stored(QStringLiteral("ID")).isEmpty());
}

TEST_F(GridClipboardTest, ASelectedColumnIsClearedWithoutAsking) {
    grid_.Selection().Columns().Select(Col(1), false);
    GridDeleteSelection(&grid_, false);
    EXPECT_TRUE(questions_.isEmpty());
    EXPECT_EQ(Stored(QStringLiteral("NAME")), (QStringList{"", "", "", ""}));
}

// The grid's own keys reach the commands once it offers them.
TEST_F(GridClipboardTest, TheGridsKeysRunTheCommands) {
    grid_.SetOptions((grid_.Options() & ~dgTitles) | dgMultiSelect);
    grid_.SetEditActions(geaCopyX | geaPasteX | geaDeleteX);
    SelectRecords({3});
    int key = Qt::Key_C;
    grid_.KeyDown(key, ui::ssCtrl);
    EXPECT_EQ(Clipboard()->text(), QStringLiteral("3\tn3\t3"));
    key = Qt::Key_Delete;
    grid_.KeyDown(key, ui::ssCtrl);
    EXPECT_EQ(Stored(QStringLiteral("ID")), (QStringList{"1", "2", "4"}));
    query_.First();
    grid_.MoveToColumn(0);
    key = Qt::Key_V;
    grid_.KeyDown(key, ui::ssCtrl);
    EXPECT_EQ(Stored(QStringLiteral("NAME")), (QStringList{"n2", "n3", "n4"}))
        << "the first record took ID 3 and its values back";
    // Three cells from NAME on: the third has no column and is dropped.
    QApplication::clipboard()->setText(QStringLiteral("x\t7\t9"));
    query_.First();
    grid_.MoveToColumn(1);
    grid_.KeyDown(key, ui::ssCtrl);
    EXPECT_EQ(Column(QStringLiteral("SELECT NAME || '/' || QTY FROM IO_TEST WHERE NAME = 'x'")),
              QStringList{"x/7"});
}

} // namespace
} // namespace kx::test
