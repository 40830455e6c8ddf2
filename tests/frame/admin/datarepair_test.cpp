#include "frame/admin/datarebuildform.h"
#include "frame/admin/datarepair.h"
#include "frame/admin/errormsgform.h"
#include "frame/admin/kxpacktable.h"

#include "platform/db/dberrors.h"
#include "platform/db/table.h"
#include "tests/frame/controlsfixture.h"
#include "tests/support/damagedpage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kx {
namespace {

const QDateTime kTime(QDate(2015, 3, 7), QTime(9, 30));
const QString kDashes = QString(51, u'-');

class DataRepairTest : public test::ControlsDbTest {
protected:
    DataRepairTest() {
        Exec({"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
              "WHERE i < 2000) INSERT INTO KX_MONEY_TEXT_FIELD1_TABLE "
              "(MONEY_TEXT_FIELD1) SELECT hex(randomblob(40)) FROM n"});
    }

    db::TDatabase& Database() { return *database_; }
    int Rows() {
        db::TQuery query;
        query.SetDatabaseName(test::kDatabaseName);
        query.SetParamCheck(false);
        query.SQL().SetText("SELECT COUNT(*) FROM KX_MONEY_TEXT_FIELD1_TABLE");
        query.Open();
        return query.Fields()[0]->AsString().toInt();
    }
    // The error the call raises, by its engine code or its text.
    template <typename F> QString ErrorOf(F call) {
        try {
            call();
        } catch (const db::EDBEngineError& error) {
            return QString::number(error.Errors().first().ErrorCode);
        } catch (const Exception& error) {
            return error.Message();
        }
        return QString();
    }
};

TEST_F(DataRepairTest, PackingShrinksAFileWithDeletedRows) {
    Exec({"DELETE FROM KX_MONEY_TEXT_FIELD1_TABLE WHERE rowid % 10 <> 0",
          "CREATE TABLE sys_back_table (NOTE TEXT)"});
    const qint64 before = QFileInfo(folder_.DatabaseFile()).size();
    TKXPackTable pack;
    pack.DataBase = &Database();
    pack.PackAll();
    // 1,800 rows of 80 characters, each in the table and in its key's index.
    EXPECT_LT(QFileInfo(folder_.DatabaseFile()).size(), before - 256 * 1024);
    EXPECT_EQ(Rows(), 200);
    EXPECT_TRUE(Database().DataSets().isEmpty());
}

TEST_F(DataRepairTest, PackingNeedsTheTableOpenAndAlone) {
    TKXPackTable pack;
    pack.DataBase = &Database();
    db::TTable table;
    table.SetDatabaseName(test::kDatabaseName);
    table.SetTableName("KX_MONEY_TEXT_FIELD1_TABLE");
    EXPECT_EQ(ErrorOf([&] { pack.PackTable(table); }), "维护数据库时表必须被打开");
    table.Open();
    EXPECT_EQ(ErrorOf([&] { pack.PackTable(table); }), "表必须以独占方式打开");
    table.SetExclusive(true);
    db::TQuery other;
    other.SetDatabaseName(test::kDatabaseName);
    other.SQL().SetText("SELECT * FROM SYS_ID_TABLE");
    other.Open();
    EXPECT_EQ(ErrorOf([&] { pack.PackTable(table); }), "表必须以独占方式打开");
    EXPECT_EQ(ErrorOf([&] { pack.PackAll(); }), "表必须以独占方式打开");
    other.Close();
    EXPECT_EQ(ErrorOf([&] { pack.PackTable(table); }), "");
    EXPECT_TRUE(table.Active());
}

TEST_F(DataRepairTest, RepairRebuildsEveryTableAndRefusesWhileADataSetIsOpen) {
    TDataRepair repair(Database());
    QStringList rebuilt;
    const auto rebuild = repair.Steps.Rebuild;
    repair.Steps.Rebuild = [&](const QString& table) {
        rebuilt.append(table);
        return rebuild(table);
    };
    const TRepairResult result = repair.RepairTables();
    EXPECT_TRUE(result.Lines.isEmpty()) << result.Lines.join('\n').toStdString();
    EXPECT_FALSE(result.StoppedBy);
    EXPECT_EQ(rebuilt, repair.Tables());
    EXPECT_TRUE(rebuilt.contains("KX_MONEY_TEXT_FIELD1_TABLE"));
    EXPECT_EQ(Rows(), 2000);

    db::TQuery open;
    open.SetDatabaseName(test::kDatabaseName);
    open.SQL().SetText("SELECT * FROM SYS_ID_TABLE");
    open.Open();
    EXPECT_EQ(ErrorOf([&] { repair.RepairTables(); }), "10243");
}

TEST_F(DataRepairTest, EachTableGetsItsTrueResult) {
    TDataRepair repair(Database());
    const QStringList tables = repair.Tables();
    ASSERT_GE(tables.size(), 4);
    const QString noDefinition = tables[0];
    const QString stillDamaged = tables[1];
    const QString stops = tables[3];
    const auto verify = repair.Steps.Verify;
    repair.Steps.Describe = [&](const QString& table) { return table != noDefinition; };
    repair.Steps.Verify = [&](const QString& table) {
        if (table == stops)
            throw db::EngineError(db::kErrCannotOpen, "disk I/O error");
        return table == stillDamaged ? QStringList{"row 3 missing from index"} : verify(table);
    };
    QList<int> done;
    repair.OnTableDone = [&](int index) { done.append(index); };
    const TRepairResult result = repair.RepairTables();
    EXPECT_EQ(result.Lines,
              QStringList({noDefinition + " 数据文件数据结构错误，不能修复！", kDashes,
                           stillDamaged + " 数据文件修复失败！", "row 3 missing from index",
                           kDashes, stops + " 数据文件检查出错，修复中止！", kDashes}));
    EXPECT_TRUE(result.StoppedBy);
    EXPECT_EQ(done, QList<int>({0, 1, 2, 3}));
}

// Records 1..2000 of the cash book, enough for several pages of the table
// and of each index.
class DamagedRepairTest : public DataRepairTest {
protected:
    DamagedRepairTest() {
        Exec({"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000) "
              "INSERT INTO KX_INTO_OUT_MONEY_TABLE (MONEY_RECORD_ID, MONEY_ID, MONEY_TYPE_ID, "
              "MONEY_TEXT_NOTE) SELECT i, printf('201503%06d', i), 'T', hex(randomblob(30)) "
              "FROM n"});
    }
    void Damage(const QString& name) {
        Database().SetConnected(false);
        ASSERT_TRUE(test::DamageLeafPage(folder_.DatabaseFile(), name));
    }
    QString Value(const QString& sql) {
        db::TQuery query;
        query.SetDatabaseName(test::kDatabaseName);
        query.SetParamCheck(false);
        query.SQL().SetText(sql);
        query.Open();
        return query.Fields()[0]->AsString();
    }
    // "ok", SQLite's first finding, or the error that stopped the check.
    QString Integrity() {
        try {
            return Value("PRAGMA integrity_check");
        } catch (const Exception& error) {
            return error.Message();
        }
    }
};

TEST_F(DamagedRepairTest, ADamagedIndexIsRebuiltWithEveryRow) {
    Damage("KX_INTO_OUT_MONEY_TABLE_MONEY_ID");
    ASSERT_NE(Integrity(), "ok");
    TDataRepair repair(Database());
    const TRepairResult result = repair.RepairTables();
    EXPECT_FALSE(result.StoppedBy);
    EXPECT_TRUE(result.Lines.isEmpty()) << result.Lines.join('\n').toStdString();
    EXPECT_EQ(Integrity(), "ok");
    EXPECT_EQ(Value("SELECT COUNT(*) FROM KX_INTO_OUT_MONEY_TABLE"), "2000");
    EXPECT_EQ(Value("SELECT COUNT(*) FROM KX_INTO_OUT_MONEY_TABLE WHERE MONEY_ID = "
                    "'201503001234'"),
              "1")
        << "the index finds its rows again";
    EXPECT_EQ(Rows(), 2000);
}

// The rows on the damaged page are lost; every other row is kept, and the
// message window says where the lost ones lay.
TEST_F(DamagedRepairTest, ADamagedTableIsRebuiltFromTheRowsThatCanBeRead) {
    Damage("KX_INTO_OUT_MONEY_TABLE");
    TDataRepair repair(Database());
    const TRepairResult result = repair.RepairTables();
    EXPECT_FALSE(result.StoppedBy);
    ASSERT_EQ(result.Lines.size(), 3) << result.Lines.join('\n').toStdString();
    EXPECT_EQ(result.Lines[0], "KX_INTO_OUT_MONEY_TABLE 数据文件已修复，以下记录损坏不能读出：");
    EXPECT_EQ(result.Lines[2], kDashes);
    const QRegularExpressionMatch gap =
        QRegularExpression("^记录号 (\\d+) 与 (\\d+) 之间的记录$").match(result.Lines[1]);
    ASSERT_TRUE(gap.hasMatch()) << result.Lines[1].toStdString();
    const int after = gap.captured(1).toInt();
    const int before = gap.captured(2).toInt();
    EXPECT_GT(after, 0);
    EXPECT_LT(before - after - 1, 100) << "no more than one page is lost";
    EXPECT_EQ(Integrity(), "ok");
    EXPECT_EQ(Value(QStringLiteral("SELECT COUNT(*) FROM KX_INTO_OUT_MONEY_TABLE WHERE "
                                   "CAST(MONEY_RECORD_ID AS INTEGER) <= %1 OR "
                                   "CAST(MONEY_RECORD_ID AS INTEGER) >= %2")
                        .arg(after)
                        .arg(before)),
              QString::number(2000 - (before - after - 1)));
    EXPECT_EQ(Value("SELECT COUNT(*) FROM KX_INTO_OUT_MONEY_TABLE"),
              QString::number(2000 - (before - after - 1)));
    EXPECT_EQ(Rows(), 2000) << "the other tables are untouched";
}

TEST_F(DataRepairTest, CopyNameCarriesTheTime) {
    EXPECT_EQ(RepairCopyName("/backups", kTime),
              "/backups/岚衡出纳记账管理系统数据修复前2015-03-07 09.30备份文件");
    EXPECT_EQ(RepairCopyName("/backups/", kTime), RepairCopyName("/backups", kTime));
}

class DataRebuildFormTest : public DataRepairTest {
protected:
    DataRebuildFormTest() : form_(Database()) {
        form_.Now = [] { return kTime; };
        form_.ChooseFolder = [this] { return picked_; };
    }

    QString Copy() const { return RepairCopyName(copies_.path(), kTime); }

    QTemporaryDir copies_;
    QString picked_ = copies_.path() + "/";
    TDataRebuildForm form_;
};

TEST_F(DataRebuildFormTest, CancellingThePickerDoesNothingFurther) {
    picked_.clear();
    bool repaired = false;
    form_.Repair.Steps.Rebuild = [&](const QString&) {
        repaired = true;
        return QStringList();
    };
    form_.Button_ok->click();
    EXPECT_EQ(messages_.texts,
              QStringList{"修复前需要备份一下数据库文件,请选择保存备份文件的位置"});
    EXPECT_TRUE(QDir(copies_.path()).isEmpty());
    EXPECT_FALSE(repaired);
}

TEST_F(DataRebuildFormTest, ASoundDataFolderIsCopiedThenRepaired) {
    QFile original(folder_.DatabaseFile());
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QByteArray before = original.readAll();
    ASSERT_TRUE(test::ShowActive(form_));
    EXPECT_TRUE(form_.Label1->isVisible());
    EXPECT_FALSE(form_.PBProgressBar->isVisible());
    form_.Button_ok->click();
    EXPECT_EQ(messages_.texts,
              QStringList({"修复前需要备份一下数据库文件,请选择保存备份文件的位置",
                           "数据库文件成功备份到：" + Copy(), "数据库文件修复完成"}));
    QFile copy(Copy() + "/RUReravezDataBase.sqlite");
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), before);
    EXPECT_FALSE(form_.Label1->isVisible());
    EXPECT_TRUE(form_.PBProgressBar->isVisible());
    EXPECT_EQ(form_.PBProgressBar->value(), form_.PBProgressBar->maximum());
    EXPECT_EQ(Rows(), 2000);
}

TEST_F(DataRebuildFormTest, TheMessageWindowListsATableThatCannotBeRebuilt) {
    // A view over the table keeps SQLite from renaming the rebuilt copy.
    Exec({"CREATE VIEW TEXTS_VIEW AS SELECT * FROM KX_MONEY_TEXT_FIELD1_TABLE"});
    QStringList listed;
    QString title;
    test::OnNextModal([&](QWidget* shown) {
        auto* window = qobject_cast<TErrorMsgForm*>(shown);
        ASSERT_NE(window, nullptr);
        title = window->windowTitle();
        listed = window->Lines();
        window->Button_Close->click();
    });
    form_.Button_ok->click();
    ASSERT_GE(listed.size(), 3);
    EXPECT_EQ(title, "信息显示窗口");
    EXPECT_EQ(listed.first(), "KX_MONEY_TEXT_FIELD1_TABLE 数据文件修复失败！");
    EXPECT_EQ(listed.last(), kDashes);
    EXPECT_FALSE(messages_.texts.contains("数据库文件修复完成"));
    // The table that failed is as it was.
    EXPECT_EQ(Rows(), 2000);
}

TEST_F(DataRebuildFormTest, ARepairBrokenOffShowsItsTableAndReportsTheError) {
    form_.Repair.Steps.Verify = [](const QString&) -> QStringList {
        throw db::EngineError(db::kErrCannotOpen, "disk I/O error");
    };
    QStringList listed;
    test::OnNextModal([&](QWidget* shown) {
        listed = qobject_cast<TErrorMsgForm*>(shown)->Lines();
        shown->close();
    });
    ASSERT_TRUE(form_.BackupBeforeRepair());
    EXPECT_THROW(form_.RepairTables(), db::EDBEngineError);
    ASSERT_EQ(listed.size(), 2);
    EXPECT_TRUE(listed.first().endsWith(" 数据文件检查出错，修复中止！"));
    EXPECT_FALSE(messages_.texts.contains("数据库文件修复完成"));
}

TEST_F(DataRebuildFormTest, TheMessageWindowSavesItsLines) {
    TErrorMsgForm window;
    window.AddLine("A 数据文件修复失败！");
    window.AddLine(kDashes);
    const QString path = copies_.filePath("list.txt");
    window.ChooseSaveFile = [&] { return path; };
    window.Button_Save->click();
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(saved.readAll()), "A 数据文件修复失败！\r\n" + kDashes + "\r\n");
}

TEST_F(DataRebuildFormTest, WindowsDrawTheirTextsUnclipped) {
    TErrorMsgForm window;
    window.AddLine("KX_MONEY_TEXT_FIELD1_TABLE 数据文件修复失败！");
    const QString folder = qEnvironmentVariable("KX_GALLERY_DIR");
    for (QWidget* shown : {static_cast<QWidget*>(&form_), static_cast<QWidget*>(&window)}) {
        shown->show();
        QApplication::processEvents();
        for (QLabel* label : shown->findChildren<QLabel*>()) {
            if (label->isVisible()) {
                EXPECT_GE(label->height(), label->heightForWidth(label->width()))
                    << label->objectName().toStdString();
            }
        }
        for (QPushButton* button : shown->findChildren<QPushButton*>())
            EXPECT_GE(button->width(), button->fontMetrics().horizontalAdvance(button->text()));
        if (!folder.isEmpty())
            shown->grab().save(folder + "/" + shown->objectName() + ".png");
    }
}

} // namespace
} // namespace kx
