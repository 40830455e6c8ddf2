// The template catalogue's editor and title dialog over a fresh data folder:
// the rows of one window and kind, retitled and deleted one at a time, and
// every deletion taking the body along or keeping the row.

#include "tablereport/saveprinttableeditform.h"
#include "tablereport/saveprinttableform.h"

#include "frame/controls/kxdbedit.h"
#include "frame/data/kxquery.h"
#include "platform/db/field.h"
#include "platform/sys/exception.h"
#include "platform/ui/application.h"
#include "platform/ui/messagedialog.h"
#include "tablereport/printcatalogue.h"
#include "tests/platform/db/dbfixture.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace kx {
namespace {

const QString kWindow = QStringLiteral("MoneyIntoOutForm");

class SavePrintTableTest : public db::test::DbTest {
protected:
    SavePrintTableTest() {
        oldSink_ = ui::SetMessageSink([this](const ui::MessageRequest& r) {
            messages_.append(r.text);
            return true;
        });
        // A refusal has been said already; anything else is a fault here.
        ui::SetExceptionHandler([](const std::exception_ptr& error) {
            try {
                std::rethrow_exception(error);
            } catch (const EAbort&) {
            } catch (const std::exception& e) {
                ADD_FAILURE() << e.what();
            }
        });
    }
    ~SavePrintTableTest() override {
        ui::SetExceptionHandler({});
        ui::SetMessageSink(oldSink_);
    }

    void AddRow(const QString& index, const QString& type, const QString& title,
                const QString& id) {
        Exec({QStringLiteral("INSERT INTO SYS_PRINT_NAME_TABLE (PRINT_INDEX, PRINT_NAME, "
                             "PRINT_TYPE, PRINT_ID) VALUES ('%1', '%2', '%3', '%4')")
                  .arg(index, title, type, id)});
    }
    void AddBody(const QString& id) {
        Exec({QStringLiteral("INSERT INTO SYS_PRINT_DATA_TABLE VALUES ('%1', X'0102')").arg(id)});
    }
    QString WriteFile(const QString& name) {
        QFile file(dir_.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("body");
        return file.fileName();
    }
    std::unique_ptr<TSavePrintTableEditForm> ShowEditor(const QString& type = QStringLiteral("M")) {
        auto editor = std::make_unique<TSavePrintTableEditForm>();
        editor->PrintIndex = kWindow;
        editor->PrintType = type;
        editor->TemplateDir = templateDir_;
        editor->TemplateTable = QStringLiteral("SYS_PRINT_DATA_TABLE");
        editor->show();
        return editor;
    }
    static QStringList Titles(TKXQuery* query) {
        QStringList titles;
        for (query->First(); !query->Eof(); query->Next())
            titles << query->FieldByName(QStringLiteral("PRINT_NAME"))->AsString();
        return titles;
    }
    QStringList Ids() {
        return Column(
            QStringLiteral("SELECT PRINT_ID FROM SYS_PRINT_NAME_TABLE ORDER BY PRINT_ID"));
    }
    static void Locate(TKXQuery* query, const QString& id) {
        for (query->First(); !query->Eof(); query->Next())
            if (query->FieldByName(QStringLiteral("PRINT_ID"))->AsString() == id)
                return;
        ADD_FAILURE() << "no row " << id.toStdString();
    }

    QTemporaryDir dir_;
    QString templateDir_ = dir_.path();
    QStringList messages_;
    ui::MessageSink oldSink_;
};

TEST_F(SavePrintTableTest, ListsOnlyTheRowsOfItsWindowAndKind) {
    AddRow(kWindow, "M", "借贷一", "1");
    AddRow(kWindow, "MD", "借贷明细", "2");
    AddRow(QStringLiteral("EmployeeFormMaster"), "M", "员工资料", "3");
    AddRow(kWindow, "M", "借贷二", "4");
    const auto editor = ShowEditor();
    EXPECT_EQ(Titles(editor->Query), (QStringList{"借贷一", "借贷二"}));
    const auto detail = ShowEditor(QStringLiteral("MD"));
    EXPECT_EQ(Titles(detail->Query), QStringList{"借贷明细"});
    EXPECT_FALSE(editor->button_add->isVisible());
    EXPECT_FALSE(editor->button_All->isVisible());
}

TEST_F(SavePrintTableTest, TabGoesFromTheTitleToTheGridAndDownTheButtons) {
    const auto editor = ShowEditor();
    QStringList chain;
    for (QWidget* widget = editor->nextInFocusChain(); widget != editor.get();
         widget = widget->nextInFocusChain()) {
        if (widget->parentWidget() == editor.get() && !widget->objectName().isEmpty())
            chain << widget->objectName();
    }
    EXPECT_EQ(chain, QStringList({"TitleEdit", "DBGrid", "button_add", "button_edit",
                                  "button_delete", "button_save", "button_cancel", "button_All",
                                  "button_Ok", "button_close"}));
}

TEST_F(SavePrintTableTest, RetitleTouchesOnlyTheCurrentRowAndTakesAQuote) {
    AddRow(kWindow, "M", "同名", "1");
    AddRow(kWindow, "M", "同名", "2");
    AddRow(QStringLiteral("EmployeeFormMaster"), "M", "同名", "2");
    const auto editor = ShowEditor();
    Locate(editor->Query, "2");
    QTest::keyClick(editor.get(), Qt::Key_F6);
    ASSERT_EQ(editor->Query->State(), db::dsEdit);
    EXPECT_FALSE(editor->button_Ok->isEnabled());
    editor->TitleEdit->setText(QStringLiteral("O'Neil 报表"));
    QTest::keyClick(editor.get(), Qt::Key_F8);
    EXPECT_EQ(editor->Query->State(), db::dsBrowse);
    EXPECT_TRUE(editor->button_Ok->isEnabled());
    EXPECT_EQ(Column("SELECT PRINT_INDEX || '/' || PRINT_ID || '/' || PRINT_NAME || '/' || "
                     "PRINT_TYPE FROM SYS_PRINT_NAME_TABLE ORDER BY PRINT_INDEX, PRINT_ID"),
              (QStringList{"EmployeeFormMaster/2/同名/M", "MoneyIntoOutForm/1/同名/M",
                           "MoneyIntoOutForm/2/O'Neil 报表/M"}));
    EXPECT_TRUE(messages_.isEmpty()) << messages_.join(u'|').toStdString();
}

TEST_F(SavePrintTableTest, OkNeedsARowAndNoEditWhileClosingWaitsForTheEdit) {
    {
        const auto empty = ShowEditor();
        QTest::keyClick(empty.get(), Qt::Key_F3);
        EXPECT_EQ(messages_, QStringList{"必须选择一个记录"});
        EXPECT_TRUE(empty->isVisible());
    }
    messages_.clear();
    AddRow(kWindow, "M", "借贷一", "1");
    AddRow(kWindow, "M", "借贷二", "2");
    const auto editor = ShowEditor();
    Locate(editor->Query, "2");
    QTest::keyClick(editor.get(), Qt::Key_F6);
    QTest::keyClick(editor.get(), Qt::Key_F12);
    QTest::keyClick(editor.get(), Qt::Key_Return);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(messages_, QStringList{"必须保存或取消新增、修改的数据"});
    QTest::keyClick(editor.get(), Qt::Key_F9);
    QTest::keyClick(editor.get(), Qt::Key_Return);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(editor->result(), QDialog::Accepted);
    EXPECT_EQ(editor->Query->FieldByName(QStringLiteral("PRINT_ID"))->AsString(), "2");
    EXPECT_EQ(editor->Query->FieldByName(QStringLiteral("PRINT_NAME"))->AsString(), "借贷二");
}

TEST_F(SavePrintTableTest, DeletingARowTakesItsFileAndSaysWhenTheFileStays) {
    struct Case {
        const char* name;
        std::function<void(const QString& path)> make;
        bool bodyStays;
    };
    const Case cases[] = {
        {"file", [this](const QString& id) { WriteFile(id); }, false},
        {"missing file", [](const QString&) {}, false},
        // A folder in the file's place cannot be removed, even by root.
        {"folder in its place",
         [this](const QString& id) { ASSERT_TRUE(QDir(dir_.path()).mkpath(id + "/inside")); },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messages_.clear();
        Exec({"DELETE FROM SYS_PRINT_NAME_TABLE"});
        AddRow(kWindow, "M", "留下", "200700000007");
        AddRow(kWindow, "M", "删除", "BX070305120000");
        c.make(QStringLiteral("BX070305120000"));
        WriteFile(QStringLiteral("200700000007"));
        const auto editor = ShowEditor();
        Locate(editor->Query, "BX070305120000");
        QTest::keyClick(editor.get(), Qt::Key_F7);
        EXPECT_EQ(Ids(), QStringList{"200700000007"});
        EXPECT_EQ(Titles(editor->Query), QStringList{"留下"});
        EXPECT_EQ(QFileInfo::exists(dir_.filePath("BX070305120000")), c.bodyStays);
        EXPECT_TRUE(QFileInfo::exists(dir_.filePath("200700000007")));
        const QStringList expected{"请确认是否删除 ?"};
        EXPECT_EQ(messages_,
                  c.bodyStays ? expected + QStringList{"报表模板删除过程发生错误"} : expected);
    }
}

TEST_F(SavePrintTableTest, TableBodiesGoWithTheirRowOrBothStay) {
    templateDir_.clear();
    AddRow(kWindow, "M", "留下", "1");
    AddRow(kWindow, "M", "删除", "2");
    AddBody("1");
    AddBody("2");
    const auto editor = ShowEditor();
    Locate(editor->Query, "2");
    QTest::keyClick(editor.get(), Qt::Key_F7);
    EXPECT_EQ(Ids(), QStringList{"1"});
    EXPECT_EQ(Column("SELECT PRINT_ID FROM SYS_PRINT_DATA_TABLE"), QStringList{"1"});

    // The row cannot go: its body stays with it.
    Exec({"CREATE TRIGGER KEEP_ROWS BEFORE DELETE ON SYS_PRINT_NAME_TABLE "
          "BEGIN SELECT RAISE(ABORT, 'kept'); END"});
    messages_.clear();
    QTest::keyClick(editor.get(), Qt::Key_F7);
    EXPECT_EQ(Ids(), QStringList{"1"});
    EXPECT_EQ(Column("SELECT PRINT_ID FROM SYS_PRINT_DATA_TABLE"), QStringList{"1"});
    EXPECT_EQ(Titles(editor->Query), QStringList{"留下"});
    EXPECT_TRUE(messages_.contains("数据删除过程发生错误")) << messages_.join(u'|').toStdString();
}

TEST_F(SavePrintTableTest, ABodyThatCannotBeDeletedKeepsItsRow) {
    templateDir_.clear();
    AddRow(kWindow, "M", "留下", "1");
    const auto editor = ShowEditor();
    editor->TemplateTable = QStringLiteral("NO_SUCH_TABLE");
    QTest::keyClick(editor.get(), Qt::Key_F7);
    EXPECT_EQ(Ids(), QStringList{"1"});
    EXPECT_EQ(Titles(editor->Query), QStringList{"留下"});
    EXPECT_EQ(messages_, (QStringList{"请确认是否删除 ?", "报表模板删除过程发生错误"}));
}

TEST_F(SavePrintTableTest, BodyPlaceFollowsTheFolderFirst) {
    TPrintCatalogue catalogue{QStringLiteral("RUReravezDataBase"), dir_.path(),
                              QStringLiteral("SYS_PRINT_DATA_TABLE")};
    EXPECT_EQ(catalogue.BodyPath("200700000007"), dir_.filePath("200700000007"));
    AddBody("200700000007");
    EXPECT_TRUE(catalogue.RemoveBody("200700000007"));
    EXPECT_EQ(Column("SELECT PRINT_ID FROM SYS_PRINT_DATA_TABLE"), QStringList{"200700000007"})
        << "with a folder the table is not touched";
    // Names that are not a file of the folder remove nothing.
    const QString outside = WriteFile("outside");
    ASSERT_TRUE(QDir(dir_.path()).mkpath("sub"));
    catalogue.TemplateDir = dir_.filePath("sub");
    for (const char* id : {"../outside", "", ".."})
        EXPECT_TRUE(catalogue.RemoveBody(id)) << id;
    EXPECT_TRUE(QFileInfo::exists(outside));
    EXPECT_TRUE(QFileInfo(dir_.path()).isDir());
}

TEST(SavePrintTableForm, RefusesABlankTitleAndKeepsFiftyCharacters) {
    QStringList messages;
    const ui::MessageSink old = ui::SetMessageSink([&messages](const ui::MessageRequest& r) {
        messages.append(r.text);
        return false;
    });
    TSavePrintTableForm form;
    form.show();
    form.TitleEdit->setText(QStringLiteral("   "));
    QTest::keyClick(form.TitleEdit, Qt::Key_F3);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(messages, QStringList{"必须输入报表模板标题"});
    form.TitleEdit->setText(QString(60, u'账'));
    EXPECT_EQ(form.TitleEdit->text().size(), 50);
    QTest::keyClick(form.TitleEdit, Qt::Key_F3);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Accepted);
    form.show();
    QTest::keyClick(&form, Qt::Key_F12);
    EXPECT_EQ(form.result(), QDialog::Rejected);
    ui::SetMessageSink(old);
}

} // namespace
} // namespace kx
