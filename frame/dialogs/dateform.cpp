#include "frame/dialogs/dateform.h"

#include "core/messages.h"
#include "platform/sys/dateformat.h"
#include "platform/ui/application.h"
#include "platform/ui/keypreview.h"
#include "platform/ui/programlanguage.h"

#include <QCalendarWidget>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

namespace kx {
namespace {

QToolButton* StepButton(QWidget* parent, const QString& text, const QString& hint, int left) {
    auto* button = new QToolButton(parent);
    button->setText(text);
    button->setToolTip(hint);
    button->setGeometry(left, 6, 23, 22);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

TDateForm::TDateForm(QWidget* parent)
    : QDialog(parent), Calendar(new QCalendarWidget(this)), TitleLabel(new QLabel(this)),
      SureButton(new QPushButton(QStringLiteral("确定[F3]"), this)),
      CloseButton(new QPushButton(QStringLiteral("关闭[F4]"), this)) {
    setWindowTitle(QStringLiteral("日期选择窗口"));
    setFixedSize(315, 197);
    QFont bold = TitleLabel->font();
    bold.setBold(true);
    TitleLabel->setFont(bold);
    TitleLabel->setAlignment(Qt::AlignCenter);
    TitleLabel->setGeometry(89, 8, 136, 18);

    connect(StepButton(this, QStringLiteral("«"), QStringLiteral("上一年"), 8),
            &QToolButton::clicked, this, [this] { StepYears(-1); });
    connect(StepButton(this, QStringLiteral("»"), QStringLiteral("下一年"), 33),
            &QToolButton::clicked, this, [this] { StepYears(1); });
    connect(StepButton(this, QStringLiteral("‹"), QStringLiteral("上一月"), 259),
            &QToolButton::clicked, this, [this] { StepMonths(-1); });
    connect(StepButton(this, QStringLiteral("›"), QStringLiteral("下一月"), 284),
            &QToolButton::clicked, this, [this] { StepMonths(1); });

    Calendar->setGeometry(9, 32, 297, 128);
    Calendar->setLocale(ui::ProgramLocale());
    Calendar->setFirstDayOfWeek(Qt::Sunday);
    Calendar->setNavigationBarVisible(false);
    Calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    QPalette white = Calendar->palette();
    white.setColor(QPalette::Base, Qt::white);
    Calendar->setPalette(white);
    connect(Calendar, &QCalendarWidget::selectionChanged, this, &TDateForm::ShowDate);
    connect(Calendar, &QCalendarWidget::activated, SureButton, &QPushButton::click);

    SureButton->setGeometry(72, 166, 81, 25);
    SureButton->setDefault(true);
    CloseButton->setGeometry(162, 166, 81, 25);
    connect(SureButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::reject);
    new ui::KeyPreview(this, [this](QKeyEvent* event) {
        if (event->key() == Qt::Key_F3)
            SureButton->click();
        else if (event->key() == Qt::Key_F4)
            CloseButton->click();
        else
            return false;
        return true;
    });
}

void TDateForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ShowDate();
    Calendar->setFocus();
}

void TDateForm::ShowDate() {
    TitleLabel->setText(
        sys::FormatDateTime(QStringLiteral("yyyy-mm-dd"), Calendar->selectedDate()));
}

void TDateForm::StepMonths(int months) {
    Calendar->setSelectedDate(Calendar->selectedDate().addMonths(months));
    Calendar->setCurrentPage(Calendar->selectedDate().year(), Calendar->selectedDate().month());
}

void TDateForm::StepYears(int years) {
    Calendar->setSelectedDate(Calendar->selectedDate().addYears(years));
    Calendar->setCurrentPage(Calendar->selectedDate().year(), Calendar->selectedDate().month());
}

QString SelectDateText(const QString& text, const QString& defaultDate) {
    TDateForm form;
    QString preset = text;
    if (const qsizetype colon = preset.indexOf(u':'); colon >= 0)
        preset = preset.left(std::max<qsizetype>(colon - 2, 0)).trimmed();
    QDate date;
    if (preset.isEmpty())
        form.Calendar->setSelectedDate(sys::StrToDate(defaultDate));
    else if (sys::TryStrToDate(preset, date))
        form.Calendar->setSelectedDate(date);
    form.Calendar->setCurrentPage(form.Calendar->selectedDate().year(),
                                  form.Calendar->selectedDate().month());
    ForceForegroundFocus(&form);
    if (ui::ExecModal(form) != QDialog::Accepted)
        return QString();
    return sys::FormatDateTime(QStringLiteral("YYYY/MM/DD"), form.Calendar->selectedDate());
}

} // namespace kx

#include "moc_dateform.cpp"
