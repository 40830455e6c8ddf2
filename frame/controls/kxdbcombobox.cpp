#include "frame/controls/kxdbcombobox.h"

#include <QApplication>
#include <QWheelEvent>

namespace kx {

TKXDBComboBox::TKXDBComboBox(QWidget* parent)
    : TKXInputControl(parent, true, TImeEntry::ByEditType) {
    link_.OnDataChange = [this] { ShowFieldValue(); };
    link_.OnEditingChange = [this] { FollowEditingState(); };
    link_.OnUpdateData = [this] { link_.Field()->SetText(currentText()); };
    connect(this, &QComboBox::activated, this, &TKXDBComboBox::MarkModified);
    SetStyle(csDropDown);
}

void TKXDBComboBox::SetStyle(TComboBoxStyle style) {
    setEditable(style == csDropDown);
    setInsertPolicy(QComboBox::NoInsert);
    InstallByteLimit();
    if (QLineEdit* line = lineEdit())
        connect(line, &QLineEdit::textEdited, this, &TKXDBComboBox::MarkModified,
                Qt::UniqueConnection);
    FollowEditingState();
}

void TKXDBComboBox::FollowEditingState() {
    if (QLineEdit* line = lineEdit())
        line->setReadOnly(!link_.Editing());
}

void TKXDBComboBox::ShowFieldValue() {
    db::TField* field = link_.Field();
    const QString text = field ? field->Text() : QString();
    if (field && field->DataType() == db::ftString && MaxLength() == 0)
        SetMaxLength(field->Size());
    if (isEditable())
        setEditText(text);
    else
        setCurrentIndex(findText(text));
}

void TKXDBComboBox::showPopup() {
    if (link_.Edit())
        QComboBox::showPopup();
}

QChar TKXDBComboBox::AcceptedByField(QChar key) {
    db::TField* field = link_.Field();
    if (key.unicode() >= 32 && field && !field->IsValidChar(key)) {
        QApplication::beep();
        return QChar();
    }
    return key;
}

void TKXDBComboBox::keyPressEvent(QKeyEvent* event) {
    const QChar typed = ui::TypedChar(event);
    if (typed == QChar(27)) {
        link_.Reset();
        if (QLineEdit* line = lineEdit())
            line->selectAll();
        event->ignore();
        return;
    }
    const int key = event->key();
    const bool moves = key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
                       key == Qt::Key_PageDown || key == Qt::Key_Home || key == Qt::Key_End;
    const bool changes = key == Qt::Key_Backspace || key == Qt::Key_Delete ||
                         (!typed.isNull() && (typed.unicode() >= 32 || typed.unicode() == 22 ||
                                              typed.unicode() == 24));
    if ((moves && !isEditable()) || changes) {
        if (!link_.Edit()) {
            event->accept();
            return;
        }
    }
    FilterKeyEvent(event, [this](QKeyEvent* filtered) {
        const QChar ch = ui::TypedChar(filtered);
        if (!ch.isNull() && AcceptedByField(ch).isNull())
            return;
        QComboBox::keyPressEvent(filtered);
    });
}

void TKXDBComboBox::wheelEvent(QWheelEvent* event) {
    if (link_.Edit())
        QComboBox::wheelEvent(event);
}

void TKXDBComboBox::DoExit() {
    if (!link_.UpdateOnExit(this)) {
        KeepEntered();
        return;
    }
    TKXInput::DoExit();
}

} // namespace kx

#include "moc_kxdbcombobox.cpp"
