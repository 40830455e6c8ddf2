#include "platform/print/workbookwriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kx::print {
namespace {

TEST(WorkbookWriterTest, SheetNamesAreMadeValid) {
    const QString longName(40, u'账');
    const QString emoji = QString(30, u'a') + QString::fromUtf8("😀");
    const struct {
        QString Name;
        QString Expected;
    } cases[] = {
        {"现金日记账", "现金日记账"},
        {"a[b]c:d*e?f/g\\h", "a_b_c_d_e_f_g_h"},
        {longName, QString(31, u'账')},
        // A cut never splits a character outside the basic plane.
        {emoji, QString(30, u'a')},
        {"'报表'", "报表"},
        {"", "Sheet1"},
        {"''", "Sheet1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TWorkbookWriter::ValidSheetName(c.Name), c.Expected) << c.Name.toStdString();
}

class WorkbookWriterFileTest : public ::testing::Test {
protected:
    QString FileContent(const QString& name) {
        QFile file(dir_.filePath(name));
        return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : "(none)";
    }
    void WriteFile(const QString& name, const QByteArray& bytes) {
        QFile file(dir_.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QStringList Files() const {
        return QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    QTemporaryDir dir_;
};

TEST_F(WorkbookWriterFileTest, WritingReplacesAnExistingFile) {
    WriteFile("book.xlsx", "earlier");
    TWorkbookWriter book("报表");
    book.SetText(1, 1, "序号");
    book.SetNumber(2, 1, 1);
    // A cell holds at most 32,767 characters; a longer text is cut, not lost.
    book.SetText(3, 2, QString(40000, u'中'), true);
    ASSERT_TRUE(book.Write(dir_.filePath("book.xlsx")));
    EXPECT_TRUE(FileContent("book.xlsx").startsWith("PK"));
    EXPECT_EQ(Files(), QStringList{"book.xlsx"});
}

TEST_F(WorkbookWriterFileTest, FailuresLeaveTheTargetAsItWas) {
    WriteFile("book.xlsx", "earlier");
    for (const auto& [row, column] : {std::pair{0, 1}, {1, 0}, {1048577, 1}, {1, 16385}}) {
        TWorkbookWriter book("报表");
        book.SetText(1, 1, "ok");
        book.SetText(row, column, "outside");
        EXPECT_FALSE(book.Write(dir_.filePath("book.xlsx"))) << row << "," << column;
    }
    TWorkbookWriter book("报表");
    EXPECT_FALSE(book.Write(dir_.filePath("no/such/folder/book.xlsx")));
    EXPECT_EQ(FileContent("book.xlsx"), "earlier");
    EXPECT_EQ(Files(), QStringList{"book.xlsx"});
}

} // namespace
} // namespace kx::print
