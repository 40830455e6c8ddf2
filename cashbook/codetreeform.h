#pragma once
// The window both code trees of the cash book are kept in: the tree on the
// left, the selected node's row in a detail panel on the right, added,
// edited and deleted with the buttons of the list/edit base window. The
// subject and fund-account windows give it their table, columns and inputs.

#include "cashbook/codetreerules.h"
#include "frame/app/kxdform.h"
#include "frame/controls/kxtreeview.h"
#include "frame/data/kxdatasource.h"

class QFormLayout;

namespace kx {

class TKXDBEdit;

namespace cashbook {

// What sets one code tree's window apart from the other's.
struct TCodeTreeWindow {
    const TCodeTreeRules* Rules;
    QString NameColumn;
    QString RootName;
    QString ProgramName;
    QString ChildrenMessage; // refusal to delete a node with children
    QStringList Columns;     // every column the window writes
};

class TCodeTreeForm : public TKXDForm {
    Q_OBJECT
public:
    static inline const QString kRootID = QStringLiteral("G001");

    QFrame* Panel4;
    TKXTreeView* KXTreeView;
    QWidget* DetailPanel;
    TTreeNode* SelectedNode = nullptr;
    // The code of the selected node; the root's for none.
    QString SelectedID() const { return selectedId_; }

protected:
    TCodeTreeForm(QWidget* owner, const TCodeTreeWindow& window);

    void FormCreate() override;
    void FormShow() override;
    void button_addClick(QObject* sender) override;
    void button_editClick(QObject* sender) override;
    void button_deleteClick(QObject* sender) override;
    void button_saveClick(QObject* sender) override;

    // An input of the detail panel, bound to a column of the row.
    template <class Input> Input* AddInput(const QString& caption, const QString& column);
    // The four read-only stamps of who made and changed the row, and when.
    void AddAuditInputs();
    // Duplicate checks on the base statement, each on one or two columns.
    TCheckData DuplicateCheck(const QString& baseSelect, const QStringList& columns,
                              const QString& message, QWidget* control);
    // The input the saved node's name is taken from.
    TKXDBEdit* NameEdit = nullptr;
    static TFieldsData Field(const QString& name, const QString& label, const QString& type);

    void LoadSelectedRow();

private:
    void AddRow(const QString& caption, QWidget* input);
    void KXTreeViewExpanding(TTreeNode* node);
    void KXTreeViewChange(TTreeNode* node);
    void KXTreeViewCollapsing(TTreeNode* node);
    void QueryAfterInsert();
    void DSStateChange();
    void SetCounterScope(const QString& parentId);
    void WriteUpdateStatements();
    QString Select(const QString& columns) const;
    int Level(const TTreeNode* node) const;
    TInsertData AutoValue(const QString& field, const QString& kind, int width) const;

    TCodeTreeWindow window_;
    QFormLayout* detailLayout_;
    QString selectedId_ = kRootID;
};

template <class Input>
Input* TCodeTreeForm::AddInput(const QString& caption, const QString& column) {
    auto* input = new Input(DetailPanel);
    input->setObjectName(column);
    input->SetDataSource(DS);
    input->SetDataField(column);
    AddRow(caption, input);
    return input;
}

} // namespace cashbook
} // namespace kx
