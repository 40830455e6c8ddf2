#include "frame/controls/kxdblookuplistbox.h"

#include <QSignalBlocker>

namespace kx {

TKXDBLookupListBox::TKXDBLookupListBox(QWidget* parent)
    : TKXInputControl(parent, false, TImeEntry::Never) {
    link_.OnDataChange = [this] { ShowKey(); };
    list_.OnChange = [this] { FillItems(); };
    connect(this, &QListWidget::currentRowChanged, this, &TKXDBLookupListBox::Choose);
}

void TKXDBLookupListBox::FillItems() {
    const QSignalBlocker blocker(this);
    clear();
    keys_.clear();
    for (const TLookupList::TItem& item : list_.Items()) {
        addItem(item.Text);
        keys_.append(item.Key);
    }
    ShowKey();
}

void TKXDBLookupListBox::ShowKey() {
    const QSignalBlocker blocker(this);
    db::TField* field = link_.Field();
    setCurrentRow(field ? int(keys_.indexOf(field->Value())) : -1);
}

void TKXDBLookupListBox::Choose(int row) {
    db::TField* field = link_.Field();
    if (field && row >= 0 && row < keys_.size() && link_.Edit())
        field->SetValue(keys_[row]);
    ShowKey();
}

} // namespace kx

#include "moc_kxdblookuplistbox.cpp"
