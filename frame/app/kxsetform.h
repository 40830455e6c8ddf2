#pragma once
// The settings component every base form holds: it knows its form and
// clears the input-method names of the form's input controls.

#include "platform/ui/colors.h"

#include <QObject>
#include <QPointer>

class QWidget;

namespace kx {

class TKXSetForm : public QObject {
    Q_OBJECT
public:
    // The form is the owner.
    explicit TKXSetForm(QWidget* form);

    int ScreenWidth = 0;
    QString DataBaseName;
    ui::TColor EditColor = ui::clWindow;
    ui::TColor ColorOnFocus = ui::clAqua;

    // Every input control of the form and its find dialogs ask for no
    // particular input method; the name is not used.
    void ApplyImeName(const QString& name);

private:
    QPointer<QWidget> form_;
};

} // namespace kx
