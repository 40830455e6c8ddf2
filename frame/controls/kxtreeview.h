#pragma once
// A code tree (subjects, fund accounts, departments) kept in a table as rows
// of an ID, a name and a parent ID. The tree never reads the whole table: it
// shows a root the window names and reads the children of a node the first
// time it is opened, with the SQL the window sets for that level just
// before. A node not read yet carries one placeholder child "temp", so it
// shows as openable. Every real node carries a record with its ID and name.

#include "platform/ui/colors.h"

#include <QIcon>
#include <QList>
#include <QTreeWidget>

#include <functional>
#include <list>

namespace kx {

namespace db {
class TQuery;
}

using TTreeNode = QTreeWidgetItem;

// The record of a real node: its key and its plain name (without suffix or
// leading zeros).
struct TTreeData {
    QString ID;
    QString Name;
};

// The colours an item is drawn with; a drawing handler may change them.
struct TTreeItemColors {
    ui::TColor Brush;
    ui::TColor Font;
};

// How to compose a query from a node's ID: KeyKind empty leaves the ID out,
// "C" puts it between apostrophes, anything else pastes it as it is.
struct TNodeSql {
    QString HeadSql;
    QString TailSql;
    QString KeyKind;
    QString Suffix;
    int PadWidth = 0;
};

QString ComposeNodeSql(const TNodeSql& sql, const QString& id);

class TKXTreeView : public QTreeWidget {
    Q_OBJECT
public:
    static constexpr ui::TColor kSelectColor = 0xC08000;

    explicit TKXTreeView(QWidget* parent = nullptr);
    ~TKXTreeView() override;

    const QString& DataBaseName() const { return dataBaseName_; }
    void SetDataBaseName(const QString& name) { dataBaseName_ = name; }
    // While true, the next selection change does not reach the window.
    bool SetColor() const { return setColor_; }
    void SetSetColor(bool setColor) { setColor_ = setColor; }
    ui::TColor SelectColor() const { return selectColor_; }
    void SetSelectColor(ui::TColor color);
    // The window's pictures: closed, opened and leaf nodes by image index.
    void SetImages(const QList<QIcon>& images) { images_ = images; }
    int ImageIndex(const TTreeNode* node) const;

    QString RootID;
    QString RootName;

    // Which 0: the children query, 1: the count query; others do nothing.
    void SetNodeSql(int which, const QString& headSql, const QString& tailSql,
                    const QString& keyKind, const QString& suffix, int padWidth);
    // Puts the tree's handlers in front of the window's; once per tree.
    void HookEvents();
    void BuildTree();
    // The children of a node (top-level rows without one) from the
    // children query, when not read yet.
    void LoadChildren(TTreeNode* node);
    // A node for a row just saved; none while the parent is not read yet.
    TTreeNode* AddNode(TTreeNode* parent, const QString& name, const QString& id);
    bool DeleteNode(TTreeNode* node, bool force);
    // The text of every node with that ID; the records keep their names.
    void RenameNodes(const QString& id, const QString& newText);
    QString GetNodeID(const TTreeNode* node) const;
    QString GetNodeName(const TTreeNode* node) const;
    void SetNodeName(TTreeNode* node, const QString& name);
    bool ClearTree();

    // The window's handlers.
    std::function<void(QObject* sender, TTreeNode* node, bool& allowExpansion)> OnExpanding;
    std::function<void(QObject* sender, TTreeNode* node)> OnChange;
    std::function<void(QObject* sender, TTreeNode* node, bool selected, TTreeItemColors& colors,
                       bool& defaultDraw)>
        OnCustomDrawItem;

private:
    class TItemDelegate;

    TTreeNode* InsertNode(TTreeNode* parent, TTreeData* record, const QString& text);
    TTreeData* NewRecord(const QString& id, const QString& name);
    TTreeData* RecordOf(const TTreeNode* node) const;
    bool HasPlaceholder(const TTreeNode* node) const;
    void AddPlaceholder(TTreeNode* node);
    bool IdOnPath(const TTreeNode* node, const QString& id) const;
    void SetImage(TTreeNode* node, int index);
    void DeleteWithRecords(TTreeNode* node);
    bool FreeNodeData();
    bool ChildCountAboveZero(const QString& id);

    void ExpandingHook(QObject* sender, TTreeNode* node, bool& allowExpansion);
    void ChangeHook(QObject* sender, TTreeNode* node);
    void DrawItemHook(QObject* sender, TTreeNode* node, bool selected, TTreeItemColors& colors,
                      bool& defaultDraw);
    void NodeExpanded(TTreeNode* node);
    void DrawItem(TTreeNode* node, bool selected, TTreeItemColors& colors, bool& defaultDraw);

    QString dataBaseName_;
    bool setColor_ = false;
    ui::TColor selectColor_ = kSelectColor;
    QList<QIcon> images_;
    TNodeSql childSql_;
    TNodeSql countSql_;
    db::TQuery* childQuery_;
    db::TQuery* countQuery_;
    std::list<TTreeData> records_;
    TTreeNode* root_ = nullptr;
    bool hooked_ = false;
    decltype(OnExpanding) windowExpanding_;
    decltype(OnChange) windowChange_;
    decltype(OnCustomDrawItem) windowDrawItem_;
};

} // namespace kx
