// Every dialog and a form of the controls drawn to PNG files, to look at
// (set KX_GALLERY_DIR to keep them), with every caption checked to fit its
// control in the installed CJK font.

#include "frame/controls/kx3dlabel.h"
#include "frame/controls/kxcombobox.h"
#include "frame/controls/kxcomboedit.h"
#include "frame/controls/kxedit.h"
#include "frame/controls/kxpagecontrol.h"
#include "frame/controls/kxpanel.h"
#include "frame/controls/kxtreeview.h"
#include "frame/controls/radiogroup.h"
#include "frame/controls/weblabel.h"
#include "frame/dialogs/dateform.h"
#include "frame/dialogs/diropenform.h"
#include "frame/dialogs/findformdialog.h"
#include "frame/dialogs/findsimpleformdialog.h"
#include "frame/dialogs/kxfindform.h"
#include "frame/dialogs/kxfindsimpleform.h"
#include "frame/dialogs/selectform.h"
#include "frame/dialogs/selectimesform.h"
#include "frame/dialogs/selectitemform.h"
#include "frame/dialogs/selectitemqueryform.h"
#include "frame/dialogs/selectmonthform.h"
#include "tests/frame/controlsfixture.h"
#include "tests/support/clippedtexts.h"

#include <QAbstractButton>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <memory>

namespace kx {
namespace {

class GalleryTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = qEnvironmentVariable("KX_GALLERY_DIR", temporary_.path());
        ASSERT_TRUE(QDir().mkpath(folder_));
    }

    void Grab(QWidget& widget, const QString& name) {
        widget.show();
        QApplication::processEvents();
        EXPECT_EQ(test::ClippedTexts(widget), QStringList()) << name.toStdString();
        const QPixmap picture = widget.grab();
        EXPECT_TRUE(picture.save(folder_ + u'/' + name + ".png")) << name.toStdString();
        widget.hide();
    }

    QTemporaryDir temporary_;
    QString folder_;
};

TEST(ClippedTextsTest, NamesCaptionsWiderThanTheirControl) {
    QWidget window;
    auto* fits = new QLabel("摘要", &window);
    fits->setObjectName("fits");
    fits->resize(200, 20);
    auto* label = new QLabel("查找条件：摘要 相似 办公", &window);
    label->setObjectName("label");
    label->resize(30, 20);
    auto* button = new QPushButton("确定(&O)", &window);
    button->setObjectName("button");
    button->resize(20, 20);
    auto* radio = new QRadioButton("按日期排序", &window);
    radio->setObjectName("radio");
    radio->resize(30, 40);
    auto* low = new QCheckBox("按员工编号排序", &window);
    low->setObjectName("low");
    low->resize(300, 8);
    window.show();
    const QStringList clipped = test::ClippedTexts(window);
    ASSERT_EQ(clipped.size(), 4) << clipped.join('\n').toStdString();
    EXPECT_TRUE(clipped[0].startsWith("label "));
    EXPECT_TRUE(clipped[1].startsWith("button \"确定(O)\""));
    EXPECT_TRUE(clipped[2].startsWith("radio "));
    EXPECT_TRUE(clipped[3].startsWith("low ") && clipped[3].contains("high"))
        << clipped[3].toStdString();
}

TEST_F(GalleryTest, SmallDialogs) {
    TDateForm date;
    date.Calendar->setSelectedDate(QDate(2007, 3, 5));
    Grab(date, "dateform");

    TSelectMonthForm month;
    month.MonthText = "2007年03月";
    Grab(month, "selectmonthform");

    TSelectItemForm items;
    items.setWindowTitle("排序方式选择");
    for (const QString item : {"按日期排序", "按编号排序", "按金额排序"})
        items.RadioGroup->AddItem(item);
    Grab(items, "selectitemform");

    TSelectItemQueryForm two;
    two.RadioGroup->AddItem("不打印序号");
    two.RadioGroup->AddItem("打印序号");
    Grab(two, "selectitemqueryform");

    TSelectForm rows;
    Grab(rows, "selectform");

    TDirOpenForm folders;
    Grab(folders, "diropenform");

    TSelectImesForm imes;
    Grab(imes, "selectimesform");
}

TEST_F(GalleryTest, FindWindows) {
    TFieldsDataArray rules;
    TFieldsData text;
    text.FieldName = "MONEY_TEXT";
    text.DisplayLabel = "摘要";
    text.FindKind = "T";
    text.TypeCode = "C";
    rules.Append(text);
    TFindFormDialog multi;
    multi.SetFieldsData(rules);
    multi.Color = ui::clWhite;
    multi.FieldSetTag = "GQueryFieldData";
    TKXFindForm* form = multi.Form();
    form->show();
    form->ComboBox1->SetText("摘要");
    form->ComboBox2->SetText("相似");
    form->TextEdit->setText("办公");
    form->DownButton->click();
    Grab(*form, "kxfindform");

    TFindSimpleFormDialog simple;
    simple.SetFieldsData(rules);
    Grab(*simple.Form(), "kxfindsimpleform");
}

TEST_F(GalleryTest, Controls) {
    QWidget window;
    window.resize(460, 330);
    auto* panel = new TKXPanel(&window);
    panel->setGeometry(8, 8, 440, 60);
    panel->SetCaption("资金借贷记录");
    auto* title = new TKX3DLabel(&window);
    title->SetCaption("查找条件：摘要 相似 办公");
    title->move(16, 76);
    auto* link = new TWebLabel(&window);
    link->setText("mailto:support@example.org");
    link->move(260, 76);
    auto* edit = new TKXEdit(&window);
    edit->setGeometry(16, 100, 140, 21);
    edit->setText("1234.50");
    auto* combo = new TKXComboBox(&window);
    combo->setGeometry(164, 100, 120, 21);
    combo->addItems({"现金", "银行"});
    auto* button = new TKXComboEdit(&window);
    button->setGeometry(292, 100, 150, 21);
    button->SetGlyphKind(gkEllipsis);
    button->setText("2007-03-05");
    auto* tree = new TKXTreeView(&window);
    tree->setGeometry(16, 130, 200, 190);
    tree->RootID = "G001";
    tree->RootName = "总公司";
    tree->BuildTree();
    tree->AddNode(tree->topLevelItem(0), "财务部", "G001001");
    tree->setCurrentItem(tree->topLevelItem(0)->child(0));
    auto* pages = new TKXPageControl(&window);
    pages->setGeometry(224, 130, 220, 190);
    pages->addTab(new QWidget, "用户");
    pages->addTab(new QWidget, "权限");
    Grab(window, "controls");
}

} // namespace
} // namespace kx
