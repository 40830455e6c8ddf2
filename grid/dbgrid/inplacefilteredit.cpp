#include "grid/dbgrid/inplacefilteredit.h"

#include "platform/db/variants.h"

#include <QWheelEvent>

namespace kx {

TInplaceFilterEditX::TInplaceFilterEditX(QWidget* parent) : TDBComboBoxX(parent) {
    keyValue_ = db::NullVariant();
    setFocusPolicy(Qt::StrongFocus);
    hide();
}

void TInplaceFilterEditX::SetEntries(const QList<TFilterListItem>& entries) {
    QStringList texts;
    codes_.clear();
    for (const TFilterListItem& entry : entries) {
        texts.append(entry.Text);
        codes_.append(entry.Code);
    }
    SetItems(texts);
}

int TInplaceFilterEditX::EntryCode(int index) const {
    return index >= 0 && index < codes_.size() ? codes_.at(index) : fseValue;
}

void TInplaceFilterEditX::SetKeyAndText(const QVariant& value, const QString& text) {
    ApplyValue(value);
    SetText(text);
    keyValue_ = value;
    keyText_ = text;
}

QVariant TInplaceFilterEditX::KeyValue() const {
    return Text() == keyText_ ? keyValue_ : db::NullVariant();
}

void TInplaceFilterEditX::SetCaretToEnd() {
    deselect();
    end(false);
}

ui::TRect TInplaceFilterEditX::TextAreaRect() const {
    ui::TRect area = TDBComboBoxX::TextAreaRect();
    area.Top += 1;
    return area;
}

void TInplaceFilterEditX::wheelEvent(QWheelEvent* event) {
    if (ListVisible())
        TDBComboBoxX::wheelEvent(event);
    else
        event->accept();
}

} // namespace kx
