#include "frame/dialogs/dateform.h"

#include "tests/frame/controlsfixture.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

namespace kx {
namespace {

TDateForm* Picker(QWidget* dialog) {
    return qobject_cast<TDateForm*>(dialog);
}

// Opens the picker with text and default, reads what it shows, then ends
// it with the key.
QString PickWith(const QString& text, const QString& defaultDate, Qt::Key key, QDate* shown) {
    test::OnNextModal([=](QWidget* dialog) {
        *shown = Picker(dialog)->Calendar->selectedDate();
        test::PressKey(dialog, key);
    });
    return SelectDateText(text, defaultDate);
}

TEST(SelectDateText, PresetsFromTheTextBeforeAnyTime) {
    QDate shown;
    EXPECT_EQ(PickWith("2007-03-05 12:30:00", "2000-01-01", Qt::Key_F3, &shown), "2007-03-05");
    EXPECT_EQ(shown, QDate(2007, 3, 5));
}

TEST(SelectDateText, EmptyTextTakesTheDefaultAndNoDateKeepsToday) {
    QDate shown;
    EXPECT_EQ(PickWith("", "2000-02-29", Qt::Key_F3, &shown), "2000-02-29");
    EXPECT_EQ(PickWith("明天", "2000-02-29", Qt::Key_F3, &shown),
              QDate::currentDate().toString("yyyy-MM-dd"));
    EXPECT_THROW(SelectDateText("", "no date"), EConvertError);
}

TEST(SelectDateText, CancellingGivesNothing) {
    QDate shown;
    EXPECT_EQ(PickWith("2007-03-05", "", Qt::Key_F4, &shown), "");
}

TEST(DateForm, StepsKeepTheDayWithinTheMonth) {
    TDateForm form;
    form.Calendar->setSelectedDate(QDate(2000, 1, 31));
    form.show();
    QList<QToolButton*> steps = form.findChildren<QToolButton*>();
    auto step = [&](const QString& hint) {
        for (QToolButton* button : steps)
            if (button->toolTip() == hint)
                button->click();
    };
    step("下一月");
    EXPECT_EQ(form.Calendar->selectedDate(), QDate(2000, 2, 29));
    EXPECT_EQ(form.TitleLabel->text(), "2000-02-29");
    step("下一年");
    EXPECT_EQ(form.Calendar->selectedDate(), QDate(2001, 2, 28));
    step("上一月");
    step("上一年");
    EXPECT_EQ(form.Calendar->selectedDate(), QDate(2000, 1, 28));
    EXPECT_EQ(form.Calendar->firstDayOfWeek(), Qt::Sunday);
}

TEST(DateForm, DoubleClickOrEnterOnTheCalendarChooses) {
    TDateForm form;
    form.show();
    emit form.Calendar->activated(QDate(2001, 1, 1));
    EXPECT_EQ(form.result(), QDialog::Accepted);
}

} // namespace
} // namespace kx
