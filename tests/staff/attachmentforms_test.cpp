// The documents' and pictures' list and edit windows over a fresh data
// folder and a private program folder: files stored, replaced, viewed,
// exported and deleted with their rows, and every failure leaving the rows
// pointing only at files that are there.

#include "staff/editemployeefileform.h"
#include "staff/editemployeepictureform.h"
#include "staff/selectemployeefileform.h"
#include "staff/selectemployeepictureform.h"

#include "core/appstate.h"
#include "core/sqlfunctions.h"
#include "frame/controls/kxdbcomboedit.h"
#include "frame/controls/kxndbgrid.h"
#include "frame/data/kxquery.h"
#include "staff/attachmentactions.h"
#include "staff/attachmentstore.h"
#include "tests/core/programfixture.h"
#include "tests/support/clippedtexts.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace kx::staff {
namespace {

class AttachmentFormsTest : public ::testing::Test {
protected:
    AttachmentFormsTest() {
        test::ResetProgramState();
        messages_.answer = true;
        AppUserId = QStringLiteral("U01");
        AppUserName = QStringLiteral("张三");
        AppToday = QStringLiteral("2007-03-05");
        AppProgramFolder = program_.path();
        AppTempFolder = program_.filePath("temp") + '/';
        saved_ = AttachmentDesktop();
        AttachmentDesktop().AskOpenFile = [this](QWidget*, const QString& filter) {
            filters_ << filter;
            return openFiles_.isEmpty() ? QString() : openFiles_.takeFirst();
        };
        AttachmentDesktop().AskSaveFile = [this](QWidget*, const QString& preset) {
            presets_ << preset;
            return saveFile_;
        };
        AttachmentDesktop().AskChoice = [this](const QString& item1, const QString& item2,
                                               const QString& caption) {
            choices_ << item1 + '|' + item2 + '|' + caption;
            return choice_;
        };
        AttachmentDesktop().OpenUrl = [this](const QUrl& url) {
            opened_ << url.toLocalFile();
            return true;
        };
        AttachmentDesktop().ShowPicture = [this](const QString& caption, const QString& file,
                                                 const QString& type) {
            opened_ << caption + '|' + file + '|' + type;
        };
    }
    ~AttachmentFormsTest() override {
        AttachmentDesktop() = saved_;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        AppProgramFolder.clear();
        AppTempFolder.clear();
        test::ResetProgramState();
    }

    QString Write(const QString& name, const QByteArray& bytes) {
        const QString path = files_.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QString Picture(const QString& name, const char* format) {
        QImage image(12, 8, QImage::Format_RGB32);
        image.fill(Qt::blue);
        const QString path = files_.filePath(name);
        EXPECT_TRUE(image.save(path, format));
        return path;
    }
    static QByteArray Read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    static QString Value(const QString& sql) { return GetSqlFirstValue(kDatabaseName, sql); }
    QString Stored(const QString& id) const { return program_.filePath("DataFile/" + id); }

    template <class Form> std::unique_ptr<Form> ShowList(const QString& employee) {
        std::unique_ptr<Form> list(TKXFormEvents::Create<Form>(nullptr));
        list->EmployeeRecordID = employee;
        list->HeadText = QStringLiteral("财务部出纳组");
        list->EmployeeName = QStringLiteral("王五");
        list->show();
        QApplication::setActiveWindow(list.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(list.get()));
        return list;
    }
    template <class Form>
    std::unique_ptr<Form> ShowEditor(TSelectAttachmentForm* list, const QString& employee,
                                     bool add) {
        std::unique_ptr<Form> editor(TKXFormEvents::Create<Form>(nullptr));
        editor->ListQuery = list->Query;
        editor->Rights = list->Rights;
        editor->EmployeeRecordID = employee;
        editor->HeadText = list->HeadText;
        editor->EmployeeName = list->EmployeeName;
        editor->AddOnShow = add;
        editor->EditOnShow = !add;
        editor->show();
        QApplication::setActiveWindow(editor.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(editor.get()));
        return editor;
    }
    static void Grab(QWidget* window, const QString& name) {
        const QString folder = QDir::temp().filePath(QStringLiteral("kx-screens"));
        QDir().mkpath(folder);
        EXPECT_TRUE(window->grab().save(folder + '/' + name + ".png"));
        EXPECT_EQ(test::ClippedTexts(*window), QStringList{}) << name.toStdString();
    }
    // Acts on the modal window the next click opens.
    template <class Dialog, class Action> static void OnModal(Action action) {
        QTimer::singleShot(0, [action] {
            auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            action(dialog);
        });
    }

    test::OpenDataFolder data_;
    test::MessageRecorder messages_;
    QTemporaryDir program_;
    QTemporaryDir files_;
    TAttachmentDesktop saved_;
    QStringList openFiles_;
    QString saveFile_;
    int choice_ = 0;
    QStringList filters_;
    QStringList presets_;
    QStringList choices_;
    QStringList opened_;
};

TEST_F(AttachmentFormsTest, ADocumentIsStoredViewedExportedAndDeletedWithItsRow) {
    auto list = ShowList<TSelectEmployeeFileForm>("E1");
    EXPECT_EQ(list->windowTitle(), "员工电子文档保存浏览窗口");
    EXPECT_EQ(list->LabelHead->text(), "财务部出纳组 王五");
    EXPECT_EQ(list->button_find->text(), "浏览电子文档");
    EXPECT_FALSE(list->Button_Print->isVisible());
    EXPECT_FALSE(list->button_Ok->isVisible());
    EXPECT_EQ(list->size(), QSize(790, 450));
    list->button_edit->click();
    list->DBGrid->OnDblClick(list->DBGrid);
    EXPECT_EQ(messages_.Texts(), QStringList{"没有员工电子文档资料"})
        << "empty list: view is silent";

    openFiles_ << Write("合同.txt", "contract");
    OnModal<TEditEmployeeFileForm>([this](TEditEmployeeFileForm* editor) {
        EXPECT_EQ(editor->windowTitle(), "员工电子文档保存窗口");
        EXPECT_EQ(editor->ListQuery->State(), db::dsInsert);
        Grab(editor, "employee-file-edit");
        editor->KXDBComboEdit1->FireButtonClick();
        // The row is stored before the user saves; cancel is no longer offered.
        EXPECT_EQ(Value("SELECT COUNT(*) FROM KX_EMPLOYEE_MASTER_FILE_TABLE"), "1");
        EXPECT_FALSE(editor->button_cancel->isEnabled());
        EXPECT_EQ(editor->KXDBComboEdit1->text(), "合同.txt");
        editor->button_save->click();
        EXPECT_EQ(editor->ListQuery->State(), db::dsBrowse);
        editor->button_close->click();
    });
    list->button_add->click();
    EXPECT_EQ(filters_, QStringList{QString()});
    const QString id = Value("SELECT FILE_RECORD_ID FROM KX_EMPLOYEE_MASTER_FILE_TABLE");
    EXPECT_TRUE(id.startsWith('F'));
    EXPECT_EQ(id.size(), 13);
    EXPECT_EQ(Value("SELECT EMPLOYEE_RECORD_ID || '/' || FILE_TITLE_NAME || '/' || FILE_ORDER || "
                    "'/' || CREATE_NAME FROM KX_EMPLOYEE_MASTER_FILE_TABLE"),
              "E1/合同.txt/1/张三");
    EXPECT_EQ(Read(Stored(id)), "contract");
    Grab(list.get(), "employee-file-list");

    // View: a copy in the temporary folder opened by the desktop, twice.
    messages_.Clear();
    choice_ = 2;
    list->button_find->click();
    list->DBGrid->OnDblClick(list->DBGrid);
    const QString viewing = AppTempFolder + "合同.txt";
    EXPECT_EQ(opened_, (QStringList{viewing, viewing}));
    EXPECT_EQ(Read(viewing), "contract");
    EXPECT_EQ(choices_.first(), "导出电子文档|浏览电子文档|操作选择窗口");

    // Export, over a file that is there.
    choice_ = 1;
    saveFile_ = Write("导出.txt", "old");
    list->button_find->click();
    EXPECT_EQ(presets_, QStringList{"合同.txt"});
    EXPECT_EQ(Read(saveFile_), "contract");
    EXPECT_EQ(messages_.Texts(), QStringList{"电子文档成功导出到：" + saveFile_});

    // A copy removed behind the program's back.
    messages_.Clear();
    ASSERT_TRUE(QFile::remove(Stored(id)));
    for (int item : {1, 2}) {
        choice_ = item;
        list->button_find->click();
    }
    EXPECT_EQ(messages_.Texts(),
              (QStringList{"\"合同.txt\"电子文档不存在", "\"合同.txt\"电子文档不存在"}));

    // Deleting: a declined question keeps row and copy; else both go.
    Write("copy", "again");
    ASSERT_TRUE(QFile::copy(files_.filePath("copy"), Stored(id)));
    messages_.answer = false;
    list->button_delete->click();
    EXPECT_EQ(Value("SELECT COUNT(*) FROM KX_EMPLOYEE_MASTER_FILE_TABLE"), "1");
    EXPECT_TRUE(QFileInfo::exists(Stored(id)));
    messages_.answer = true;
    list->button_delete->click();
    EXPECT_EQ(Value("SELECT COUNT(*) FROM KX_EMPLOYEE_MASTER_FILE_TABLE"), "0");
    EXPECT_FALSE(QFileInfo::exists(Stored(id)));
}

TEST_F(AttachmentFormsTest, AFailedCopyKeepsTheEarlierFileOrDropsTheRowItWasMadeFor) {
    auto list = ShowList<TSelectEmployeeFileForm>("E1");
    // Another employee's rows hold the ids of the next seconds: a new row
    // must not share one, or its copy would overwrite theirs.
    const QDateTime now = QDateTime::currentDateTime();
    for (int second = 0; second < 5; ++second) {
        const QString taken = "F" + now.addSecs(second).toString("yyMMddHHmmss");
        ASSERT_TRUE(ExecSqlText(kDatabaseName,
                                "INSERT INTO KX_EMPLOYEE_MASTER_FILE_TABLE (EMPLOYEE_RECORD_ID, "
                                "FILE_RECORD_ID, FILE_TITLE_NAME) VALUES ('E2', " +
                                    QuotedStr(taken) + ", 'theirs.txt')"));
        ASSERT_TRUE(TAttachmentStore().Store(Write("theirs.txt", "theirs"), taken));
    }

    // A new row whose copy fails is taken back.
    openFiles_ << files_.filePath("vanished.txt");
    {
        auto editor = ShowEditor<TEditEmployeeFileForm>(list.get(), "E1", true);
        editor->KXDBComboEdit1->FireButtonClick();
        EXPECT_EQ(messages_.Texts(), QStringList{"电子文档保存过程发生错误"});
        EXPECT_EQ(list->Query->State(), db::dsBrowse);
        EXPECT_EQ(Value("SELECT COUNT(*) FROM KX_EMPLOYEE_MASTER_FILE_TABLE WHERE "
                        "EMPLOYEE_RECORD_ID = 'E1'"),
                  "0");
    }

    // A cancelled file dialog leaves the new row saved, without a title.
    {
        auto editor = ShowEditor<TEditEmployeeFileForm>(list.get(), "E1", true);
        editor->KXDBComboEdit1->FireButtonClick();
        EXPECT_EQ(list->Query->State(), db::dsEdit);
        EXPECT_EQ(Value("SELECT COUNT(*) || '/' || MAX(FILE_TITLE_NAME) FROM "
                        "KX_EMPLOYEE_MASTER_FILE_TABLE WHERE EMPLOYEE_RECORD_ID = 'E1'"),
                  "1/");
        messages_.Clear();
        editor->button_save->click();
        EXPECT_EQ(messages_.Texts(), QStringList{"必须选择要保存的电子文档"});
        openFiles_ << Write("简历.doc", "first");
        editor->KXDBComboEdit1->FireButtonClick();
        editor->button_save->click();
        EXPECT_EQ(list->Query->State(), db::dsBrowse);
    }
    const QString id = Value(
        "SELECT FILE_RECORD_ID FROM KX_EMPLOYEE_MASTER_FILE_TABLE WHERE EMPLOYEE_RECORD_ID = 'E1'");
    EXPECT_EQ(Value("SELECT COUNT(*) FROM KX_EMPLOYEE_MASTER_FILE_TABLE WHERE FILE_RECORD_ID = " +
                    QuotedStr(id)),
              "1");
    EXPECT_EQ(Read(Stored(id)), "first");
    EXPECT_EQ(Value("SELECT COUNT(*) FROM KX_EMPLOYEE_MASTER_FILE_TABLE WHERE "
                    "FILE_TITLE_NAME = 'theirs.txt'"),
              "5");

    // Replacing: the question, then a failed copy keeps row, title and file.
    {
        auto editor = ShowEditor<TEditEmployeeFileForm>(list.get(), "E1", false);
        messages_.Clear();
        openFiles_ << files_.filePath("vanished.txt");
        editor->KXDBComboEdit1->FireButtonClick();
        EXPECT_EQ(messages_.Texts(),
                  (QStringList{"以前保存的电子文档\"简历.doc\"将被新选的电子文档替换，是否继续 ?",
                               "电子文档保存过程发生错误"}));
        EXPECT_EQ(editor->KXDBComboEdit1->text(), "简历.doc");
        EXPECT_TRUE(editor->button_cancel->isEnabled());
        editor->button_cancel->click();
        EXPECT_EQ(Read(Stored(id)), "first");

        // A declined question changes nothing; an accepted one replaces.
        messages_.answer = false;
        editor->button_edit->click();
        const qsizetype dialogs = filters_.size();
        editor->KXDBComboEdit1->FireButtonClick();
        EXPECT_EQ(filters_.size(), dialogs) << "no file dialog after a declined question";
        messages_.answer = true;
        openFiles_ << Write("简历v2.doc", "second");
        editor->KXDBComboEdit1->FireButtonClick();
        editor->button_save->click();
        // Browsing, the button views or exports; the export fails here.
        choice_ = 1;
        saveFile_ = files_.filePath("no/such/folder/x.doc");
        messages_.Clear();
        editor->KXDBComboEdit1->FireButtonClick();
        EXPECT_EQ(messages_.Texts(), QStringList{"电子文档导出错误"});
    }
    EXPECT_EQ(Value("SELECT FILE_TITLE_NAME FROM KX_EMPLOYEE_MASTER_FILE_TABLE WHERE "
                    "EMPLOYEE_RECORD_ID = 'E1'"),
              "简历v2.doc");
    EXPECT_EQ(Read(Stored(id)), "second");
    EXPECT_EQ(QDir(program_.filePath("DataFile")).entryList(QDir::Files).size(), 6);
}

TEST_F(AttachmentFormsTest, PicturesMustBeBitmapsOrJpegsAndOpenInThePictureViewer) {
    auto list = ShowList<TSelectEmployeePictureForm>("E1");
    EXPECT_EQ(list->windowTitle(), "员工图片资料保存浏览窗口");
    EXPECT_EQ(list->button_find->text(), "浏览图片");
    list->DBGrid->OnDblClick(list->DBGrid);
    list->button_edit->click();
    EXPECT_EQ(messages_.Texts(), (QStringList{"没有保存的图片", "没有员工图片资料"}));

    auto editor = ShowEditor<TEditEmployeePictureForm>(list.get(), "E1", true);
    EXPECT_EQ(editor->windowTitle(), "员工图片保存窗口");
    Grab(editor.get(), "employee-picture-edit");
    messages_.Clear();
    openFiles_ << Picture("photo.png", "PNG") << Write("fake.jpg", "text, not a picture")
               << Picture("Photo.Jpg", "JPEG");
    editor->KXDBComboEdit1->FireButtonClick();
    editor->KXDBComboEdit1->FireButtonClick();
    EXPECT_EQ(messages_.Texts(), (QStringList{"图片格式必须是: BMP 、JPG 或 JPEG 格式",
                                              "图片格式必须是: BMP 、JPG 或 JPEG 格式"}));
    EXPECT_EQ(Value("SELECT COUNT(*) || '/' || MAX(PICTURE_TITLE_NAME) FROM "
                    "KX_EMPLOYEE_MASTER_PICTURE_TABLE"),
              "1/")
        << "the row stays saved without a picture";
    EXPECT_TRUE(filters_.first().contains("*.JPEG"));
    editor->KXDBComboEdit1->FireButtonClick();
    editor->button_save->click();
    const QString id = Value("SELECT PICTURE_RECORD_ID FROM KX_EMPLOYEE_MASTER_PICTURE_TABLE");
    EXPECT_TRUE(id.startsWith('G'));
    EXPECT_EQ(Value("SELECT PICTURE_TITLE_NAME || '/' || PICTURE_ORDER FROM "
                    "KX_EMPLOYEE_MASTER_PICTURE_TABLE"),
              "Photo.Jpg/1");
    EXPECT_TRUE(QFileInfo::exists(Stored(id)));
    editor.reset();

    choice_ = 1;
    list->DBGrid->OnDblClick(list->DBGrid);
    EXPECT_EQ(opened_, QStringList{"图片显示窗口|" + AppTempFolder + "Photo.Jpg|Photo.Jpg"});
    EXPECT_EQ(choices_.last(), "浏览图片|导出图片|操作选择窗口");
    choice_ = 2;
    messages_.Clear();
    saveFile_ = files_.filePath("exported.jpg");
    list->button_find->click();
    EXPECT_EQ(messages_.Texts(), QStringList{"图片文件成功导出到：" + saveFile_});
    EXPECT_EQ(Read(saveFile_), Read(Stored(id)));
    Grab(list.get(), "employee-picture-list");

    // The editor's delete takes the copy along as well.
    editor = ShowEditor<TEditEmployeePictureForm>(list.get(), "E1", false);
    editor->button_cancel->click();
    editor->button_delete->click();
    EXPECT_EQ(Value("SELECT COUNT(*) FROM KX_EMPLOYEE_MASTER_PICTURE_TABLE"), "0");
    EXPECT_FALSE(QFileInfo::exists(Stored(id)));
}

// A data folder somewhere new: its program folder, and the store in it, do
// not exist yet. The first document and picture create every level; a store
// that cannot be made, or a database that refuses the row, leaves no row and
// no copy, and the user can always cancel out.
TEST_F(AttachmentFormsTest, TheStoreIsMadeOnFirstUseAndFailuresLeaveNothing) {
    AppProgramFolder = program_.filePath("备份盘/账套");
    const auto stored = [](const QString& id) {
        return QFileInfo(AppProgramFolder + "/DataFile/" + id);
    };
    auto files = ShowList<TSelectEmployeeFileForm>("E1");
    openFiles_ << Write("合同.txt", "contract");
    {
        auto editor = ShowEditor<TEditEmployeeFileForm>(files.get(), "E1", true);
        editor->KXDBComboEdit1->FireButtonClick();
        editor->button_save->click();
        EXPECT_EQ(files->Query->State(), db::dsBrowse);
    }
    EXPECT_EQ(messages_.Texts(), QStringList());
    const QString fileId = Value("SELECT FILE_RECORD_ID FROM KX_EMPLOYEE_MASTER_FILE_TABLE");
    EXPECT_EQ(Read(stored(fileId).filePath()), "contract");
    choice_ = 2;
    files->button_find->click();
    EXPECT_EQ(opened_, QStringList{AppTempFolder + "合同.txt"});

    auto pictures = ShowList<TSelectEmployeePictureForm>("E1");
    openFiles_ << Picture("照片.jpg", "JPEG");
    {
        auto editor = ShowEditor<TEditEmployeePictureForm>(pictures.get(), "E1", true);
        editor->KXDBComboEdit1->FireButtonClick();
        editor->button_save->click();
    }
    const QString pictureId =
        Value("SELECT PICTURE_RECORD_ID FROM KX_EMPLOYEE_MASTER_PICTURE_TABLE");
    EXPECT_TRUE(stored(pictureId).isFile());
    choice_ = 1;
    pictures->button_find->click();
    EXPECT_EQ(opened_.last(), "图片显示窗口|" + AppTempFolder + "照片.jpg|照片.jpg");
    const auto rows = [] {
        return Value("SELECT (SELECT COUNT(*) FROM KX_EMPLOYEE_MASTER_FILE_TABLE) || '/' || "
                     "(SELECT COUNT(*) FROM KX_EMPLOYEE_MASTER_PICTURE_TABLE)");
    };
    ASSERT_EQ(rows(), "1/1");

    // A store that cannot be made: the new row goes again.
    AppProgramFolder = program_.filePath("blocked");
    ASSERT_TRUE(QDir().mkpath(AppProgramFolder));
    Write("DataFile", "a file where the folder should be");
    ASSERT_TRUE(QFile::copy(files_.filePath("DataFile"), AppProgramFolder + "/DataFile"));
    messages_.Clear();
    openFiles_ << Write("简历.doc", "cv");
    {
        auto editor = ShowEditor<TEditEmployeeFileForm>(files.get(), "E1", true);
        editor->KXDBComboEdit1->FireButtonClick();
        EXPECT_EQ(files->Query->State(), db::dsBrowse);
    }
    EXPECT_EQ(messages_.Texts(),
              QStringList{"文件夹 " + AppProgramFolder + "/DataFile 建立过程发生错误"});
    EXPECT_EQ(rows(), "1/1");

    // A database that refuses the row, as a read-only data folder does: the
    // copy is made, the save fails, and cancel takes the copy back.
    AppProgramFolder = program_.filePath("备份盘/账套");
    for (const char* when : {"INSERT", "UPDATE"})
        ASSERT_TRUE(ExecSqlText(kDatabaseName,
                                QStringLiteral("CREATE TRIGGER refuse_%1 BEFORE %1 ON "
                                               "KX_EMPLOYEE_MASTER_PICTURE_TABLE BEGIN SELECT "
                                               "RAISE(ABORT, 'attempt to write a readonly "
                                               "database'); END")
                                    .arg(when)));
    const QStringList before = QDir(AppProgramFolder + "/DataFile").entryList(QDir::Files);
    openFiles_ << Picture("扫描.bmp", "BMP");
    {
        auto editor = ShowEditor<TEditEmployeePictureForm>(pictures.get(), "E1", true);
        editor->KXDBComboEdit1->FireButtonClick();
        EXPECT_EQ(editor->KXDBComboEdit1->text(), "扫描.bmp");
        messages_.Clear();
        editor->button_save->click();
        EXPECT_FALSE(messages_.Texts().isEmpty());
        EXPECT_EQ(pictures->Query->State(), db::dsInsert);
        ASSERT_TRUE(editor->button_cancel->isEnabled());
        editor->button_cancel->click();
        EXPECT_EQ(pictures->Query->State(), db::dsBrowse);
        EXPECT_TRUE(editor->button_close->isEnabled());
        editor->button_close->click();
        EXPECT_FALSE(editor->isVisible());
    }
    EXPECT_EQ(rows(), "1/1");
    EXPECT_EQ(QDir(AppProgramFolder + "/DataFile").entryList(QDir::Files), before);
}

} // namespace
} // namespace kx::staff
