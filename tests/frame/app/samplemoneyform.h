#pragma once
// A working window as the cash book's windows are built on the base forms,
// kept for the tests only: the in/out records in a list grid with two edit
// boxes, numbered and stamped by the query, found through the find dialog
// and verified with the check button. Its steps extend the base steps.

#include "frame/app/kxdform.h"

namespace kx {

class TFindFormDialog;
class TKXDBEdit;
class TKXNDBGrid;

namespace sample {

// Named as the program's window of that form name, which the window manager
// finds by class name.
class TMoneyIntoOutForm : public TKXDForm {
    Q_OBJECT
public:
    static inline const QString kFormName = QStringLiteral("MoneyIntoOutForm");

    explicit TMoneyIntoOutForm(QWidget* owner);

    TKXNDBGrid* DBGrid;
    TKXDBEdit* MoneyIdEdit;
    TKXDBEdit* NoteEdit;
    TFindFormDialog* FindDialog;
    // The conditions of the last find, empty for every row.
    QString FindWhere;

protected:
    void FormCreate() override;
    void FormShow() override;
    void button_addClick(QObject* sender) override;
    void button_checkClick(QObject* sender) override;
    virtual void button_findClick(QObject* sender);

private:
    void OpenList();
};

} // namespace sample
} // namespace kx
