#include "frame/admin/databackup.h"

#include "core/appstate.h"
#include "core/datamodule.h"
#include "core/filefunctions.h"
#include "frame/admin/kxbackupfile.h"
#include "frame/app/mainform.h"
#include "frame/dialogs/kxthread.h"
#include "platform/db/field.h"
#include "platform/db/query.h"
#include "platform/sys/configstore.h"
#include "platform/sys/exception.h"
#include "tests/core/programfixture.h"
#include "tests/frame/app/stubwindows.h"
#include "tests/support/damagedpage.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QProgressBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <sys/resource.h>

namespace kx {
namespace {

const QString kFolderValue = QStringLiteral("RUReravezData");
const QDateTime kTime(QDate(2015, 3, 7), QTime(14, 5));

using FolderBytes = QMap<QString, QByteArray>;

FolderBytes ReadFolder(const QString& folder) {
    FolderBytes files;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden)) {
        QFile file(QDir(folder).filePath(name));
        if (file.open(QIODevice::ReadOnly))
            files.insert(name, file.readAll());
    }
    return files;
}

// Answers each box by the start of its text; anything else gets Yes.
class ScriptedMessages {
public:
    ScriptedMessages() {
        old_ = ui::SetMessageSink([this](const ui::MessageRequest& request) {
            texts.append(request.text);
            for (const auto& [start, answer] : answers)
                if (request.text.startsWith(start))
                    return answer;
            return true;
        });
    }
    ~ScriptedMessages() { ui::SetMessageSink(old_); }

    QStringList texts;
    QList<QPair<QString, bool>> answers;

private:
    ui::MessageSink old_;
};

// Writes beyond this many bytes fail as on a full disk while it lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};

class DataBackupTest : public ::testing::Test {
protected:
    DataBackupTest() : backup_(DM->MainDatabase, &thread_) {
        test::ResetProgramState();
        AppDataFolder = data_.Folder.Path();
        AppProgramFolder = program_.path();
        AppCompanyName = QStringLiteral("某/公司");
        QDir().mkpath(Backups());
        sys::WriteSettingsValue(kFolderValue, Backups() + "/");
        backup_.Now = [] { return kTime; };
        // Rows of varied text, so that the database spans many archive
        // blocks.
        test::ExecOnFile(data_.Folder.DatabaseFile(),
                         "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                         "WHERE i < 3000) INSERT INTO KX_MONEY_TEXT_FIELD1_TABLE "
                         "(MONEY_TEXT_FIELD1) SELECT hex(randomblob(20)) FROM n");
    }
    ~DataBackupTest() override {
        sys::DeleteSettingsValue(kFolderValue);
        test::ResetProgramState();
    }

    QString Backups() const { return program_.filePath("backups"); }
    QString Archive() const {
        return Backups() + QStringLiteral("/某_公司dadudez2015-03-07 14.05备份文件");
    }
    QString Restoring(const QString& archive) {
        backup_.ChooseRestoreFile = [archive] { return archive; };
        return archive;
    }
    int CountRows() { return GetRows("SELECT COUNT(*) FROM KX_MONEY_TEXT_FIELD1_TABLE"); }
    int GetRows(const QString& sql);

    test::OpenDataFolder data_;
    QTemporaryDir program_;
    ScriptedMessages messages_;
    TKXThread thread_;
    TDataBackup backup_;
};

int DataBackupTest::GetRows(const QString& sql) {
    db::TQuery query;
    query.SetDatabaseName(kDatabaseName);
    query.SetParamCheck(false);
    query.SQL().SetText(sql);
    query.Open();
    return query.Fields()[0]->AsString().toInt();
}

TEST_F(DataBackupTest, BackupThenRestoreIntoAFreshFolderGivesTheSameFiles) {
    const FolderBytes before = ReadFolder(AppDataFolder);
    // The busy window shows how far the archive has got.
    int shownPercent = 0;
    const auto showProgress = backup_.KXBackupFile->OnProgress;
    backup_.KXBackupFile->OnProgress = [&](QObject* sender, const QString& name, int percent,
                                           bool& continueRun) {
        showProgress(sender, name, percent, continueRun);
        if (percent < 50 || shownPercent != 0 || !thread_.Window())
            return;
        shownPercent = thread_.Window()->ProgressBar(1)->value();
        const QString gallery = qEnvironmentVariable("KX_GALLERY_DIR");
        if (!gallery.isEmpty())
            thread_.Window()->grab().save(gallery + "/BackupBusyWindow.png");
    };
    ASSERT_TRUE(backup_.BackupData());
    EXPECT_GE(shownPercent, 50);
    EXPECT_EQ(messages_.texts, QStringList({"是否备份文件保存到:\n" + Backups() + "/ ?",
                                            "数据库成功备份到：" + Archive()}));
    // Only the archive: no temporary file is left beside it.
    EXPECT_EQ(QDir(Backups()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QFileInfo(Archive()).fileName()});
    EXPECT_FALSE(thread_.Active);

    // A fresh data folder takes the alias; the restore fills it.
    test::TempDataFolder fresh;
    AppDataFolder = fresh.Path();
    AppSystemUser = true;
    messages_.texts.clear();
    Restoring(Archive());
    ASSERT_TRUE(backup_.RestoreData());
    EXPECT_EQ(ReadFolder(fresh.Path()), before);
    EXPECT_EQ(
        messages_.texts,
        QStringList({"如果进行恢复操作，备份文件以后进行的数据库操作的数据会丢失，\n是否用文件："
                     "\"" +
                         Archive() + "\" 恢复数据库 ?",
                     "备份的数据库文件已成功恢复,请关闭软件后再打开软件"}));
    // Opened again on the restored file, with the user locked out.
    EXPECT_TRUE(DM->MainDatabase->Connected());
    EXPECT_EQ(CountRows(), 3000);
    EXPECT_EQ(AppUserId, kLockedOutUser);
    EXPECT_EQ(AppUserId.size(), 12);
    EXPECT_FALSE(AppSystemUser);
}

TEST_F(DataBackupTest, PackingFollowsTheBackupAndASecondBackupInTheMinuteReplacesTheFirst) {
    test::ExecOnFile(data_.Folder.DatabaseFile(), "DELETE FROM KX_MONEY_TEXT_FIELD1_TABLE");
    const qint64 unpacked = QFileInfo(data_.Folder.DatabaseFile()).size();
    ASSERT_TRUE(backup_.BackupData());
    EXPECT_LT(QFileInfo(data_.Folder.DatabaseFile()).size(), unpacked);
    ASSERT_TRUE(backup_.BackupData());
    EXPECT_EQ(QDir(Backups()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST_F(DataBackupTest, AStoredDataFolderSendsTheArchiveToTheProgramFolder) {
    sys::WriteSettingsValue(kFolderValue, AppDataFolder + "/");
    const FolderBytes before = ReadFolder(AppDataFolder);
    ASSERT_TRUE(backup_.BackupData());
    EXPECT_TRUE(QFileInfo::exists(AppProgramFolder + "/某_公司dadudez2015-03-07 14.05备份文件"));
    EXPECT_EQ(ReadFolder(AppDataFolder).keys(), before.keys());
}

TEST_F(DataBackupTest, AttachedDocumentsAreCopiedOnlyWhenTheUserSaysSo) {
    ASSERT_TRUE(QDir().mkpath(AppProgramFolder + "/DataFile"));
    QFile document(AppProgramFolder + "/DataFile/合同.txt");
    ASSERT_TRUE(document.open(QIODevice::WriteOnly));
    document.write("signed");
    document.close();
    const QString copy = Backups() + "/某_公司dadudez2015-03-07 14.05电子文档备份文件";

    messages_.answers = {{"是否备份电子文件", false}};
    ASSERT_TRUE(backup_.BackupData());
    EXPECT_EQ(messages_.texts.last(), "数据库成功备份到：" + Archive());
    EXPECT_FALSE(QFileInfo::exists(copy));

    messages_.answers.clear();
    ASSERT_TRUE(backup_.BackupData());
    EXPECT_TRUE(QFileInfo::exists(copy + "/合同.txt"));
    EXPECT_EQ(messages_.texts.last(), "数据库成功备份到：" + Archive());

    // The copy of this minute exists already: the user is told to copy by
    // hand.
    ASSERT_TRUE(backup_.BackupData());
    EXPECT_TRUE(
        messages_.texts.last().endsWith("出纳记账电子文档需要手工备份,如果要备份电子文档请将"
                                        "软件安装目录下的DataFile目录下的文件复制到其他地方"
                                        "保存起来"))
        << messages_.texts.last().toStdString();
}

TEST_F(DataBackupTest, TheAutomaticBackupUsesTheStoredFolderWithoutAsking) {
    messages_.answers = {{"是否备份数据", false}};
    backup_.AutoBackupAtShow();
    EXPECT_EQ(messages_.texts, QStringList{"是否备份数据 ?"});
    EXPECT_TRUE(QDir(Backups()).isEmpty());

    ASSERT_TRUE(QDir().mkpath(AppProgramFolder + "/DataFile"));
    ASSERT_TRUE(QDir().mkpath(Backups() + "/某_公司dadudez2015-03-07 14.05电子文档备份文件"));
    messages_.answers.clear();
    messages_.texts.clear();
    backup_.AutoBackupAtShow();
    EXPECT_EQ(messages_.texts,
              QStringList({"是否备份数据 ?", "是否备份电子文件 ?",
                           "数据库成功备份到：" + Archive() +
                               "\ndadudez电子文档需要手工备份,如果要备份电子文档请将软件安装目录"
                               "下的DataFile目录下的文件复制到其他地方保存起来"}));
    EXPECT_TRUE(QFileInfo::exists(Archive()));
}

TEST_F(DataBackupTest, BackupThatCannotWriteLeavesNothingBehind) {
    // An archive of this minute from before must survive a failed backup.
    QFile older(Archive());
    ASSERT_TRUE(older.open(QIODevice::WriteOnly));
    older.write("older archive");
    older.close();
    const FolderBytes data = ReadFolder(AppDataFolder);
    {
        const FileSizeLimit fullDisk(16384);
        EXPECT_FALSE(backup_.BackupData());
    }
    EXPECT_EQ(messages_.texts.mid(1), QStringList({"不能写备份的文件", "数据备份失败"}));
    EXPECT_EQ(ReadFolder(Backups()),
              FolderBytes({{QFileInfo(Archive()).fileName(), QByteArray("older archive")}}));
    EXPECT_EQ(ReadFolder(AppDataFolder), data);
    EXPECT_FALSE(thread_.Active);
}

TEST_F(DataBackupTest, BackupFolderMissingOrNotWritable) {
    const FolderBytes data = ReadFolder(AppDataFolder);
    sys::WriteSettingsValue(kFolderValue, program_.filePath("gone") + "/");
    EXPECT_FALSE(backup_.BackupData());
    EXPECT_EQ(messages_.texts.last(), "指定保存数据备份文件的路径是:" + program_.filePath("gone") +
                                          "\n此路径不存在,不能保存数据备份文件");
    EXPECT_FALSE(QFileInfo::exists(program_.filePath("gone")));

    // Not even the superuser may create files in /proc.
    messages_.texts.clear();
    sys::WriteSettingsValue(kFolderValue, "/proc/");
    EXPECT_FALSE(backup_.BackupData());
    EXPECT_EQ(messages_.texts.mid(1), QStringList({"不能写备份的文件", "数据备份失败"}));
    EXPECT_EQ(ReadFolder(AppDataFolder), data);
}

TEST_F(DataBackupTest, ACommandWithAWorkingWindowOpenIsRefused) {
    backup_.WorkingWindowListed = [] { return true; };
    EXPECT_FALSE(backup_.BackupData());
    EXPECT_FALSE(backup_.RestoreData());
    EXPECT_EQ(messages_.texts, QStringList({"请先关闭其它的窗口", "请先关闭其它的窗口"}));
    EXPECT_TRUE(QDir(Backups()).isEmpty());
}

class DamagedRestoreTest : public DataBackupTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(backup_.BackupData());
        QFile file(Archive());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        archive_ = file.readAll();
        AppSystemUser = true;
        AppUserId = "U1";
        // Rows added after the backup: a failed restore must keep them.
        test::ExecOnFile(data_.Folder.DatabaseFile(),
                         "INSERT INTO KX_MONEY_TEXT_FIELD1_TABLE (MONEY_TEXT_FIELD1) "
                         "VALUES ('after')");
        before_ = ReadFolder(AppDataFolder);
        messages_.texts.clear();
    }

    static QByteArray FileBytes(const QString& path) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    // An archive in the program's format of a data folder whose database
    // file holds the bytes.
    QString ArchiveWithDatabase(const QByteArray& database) {
        const QString folder = program_.filePath("other-data");
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        QFile file(QDir(folder).filePath("RUReravezDataBase.sqlite"));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(database);
        file.close();
        TKXBackupFile archive;
        const QString path = program_.filePath("other archive");
        EXPECT_TRUE(archive.Backup(folder + "/", path, true));
        return path;
    }

    QString Write(const QByteArray& bytes) {
        const QString path = program_.filePath("chosen");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        return Restoring(path);
    }

    void ExpectUnchanged() {
        EXPECT_EQ(ReadFolder(AppDataFolder), before_);
        EXPECT_TRUE(DM->MainDatabase->Connected());
        EXPECT_EQ(CountRows(), 3001);
        EXPECT_EQ(AppUserId, "U1");
        EXPECT_TRUE(AppSystemUser);
        EXPECT_FALSE(thread_.Active);
    }

    QByteArray archive_;
    FolderBytes before_;
};

TEST_F(DamagedRestoreTest, ADamagedArchiveChangesNothing) {
    QByteArray flipped = archive_;
    for (qsizetype i = flipped.size() / 2; i < flipped.size() / 2 + 64; ++i)
        flipped[i] = char(~flipped[i]);
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"truncated", archive_.left(archive_.size() * 2 / 3)},
        {"bytes changed", flipped},
        {"no end mark", archive_.chopped(4)},
    };
    for (const auto& c : cases) {
        messages_.texts.clear();
        Write(c.bytes);
        EXPECT_FALSE(backup_.RestoreData()) << c.what;
        ASSERT_FALSE(messages_.texts.isEmpty()) << c.what;
        EXPECT_EQ(messages_.texts.last(), "备份的数据库文件恢复失败") << c.what;
        ExpectUnchanged();
    }
}

TEST_F(DamagedRestoreTest, AFileThatIsNoArchiveOfOursChangesNothing) {
    Write(QByteArray(64, '\0'));
    EXPECT_FALSE(backup_.RestoreData());
    EXPECT_EQ(messages_.texts.last(),
              "备份的数据库文件恢复失败\n所选文件中没有数据库文件,不是数据备份文件");
    ExpectUnchanged();

    Write("just some text that a user picked by mistake");
    try {
        backup_.RestoreData();
        ADD_FAILURE() << "a file without an archive's head was read";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), "不能读备份的文件");
    }
    ExpectUnchanged();
}

// Archives in the program's own format whose database does not prove
// itself: the database in the data folder stays, and the message says why.
TEST_F(DamagedRestoreTest, ADatabaseThatDoesNotProveItselfReplacesNothing) {
    const QString otherProgram = program_.filePath("other.sqlite");
    test::ExecOnFile(otherProgram, "CREATE TABLE NOTES (NOTE TEXT)");
    const QString damaged = program_.filePath("damaged.sqlite");
    ASSERT_TRUE(QFile::copy(data_.Folder.DatabaseFile(), damaged));
    ASSERT_TRUE(test::DamageLeafPage(damaged, "KX_MONEY_TEXT_FIELD1_TABLE"));
    const QString entry = QStringLiteral("备份文件中的RUReravezDataBase.sqlite");
    const struct {
        const char* what;
        QByteArray database;
        QString message;
    } cases[] = {
        {"text", QStringLiteral("备份的数据库文件已成功恢复…").toUtf8(),
         "文件不是数据库文件：" + entry},
        {"another program's", FileBytes(otherProgram),
         "不是本软件的数据库文件：" + entry + "（缺少数据表SYS_USER_TABLE）"},
        {"damaged", FileBytes(damaged), "数据库文件已损坏，完整性检查未通过：" + entry},
    };
    for (const auto& c : cases) {
        messages_.texts.clear();
        Restoring(ArchiveWithDatabase(c.database));
        EXPECT_FALSE(backup_.RestoreData()) << c.what;
        EXPECT_EQ(messages_.texts.last(), "备份的数据库文件恢复失败\n" + c.message) << c.what;
        ExpectUnchanged();
    }
}

// What a crash leaves at each stage of a restore: the data folder as the
// disk holds it at that moment. The next start removes what was staged, and
// the database is the one from before.
TEST_F(DamagedRestoreTest, WhatARestoreCutShortLeftGoesAtTheNextStart) {
    QList<FolderBytes> moments;
    bool halfway = false;
    const auto showProgress = backup_.KXBackupFile->OnProgress;
    backup_.KXBackupFile->OnProgress = [&](QObject* sender, const QString& name, int percent,
                                           bool& continueRun) {
        showProgress(sender, name, percent, continueRun);
        if (percent >= 50 && !name.isEmpty() && !halfway) {
            halfway = true;
            moments.append(ReadFolder(AppDataFolder));
        }
    };
    // Staged in full, not yet in place.
    backup_.KXBackupFile->OnFileRestored = [&](QObject*, QString&, QFile& staged) {
        staged.flush();
        moments.append(ReadFolder(AppDataFolder));
    };
    Restoring(Archive());
    ASSERT_TRUE(backup_.RestoreData());
    ASSERT_TRUE(halfway);
    ASSERT_GE(moments.size(), 2);
    for (const FolderBytes& moment : moments) {
        ASSERT_TRUE(std::any_of(moment.keyBegin(), moment.keyEnd(), [](const QString& name) {
            return name.startsWith(".kxrestore-");
        }));
    }
    for (const FolderBytes& moment : moments) {
        const QString folder = program_.filePath("after-crash");
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        for (auto file = moment.cbegin(); file != moment.cend(); ++file) {
            QFile written(QDir(folder).filePath(file.key()));
            ASSERT_TRUE(written.open(QIODevice::WriteOnly));
            written.write(file.value());
        }
        AppDataFolder = folder;
        TDataBackup::RemoveLeftovers();
        FolderBytes expected = moment;
        expected.removeIf([](auto file) { return file.key().startsWith(".kxrestore-"); });
        EXPECT_EQ(ReadFolder(folder), expected);
        EXPECT_EQ(DatabaseFileFault(QDir(folder).filePath("RUReravezDataBase.sqlite")), "");
    }

    // So does an archive cut short in the backup folder; finished ones stay.
    QFile partial(Backups() + "/." + QFileInfo(Archive()).fileName() + ".part");
    ASSERT_TRUE(partial.open(QIODevice::WriteOnly));
    partial.close();
    TDataBackup::RemoveLeftovers();
    EXPECT_EQ(QDir(Backups()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QFileInfo(Archive()).fileName()});
}

// Writes beyond 100 KB fail as on a full disk: the staged file cannot even be
// flushed when it is closed, and must go all the same.
TEST_F(DamagedRestoreTest, ARestoreOnAFullDiskLeavesNoStagedFile) {
    Restoring(Archive());
    {
        const FileSizeLimit fullDisk(100 * 1024);
        EXPECT_FALSE(backup_.RestoreData());
    }
    EXPECT_EQ(messages_.texts.last(), "备份的数据库文件恢复失败");
    ExpectUnchanged();
}

TEST_F(DamagedRestoreTest, ARestoreStoppedHalfwayChangesNothing) {
    Restoring(Archive());
    const auto showProgress = backup_.KXBackupFile->OnProgress;
    backup_.KXBackupFile->OnProgress = [&](QObject* sender, const QString& name, int percent,
                                           bool& continueRun) {
        showProgress(sender, name, percent, continueRun);
        if (percent >= 50)
            continueRun = false;
    };
    EXPECT_FALSE(backup_.RestoreData());
    EXPECT_EQ(messages_.texts.last(), "备份的数据库文件恢复失败");
    ExpectUnchanged();
}

TEST_F(DamagedRestoreTest, ARestoreCancelledAtTheDialogOrTheQuestionChangesNothing) {
    backup_.ChooseRestoreFile = [] { return QString(); };
    EXPECT_FALSE(backup_.RestoreData());
    EXPECT_TRUE(messages_.texts.isEmpty());
    ExpectUnchanged();

    Restoring(Archive());
    messages_.answers = {{"如果进行恢复操作", false}};
    EXPECT_FALSE(backup_.RestoreData());
    EXPECT_EQ(messages_.texts.size(), 1);
    ExpectUnchanged();
}

TEST_F(DataBackupTest, ABackupNeverTakesInAStagedFile) {
    QFile staged(QDir(AppDataFolder).filePath(".kxrestore-0badf00d"));
    ASSERT_TRUE(staged.open(QIODevice::WriteOnly));
    staged.write(QByteArray(4096, 'x'));
    staged.close();
    ASSERT_TRUE(backup_.BackupData());
    QStringList archived;
    TKXBackupFile reader;
    reader.OnRestoreFile = [&](QObject*, QString& name, qint32, bool& restore) {
        archived.append(QFileInfo(name).fileName());
        restore = false;
    };
    ASSERT_TRUE(reader.Restore(Archive(), program_.filePath("unused")));
    EXPECT_TRUE(archived.contains("RUReravezDataBase.sqlite"));
    EXPECT_FALSE(archived.contains(".kxrestore-0badf00d"));
}

class BackupCommandsTest : public ::testing::Test {
protected:
    BackupCommandsTest() {
        test::ResetProgramState();
        AppFirstRunDone = false;
    }
    ~BackupCommandsTest() override {
        main_.reset();
        test::ResetProgramState();
    }

    TMainForm& Main() {
        if (!main_) {
            main_ = std::make_unique<TMainForm>();
            main_->DataBackup->ChooseRestoreFile = [this] {
                ++restoreDialogs_;
                return QString();
            };
        }
        return *main_;
    }

    test::OpenDataFolder data_;
    ScriptedMessages messages_;
    test::StubFactories stubs_;
    std::unique_ptr<TMainForm> main_;
    int restoreDialogs_ = 0;
};

TEST_F(BackupCommandsTest, OnlyASystemUserMayRestore) {
    AppUserId = "U1";
    AppSystemUser = false;
    Main().MenuItem("N54")->trigger();
    EXPECT_EQ(messages_.texts, QStringList{"只有系统管理员才能有恢复数据库的权限"});
    EXPECT_EQ(restoreDialogs_, 0);

    AppSystemUser = true;
    messages_.texts.clear();
    Main().MenuItem("N54")->trigger();
    EXPECT_EQ(restoreDialogs_, 1);
    EXPECT_TRUE(messages_.texts.isEmpty());
    EXPECT_TRUE(DM->MainDatabase->Connected());
}

TEST_F(BackupCommandsTest, AfterARestoreEveryWindowIsRefusedUntilTheNextStart) {
    QTemporaryDir backups;
    sys::WriteSettingsValue(kFolderValue, backups.path() + "/");
    AppDataFolder = data_.Folder.Path();
    test::GrantBrowse(data_.Folder, "U1", 1, 1);
    test::GrantBrowse(data_.Folder, "U1", 3, 1);
    AppUserId = "U1";
    AppSystemUser = true;
    Main().MenuItem("ToolButton9")->trigger();
    const QStringList archives = QDir(backups.path()).entryList(QDir::Files);
    ASSERT_EQ(archives.size(), 1);
    Main().DataBackup->ChooseRestoreFile = [&] { return backups.filePath(archives.first()); };
    Main().MenuItem("N54")->trigger();
    EXPECT_EQ(messages_.texts.last(), "备份的数据库文件已成功恢复,请关闭软件后再打开软件");

    messages_.texts.clear();
    for (const char* item : {"N13", "N3", "N54"})
        Main().MenuItem(item)->trigger();
    EXPECT_EQ(messages_.texts, QStringList({"您没有在程序\"资金借贷记录录入编辑\"中的权限",
                                            "您没有在程序\"数据备份\"中的权限",
                                            "只有系统管理员才能有恢复数据库的权限"}));
    sys::DeleteSettingsValue(kFolderValue);
}

TEST_F(BackupCommandsTest, TheBackupIsOfferedAtTheFirstShowUnlessSwitchedOff) {
    const struct {
        const char* option;
        bool firstRun;
        QStringList expected;
    } cases[] = {
        {"否", false, {"是否备份数据 ?"}},
        {"是", false, {}},
        {"否", true, {}},
    };
    for (const auto& c : cases) {
        test::ExecOnFile(data_.Folder.DatabaseFile(),
                         QStringLiteral("DELETE FROM SYS_ID_TABLE WHERE NAME_ID = '不自动数据备份';"
                                        "INSERT INTO SYS_ID_TABLE (NAME_ID, AUTO_ID) "
                                        "VALUES ('不自动数据备份', '%1')")
                             .arg(c.option));
        AppFirstRunDone = c.firstRun;
        messages_.answers = {{"是否备份数据", false}};
        messages_.texts.clear();
        main_.reset();
        Main().show();
        Main().hide();
        Main().show();
        EXPECT_EQ(messages_.texts, c.expected) << c.option << c.firstRun;
    }
    AppFirstRunDone = false;
}

} // namespace
} // namespace kx
