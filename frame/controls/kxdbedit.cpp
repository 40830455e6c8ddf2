#include "frame/controls/kxdbedit.h"

#include <QApplication>

namespace kx {

TKXDBEdit::TKXDBEdit(QWidget* parent) : TKXInputControl(parent, true, TImeEntry::ByEditType) {
    link_.OnDataChange = [this] { ShowFieldValue(); };
    link_.OnEditingChange = [this] { setReadOnly(!link_.Editing()); };
    link_.OnUpdateData = [this] { StoreFieldValue(); };
    connect(this, &QLineEdit::textEdited, this, [this] { link_.Modified(); });
    setReadOnly(true);
}

void TKXDBEdit::ShowFieldValue() {
    db::TField* field = link_.Field();
    if (!field) {
        SetEditMask(QString());
        setText(QString());
        return;
    }
    setAlignment(field->Alignment() == db::taRightJustify ? Qt::AlignRight
                 : field->Alignment() == db::taCenter     ? Qt::AlignHCenter
                                                          : Qt::AlignLeft);
    SetEditMask(field->EditMask());
    if (field->DataType() == db::ftString && MaxLength() == 0)
        SetMaxLength(field->Size());
    setText(hasFocus_ && link_.CanModify() ? field->EditText() : field->DisplayText());
}

void TKXDBEdit::StoreFieldValue() {
    link_.Field()->SetText(FieldTextOf(EditType(), Text()));
}

void TKXDBEdit::KeyPress(QChar& key) {
    FilterKey(key);
    if (key.isNull())
        return;
    TKXInput::KeyPress(key);
    db::TField* field = link_.Field();
    // The box drops the commas of an amount before the field sees them.
    const bool groupingComma = EditType() == etFloat && key == u',';
    if (key.unicode() >= 32 && field && !field->IsValidChar(key) && !groupingComma) {
        QApplication::beep();
        key = QChar();
        return;
    }
    const ushort code = key.unicode();
    if (code == 8 || code == 22 || code == 24 || code >= 32) {
        link_.Edit();
    } else if (code == 27) {
        link_.Reset();
        selectAll();
    }
}

void TKXDBEdit::DoEnter() {
    hasFocus_ = true;
    link_.Reset();
    TKXInput::DoEnter();
}

void TKXDBEdit::DoExit() {
    if (!link_.UpdateOnExit(this)) {
        selectAll();
        KeepEntered();
        return;
    }
    hasFocus_ = false;
    link_.Reset();
    TKXInput::DoExit();
}

} // namespace kx

#include "moc_kxdbedit.cpp"
