// The program speaks Chinese in Qt's own dialogs whatever the system locale:
// this executable runs with LANG=C (see its CMakeLists), prepares the program
// as main() does and opens the dialogs the program opens.

#include "app/program.h"

#include "frame/admin/databackup.h"
#include "frame/dialogs/dateform.h"
#include "platform/print/printer.h"
#include "tests/support/modal.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrintDialog>

#include <gtest/gtest.h>

#include <memory>

namespace kx {
namespace {

// The window title and every label's and button's text, without mnemonics.
QStringList VisibleTexts(QWidget* dialog) {
    QStringList texts{dialog->windowTitle()};
    for (const QLabel* label : dialog->findChildren<QLabel*>())
        texts << label->text();
    for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
        texts << button->text();
    texts.removeAll(QString());
    for (QString& text : texts)
        text.remove(QLatin1Char('&'));
    return texts;
}

// Opens a modal dialog through `open` and returns its texts as it showed them.
template <typename Open> QStringList TextsOfModal(Open open) {
    QStringList texts;
    test::OnNextModal([&texts](QWidget* dialog) {
        texts = VisibleTexts(dialog);
        qobject_cast<QDialog*>(dialog)->reject();
    });
    open();
    return texts;
}

class ProgramLanguageTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        // Without this the test could pass on a Chinese desktop alone.
        ASSERT_NE(QLocale::system().language(), QLocale::Chinese);
        PrepareProgram();
    }
};

TEST_F(ProgramLanguageTest, RestoreFileDialogIsChinese) {
    TDataBackup backup(nullptr, nullptr);
    const QStringList texts = TextsOfModal([&] { backup.ChooseRestoreFile(); });
    EXPECT_TRUE(texts.contains("打开")) << texts.join('|').toStdString();
    EXPECT_TRUE(texts.contains("查找范围：")) << texts.join('|').toStdString();
    EXPECT_TRUE(texts.contains("取消")) << texts.join('|').toStdString();
    EXPECT_FALSE(texts.contains("Cancel"));
    EXPECT_FALSE(texts.contains("Look in:"));
}

TEST_F(ProgramLanguageTest, PrintDialogIsChinese) {
    QPrintDialog dialog(&print::Printer().Device());
    const QStringList texts = TextsOfModal([&] { dialog.exec(); });
    EXPECT_TRUE(texts.contains("打印")) << texts.join('|').toStdString();
    EXPECT_TRUE(texts.contains("取消")) << texts.join('|').toStdString();
    EXPECT_FALSE(texts.contains("Options >>"));
    EXPECT_FALSE(texts.contains("Print"));
}

TEST_F(ProgramLanguageTest, EditMenuIsChinese) {
    QLineEdit edit;
    const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList texts;
    for (const QAction* action : menu->actions())
        texts << action->text();
    EXPECT_TRUE(texts.join('|').contains("复制")) << texts.join('|').toStdString();
    EXPECT_FALSE(texts.join('|').contains("Copy"));
}

TEST_F(ProgramLanguageTest, DatePickerNamesWeekdaysInChinese) {
    TDateForm picker;
    const QAbstractItemModel* days = picker.Calendar->findChild<QAbstractItemView*>()->model();
    QStringList header;
    for (int column = 0; column < days->columnCount(); ++column)
        header << days->index(0, column).data().toString();
    EXPECT_EQ(header.first(), "周日") << header.join('|').toStdString();
    EXPECT_EQ(header.last(), "周六");
}

} // namespace
} // namespace kx
