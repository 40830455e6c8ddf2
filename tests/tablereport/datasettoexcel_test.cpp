#include "tablereport/datasettoexcel.h"

#include "platform/db/dberrors.h"
#include "platform/db/field.h"
#include "platform/sys/cp936.h"
#include "platform/ui/messagedialog.h"
#include "tests/platform/db/dbfixture.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>

#include <cstring>

namespace kx {
namespace {

// One record of the written stream, read back independently of the writer.
struct Record {
    quint16 Type;
    QByteArray Body;
};

std::vector<Record> ReadRecords(const QByteArray& bytes) {
    std::vector<Record> records;
    for (qsizetype at = 0; at + 4 <= bytes.size();) {
        const quint16 type = qFromLittleEndian<quint16>(bytes.constData() + at);
        const quint16 length = qFromLittleEndian<quint16>(bytes.constData() + at + 2);
        records.push_back({type, bytes.mid(at + 4, length)});
        at += 4 + length;
    }
    return records;
}

quint16 U16(const QByteArray& body, int at) {
    return qFromLittleEndian<quint16>(body.constData() + at);
}

// A cell as "row,column KIND value": LABEL text, NUMBER value, RK integer,
// BLANK with its format index.
std::string Cell(const Record& r) {
    const QString place = QStringLiteral("%1,%2 ").arg(U16(r.Body, 0)).arg(U16(r.Body, 2));
    switch (r.Type) {
    case 0x0204:
        return (place + "LABEL " + cp936::Decode(r.Body.mid(8, U16(r.Body, 6)))).toStdString();
    case 0x0203: {
        double value = 0;
        std::memcpy(&value, r.Body.constData() + 6, sizeof value);
        return (place + "NUMBER " + QString::number(value, 'g', 17)).toStdString();
    }
    case 0x027E: {
        const auto raw = qFromLittleEndian<qint32>(r.Body.constData() + 6);
        return (place + "RK " + QString::number(raw >> 2)).toStdString();
    }
    case 0x0201:
        return (place + "BLANK xf" + QString::number(U16(r.Body, 4))).toStdString();
    default:
        return (place + "type " + QString::number(r.Type, 16)).toStdString();
    }
}

// The cells between the code-page record and EOF.
std::vector<std::string> Cells(const QByteArray& bytes) {
    const std::vector<Record> records = ReadRecords(bytes);
    std::vector<std::string> cells;
    for (size_t i = 2; i + 1 < records.size(); ++i)
        cells.push_back(Cell(records[i]));
    return cells;
}

TExcelFieldName Entry(const char* fieldName, const char* caption = "") {
    return {QString::fromUtf8(fieldName), QString(), QString::fromUtf8(caption)};
}

class DatasetToExcelTest : public db::test::DbTest {
protected:
    void SetUp() override {
        Exec({"CREATE TABLE XLS_TABLE (ID INTEGER, NAME VARCHAR(20), AMOUNT CURRENCY, DAY DATE, "
              "NOTE MEMO, PIC BLOB)",
              "INSERT INTO XLS_TABLE VALUES (5, '张三', 12.5, '2024-01-31', 'memo', X'0102')",
              "INSERT INTO XLS_TABLE VALUES (-5, '', -0.75, NULL, '', NULL)",
              "INSERT INTO XLS_TABLE VALUES (536870912, 'Bob', 1e9, '2024-02-29', NULL, NULL)"});
        query_ = NewQuery("SELECT * FROM XLS_TABLE ORDER BY AMOUNT");
        query_->Open();
        exporter_.SetDataset(query_);
        previousSink_ = ui::SetMessageSink([this](const ui::MessageRequest& request) {
            prompts_ << request.text;
            return true;
        });
        file_ = dir_.filePath(QStringLiteral("export.xls"));
    }
    void TearDown() override { ui::SetMessageSink(previousSink_); }

    QByteArray Export(const TExcelFieldArray& columns, const TExcelFieldArray& titles = {},
                      const TExcelFieldArray& footers = {}) {
        exporter_.ExportToFile(file_, columns, titles, footers);
        QFile file(file_);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void WriteExistingFile() {
        QFile file(file_);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("earlier export");
    }
    QByteArray FileContent() {
        QFile file(file_);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
    }

    db::TQuery* query_ = nullptr;
    TDatasetToExcel exporter_;
    QStringList prompts_;
    ui::MessageSink previousSink_;
    QTemporaryDir dir_;
    QString file_;
};

TEST_F(DatasetToExcelTest, WritesTheRecordsByteForByte) {
    exporter_.SetID(true);
    const QByteArray bytes =
        Export({Entry("ID", "编号"), Entry("NAME", "姓名"), Entry("AMOUNT", "金额")});
    const QByteArray expected =
        QByteArray::fromHex("090808000000100000000000"             // BOF
                            "42000200a803"                         // code page 936
                            "04020c000000000000000400d0f2bac5"     // 0,0 序号
                            "04020c000000010000000400b1e0bac5"     // 0,1 编号
                            "04020c000000020000000400d0d5c3fb"     // 0,2 姓名
                            "04020c000000030000000400bdf0b6ee"     // 0,3 金额
                            "7e020a0001000000000006000000"         // 1,0 RK 1
                            "7e020a00010001000000eeffffff"         // 1,1 RK -5
                            "01020600010002001700"                 // 1,2 BLANK, format 0x17
                            "03020e00010003000000000000000000e8bf" // 1,3 NUMBER -0.75
                            "7e020a000200000000000a000000"         // 2,0 RK 2
                            "7e020a0002000100000016000000"         // 2,1 RK 5 as 22
                            "04020c000200020000000400d5c5c8fd"     // 2,2 张三
                            "03020e000200030000000000000000002940" // 2,3 NUMBER 12.5
                            "7e020a000300000000000e000000"         // 3,0 RK 3
                            "03020e00030001000000000000000000c041" // 3,1 2^29 is beyond RK
                            "04020b000300020000000300426f62"       // 3,2 Bob
                            "03020e000300030000000000000065cdcd41" // 3,3 NUMBER 1e9
                            "0a000000");                           // EOF
    EXPECT_EQ(bytes.toHex().toStdString(), expected.toHex().toStdString());
    EXPECT_EQ(prompts_, QStringList{"数据成功导出到：" + file_});
}

TEST_F(DatasetToExcelTest, TitlesCaptionsAndFootersFindTheirRows) {
    exporter_.SetID(true);
    query_->SQL().SetText(QStringLiteral("SELECT * FROM XLS_TABLE WHERE ID = 5"));
    query_->Open();
    const QByteArray bytes =
        Export({Entry("ID", "编号"), Entry(""), Entry("NAME", "姓名")},
               {Entry("现金日记账", "标题"), Entry(""), Entry("2024年")},
               {Entry("合计", "说明"), Entry(""), Entry("1,012.5", "金额"), Entry("007")});
    const std::vector<std::string> expected = {
        "0,0 LABEL 标题", "1,0 LABEL 现金日记账", "0,2 LABEL 2024年",
        // The caption row follows the two title rows; an entry without a
        // field takes no column.
        "2,0 LABEL 序号", "2,1 LABEL 编号", "2,2 LABEL 姓名", "3,0 RK 1", "3,1 RK 5",
        "3,2 LABEL 张三",
        // Footers stand by entry, one column right of the number column;
        // totals are numbers, codes stay text.
        "4,1 LABEL 说明", "5,1 LABEL 合计", "4,3 LABEL 金额", "5,3 NUMBER 1012.5", "4,4 LABEL 007"};
    EXPECT_EQ(Cells(bytes), expected);
}

TEST_F(DatasetToExcelTest, EachFieldKindGetsItsRecord) {
    query_->SQL().SetText(QStringLiteral("SELECT * FROM XLS_TABLE ORDER BY AMOUNT DESC"));
    query_->Open();
    const QByteArray bytes = Export({Entry("DAY"), Entry("NOTE"), Entry("PIC"), Entry("NAME")});
    const std::vector<std::string> expected = {
        "0,0 LABEL ", "0,1 LABEL ", "0,2 LABEL ", "0,3 LABEL ", "1,0 LABEL 2024-02-29",
        "1,1 BLANK xf23", "1,2 BLANK xf23", "1,3 LABEL Bob",
        // Memo and binary contents are not written, only an empty label.
        "2,0 LABEL 2024-01-31", "2,1 LABEL ", "2,2 LABEL ", "2,3 LABEL 张三", "3,0 BLANK xf23",
        "3,1 BLANK xf23", "3,2 BLANK xf23", "3,3 BLANK xf23"};
    EXPECT_EQ(Cells(bytes), expected);
}

TEST_F(DatasetToExcelTest, OverlongTextIsCutOnACharacterBoundary) {
    Exec(
        {QStringLiteral("CREATE TABLE XLS_LONG (TEXT_VALUE VARCHAR(80000))"),
         QStringLiteral("INSERT INTO XLS_LONG VALUES ('a%1')").arg(QString(40000, QChar(0x4E2D)))});
    query_->SQL().SetText(QStringLiteral("SELECT * FROM XLS_LONG"));
    query_->Open();
    const std::vector<Record> records = ReadRecords(Export({Entry("TEXT_VALUE")}));
    ASSERT_EQ(records.size(), 5u);
    EXPECT_EQ(U16(records[3].Body, 6), 65527);
    EXPECT_EQ(records[3].Body.size(), 8 + 65527);
}

TEST_F(DatasetToExcelTest, NothingToExportLeavesAnExistingFileAlone) {
    WriteExistingFile();
    exporter_.SetDataset(nullptr);
    Export({Entry("ID")});
    query_->Close();
    exporter_.SetDataset(query_);
    Export({Entry("ID")});
    query_->SQL().SetText(QStringLiteral("SELECT * FROM XLS_TABLE WHERE ID = 0"));
    query_->Open();
    Export({Entry("ID")});
    EXPECT_EQ(prompts_, QStringList({"没有数据源", "没有数据源", "没有数据"}));
    EXPECT_EQ(FileContent(), QByteArray("earlier export"));
}

TEST_F(DatasetToExcelTest, ExistingFileIsReplacedAndTheCurrentRecordKept) {
    WriteExistingFile();
    query_->Next();
    const db::TBookmark before = query_->GetBookmark();
    const QByteArray bytes = Export({Entry("NAME")});
    EXPECT_TRUE(bytes.startsWith(QByteArray::fromHex("0908")));
    EXPECT_EQ(query_->CompareBookmarks(query_->GetBookmark(), before), 0);
    EXPECT_FALSE(query_->ControlsDisabled());
}

TEST_F(DatasetToExcelTest, MissingFieldStopsWithoutLeavingAFile) {
    WriteExistingFile();
    query_->Last();
    try {
        Export({Entry("NAME"), Entry("NOPE")});
        FAIL() << "no exception";
    } catch (const db::EDatabaseError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Field 'NOPE' not found"));
    }
    EXPECT_EQ(FileContent(), QByteArray("earlier export"));
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{"export.xls"});
    EXPECT_EQ(query_->FieldByName(QStringLiteral("NAME"))->AsString(), QStringLiteral("Bob"));
    EXPECT_FALSE(query_->ControlsDisabled());
    EXPECT_TRUE(prompts_.isEmpty());
}

TEST_F(DatasetToExcelTest, UnwritableTargetRaises) {
    EXPECT_THROW(exporter_.ExportToFile(dir_.filePath(QStringLiteral("no/such/folder.xls")),
                                        {Entry("ID")}, {}, {}),
                 Exception);
    EXPECT_FALSE(query_->ControlsDisabled());
}

// Row numbers are 16 bits: 65,536 rows fit, one more is refused before
// anything is written.
TEST_F(DatasetToExcelTest, RowsBeyondTheWorksheetAreRefused) {
    Exec({"CREATE TABLE XLS_MANY (N INTEGER)",
          "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 65535) "
          "INSERT INTO XLS_MANY SELECT i FROM n"});
    query_->SQL().SetText(QStringLiteral("SELECT * FROM XLS_MANY"));
    query_->Open();
    const std::vector<Record> records = ReadRecords(Export({Entry("N")}));
    ASSERT_EQ(records.size(), 2u + 1 + 65535 + 1);
    EXPECT_EQ(Cell(records[records.size() - 2]), "65535,0 RK 65535");

    WriteExistingFile();
    prompts_.clear();
    Export({Entry("N")}, {}, {Entry("合计")});
    EXPECT_EQ(prompts_, QStringList{"数据超过65536行，Excel工作表放不下，不能导出"});
    EXPECT_EQ(FileContent(), QByteArray("earlier export"));
}

// An independent reader: Debian's python3-xlrd, which honours the code-page
// record.
QString PythonWithXlrd() {
    for (const QString& python : {QStringLiteral("/usr/bin/python3"), QStringLiteral("python3")}) {
        if (QProcess::execute(python, {"-c", "import xlrd"}) == 0)
            return python;
    }
    return {};
}

TEST_F(DatasetToExcelTest, IndependentReaderSeesTextsAndNumbers) {
    const QString python = PythonWithXlrd();
    if (python.isEmpty())
        GTEST_SKIP() << "python3-xlrd is not installed";
    exporter_.SetID(true);
    Export(
        {Entry("ID", "编号"), Entry("NAME", "姓名"), Entry("AMOUNT", "金额"), Entry("DAY", "日期")},
        {Entry("现金日记账")}, {Entry("合计")});
    const char* script = R"(
import sys, xlrd
sheet = xlrd.open_workbook(sys.argv[1]).sheet_by_index(0)
for r in range(sheet.nrows):
    print('|'.join(repr(sheet.cell_value(r, c)) for c in range(sheet.ncols)))
)";
    QProcess reader;
    reader.start(python, {"-c", script, file_});
    ASSERT_TRUE(reader.waitForFinished(30000));
    ASSERT_EQ(reader.exitCode(), 0) << reader.readAllStandardError().toStdString();
    const QString rows = QString::fromUtf8(reader.readAllStandardOutput());
    EXPECT_EQ(rows.toStdString(), "'现金日记账'|''|''|''|''\n"
                                  "'序号'|'编号'|'姓名'|'金额'|'日期'\n"
                                  "1.0|-5.0|''|-0.75|''\n"
                                  "2.0|5.0|'张三'|12.5|'2024-01-31'\n"
                                  "3.0|536870912.0|'Bob'|1000000000.0|'2024-02-29'\n"
                                  "''|'合计'|''|''|''\n");
}

} // namespace
} // namespace kx
