#include "frame/dialogs/kxfindform.h"

#include "core/messages.h"
#include "frame/controls/kxcombobox.h"
#include "platform/ui/application.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

namespace kx {

TKXFindForm::TKXFindForm(QWidget* parent)
    : TFindWindow(false, 273, parent), GroupBox1(new QGroupBox(Panel2)),
      AndButton(new QRadioButton(QStringLiteral("并且"), GroupBox1)),
      OrButton(new QRadioButton(QStringLiteral("或者"), GroupBox1)),
      DownButton(new QPushButton(QStringLiteral("增加"), Panel1)),
      ClearButton(new QPushButton(QStringLiteral("清除"), Panel1)),
      ListBox1(new QListWidget(this)) {
    Panel1->setGeometry(0, 0, 427, 138);
    Panel2->setGeometry(0, 0, 427, 91);
    GroupBox1->setGeometry(8, 48, 408, 33);
    (new QLabel(QStringLiteral("查找逻辑"), GroupBox1))->move(8, 13);
    AndButton->move(84, 10);
    OrButton->move(259, 10);
    DownButton->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    ClearButton->setIcon(style()->standardIcon(QStyle::SP_DialogDiscardButton));
    int left = 24;
    for (QPushButton* button : {DownButton, ClearButton, SureButton, AllDataButton, CloseButton}) {
        button->setGeometry(left, 98, 75, 25);
        button->setCursor(Qt::PointingHandCursor);
        button->setAutoDefault(false);
        left += 75;
    }
    ClearButton->setEnabled(false);
    SureButton->setEnabled(false);
    ListBox1->setGeometry(0, 138, 427, 135);
    connect(DownButton, &QPushButton::clicked, this, ui::Guard([this] { DownButtonClick(); }));
    connect(ClearButton, &QPushButton::clicked, this, [this] { ClearButtonClick(); });
    connect(ListBox1, &QListWidget::itemClicked, this, [this] { SelectItem(); });
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, [this] { SelectItem(); });
    connect(ListBox1, &QListWidget::currentRowChanged, this, [this] { SelectItem(); });
}

void TKXFindForm::Reset() {
    TFindWindow::Reset();
    ListBox1->clear();
    conditions_.clear();
}

void TKXFindForm::SelectItem() {
    ClearButton->setEnabled(ListBox1->currentRow() >= 0 && !ListBox1->selectedItems().isEmpty());
}

void TKXFindForm::DownButtonClick() {
    QString sqlRelation;
    if (!CheckFieldAndRelation(sqlRelation))
        return;
    for (const TFieldsData* field : ChosenFields(false)) {
        const TFindResult result = BuildFindCondition(InputFor(*field, sqlRelation));
        if (!result.Accepted) {
            Refuse(result);
            return;
        }
        FollowRelation(result);
        QString word;
        QString joiner;
        if (!conditions_.isEmpty()) {
            if (AndButton->isChecked()) {
                word = QStringLiteral("并且");
                joiner = QStringLiteral(" and ");
            } else if (OrButton->isChecked()) {
                word = QStringLiteral("或着");
                joiner = QStringLiteral(" or ");
            } else {
                ShowPromptMessage(QStringLiteral("必须有一个查找逻辑"));
                AndButton->setFocus();
                return;
            }
        }
        AddCondition(joiner + result.Piece,
                     FindConditionLine(word, ComboBox1->Text(), ComboBox2->Text(),
                                       !RelationListEnabled(), result.Value));
    }
    SureButton->setEnabled(ListBox1->count() > 0);
}

void TKXFindForm::AddCondition(const QString& piece, const QString& line) {
    conditions_.append(piece);
    ListBox1->addItem(line);
}

void TKXFindForm::ClearButtonClick() {
    const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
    if (selected.isEmpty())
        return;
    const int row = ListBox1->row(selected.first());
    delete ListBox1->takeItem(row);
    conditions_.removeAt(row);
    ClearButton->setEnabled(false);
    if (ListBox1->count() == 0) {
        SureButton->setEnabled(false);
        return;
    }
    if (row == 0)
        ListBox1->item(0)->setText(AsFirstFindLine(ListBox1->item(0)->text()));
    SureButton->setEnabled(true);
}

void TKXFindForm::AllDataButtonClick() {
    ListBox1->clear();
    conditions_.clear();
    TFindWindow::AllDataButtonClick();
}

void TKXFindForm::SureButtonClick() {
    ClearAllData();
    if (conditions_.isEmpty()) {
        ShowPromptMessage(QStringLiteral("没有查找表达式"));
        ComboBox1->setFocus();
        return;
    }
    for (const QString& word : {QStringLiteral(" or "), QStringLiteral(" and ")})
        if (conditions_.first().startsWith(word))
            conditions_.first().remove(0, word.size());
    accept();
}

} // namespace kx

#include "moc_kxfindform.cpp"
