// The employee list, its entry window and its field layout window, opened
// from the main window's command on a data folder with three departments.

#include "core/appstate.h"
#include "core/datamodule.h"
#include "core/options.h"
#include "core/sqlfunctions.h"
#include "frame/app/kxmain.h"
#include "frame/app/mainform.h"
#include "frame/app/windowregistry.h"
#include "frame/controls/kxcombobox.h"
#include "frame/controls/kxdbedit.h"
#include "frame/controls/kxedit.h"
#include "frame/controls/kxndbgrid.h"
#include "frame/controls/kxtreeview.h"
#include "frame/data/kxquery.h"
#include "frame/dialogs/kxfindform.h"
#include "frame/dialogs/selectdeptform.h"
#include "frame/dialogs/selectitemform.h"
#include "grid/dbgrid/columnx.h"
#include "platform/db/field.h"
#include "platform/print/printer.h"
#include "staff/editemployeeform.h"
#include "staff/employeefields.h"
#include "staff/employeeform.h"
#include "staff/registerwindows.h"
#include "staff/selectemployeefieldform.h"
#include "staff/setemployeefieldform.h"
#include "tests/core/programfixture.h"
#include "tests/support/clippedtexts.h"
#include "tests/support/printchooserprobe.h"
#include "tests/support/printedpage.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QInputMethodEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>

#include <gtest/gtest.h>

namespace kx::staff {
namespace {

// Runs the action on the modal window of that class once it is shown.
template <class Dialog> void OnModal(std::function<void(Dialog*)> action) {
    QTimer::singleShot(0, [action] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr)
            << "no modal window "
            << (QApplication::activeModalWidget()
                    ? QApplication::activeModalWidget()->metaObject()->className()
                    : "none");
        QApplication::setActiveWindow(dialog);
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
        action(dialog);
    });
}

// Chinese text arrives from the input method, not as key presses.
void Type(QWidget* edit, const QString& text) {
    edit->setFocus();
    if (auto* line = qobject_cast<QLineEdit*>(edit))
        line->selectAll();
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(edit, &event);
}

void Grab(QWidget* window, const QString& name) {
    const QString folder = QDir::temp().filePath(QStringLiteral("kx-screens"));
    QDir().mkpath(folder);
    EXPECT_TRUE(window->grab().save(folder + '/' + name + ".png"));
    EXPECT_EQ(test::ClippedTexts(*window), QStringList()) << name.toStdString();
}

class EmployeeFormTest : public ::testing::Test {
protected:
    EmployeeFormTest() {
        test::ResetProgramState();
        messages_.answer = true;
        AppUserId = QStringLiteral("U01");
        AppUserName = QStringLiteral("张三");
        AppSystemUser = true;
        AppToday = QStringLiteral("2026-12-11");
        RegisterWindows();
        Exec(
            "INSERT INTO SYS_RIGHT_TABLE (USE_ID, COMPOSE_ID, PROGRAM_ID, ADD_RIGHT, EDIT_RIGHT, "
            "BROWSE_RIGHT, PRINT_RIGHT, VERIFY_RIGHT) VALUES ('U01', 2, 3, '是', '是', '是', '是', "
            "'否')");
        Exec("INSERT INTO SYS_COMPANY_TABLE (COMPANY_ID, PRIOR_ID, COMPANY_NAME, ORDER_ID) VALUES "
             "('G001', 'G002', '岚衡软件有限公司', 1), ('001', 'G001', '研发部', 1), "
             "('001001', '001', '软件组', 1), ('002', 'G001', '财务部', 2)");
        Exec("INSERT INTO KX_EMPLOYEE_TABLE (COMPANY_ID, EMPLOYEE_RECORD_ID, EMPLOYEE_ID, "
             "EMPLOYEE_NAME, EMPLOYEE_ORDER_ID) VALUES ('001', 'R1', 'E01', '李四', '1'), "
             "('001001', 'R2', 'E02', '王五', '2'), ('002', 'R3', 'E03', '赵六', '9')");
    }
    ~EmployeeFormTest() override {
        if (window_)
            window_->close();
        main_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        TWindowRegistry::Unregister(TEmployeeForm::kFormName);
        test::ResetProgramState();
    }

    void Exec(const QString& sql) { ASSERT_TRUE(ExecSqlText(kDatabaseName, sql)); }
    QString Value(const QString& sql) { return GetSqlFirstValue(kDatabaseName, sql); }

    // Opens the list from the main window's command; the sort chooser that
    // comes up first is cancelled.
    TEmployeeForm* Open() {
        main_ = std::make_unique<TMainForm>();
        OnModal<TSelectItemForm>([](TSelectItemForm* chooser) { chooser->reject(); });
        main_->MenuItem("N11")->trigger();
        QCoreApplication::sendPostedEvents();
        window_ = qobject_cast<TEmployeeForm*>(FindWorkingWindow(TEmployeeForm::kFormName));
        if (window_) {
            QApplication::setActiveWindow(window_);
            EXPECT_TRUE(QTest::qWaitForWindowActive(window_));
        }
        return window_;
    }
    void Select(const QString& id) {
        for (QTreeWidgetItemIterator it(window_->KXTreeView); *it; ++it) {
            if (window_->KXTreeView->GetNodeID(*it) == id) {
                window_->KXTreeView->setCurrentItem(*it);
                return;
            }
        }
        ADD_FAILURE() << "no node " << id.toStdString();
    }
    void Expand(const QString& id) {
        Select(id);
        window_->KXTreeView->currentItem()->setExpanded(true);
    }
    QStringList Listed(const char* column = "EMPLOYEE_ID") {
        QStringList values;
        TKXQuery* query = window_->Query;
        const int recNo = query->RecNo();
        for (query->First(); !query->Eof(); query->Next())
            values << query->FieldByName(QString::fromLatin1(column))->AsString();
        if (!query->IsEmpty())
            query->SetRecNo(recNo);
        return values;
    }
    QString FooterOf(const QString& fieldName) {
        auto* columns = window_->DBGrid1->Columns();
        for (int i = 0; i < columns->Count(); ++i)
            if (columns->GetColumn(i)->FieldName() == fieldName)
                return window_->DBGrid1->GetFooterText(0, columns->GetColumn(i));
        return QStringLiteral("no column");
    }
    void Locate(const QString& employeeId) {
        ASSERT_TRUE(window_->Query->Locate(QStringLiteral("EMPLOYEE_ID"), employeeId));
    }

    test::OpenDataFolder data_;
    test::MessageRecorder messages_;
    std::unique_ptr<TMainForm> main_;
    QPointer<TEmployeeForm> window_;
};

TEST_F(EmployeeFormTest, AFreshFolderGetsTheDefaultColumnsAndTheSubtreeIsListed) {
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(Value("SELECT COUNT(*) FROM SYS_EMPLOYEE_FIELD_TABLE"), "14");
    EXPECT_EQ(window_->SortChoices().Captions.size(), 7);
    EXPECT_EQ(window_->OrderByText, " ORDER BY EMPLOYEE_ID,EMPLOYEE_NAME");
    EXPECT_TRUE(window_->button_print->isVisible());
    EXPECT_FALSE(window_->button_save->isVisible());
    EXPECT_TRUE(window_->Button_Other->isVisible());
    EXPECT_EQ(window_->Label1->text(), "查找条件：");

    QStringList captions;
    for (db::TField* field : window_->Query->Fields())
        if (field->Visible())
            captions << field->DisplayLabel();
    EXPECT_EQ(captions.mid(0, 4), QStringList({"员工编号", "员工姓名", "任职部门", "性别"}));
    EXPECT_TRUE(captions.contains("排列序号"));
    EXPECT_EQ(Listed(), QStringList({"E01", "E02", "E03"}));
    EXPECT_EQ(Listed("COMPANY_DEPT_NAME"), QStringList({"研发部", "软件组", "财务部"}));
    EXPECT_EQ(FooterOf("EMPLOYEE_ID"), "合计:");
    EXPECT_EQ(FooterOf("EMPLOYEE_NAME"), "3");
    Grab(window_, "employee-list");

    Select("001");
    EXPECT_EQ(Listed(), QStringList({"E01", "E02"}));
    Expand("001");
    Select("001001");
    EXPECT_EQ(Listed(), QStringList({"E02"}));
    Select("G001");
    EXPECT_EQ(Listed(), QStringList({"E01", "E02", "E03"}));
}

TEST_F(EmployeeFormTest, AddingNeedsADepartmentAndTheEntryWindowSavesIntoIt) {
    ASSERT_NE(Open(), nullptr);
    window_->button_add->click();
    EXPECT_EQ(messages_.Texts(), QStringList({"必须选择一个部门名称节点"}));
    messages_.Clear();

    Select("002");
    bool shown = false;
    OnModal<TEditEmployeeForm>([&](TEditEmployeeForm* entry) {
        shown = true;
        EXPECT_EQ(entry->HeadLabel->text(), "财务部");
        EXPECT_EQ(entry->ListQuery->State(), db::dsInsert);
        EXPECT_EQ(entry->SlotLabel(3)->text(), "性别");
        EXPECT_FALSE(entry->SlotLabel(13)->isVisible());
        Grab(entry, "employee-entry");
        // Blanks are no employee number.
        Type(entry->Editor("KXDBEdit_EMPLOYEE_ID"), "   ");
        entry->button_save->click();
        EXPECT_EQ(messages_.Texts(), QStringList({"必须输入员工编号"}));
        EXPECT_EQ(entry->ListQuery->State(), db::dsInsert);
        Type(entry->Editor("KXDBEdit_EMPLOYEE_ID"), "E01");
        Type(entry->Editor("KXDBEdit_EMPLOYEE_NAME"), "钱七");
        entry->button_save->click();
        // The number is taken: the save is refused and the row stays open.
        EXPECT_TRUE(messages_.Texts().contains("员工编号重复"));
        EXPECT_EQ(entry->ListQuery->State(), db::dsInsert);
        Type(entry->Editor("KXDBEdit_EMPLOYEE_ID"), "E10");
        Type(entry->Editor("KXDBEdit_EMPLOYEE_TEXT_FIELD2"), "O'Neil");
        entry->button_save->click();
        EXPECT_EQ(entry->ListQuery->State(), db::dsBrowse);
        entry->button_close->click();
    });
    window_->button_add->click();
    EXPECT_TRUE(shown);
    EXPECT_EQ(messages_.Texts(), QStringList({"必须输入员工编号", "员工编号重复"}));
    EXPECT_EQ(Value("SELECT COMPANY_ID||'/'||EMPLOYEE_NAME||'/'||EMPLOYEE_ORDER_ID||'/'||"
                    "EMPLOYEE_TEXT_FIELD2||'/'||CREATE_NAME||'/'||length(EMPLOYEE_RECORD_ID) FROM "
                    "KX_EMPLOYEE_TABLE WHERE EMPLOYEE_ID = 'E10'"),
              "002/钱七/10/O'Neil/张三/12");
    // The shared check points at no editor once the entry window is gone.
    EXPECT_TRUE(window_->CheckData[0].Control.isNull());
}

TEST_F(EmployeeFormTest, EditingMovingAndDeleting) {
    ASSERT_NE(Open(), nullptr);
    Locate("E02");
    OnModal<TEditEmployeeForm>([](TEditEmployeeForm* entry) {
        EXPECT_EQ(entry->ListQuery->State(), db::dsEdit);
        EXPECT_EQ(entry->HeadLabel->text(), "研发部软件组");
        Type(entry->Editor("KXDBEdit_EMPLOYEE_NAME"), "王五五");
        entry->button_save->click();
        entry->button_close->click();
    });
    window_->button_edit->click();
    EXPECT_EQ(Value("SELECT EMPLOYEE_NAME||'/'||EDIT_NAME FROM KX_EMPLOYEE_TABLE WHERE "
                    "EMPLOYEE_ID = 'E02'"),
              "王五五/张三");

    // Moving to the department it is in writes nothing.
    Locate("E03");
    const auto pick = [](const char* id) {
        return [id](TSelectDeptForm* picker) {
            for (QTreeWidgetItemIterator it(picker->KXTreeView); *it; ++it)
                if (picker->KXTreeView->GetNodeID(*it) == QLatin1String(id))
                    picker->KXTreeView->setCurrentItem(*it);
            picker->SureButton->click();
        };
    };
    OnModal<TSelectDeptForm>(pick("002"));
    window_->button_check->click();
    EXPECT_EQ(
        Value("SELECT ifnull(EDIT_NAME,'-') FROM KX_EMPLOYEE_TABLE WHERE EMPLOYEE_ID = 'E03'"),
        "-");
    OnModal<TSelectDeptForm>(pick("001"));
    window_->button_check->click();
    EXPECT_EQ(Value("SELECT COMPANY_ID||'/'||EDIT_NAME FROM KX_EMPLOYEE_TABLE WHERE "
                    "EMPLOYEE_ID = 'E03'"),
              "001/张三");

    Exec("INSERT INTO KX_EMPLOYEE_MASTER_FILE_TABLE (EMPLOYEE_RECORD_ID, FILE_RECORD_ID, "
         "FILE_TITLE_NAME) VALUES ('R3', 'F1', 'a.doc')");
    Exec("INSERT INTO KX_EMPLOYEE_MASTER_PICTURE_TABLE (EMPLOYEE_RECORD_ID, PICTURE_RECORD_ID, "
         "PICTURE_TITLE_NAME) VALUES ('R3', 'G1', 'a.jpg')");
    Locate("E03");
    window_->button_delete->click();
    EXPECT_TRUE(messages_.Texts().contains("请确认是否删除 ?"));
    EXPECT_EQ(Value("SELECT COUNT(*) FROM KX_EMPLOYEE_TABLE WHERE EMPLOYEE_ID = 'E03'"), "0");
    EXPECT_EQ(Value("SELECT (SELECT COUNT(*) FROM KX_EMPLOYEE_MASTER_FILE_TABLE) + (SELECT "
                    "COUNT(*) FROM KX_EMPLOYEE_MASTER_PICTURE_TABLE)"),
              "0");
    EXPECT_EQ(Listed(), QStringList({"E01", "E02"}));
}

// A date the field refuses stops the whole save: the number typed beside it
// is not written either. The reason shows once, the row stays in edit, and
// cancel shows the stored values again.
TEST_F(EmployeeFormTest, ABadDateSavesNothing) {
    Exec("UPDATE KX_EMPLOYEE_TABLE SET EMPLOYEE_NUMBER_FIELD1 = 5 WHERE EMPLOYEE_ID = 'E02'");
    ASSERT_NE(Open(), nullptr);
    Locate("E02");
    const auto stored = [this] {
        return Value("SELECT printf('%g', "
                     "EMPLOYEE_NUMBER_FIELD1)||'/'||ifnull(EMPLOYEE_DATE_FIELD1,'-') FROM "
                     "KX_EMPLOYEE_TABLE WHERE EMPLOYEE_ID = 'E02'");
    };
    bool shown = false;
    OnModal<TEditEmployeeForm>([&](TEditEmployeeForm* entry) {
        shown = true;
        auto* number = qobject_cast<QLineEdit*>(entry->Editor("KXDBEdit_EMPLOYEE_NUMBER_FIELD1"));
        auto* date = qobject_cast<QLineEdit*>(entry->Editor("KXDBComboEdit_EMPLOYEE_DATE_FIELD1"));
        ASSERT_TRUE(number && date);
        EXPECT_EQ(entry->frameGeometry().top(), 50);
        Type(number, "777");
        Type(date, "2020-13-45");
        messages_.Clear();
        QTest::keyClick(date, Qt::Key_F8);
        QCoreApplication::processEvents();
        EXPECT_EQ(messages_.Texts(), QStringList{"请按格式YYYY-MM-DD 输入日期"});
        EXPECT_EQ(entry->ListQuery->State(), db::dsEdit);
        EXPECT_EQ(stored(), "5/-");
        entry->button_cancel->click();
        QCoreApplication::processEvents();
        EXPECT_EQ(entry->ListQuery->State(), db::dsBrowse);
        EXPECT_EQ(number->text(), "5");
        EXPECT_EQ(date->text(), "");
        entry->button_close->click();
    });
    window_->button_edit->click();
    EXPECT_TRUE(shown);
    EXPECT_EQ(stored(), "5/-");
}

// A double click browses: no row is edited, the pickers stay shut, and
// moving through the rows re-heads the window with each row's department.
TEST_F(EmployeeFormTest, TheEntryWindowBrowsesFromADoubleClick) {
    ASSERT_NE(Open(), nullptr);
    Exec("UPDATE KX_EMPLOYEE_TABLE SET COMPANY_ID = '' WHERE EMPLOYEE_ID = 'E03'");
    Select("001");
    Select("G001");
    Locate("E01");
    bool shown = false;
    OnModal<TEditEmployeeForm>([&](TEditEmployeeForm* entry) {
        shown = true;
        EXPECT_EQ(entry->ListQuery->State(), db::dsBrowse);
        EXPECT_EQ(entry->HeadLabel->text(), "研发部");
        EXPECT_FALSE(entry->PickTextField(1));
        EXPECT_EQ(entry->Editor("KXDBEdit_EMPLOYEE_TEXT_NOTE")->geometry(), QRect(63, 70, 738, 20));
        EXPECT_GE(entry->Editor("KXDBEdit_EMPLOYEE_TEXT_FIELD1")->y(), 1000);
        EXPECT_EQ(entry->Editor("KXDBEdit_EMPLOYEE_TEXT_FIELD1")->focusPolicy(), Qt::NoFocus);
        entry->button1_next->click();
        EXPECT_EQ(entry->HeadLabel->text(), "研发部软件组");
        // A row without a department clears the heading.
        entry->button1_last->click();
        EXPECT_EQ(entry->HeadLabel->text(), "");
        // Deleting here takes the attachments too.
        entry->button_delete->click();
        entry->button_close->click();
    });
    Exec("INSERT INTO KX_EMPLOYEE_MASTER_FILE_TABLE (EMPLOYEE_RECORD_ID, FILE_RECORD_ID, "
         "FILE_TITLE_NAME) VALUES ('R3', 'F1', 'a.doc')");
    window_->DBGrid1->OnDblClick(window_->DBGrid1);
    EXPECT_TRUE(shown);
    EXPECT_EQ(messages_.Texts(), QStringList({"请确认是否删除 ?"}));
    EXPECT_EQ(Value("SELECT (SELECT COUNT(*) FROM KX_EMPLOYEE_TABLE) + (SELECT COUNT(*) FROM "
                    "KX_EMPLOYEE_MASTER_FILE_TABLE)"),
              "2");
}

TEST_F(EmployeeFormTest, FindingAsksTheSortOrderAgain) {
    ASSERT_NE(Open(), nullptr);
    OnModal<TKXFindForm>([](TKXFindForm* find) {
        find->ComboBox1->SetText("员工姓名");
        find->ComboBox2->SetText("等于");
        find->TextEdit->setText("赵六");
        find->DownButton->click();
        OnModal<TSelectItemForm>([](TSelectItemForm* chooser) { chooser->reject(); });
        find->SureButton->click();
    });
    window_->button_find->click();
    EXPECT_TRUE(messages_.Texts().isEmpty()) << messages_.Texts().join(u'|').toStdString();
    EXPECT_EQ(Listed(), QStringList({"E03"}));
    EXPECT_EQ(window_->Label1->text(), "查找条件： 员工姓名 等于 赵六");
    EXPECT_EQ(window_->OrderByText, " ORDER BY EMPLOYEE_ID,EMPLOYEE_NAME");
}

TEST_F(EmployeeFormTest, TheLayoutWindowReloadsTheList) {
    ASSERT_NE(Open(), nullptr);
    OnModal<TSetEmployeeFieldForm>([](TSetEmployeeFieldForm* layout) {
        EXPECT_EQ(layout->SpeedButtons[2]->text(), "性别");
        EXPECT_EQ(layout->SpeedButtons[12]->text(), "未定义");
        EXPECT_EQ(layout->EditorOf("KXDBComboEdit_EMPLOYEE_TEXT_FIELD1")->geometry(),
                  QRect(466, 10, 135, 20));
        Grab(layout, "employee-layout");
        OnModal<TSelectEmployeeFieldForm>([](TSelectEmployeeFieldForm* dialog) {
            EXPECT_EQ(dialog->FieldName, "");
            EXPECT_EQ(dialog->FieldOrder, "13");
            Grab(dialog, "employee-slot");
            Type(dialog->KXEdit1, "籍贯");
            dialog->KXComboBox1->SetText("7字符字段");
            dialog->KXComboBox2->SetText("选择输入");
            dialog->Button_ok->click();
        });
        layout->SpeedButtons[12]->click();
        EXPECT_EQ(layout->SpeedButtons[12]->text(), "籍贯");
        EXPECT_EQ(layout->EditorOf("KXDBComboEdit_EMPLOYEE_TEXT_FIELD7")->geometry(),
                  QRect(63, 70, 135, 20));
        // Slot 3 cleared: its editor leaves the cell.
        OnModal<TSelectEmployeeFieldForm>([](TSelectEmployeeFieldForm* dialog) {
            Type(dialog->KXEdit1, "");
            dialog->KXEdit1->clear();
            dialog->Button_ok->click();
        });
        layout->SpeedButtons[2]->click();
        EXPECT_EQ(layout->SpeedButtons[2]->text(), "未定义");
        EXPECT_GE(layout->EditorOf("KXDBComboEdit_EMPLOYEE_TEXT_FIELD1")->y(), 1000);
        layout->Button_Close->click();
    });
    window_->Button_Other->click();
    EXPECT_EQ(Value("SELECT FIELD_FIND_TYPE||FIELD_ORDER FROM SYS_EMPLOYEE_FIELD_TABLE WHERE "
                    "FIELD_NAME = 'EMPLOYEE_TEXT_FIELD7'"),
              "DT13");
    QStringList captions;
    for (const TFieldsData& rule : window_->FieldsData)
        captions << rule.DisplayLabel;
    EXPECT_TRUE(captions.contains("籍贯"));
    EXPECT_FALSE(captions.contains("性别"));
}

// Department clicks, closing and a restart leave every column and every
// stored width as it was; the dragged width comes back.
TEST_F(EmployeeFormTest, ColumnWidthsStayPutOverDepartmentClicksAndOpenings) {
    const auto column = [this](const char* fieldName) {
        TDBGridColumnsX* columns = window_->DBGrid1->Columns();
        for (int i = 0; i < columns->Count(); ++i)
            if (columns->GetColumn(i)->FieldName() == QLatin1String(fieldName))
                return columns->GetColumn(i);
        ADD_FAILURE() << "no column " << fieldName;
        return columns->GetColumn(0);
    };
    const auto stored = [this] {
        return Value("SELECT group_concat(r, ' ') FROM (SELECT FIELD_NAME||'='||FIELD_WIDTH AS r "
                     "FROM SYS_EMPLOYEE_DBGRID_TABLE ORDER BY FIELD_NAME)");
    };
    const auto clickDepartments = [&](int dragged, int name) {
        const char* departments[] = {"001", "002", "G001", "001", "002"};
        for (int click = 0; click < 10; ++click) {
            SCOPED_TRACE(click);
            Select(departments[click % 5]);
            EXPECT_NEAR(column("EMPLOYEE_ID")->Width(), dragged, 1);
            EXPECT_NEAR(column("EMPLOYEE_NAME")->Width(), name, 1);
        }
    };
    ASSERT_NE(Open(), nullptr);
    window_->DBGrid1->SetColWidths(
        window_->DBGrid1->DataToRawColumn(column("EMPLOYEE_ID")->Index()), 190);
    const int dragged = column("EMPLOYEE_ID")->Width();
    const int name = column("EMPLOYEE_NAME")->Width();
    clickDepartments(dragged, name);
    window_->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const QString widths = stored();
    ASSERT_FALSE(widths.isEmpty());

    for (int opening = 1; opening <= 3; ++opening) {
        SCOPED_TRACE(opening);
        main_.reset(); // a restart
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_NE(Open(), nullptr);
        EXPECT_NEAR(column("EMPLOYEE_ID")->Width(), dragged, 1);
        clickDepartments(dragged, name);
        window_->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_EQ(stored().toStdString(), widths.toStdString());
    }
}

// With the option "员工编号" the number is counted: the first is 00001.
TEST_F(EmployeeFormTest, AutomaticNumbersStartAtOne) {
    SetOption(QStringLiteral("员工编号"), QStringLiteral("是"));
    ASSERT_NE(Open(), nullptr);
    Select("002");
    OnModal<TEditEmployeeForm>([](TEditEmployeeForm* entry) {
        EXPECT_EQ(qobject_cast<QLineEdit*>(entry->Editor("KXDBEdit_EMPLOYEE_ID"))->text(), "00001");
        Type(entry->Editor("KXDBEdit_EMPLOYEE_NAME"), "孙八");
        entry->button_save->click();
        entry->button_close->click();
    });
    window_->button_add->click();
    EXPECT_EQ(Value("SELECT EMPLOYEE_NAME FROM KX_EMPLOYEE_TABLE WHERE EMPLOYEE_ID = '00001'"),
              "孙八");
}

// The slot dialog presets its boxes without the category's enabling rule,
// applies the rule when the user picks a category, and takes Esc as OK.
TEST_F(EmployeeFormTest, TheSlotDialogsBoxesFollowTheCategory) {
    SeedDefaultEmployeeFields();
    TSelectEmployeeFieldForm dialog;
    dialog.FieldName = "EMPLOYEE_DATE_FIELD2";
    dialog.FieldDisplayName = "任职日期";
    dialog.FieldFindType = "D";
    dialog.FieldOrder = "9";
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    EXPECT_EQ(dialog.KXComboBox1->Text(), "2日期字段");
    EXPECT_EQ(dialog.KXComboBox2->Text(), "选择输入");
    EXPECT_TRUE(dialog.KXComboBox1->isEnabled());
    EXPECT_FALSE(dialog.KXComboBox2->isEnabled());
    dialog.KXComboBox1->SetText("3数据字段");
    EXPECT_EQ(dialog.KXComboBox2->Text(), "直接输入");
    EXPECT_FALSE(dialog.KXComboBox2->isEnabled());
    dialog.KXComboBox1->SetText("5字符字段");
    EXPECT_TRUE(dialog.KXComboBox2->isEnabled());
    // Esc with an emptied caption removes the slot's definition.
    dialog.KXEdit1->clear();
    dialog.KXEdit1->setFocus();
    QTest::keyClick(dialog.KXEdit1, Qt::Key_Escape);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.FieldDisplayName, "未定义");
    EXPECT_EQ(Value("SELECT COUNT(*) FROM SYS_EMPLOYEE_FIELD_TABLE WHERE FIELD_NAME = "
                    "'EMPLOYEE_DATE_FIELD2'"),
              "0");

    TSelectEmployeeFieldForm key;
    key.FieldName = "EMPLOYEE_ID";
    key.FieldDisplayName = "员工编号";
    key.FieldOrder = "1";
    key.show();
    EXPECT_EQ(key.KXComboBox1->Text(), "编号字段");
    EXPECT_FALSE(key.KXComboBox1->isEnabled());
    EXPECT_FALSE(key.KXComboBox2->isEnabled());
}

TEST_F(EmployeeFormTest, SetUpIsForTheSystemUserOnly) {
    AppSystemUser = false;
    ASSERT_NE(Open(), nullptr);
    EXPECT_FALSE(window_->Button_Other->isVisible());
}

// The list prints through its own catalogue key; the export takes one
// column per print field and has no footer row.
TEST_F(EmployeeFormTest, PrintHandsTheListToTheChooser) {
    AppDataFolder = data_.Folder.Path();
    const auto restore = qScopeGuard([] { AppDataFolder.clear(); });
    ASSERT_NE(Open(), nullptr);
    ASSERT_TRUE(window_->button_print->isEnabled());
    test::ChooserProbe probe(window_->Query);
    QTest::keyClick(window_->focusWidget() ? window_->focusWidget() : window_.data(), Qt::Key_F11);
    const test::ChooserSeen& seen = probe.Seen;
    ASSERT_TRUE(seen.Shown);
    EXPECT_TRUE(seen.Ownerless);
    EXPECT_TRUE(seen.ListControlsDisabled);
    EXPECT_FALSE(window_->Query->ControlsDisabled());
    EXPECT_EQ(seen.PrintIndex, "EmployeeFormMaster");
    EXPECT_EQ(seen.KindCaption1, "设置员工资料报表(报表模版)");
    EXPECT_EQ(seen.KindCaption2, "");
    EXPECT_EQ(seen.TemplateKind, 1);
    EXPECT_EQ(seen.DataSetLine1, "M,EmployeeForm.Query");
    EXPECT_EQ(seen.DataSetLine2, "");
    EXPECT_EQ(test::BoundDataSet(seen.DataSetLine1), window_->Query);
    EXPECT_EQ(seen.TemplateDir, data_.Folder.Path());
    EXPECT_EQ(seen.TemplateTable, "");
    EXPECT_EQ(seen.ReportDataSet, nullptr);
    ASSERT_EQ(seen.PrintFieldsM.size(), window_->PrintFields().size());
    EXPECT_EQ(seen.PrintFieldsM.size(), 38u);
    EXPECT_TRUE(seen.ExcelEnabled);
    EXPECT_TRUE(seen.ExcelNumberColumn);
    EXPECT_EQ(seen.ExcelDataSet, window_->Query);
    EXPECT_EQ(seen.ReportName, "员工资料");
    ASSERT_EQ(seen.ExcelFields.size(), 38);
    for (qsizetype i = 0; i < seen.ExcelFields.size(); ++i) {
        const TPrintFields& entry = window_->PrintFields()[static_cast<std::size_t>(i)];
        EXPECT_EQ(seen.ExcelFields[i].FieldName, entry.FieldName) << i;
        EXPECT_EQ(seen.ExcelFields[i].Caption, entry.Caption) << i;
    }
    EXPECT_EQ(test::NamedColumns(seen.ExcelFields).mid(0, 2),
              QStringList({"EMPLOYEE_ID 员工编号", "EMPLOYEE_NAME 员工姓名"}));
    EXPECT_TRUE(seen.ExcelFooters.isEmpty());
    EXPECT_TRUE(probe.Others.isEmpty());
}

// Over a fresh folder the list prints through the template the folder ships
// with, as the catalogue row the first-run set-up writes names it: the PDF
// carries the title, the listed employees and their amounts with no tag
// left unfilled, the preview has a page, and the list keeps its record.
TEST_F(EmployeeFormTest, TheShippedTemplatePrintsAndPreviewsTheList) {
    if (!print::InstalledPrinters().isEmpty())
        GTEST_SKIP() << "print queues are installed";
    test::PdfCapture pdfs;
    AppDataFolder = data_.Folder.Path();
    const auto restore = qScopeGuard([] { AppDataFolder.clear(); });
    Exec("INSERT INTO SYS_PRINT_NAME_TABLE (PRINT_INDEX, PRINT_NAME, PRINT_TYPE, PRINT_ID) "
         "VALUES ('EmployeeFormMaster', '员工资料', 'M', '200700000010')");
    Exec("UPDATE KX_EMPLOYEE_TABLE SET EMPLOYEE_TEXT_FIELD6 = '13800138000', "
         "EMPLOYEE_NUMBER_FIELD1 = 1234.5, EMPLOYEE_NUMBER_FIELD2 = 88 WHERE EMPLOYEE_ID = 'E02'");
    Exec("UPDATE KX_EMPLOYEE_TABLE SET EMPLOYEE_NUMBER_FIELD1 = 100 WHERE EMPLOYEE_ID = 'E03'");
    ASSERT_NE(Open(), nullptr);
    ASSERT_EQ(Listed(), QStringList({"E01", "E02", "E03"}));
    window_->Query->SetRecNo(2);

    test::ChooserPrintSeen seen;
    test::PrintAndPreviewInNextChooser(seen);
    QTest::keyClick(window_->focusWidget() ? window_->focusWidget() : window_.data(), Qt::Key_F11);
    ASSERT_TRUE(seen.Shown);
    EXPECT_EQ(seen.PrintCaption, "打印[F11]");
    EXPECT_EQ(seen.PrintedId, "200700000010");
    EXPECT_TRUE(seen.Others.isEmpty()) << seen.Others.join(u'|').toStdString();
    EXPECT_TRUE(messages_.Texts().isEmpty()) << messages_.Texts().join(u'|').toStdString();
    EXPECT_TRUE(seen.PreviewShown);
    EXPECT_GE(seen.PreviewPages, 1);
    EXPECT_EQ(window_->Query->RecNo(), 2);
    EXPECT_EQ(window_->Query->FieldByName(QStringLiteral("EMPLOYEE_ID"))->AsString(), "E02");

    const QStringList files = pdfs.TakeFiles();
    ASSERT_EQ(files.size(), 1);
    const QString text = test::ReadPdfText(files.front());
    for (const char* expected : {"员工资料", "E01", "王五", "软件组", "13800138000", "1,234.50",
                                 "88.00", "1,334.50", "第1/1页"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected)))
            << expected << " not in " << text.toStdString();
    // A tag that found nothing to fill is printed as written.
    for (const char* bracket : {"[", "]", "{", "}", "<", ">"})
        EXPECT_FALSE(text.contains(QString::fromLatin1(bracket))) << text.toStdString();
}

} // namespace
} // namespace kx::staff
