#pragma once
// The logged-on user changes his own password: the old one, the new one
// and the new one again.

#include "frame/app/kxbaseform.h"

class QPushButton;

namespace kx {

class TKXEdit;

class TPasswordChangeForm : public TKXBaseForm {
    Q_OBJECT
public:
    static inline const QString kFormName = QStringLiteral("PasswordChangeForm");

    explicit TPasswordChangeForm(QWidget* owner);

    TKXEdit* OldPasswordEdit;
    TKXEdit* NewPasswordEdit;
    TKXEdit* ConfirmPasswordEdit;
    QPushButton* SureButton;
    QPushButton* CloseButton;

protected:
    void FormShow() override;
    void FormKeyDown(int& key, ui::TShiftState shift) override;

private:
    void SureButtonClick();
    void CloseButtonClick();
    void ClearNewPasswords();
};

} // namespace kx
