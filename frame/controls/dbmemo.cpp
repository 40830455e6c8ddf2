#include "frame/controls/dbmemo.h"

#include "platform/db/field.h"
#include "platform/ui/application.h"

namespace kx {

TDBMemo::TDBMemo(QWidget* parent) : QPlainTextEdit(parent) {
    link_.OnDataChange = [this] { ShowField(); };
    link_.OnUpdateData = [this] {
        if (db::TField* field = link_.Field())
            field->SetAsString(toPlainText());
    };
    connect(this, &QPlainTextEdit::textChanged, this, ui::Guard([this] {
                if (!showing_ && link_.Edit())
                    link_.Modified();
            }));
}

void TDBMemo::ShowField() {
    showing_ = true;
    const db::TField* field = link_.Field();
    setPlainText(field ? field->AsString() : QString());
    showing_ = false;
}

} // namespace kx
