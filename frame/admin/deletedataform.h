#pragma once
// The outdated-data deletion window: the records and ledgers of one year or
// of one fund account, all employees, or all records, ledgers, sums and
// employees. While it is open it is the only working window.

#include "frame/admin/outdateddeletion.h"
#include "frame/app/kxbaseform.h"

#include <functional>

class QPushButton;

namespace kx {

class TKXThread;
class TRadioGroup;
class TYearForm;

class TDeleteDataForm : public TKXBaseForm {
    Q_OBJECT
public:
    static inline const QString kFormName = QStringLiteral("DeleteDataForm");

    explicit TDeleteDataForm(QWidget* owner);

    TRadioGroup* RadioGroup1;
    QPushButton* SureButton;
    QPushButton* CloseButton;
    TKXThread* KXThread;
    // Made on first use and kept while the window lives.
    TYearForm* YearForm = nullptr;
    // Gives the space of the deleted rows back; packs the main database.
    std::function<void()> PackTables;

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormDestroy() override;
    void FormKeyDown(int& key, ui::TShiftState shift) override;

private:
    void SureButtonClick();
    void DeleteYear();
    void DeleteAccount();
    void DeleteAfterQuestion(TDeleteOption option, const QString& question);
    // The statements under the busy window, then the message of the result.
    void RunStatements(const QStringList& statements);

    bool keptConnection_ = true;
};

} // namespace kx
