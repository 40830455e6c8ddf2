#include "frame/admin/backupfolder.h"

#include "frame/dialogs/diropenform.h"
#include "frame/dialogs/opendirdialog.h"
#include "platform/sys/configstore.h"
#include "tests/frame/controlsfixture.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

namespace kx {
namespace {

const QString kName = QStringLiteral("RUReravezData");

// Picks the folder in the next folder picker, or cancels it.
void PickInNextDialog(const QString& folder) {
    test::OnNextModal([folder](QWidget* dialog) {
        auto* form = qobject_cast<TDirOpenForm*>(dialog);
        if (folder.isEmpty()) {
            form->CancelButton->click();
            return;
        }
        form->SelectFolder(folder);
        form->SureButton->click();
    });
}

class BackupFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir(root_.path()).mkpath("backup"));
        backup_ = root_.path() + "/backup";
        ASSERT_TRUE(sys::DeleteSettingsValue(kName));
    }

    QString Stored() { return sys::ReadSettingsValue(kName).value_or("?"); }

    QTemporaryDir root_;
    QString backup_;
    test::MessageTextRecorder messages_;
};

TEST_F(BackupFolderTest, FolderPickerShowsThePathAndGoesUp) {
    TOpenDirDialog dialog;
    dialog.DialogType = Save;
    test::OnNextModal([this](QWidget* shown) {
        auto* form = qobject_cast<TDirOpenForm*>(shown);
        EXPECT_EQ(form->windowTitle(), "选择要存放的目录");
        form->SelectFolder(backup_);
        EXPECT_EQ(form->Edit1->text(), backup_);
        form->UpButton->click();
        EXPECT_EQ(form->Edit1->text(), root_.path());
        form->SureButton->click();
    });
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.GetDirectory(), root_.path() + "/");
}

TEST_F(BackupFolderTest, FolderPickerScrollsToTheSelectedFolder) {
    // More folders than the list shows, the chosen one near the end.
    for (int i = 0; i < 40; ++i)
        ASSERT_TRUE(QDir(backup_).mkdir(QStringLiteral("f%1").arg(i, 2, 10, QChar(u'0'))));
    const QString chosen = backup_ + "/f37";
    TDirOpenForm form;
    form.SelectFolder(chosen);
    form.show();
    QTreeView* list = form.DirectoryList;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return list->model()->rowCount(list->currentIndex().parent()) == 40; }, 5000));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return list->viewport()->rect().contains(list->visualRect(list->currentIndex())); },
        5000));
    EXPECT_EQ(form.Edit1->text(), chosen);
}

TEST_F(BackupFolderTest, AStoredFolderIsConfirmedOrReplaced) {
    ASSERT_TRUE(sys::WriteSettingsValue(kName, "/old/"));
    messages_.answer = true;
    EXPECT_EQ(GetBackupFolder(kName, true), "/old/");
    EXPECT_EQ(messages_.texts, QStringList({"是否备份文件保存到:\n/old/ ?"}));

    messages_.answer = false;
    PickInNextDialog(backup_);
    EXPECT_EQ(GetBackupFolder(kName, true), backup_ + "/");
    EXPECT_EQ(Stored(), backup_ + "/");
    EXPECT_EQ(GetBackupFolder(kName, false), backup_ + "/");
}

TEST_F(BackupFolderTest, WithoutAStoredFolderOneMustBePicked) {
    PickInNextDialog(QString());
    EXPECT_EQ(GetBackupFolder(kName, false), "");
    EXPECT_EQ(messages_.texts, QStringList({"必须选择数据备份保存位置"}));
    EXPECT_EQ(Stored(), "");
}

TEST_F(BackupFolderTest, CheckTakesTheFolderOfTheStoredPath) {
    EXPECT_EQ(CheckBackupFolder(kName, backup_ + "/", false), backup_ + "/");
    EXPECT_EQ(CheckBackupFolder(kName, backup_ + "/kx.bak", false), backup_ + "/");
    EXPECT_TRUE(messages_.texts.isEmpty());
}

TEST_F(BackupFolderTest, CheckOfAMissingFolderOffersANewOne) {
    const QString gone = root_.path() + "/gone/";
    EXPECT_EQ(CheckBackupFolder(kName, gone, false), "");
    messages_.answer = false;
    EXPECT_EQ(CheckBackupFolder(kName, gone, true), "");
    messages_.answer = true;
    PickInNextDialog(backup_);
    EXPECT_EQ(CheckBackupFolder(kName, gone, true), backup_ + "/");
    EXPECT_EQ(Stored(), backup_ + "/");
    const QString where = "指定保存数据备份文件的路径是:" + root_.path() + "/gone\n";
    EXPECT_EQ(messages_.texts,
              QStringList({where + "此路径不存在,不能保存数据备份文件",
                           where + "此路径不存在,是否选择新的保存数据备份文件的路径 ?",
                           "没有指定新的保存数据备份文件的路径\n不能备份数据",
                           where + "此路径不存在,是否选择新的保存数据备份文件的路径 ?"}));
}

TEST_F(BackupFolderTest, AnUnreadableStoreIsReported) {
    const QString settings = sys::SettingsFilePath();
    ASSERT_TRUE(QFile::remove(settings) || !QFile::exists(settings));
    ASSERT_TRUE(QDir().mkpath(settings));
    EXPECT_EQ(GetBackupFolder(kName, true), "");
    EXPECT_EQ(messages_.texts, QStringList({"数据备份保存位置读取错误"}));
    QDir(settings).removeRecursively();
}

} // namespace
} // namespace kx
