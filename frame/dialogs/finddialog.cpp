#include "frame/dialogs/finddialog.h"

#include "core/messages.h"
#include "frame/controls/formimenames.h"
#include "frame/controls/kxcombobox.h"
#include "frame/controls/kxcomboedit.h"
#include "frame/controls/kxedit.h"
#include "platform/ui/application.h"

#include <QPushButton>

namespace kx {
namespace {

template <class Box>
bool Colour(QWidget* widget, ui::TColor focus, ui::TColor resting, ui::TColor color) {
    auto* box = qobject_cast<Box*>(widget);
    if (!box)
        return false;
    box->SetColorOnFocus(focus);
    box->SetSavedColor(resting);
    box->SetColor(color);
    return true;
}

} // namespace

TFindDialog::TFindDialog(QObject* owner, std::unique_ptr<TFindWindow> window)
    : QObject(owner), window_(std::move(window)) {
    SetConnectNames(DefaultFindRelations());
}

TFindDialog::~TFindDialog() = default;

void TFindDialog::SetConnectNames(const TFindConnectNamearray& names) {
    window_->SetConnectNames(names);
}

void TFindDialog::ApplyColors() {
    for (QWidget* box : window_->EntryBoxes())
        Colour<TKXComboBox>(box, ColorOnFocus, ColorNotOnFocus, Color) ||
            Colour<TKXEdit>(box, ColorOnFocus, ColorNotOnFocus, Color) ||
            Colour<TKXComboEdit>(box, ColorOnFocus, ColorNotOnFocus, Color);
}

bool TFindDialog::ShowWindow(bool presetOnlyWithoutField) {
    window_->PopupWindow = PopupWindow;
    window_->SelectSQL = SelectSQL;
    window_->SetSqlType(SqlType);
    window_->PickerColor = Color;
    ApplyColors();
    SetFormImeName(window_.get(), ImeName);
    if (!presetOnlyWithoutField || window_->ComboBox1->Text().isEmpty()) {
        if (FieldIndex != -1) {
            const QSignalBlocker blocker(window_->ComboBox1);
            window_->ComboBox1->setCurrentIndex(FieldIndex);
            window_->ClearValueBoxes();
        }
        if (ConnectionIndex != -1)
            window_->ComboBox2->setCurrentIndex(ConnectionIndex);
    }
    window_->setWindowTitle(Caption + QStringLiteral("查找窗口"));
    window_->AllDataButton->setVisible(!FieldSetTag.isEmpty());
    ForceForegroundFocus(window_.get());
    return ui::ExecModal(*window_) == QDialog::Accepted;
}

} // namespace kx

#include "moc_finddialog.cpp"
