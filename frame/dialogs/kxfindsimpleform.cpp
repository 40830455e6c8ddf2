#include "frame/dialogs/kxfindsimpleform.h"

#include "frame/controls/kxcombobox.h"
#include "frame/controls/kxcomboedit.h"
#include "frame/controls/kxedit.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace kx {

TKXFindSimpleForm::TKXFindSimpleForm(QWidget* parent) : TFindWindow(true, 137, parent) {
    Panel1->setGeometry(0, 0, 427, 137);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel2->setGeometry(0, 0, 427, 63);
    Label5->move(260, 8);
    Label6->move(344, 8);
    TextEdit->resize(151, TextEdit->height());
    DateEdit->resize(151, DateEdit->height());
    ComboBox3->resize(151, ComboBox3->height());
    MonthEdit->resize(74, MonthEdit->height());
    int left = 101;
    for (QPushButton* button : {SureButton, AllDataButton, CloseButton}) {
        button->setGeometry(left, 100, 75, 25);
        left += 75;
    }
}

void TKXFindSimpleForm::SureButtonClick() {
    ClearAllData();
    QString sqlRelation;
    if (!CheckFieldAndRelation(sqlRelation))
        return;
    QString expression;
    for (const TFieldsData* field : ChosenFields(false)) {
        const TFindResult result = BuildFindCondition(InputFor(*field, sqlRelation));
        if (!result.Accepted) {
            Refuse(result);
            return;
        }
        FollowRelation(result);
        expression = result.Piece;
    }
    findText_ = expression;
    accept();
}

} // namespace kx

#include "moc_kxfindsimpleform.cpp"
