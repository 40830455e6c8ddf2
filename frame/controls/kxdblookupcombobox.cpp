#include "frame/controls/kxdblookupcombobox.h"

#include <QSignalBlocker>
#include <QWheelEvent>

namespace kx {

TKXDBLookupComboBox::TKXDBLookupComboBox(QWidget* parent)
    : TKXInputControl(parent, false, TImeEntry::Always) {
    link_.OnDataChange = [this] { ShowKey(); };
    list_.OnChange = [this] { FillItems(); };
    connect(this, &QComboBox::activated, this, &TKXDBLookupComboBox::Choose);
}

void TKXDBLookupComboBox::FillItems() {
    const QSignalBlocker blocker(this);
    clear();
    keys_.clear();
    for (const TLookupList::TItem& item : list_.Items()) {
        addItem(item.Text);
        keys_.append(item.Key);
    }
    ShowKey();
}

void TKXDBLookupComboBox::ShowKey() {
    const QSignalBlocker blocker(this);
    db::TField* field = link_.Field();
    setCurrentIndex(field ? keys_.indexOf(field->Value()) : -1);
}

void TKXDBLookupComboBox::Choose(int index) {
    db::TField* field = link_.Field();
    if (field && index >= 0 && index < keys_.size() && link_.Edit())
        field->SetValue(keys_[index]);
    ShowKey();
}

void TKXDBLookupComboBox::showPopup() {
    if (link_.Edit())
        QComboBox::showPopup();
}

void TKXDBLookupComboBox::keyPressEvent(QKeyEvent* event) {
    if (!event->text().isEmpty() || event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        if (!link_.Edit()) {
            event->accept();
            return;
        }
    }
    QComboBox::keyPressEvent(event);
}

void TKXDBLookupComboBox::wheelEvent(QWheelEvent* event) {
    if (link_.Edit())
        QComboBox::wheelEvent(event);
    else
        event->ignore();
}

} // namespace kx

#include "moc_kxdblookupcombobox.cpp"
