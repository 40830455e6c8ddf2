// The record editor and the pick list, shown over a list window's query as
// the list windows show them.

#include "frame/app/kxapppopform.h"
#include "frame/app/kxbasepopeditshowform.h"

#include "frame/controls/kxdbedit.h"
#include "frame/controls/kxndbgrid.h"
#include "frame/data/kxdatasource.h"
#include "frame/data/kxquery.h"
#include "grid/dbgrid/gridpictures.h"
#include "platform/db/field.h"
#include "tests/frame/kxqueryfixture.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

namespace kx {
namespace {

// An editor of the in/out records with one edit box for the note.
class NoteEditor : public TKXBasePopEditShowForm {
public:
    explicit NoteEditor(QWidget* owner)
        : TKXBasePopEditShowForm(owner), NoteEdit(new TKXDBEdit(Panel1)) {
        (new QVBoxLayout(Panel1))->addWidget(NoteEdit);
        NoteEdit->SetDataSource(DS);
        NoteEdit->SetDataField("MONEY_TEXT_NOTE");
    }
    TKXDBEdit* NoteEdit;
};

// A pick list of the in/out subjects.
class SubjectList : public TKXAppPopForm {
public:
    explicit SubjectList(QWidget* owner) : TKXAppPopForm(owner) {}

protected:
    void FormShow() override {
        TKXAppPopForm::FormShow();
        Query->SetDatabaseName("RUReravezDataBase");
        Query->SetTableName("KX_MONEY_INTO_OUT_TYPE_TABLE");
        Query->OpenQuery();
    }
};

class PopFormsTest : public test::KXQueryTest {
protected:
    PopFormsTest() { StartGridUnit(); }
    ~PopFormsTest() override {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EndGridUnit();
    }

    NoteEditor* ShowEditor(TKXQuery* list, const TRights& rights) {
        auto* editor = TKXFormEvents::Create<NoteEditor>(&window_);
        editor->ListQuery = list;
        editor->Rights = rights;
        editor->show();
        QApplication::setActiveWindow(editor);
        EXPECT_TRUE(QTest::qWaitForWindowActive(editor));
        return editor;
    }
    static void Press(QWidget* window, Qt::Key key) {
        QWidget* target = QApplication::focusWidget();
        if (!target || target->window() != window)
            target = window->focusWidget() ? window->focusWidget() : window;
        QTest::keyClick(target, key);
    }
    static TRights AddRights() {
        TRights rights;
        rights.Add = true;
        return rights;
    }
};

TEST_F(PopFormsTest, EditorButtonsFollowTheRightsTheCallerCopiedIn) {
    TKXQuery* list = MoneyQuery();
    list->OpenQuery();
    TRights printOnly;
    printOnly.Print = true;
    struct Case {
        TRights rights;
        bool edit;
        bool print;
    };
    for (const Case& c : {Case{TRights{}, false, false}, Case{printOnly, false, true},
                          Case{AddRights(), true, false}}) {
        NoteEditor* editor = ShowEditor(list, c.rights);
        EXPECT_EQ(editor->Button_add->isEnabled(), c.edit);
        EXPECT_EQ(editor->button_edit->isEnabled(), c.edit);
        EXPECT_EQ(editor->button_delete->isEnabled(), c.edit);
        EXPECT_EQ(editor->Button_Print->isEnabled(), c.print);
        Press(editor, Qt::Key_F5);
        EXPECT_EQ(list->State(), c.edit ? db::dsInsert : db::dsBrowse);
        list->CancelRecord();
        delete editor;
    }
}

TEST_F(PopFormsTest, EditorSavesTheTypedTextAndStaysOpenWhileEditing) {
    AddMoneyRecord("1", "200703000001", "001", 10, "未审核");
    TKXQuery* list = MoneyQuery();
    list->OpenQuery();
    NoteEditor* editor = ShowEditor(list, AddRights());

    Press(editor, Qt::Key_F6);
    ASSERT_EQ(list->State(), db::dsEdit);
    editor->NoteEdit->setFocus();
    QTest::keyClicks(editor->NoteEdit, "abc");
    editor->close();
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(messages_.Texts(), QStringList{"必须先按“保存”或“取消”按钮后才能关闭窗口"});

    Press(editor, Qt::Key_F8);
    EXPECT_EQ(list->State(), db::dsBrowse);
    EXPECT_EQ(Value("SELECT MONEY_TEXT_NOTE FROM KX_INTO_OUT_MONEY_TABLE"), "abc")
        << "the edit box hands its text over before the row is saved";

    Press(editor, Qt::Key_F12);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(editor->result(), QDialog::Rejected);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(list->Active()) << "the caller's query is the caller's";
    delete editor;
}

TEST_F(PopFormsTest, EditorMovesThroughTheListAndOkNeedsARow) {
    TKXQuery* list = MoneyQuery();
    list->OpenQuery();
    NoteEditor* editor = ShowEditor(list, AddRights());
    editor->button1_prior->click();
    EXPECT_TRUE(messages_.Texts().isEmpty()) << "an empty list moves silently";
    Press(editor, Qt::Key_F3);
    EXPECT_EQ(messages_.Texts(), QStringList{"必须选择一个记录"});
    EXPECT_TRUE(editor->isVisible());
    delete editor;

    AddMoneyRecord("1", "200703000001", "001", 10, "未审核");
    AddMoneyRecord("2", "200703000002", "001", 20, "未审核");
    list->CloseQuery();
    list->OpenQuery();
    messages_.Clear();
    editor = ShowEditor(list, AddRights());
    editor->button1_prior->click();
    EXPECT_EQ(messages_.Texts(), QStringList{"已到第一个纪录"});
    editor->button1_last->click();
    editor->button1_next->click();
    EXPECT_EQ(messages_.Texts(), QStringList({"已到第一个纪录", "已到最后一个纪录"}));
    Press(editor, Qt::Key_F3);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(editor->result(), QDialog::Accepted);
    EXPECT_EQ(list->FieldByName("MONEY_RECORD_ID")->AsString(), "2");
    delete editor;
}

TEST_F(PopFormsTest, ShownModallyTheEditorReturnsOk) {
    AddMoneyRecord("1", "200703000001", "001", 10, "未审核");
    TKXQuery* list = MoneyQuery();
    list->OpenQuery();
    auto* editor = TKXFormEvents::Create<NoteEditor>(&window_);
    editor->ListQuery = list;
    QTimer::singleShot(0, editor, [editor] { editor->button_Ok->click(); });
    EXPECT_EQ(editor->ShowModal(), QDialog::Accepted);
    delete editor;
}

TEST_F(PopFormsTest, PickListReturnsTheChosenRowWithF3) {
    AddSubject("001", "", "现金", 1);
    AddSubject("002", "", "银行", 2);
    auto* list = TKXFormEvents::Create<SubjectList>(&window_);
    list->show();
    QApplication::setActiveWindow(list);
    ASSERT_TRUE(QTest::qWaitForWindowActive(list));
    EXPECT_TRUE(list->button_add->isEnabled()) << "adding is allowed after FormCreate";
    EXPECT_FALSE(list->Button_Print->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), static_cast<QWidget*>(list->DBGrid));

    list->Query->Last();
    Press(list, Qt::Key_F3);
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(list->result(), QDialog::Accepted);
    EXPECT_EQ(list->Query->FieldByName("MONEY_TYPE_ID")->AsString(), "002");
    delete list;
}

TEST_F(PopFormsTest, PickListRefusesToCloseWhileEditingWithOneMessage) {
    AddSubject("001", "", "现金", 1);
    auto* list = TKXFormEvents::Create<SubjectList>(&window_);
    list->Rights.Print = true;
    list->show();
    QApplication::setActiveWindow(list);
    ASSERT_TRUE(QTest::qWaitForWindowActive(list));
    EXPECT_TRUE(list->Button_Print->isEnabled());
    Press(list, Qt::Key_F6);
    ASSERT_EQ(list->Query->State(), db::dsEdit);
    EXPECT_FALSE(list->button_close->isEnabled());
    list->close();
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(messages_.Texts(), QStringList{"必须先保存或取消新增的数据或修改后的数据"});
    Press(list, Qt::Key_F9);
    Press(list, Qt::Key_F12);
    EXPECT_FALSE(list->isVisible());
    delete list;
}

TEST_F(PopFormsTest, ButtonCaptionsFit) {
    TKXQuery* list = MoneyQuery();
    list->OpenQuery();
    NoteEditor* editor = ShowEditor(list, AddRights());
    auto* pick = TKXFormEvents::Create<SubjectList>(&window_);
    pick->show();
    for (QWidget* form : {static_cast<QWidget*>(editor), static_cast<QWidget*>(pick)}) {
        for (QPushButton* button : form->findChildren<QPushButton*>())
            EXPECT_GE(button->width(), button->fontMetrics().horizontalAdvance(button->text()) + 8)
                << button->objectName().toStdString();
    }
    delete pick;
    delete editor;
}

} // namespace
} // namespace kx
