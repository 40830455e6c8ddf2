#include "frame/controls/kxcombobox.h"

namespace kx {

TKXComboBox::TKXComboBox(QWidget* parent) : TKXInputControl(parent, true, TImeEntry::ByEditType) {
    SetStyle(csDropDown);
}

void TKXComboBox::SetStyle(TComboBoxStyle style) {
    setEditable(style == csDropDown);
    // Enter in the edit part keeps the typed text out of the item list.
    setInsertPolicy(QComboBox::NoInsert);
    InstallByteLimit();
}

void TKXComboBox::SetText(const QString& text) {
    if (isEditable())
        setEditText(text);
    else
        setCurrentIndex(findText(text));
}

void TKXComboBox::keyPressEvent(QKeyEvent* event) {
    FilterKeyEvent(event, [this](QKeyEvent* key) { QComboBox::keyPressEvent(key); });
}

} // namespace kx

#include "moc_kxcombobox.cpp"
