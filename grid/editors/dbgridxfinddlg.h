#pragma once
// The data grid's "Find text" window: one for the whole program, aimed at
// the grid that opened it last. Each "Find next" asks that grid for the next
// row holding the text; the first search after any change of the criteria
// starts at the first record.

#include "grid/editors/gridfindchoices.h"

#include <QDialog>

#include <functional>
#include <vector>

class QLabel;
class QPushButton;

namespace kx {

class TColumnX;
class TCustomDBGridX;
class TDBCheckBoxX;
class TDBComboBoxX;

class TDBGridXFindDlg : public QDialog {
    Q_OBJECT
public:
    explicit TDBGridXFindDlg(QWidget* parent = nullptr);

    void ShowForGrid(TCustomDBGridX* grid, const QString& text, bool modal);
    void bFindClick();
    bool FirstSearch() const { return firstSearch_; }

    // Whether Ctrl is held at this moment; replaceable in tests.
    std::function<bool()> CtrlHeld;

    QLabel* Label1;
    TDBComboBoxX* cbText;
    QLabel* Label2;
    TDBComboBoxX* cbFindIn;
    QLabel* cbMatchType;
    TDBComboBoxX* cbMatchinType;
    QLabel* Label3;
    TDBComboBoxX* cbFindDirection;
    TDBCheckBoxX* cbCharCase;
    TDBCheckBoxX* cbUseFormat;
    QPushButton* bFind;
    QPushButton* bCancel;
    QLabel* Label4;
    TDBComboBoxX* dbcTreeFindRange;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FillFindInList();
    void UpdateSearchColumns();
    void cbTextChange() { firstSearch_ = true; }
    void FormKeyDown(QKeyEvent* event, bool& handled);

    TCustomDBGridX* grid_ = nullptr;
    std::vector<TColumnX*> findInColumns_;
    int fullHeight_ = 0;
    bool firstSearch_ = true;
    bool modal_ = false;
};

// Creates the one dialog on first use and shows it for grid.
void RunGridFindDialog(TCustomDBGridX* grid, const QString& text, bool modal);
// Makes the grids' find command open this dialog.
void RegisterGridFindDialog();

} // namespace kx
