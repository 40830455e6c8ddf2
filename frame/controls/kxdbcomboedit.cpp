#include "frame/controls/kxdbcomboedit.h"

#include <QApplication>

namespace kx {

TKXDBComboEdit::TKXDBComboEdit(QWidget* parent) : TKXCustomComboEdit(parent) {
    link_.OnDataChange = [this] { ShowFieldValue(); };
    link_.OnEditingChange = [this] { SetFamilyReadOnly(!link_.Editing()); };
    link_.OnUpdateData = [this] { StoreFieldValue(); };
    connect(this, &QLineEdit::textEdited, this, [this] { link_.Modified(); });
    SetFamilyReadOnly(true);
}

void TKXDBComboEdit::SetDataField(const QString& name) {
    DropFieldSizeCap();
    link_.SetFieldName(name);
}

void TKXDBComboEdit::DropFieldSizeCap() {
    if (MaxLength() <= 0 || !DataSource() || !DataSource()->DataSet())
        return;
    const db::TField* field = DataSource()->DataSet()->FindField(DataField());
    if (field && field->DataType() == db::ftString && field->Size() == MaxLength())
        SetMaxLength(0);
}

void TKXDBComboEdit::ShowFieldValue() {
    db::TField* field = link_.Field();
    if (!field) {
        SetAlignment(Qt::AlignLeft);
        SetEditMask(QString());
        setText(QString());
        return;
    }
    const Qt::Alignment alignment = field->Alignment() == db::taRightJustify ? Qt::AlignRight
                                    : field->Alignment() == db::taCenter     ? Qt::AlignHCenter
                                                                             : Qt::AlignLeft;
    if (alignment != Alignment()) {
        clear();
        SetAlignment(alignment);
    }
    SetEditMask(field->EditMask());
    if (field->DataType() == db::ftString && MaxLength() == 0)
        SetMaxLength(field->Size());
    setText(hasFocus_ && link_.CanModify() ? field->EditText() : field->DisplayText());
}

void TKXDBComboEdit::StoreFieldValue() {
    link_.Field()->SetText(Text());
}

void TKXDBComboEdit::SetHasFocus(bool hasFocus) {
    if (hasFocus == hasFocus_)
        return;
    hasFocus_ = hasFocus;
    link_.Reset();
}

void TKXDBComboEdit::KeyDown(int& key, ui::TShiftState shift) {
    TKXCustomComboEdit::KeyDown(key, shift);
    if (key == Qt::Key_Delete || (key == Qt::Key_Insert && (shift & ui::ssShift)))
        link_.Edit();
}

void TKXDBComboEdit::KeyPress(QChar& key) {
    TKXCustomComboEdit::KeyPress(key);
    if (key.isNull())
        return;
    const ushort code = key.unicode();
    db::TField* field = link_.Field();
    if (code >= 32 && field && !field->IsValidChar(key)) {
        QApplication::beep();
        key = QChar();
        return;
    }
    if (code == 8 || code == 22 || code == 24 || code >= 32) {
        link_.Edit();
    } else if (code == 27) {
        // The form's cancel button still gets the key.
        link_.Reset();
        if (DirectInput())
            selectAll();
    }
}

void TKXDBComboEdit::DoEnter() {
    SetHasFocus(true);
    TKXCustomComboEdit::DoEnter();
}

void TKXDBComboEdit::DoExit() {
    if (!link_.UpdateOnExit(this)) {
        // The field refused the text: the user stays in the box.
        if (DirectInput())
            selectAll();
        KeepEntered();
        return;
    }
    SetHasFocus(false);
    TKXCustomComboEdit::DoExit();
}

} // namespace kx

#include "moc_kxdbcomboedit.cpp"
