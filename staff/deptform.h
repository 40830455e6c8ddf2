#pragma once
// The window in which the user keeps the company record and its department
// tree: the tree on the left, the selected node's row on the right (the
// company page for the root, the department page below it) above the
// stamps of who made and changed the row.

#include "frame/app/kxdform.h"
#include "frame/controls/kxtreeview.h"

class QGroupBox;
class QGridLayout;
class QStackedWidget;

namespace kx {

class TKXDBEdit;

namespace db {
class TQuery;
}

namespace staff {

class TDeptReport;

class TDeptForm : public TKXDForm {
    Q_OBJECT
public:
    static inline const QString kFormName = QStringLiteral("DeptForm");

    explicit TDeptForm(QWidget* owner);

    QFrame* Panel4;
    TKXTreeView* KXTreeView;
    QStackedWidget* PageControl1;
    QGroupBox* TabSheetCompany;
    QGroupBox* TabSheetDept;
    QFrame* PanelAudit;
    // Department page.
    TKXDBEdit* KXDBEditDeptOrder;
    TKXDBEdit* KXDBEditDeptName;
    TKXDBEdit* KXDBEditDeptPhone;
    TKXDBEdit* KXDBEditDeptNote;
    // Company page.
    TKXDBEdit* KXDBEditCompanyName;
    TKXDBEdit* KXDBEditPostcode;
    TKXDBEdit* KXDBEditFax;
    TKXDBEdit* KXDBEditPhone;
    TKXDBEdit* KXDBEditAddress;
    TKXDBEdit* KXDBEditEmail;
    TKXDBEdit* KXDBEditBank;
    TKXDBEdit* KXDBEditAccount;
    TKXDBEdit* KXDBEditCompanyNote;

    // The rows of the printed list: appended to its cache only, so nothing
    // of it reaches the table.
    db::TQuery* QyPrint;
    TDeptReport* RepDept;
    TDeptReport* RepDeptOrder;

    TTreeNode* SelectedNode = nullptr;
    // The code of the selected node; the company's when none is selected.
    const QString& CurrentCode() const { return currentCode_; }

protected:
    void FormCreate() override;
    void FormShow() override;
    void button_addClick(QObject* sender) override;
    void button_editClick(QObject* sender) override;
    void button_deleteClick(QObject* sender) override;
    void button_saveClick(QObject* sender) override;

private:
    TKXDBEdit* AddEdit(QGridLayout* grid, int row, int column, const QString& caption,
                       const QString& field);
    QGroupBox* BuildDeptPage();
    QGroupBox* BuildCompanyPage();
    QFrame* BuildAuditStrip();
    void WriteUpdateStatements();
    void SetCounterScope(const QString& parentCode);

    void OpenCurrentDept();
    void ShowPageFor(const TTreeNode* node);
    void KXTreeViewExpanding(TTreeNode* node);
    void KXTreeViewChange(TTreeNode* node);
    void KXTreeViewCollapsing(TTreeNode* node);
    void KXTreeViewClick();
    void QueryAfterInsert();
    void QueryAfterEdit();
    void DSStateChange();
    void CompanySaved(bool inserted);
    void button_printClick();
    void FillPrintBuffer(bool numbering);
    void RepPreview(QObject* sender, bool numberColumn);

    QString currentCode_;
    bool companyMode_ = false;
};

} // namespace staff
} // namespace kx
