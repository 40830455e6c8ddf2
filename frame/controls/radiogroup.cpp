#include "frame/controls/radiogroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kx {

TRadioGroup::TRadioGroup(QWidget* parent)
    : QGroupBox(parent), buttons_(new QButtonGroup(this)), layout_(new QVBoxLayout(this)) {
    setFocusPolicy(Qt::StrongFocus);
}

void TRadioGroup::AddItem(const QString& text) {
    auto* button = new QRadioButton(text, this);
    buttons_->addButton(button, Count());
    layout_->addWidget(button);
}

int TRadioGroup::Count() const {
    return int(buttons_->buttons().size());
}

QString TRadioGroup::Item(int index) const {
    QAbstractButton* button = buttons_->button(index);
    return button ? button->text() : QString();
}

int TRadioGroup::ItemIndex() const {
    return buttons_->checkedId();
}

void TRadioGroup::SetItemIndex(int index) {
    if (QAbstractButton* button = buttons_->button(index)) {
        button->setChecked(true);
    } else if (QAbstractButton* checked = buttons_->checkedButton()) {
        buttons_->setExclusive(false);
        checked->setChecked(false);
        buttons_->setExclusive(true);
    }
}

void TRadioGroup::focusInEvent(QFocusEvent* event) {
    QGroupBox::focusInEvent(event);
    // The group hands the focus to its chosen item, as a radio group does.
    if (QAbstractButton* checked = buttons_->checkedButton())
        checked->setFocus();
    else if (QAbstractButton* first = buttons_->button(0))
        first->setFocus();
}

} // namespace kx

#include "moc_radiogroup.cpp"
