#include "grid/editors/dbgridximport.h"

#include "grid/editors/dbgridxexportasvcldbif.h"
#include "platform/sys/cp936.h"
#include "platform/sys/exception.h"
#include "tests/grid/editors/gridiofixture.h"

#include <QBuffer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kx::test {
namespace {

QByteArray Bytes(std::initializer_list<int> values) {
    QByteArray bytes;
    for (int value : values)
        bytes.append(static_cast<char>(value));
    return bytes;
}

class GridImportTest : public GridIOTest {
protected:
    GridImportTest() {
        SetImportErrorDialog([this](QWidget*, const QString& message) {
            questions_.append(message);
            return answer_;
        });
    }
    ~GridImportTest() override { SetImportErrorDialog({}); }

    void Import(TGridImportFormat format, QByteArray bytes, bool wholeGrid = false) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        ImportGridFromStream(format, &grid_, buffer, wholeGrid);
    }
    void ImportText(const QByteArray& text, bool wholeGrid = false) {
        Import(TGridImportFormat::Text, text, wholeGrid);
    }
    // Records 1..count named "n<id>" with QTY id.
    void Numbered(int count) {
        for (int id = 1; id <= count; ++id)
            Rows({QStringLiteral("%1, 'n%1', 0, %1, NULL").arg(id)});
    }
    // The exception message of an import that must fail.
    QString Refusal(TGridImportFormat format, const QByteArray& bytes) {
        try {
            Import(format, bytes);
        } catch (const Exception& error) {
            return error.Message();
        }
        return QStringLiteral("(no error)");
    }

    QStringList questions_;
    TImportErrorAnswer answer_ = TImportErrorAnswer::Yes;
};

// The current cell is NAME of record 2: each row fills NAME and QTY of one
// record from there on.
TEST_F(GridImportTest, TextFillsTheRecordsFromTheCurrentCellOn) {
    Numbered(4);
    OpenGrid(QStringLiteral("ID, NAME, QTY"));
    query_.SetRecNo(2);
    grid_.MoveToColumn(1);
    ImportText("p\t7\r\nq\t8");
    EXPECT_EQ(Stored(QStringLiteral("NAME")), (QStringList{"n1", "p", "q", "n4"}));
    EXPECT_EQ(Stored(QStringLiteral("QTY")), (QStringList{"1", "7", "8", "4"}));
    EXPECT_EQ(query_.RecNo(), 2) << "the grid is back on its record";
}

TEST_F(GridImportTest, RowsBeyondTheLastRecordAreAppendedOnlyWhereTheGridAllows) {
    Numbered(2);
    OpenGrid(QStringLiteral("ID, NAME"));
    query_.SetRecNo(2);
    ImportText("2\tb\r\n3\tc\r\n4\td\r\n");
    EXPECT_EQ(Stored(QStringLiteral("NAME")), (QStringList{"n1", "b", "c", "d"}));

    grid_.SetAllowedOperations(alopUpdateX);
    query_.SetRecNo(1);
    ImportText("1\tx\r\n2\ty\r\n3\tz\r\n4\tw\r\n5\tv");
    EXPECT_EQ(Stored(QStringLiteral("NAME")), (QStringList{"x", "y", "z", "w"}));
}

TEST_F(GridImportTest, SelectionsTakeAsManyRowsAsTheyHold) {
    Numbered(5);
    OpenGrid(QStringLiteral("ID, NAME, QTY"));
    SelectRect(1, 2, 1, 4);
    ImportText("a\r\nb\r\nc\r\nd\r\ne");
    EXPECT_EQ(Stored(QStringLiteral("NAME")), (QStringList{"n1", "a", "b", "c", "n5"}));

    grid_.Selection().Clear();
    SelectRecords({5, 1});
    ImportText("1\tf\t10\r\n5\tg\t50");
    EXPECT_EQ(Stored(QStringLiteral("NAME")), (QStringList{"f", "a", "b", "c", "g"}));
    EXPECT_EQ(Stored(QStringLiteral("QTY")), (QStringList{"10", "2", "3", "4", "50"}));
}

TEST_F(GridImportTest, LineEndsEmptyCellsAndTheClosingZeroByte) {
    Numbered(3);
    OpenGrid(QStringLiteral("NAME, QTY"));
    grid_.Selection().Columns().Select(Col(0), false);
    grid_.Selection().Columns().Select(Col(1), true);
    // An empty line writes no cell; an empty cell clears; a lone LF is
    // part of the text; the text ends at a 0 byte.
    ImportText(QByteArray("a\tx\n1\r\n\r\n\t3") + Bytes({0}) + "junk");
    EXPECT_EQ(Stored(QStringLiteral("NAME")), (QStringList{"n1", "n2", ""}));
    EXPECT_EQ(Stored(QStringLiteral("QTY")), (QStringList{"1", "2", "3"}))
        << "the first row failed: 'x\\n1' is no number";
    ASSERT_EQ(questions_.size(), 1);

    ImportText("z\t9\r\n");
    EXPECT_EQ(Stored(QStringLiteral("NAME")), (QStringList{"z", "n2", ""}));
    ImportText("y\t8");
    EXPECT_EQ(Stored(QStringLiteral("QTY")), (QStringList{"8", "2", "3"}))
        << "the last cell is read without a line end";
}

// Nothing is written unless the whole source is in its format.
TEST_F(GridImportTest, MalformedSourcesChangeNothing) {
    Numbered(2);
    OpenGrid(QStringLiteral("ID, NAME"));
    const struct {
        TGridImportFormat format;
        QByteArray bytes;
        QString message;
    } cases[] = {
        {TGridImportFormat::Text, "1\tz\r\n2\ta\rb",
         "TDBGridXImportAsText.CheckState: Invalid text format"},
        {TGridImportFormat::VCLDBIF, "VCLDBIX" + Bytes({1, 1, 0, 0, 0, 1, 0, 3, 9, 0, 0, 0, 0}),
         "TDBGridXImportAsVCLDBIF.ReadPrefix: Invalid VCLDBIF format"},
        {TGridImportFormat::VCLDBIF, "VCLDBIF" + Bytes({1, 1, 0, 0, 0, 1, 0, 3, 9, 0}),
         "TDBGridXImportAsVCLDBIF.ReadPrefix: Invalid VCLDBIF format"},
        {TGridImportFormat::VCLDBIF,
         "VCLDBIF" + Bytes({1, 1, 0, 0, 0, 1, 0, 5, 0xFF, 0xFF, 0xFF, 0x7F, 'a', 0}),
         "TDBGridXImportAsVCLDBIF.ReadPrefix: Invalid VCLDBIF format"},
        {TGridImportFormat::VCLDBIF, "VCLDBIF" + Bytes({1, 0xFF, 0xFF, 0xFF, 0xFF, 0}),
         "TDBGridXImportAsVCLDBIF.ReadPrefix: Invalid VCLDBIF format"},
        {TGridImportFormat::VCLDBIF,
         "VCLDBIF" + Bytes({1, 2, 0, 0, 0, 1, 0, 1, 0, 3, 9, 0, 0, 0, 2, 3, 1, 0, 0, 0, 0}),
         "TDBGridXImportAsVCLDBIF.ReadPrefix: Invalid VCLDBIF format"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Refusal(c.format, c.bytes), c.message) << c.bytes.toHex().toStdString();
        EXPECT_EQ(Stored(QStringLiteral("NAME")), (QStringList{"n1", "n2"}));
        EXPECT_EQ(query_.State(), db::dsBrowse);
    }
}

// A source wider than the columns that take it: each row's extra cells
// are dropped, the rest is written.
TEST_F(GridImportTest, CellsBeyondTheLastColumnAreDropped) {
    Numbered(2);
    OpenGrid(QStringLiteral("ID, NAME"));
    ImportText("1\tz\r\n2\ty\tw");
    EXPECT_EQ(Stored(QStringLiteral("NAME")), (QStringList{"z", "y"}));
    EXPECT_EQ(query_.State(), db::dsBrowse);
    Import(TGridImportFormat::VCLDBIF,
           "VCLDBIF" + Bytes({1, 3, 0, 0, 0, 1, 0, 1, 0, 1, 0, 2, 2, 2, 0}));
    EXPECT_EQ(Stored(QStringLiteral("NAME")), (QStringList{"z", "y"}));
    EXPECT_EQ(query_.State(), db::dsBrowse);
}

TEST_F(GridImportTest, VCLDBIFIgnoresTheVersionAndSkipsUnassignedCells) {
    Numbered(2);
    OpenGrid(QStringLiteral("QTY, NAME"));
    grid_.Selection().Columns().Select(Col(0), false);
    grid_.Selection().Columns().Select(Col(1), true);
    Import(TGridImportFormat::VCLDBIF, "VCLDBIF" + Bytes({7, 2, 0, 0, 0, 1, 'q', 0, 0, 0, 3,   9,
                                                          0, 0, 0, 1, 2, 5, 1,   0, 0, 0, 'c', 0}));
    EXPECT_EQ(Stored(QStringLiteral("QTY")), (QStringList{"9", ""}));
    EXPECT_EQ(Stored(QStringLiteral("NAME")), (QStringList{"n1", "c"}));
    Import(TGridImportFormat::VCLDBIF, "VCLDBIF" + Bytes({1, 0, 0, 0, 0, 3, 9}));
    EXPECT_EQ(Stored(QStringLiteral("QTY")), (QStringList{"9", ""})) << "no columns, no data";
}

// A record that fails is put back whole; Yes goes on, All goes on without
// asking again in this import, No stops with the records before written.
TEST_F(GridImportTest, AFailingRecordIsPutBackAndReported) {
    Numbered(4);
    OpenGrid(QStringLiteral("NAME, QTY"));
    const QByteArray text = "a\tbad\r\nb\t2\r\nc\tworse\r\nd\t4";
    grid_.Selection().Columns().Select(Col(0), false);
    grid_.Selection().Columns().Select(Col(1), true);

    ImportText(text);
    EXPECT_EQ(Stored(QStringLiteral("NAME")), (QStringList{"n1", "b", "n3", "d"}));
    ASSERT_EQ(questions_.size(), 2);
    EXPECT_TRUE(questions_[0].startsWith("Error during insert value:\n"));
    EXPECT_TRUE(questions_[0].endsWith("\n\nIgnore error?"));
    EXPECT_TRUE(questions_[0].contains("bad"));

    Exec({"UPDATE IO_TEST SET NAME = 'n' || ID"});
    query_.Close();
    query_.Open();
    grid_.Selection().Columns().Select(Col(0), false);
    grid_.Selection().Columns().Select(Col(1), true);
    questions_.clear();
    answer_ = TImportErrorAnswer::All;
    ImportText(text);
    EXPECT_EQ(questions_.size(), 1);
    EXPECT_EQ(Stored(QStringLiteral("NAME")), (QStringList{"n1", "b", "n3", "d"}));

    answer_ = TImportErrorAnswer::No;
    EXPECT_THROW(ImportText("e\t5\r\nf\tbad\r\ng\t7"), EAbort);
    EXPECT_EQ(questions_.size(), 2) << "the next import asks again";
    EXPECT_EQ(Stored(QStringLiteral("NAME")), (QStringList{"e", "b", "n3", "d"}));
    EXPECT_EQ(query_.State(), db::dsBrowse);
}

TEST_F(GridImportTest, ARecordTheDataSetRefusesIsPutBack) {
    Numbered(2);
    OpenGrid(QStringLiteral("NAME, QTY"));
    grid_.Selection().Columns().Select(Col(0), false);
    grid_.Selection().Columns().Select(Col(1), true);
    ImportText("far too long a name\t5\r\nok\t6");
    EXPECT_EQ(Stored(QStringLiteral("NAME")), (QStringList{"n1", "ok"}));
    EXPECT_EQ(Stored(QStringLiteral("QTY")), (QStringList{"1", "6"}));
    EXPECT_EQ(questions_.size(), 1);
}

TEST_F(GridImportTest, PickListTextsBecomeTheirKeys) {
    Numbered(3);
    OpenGrid(QStringLiteral("NAME, QTY"));
    Col(0)->SetPickList({QStringLiteral("现金"), QStringLiteral("银行")});
    Col(0)->SetKeyList({QStringLiteral("C"), QStringLiteral("B")});
    grid_.Selection().Columns().Select(Col(0), false);
    grid_.Selection().Columns().Select(Col(1), true);
    ImportText(cp936::Encode(QStringLiteral("银行\t7\r\n\t8\r\n其它\t9")));
    EXPECT_EQ(Stored(QStringLiteral("NAME")), (QStringList{"B", "", "n3"}));
    EXPECT_EQ(Stored(QStringLiteral("QTY")), (QStringList{"7", "8", "3"}));
    EXPECT_EQ(questions_.size(), 1) << "a text not in the list is refused";
}

// What an export writes, an import of the same format writes back.
TEST_F(GridImportTest, ExportedRecordsImportBackUnchanged) {
    Rows({"1, '现金', 12.5, 3, '2026-02-01'", "2, NULL, -0.25, NULL, NULL",
          "3, 'a;b\"c', 1e-3, 7, '1999-12-31'"});
    OpenGrid(QStringLiteral("ID, NAME, AMOUNT, QTY, DAY"));
    const QStringList fields = {"ID", "NAME", "AMOUNT", "QTY", "DAY"};
    QList<QStringList> before;
    for (const QString& field : fields)
        before.append(Stored(field));
    for (TGridExportFormat format : {TGridExportFormat::Text, TGridExportFormat::VCLDBIF}) {
        grid_.SetOptions(grid_.Options() & ~dgTitles);
        const QByteArray data = Export(format);
        grid_.SetOptions(grid_.Options() | dgTitles);
        for (query_.First(); !query_.IsEmpty();)
            query_.Delete();
        Import(format == TGridExportFormat::Text ? TGridImportFormat::Text
                                                 : TGridImportFormat::VCLDBIF,
               data, true);
        for (int i = 0; i < fields.size(); ++i)
            EXPECT_EQ(Stored(fields[i]), before[i]) << fields[i].toStdString() << int(format);
    }
    EXPECT_TRUE(questions_.isEmpty());
}

TEST_F(GridImportTest, AFileWrittenByTheExportReadsBackWhole) {
    Rows({"1, 'x', 0, 0, NULL", "2, 'y', 0, 0, NULL"});
    OpenGrid(QStringLiteral("ID, NAME"));
    grid_.SetOptions(grid_.Options() & ~dgTitles);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("grid.txt"));
    const std::unique_ptr<TDBGridXExport> exporter = MakeGridExporter(TGridExportFormat::Text);
    exporter->Grid = &grid_;
    exporter->WriteToFile(path, true);
    Exec({"UPDATE IO_TEST SET NAME = 'z'"});
    query_.Close();
    query_.Open();
    const std::unique_ptr<TDBGridXImport> importer = MakeGridImporter(TGridImportFormat::Text);
    importer->Grid = &grid_;
    importer->ReadFromFile(path, true);
    EXPECT_EQ(Stored(QStringLiteral("NAME")), (QStringList{"x", "y"}))
        << "the file's last character is read";
}

} // namespace
} // namespace kx::test
