#pragma once
// A data set held wholly in memory that offers the grid a record cursor of
// its own: its records form a tree (each node with a level, expanded or
// collapsed), the view shows the nodes whose ancestors are all expanded,
// and records can be moved to another place and level. The records of the
// data set are exactly the view: every change of the view reads it anew.
// It is read-only; the grid demo and the tests use it.

#include "grid/dbgrid/memtablex.h"
#include "platform/db/datalink.h"
#include "platform/db/datasource.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <functional>
#include <vector>

struct sqlite3;

namespace kx {

class TMemTreeDataSet : public db::TDataSet, public IMemTableX {
    Q_OBJECT
public:
    struct TFieldDef {
        QString Name;
        db::TFieldType DataType = db::ftString;
        int Size = 0;
    };
    using TRowFilter = std::function<bool(const QVariantList& values)>;

    explicit TMemTreeDataSet(QObject* owner = nullptr);
    ~TMemTreeDataSet() override;

    // Before opening: the fields once, then the nodes in tree order, each
    // at most one level below the node before it.
    void DefineFields(const QList<TFieldDef>& fields);
    void AddNode(int level, const QVariantList& values, bool expanded = true);
    // Off, every node shows as a plain record.
    void SetTreeView(bool treeView);
    // Only the nodes it accepts show; none, every node.
    void SetRowFilter(TRowFilter filter);
    int NodeCount() const { return static_cast<int>(nodes_.size()); }
    // A field's value and the level of every node, in tree order.
    QStringList NodeTexts(const QString& fieldName) const;
    QList<int> NodeLevels() const;
    // What FetchMore was asked, in order.
    const QList<int>& FetchRequests() const { return fetchRequests_; }

    // The record cursor.
    void FetchMore(int count) override;
    int CurrentRecordIndex() const override;
    bool ReadNodeExpanded() const override;
    bool ReadNodeHasChildren() const override;
    int ReadNodeLevel() const override;
    int ReadPriorNodeLevel() const override;
    int ReadNextNodeLevel() const override;
    QVariant SavePosition() const override;
    void RestorePosition(const QVariant& token) override;
    int IndexOfBookmark(const db::TBookmark& bookmark) const override;
    int ViewRecordCount() const override;
    bool TreeViewMode() const override { return treeView_; }
    bool ReadLevelContinues(int level) const override;
    int SetNodeExpanded(int index, bool expanded) override;
    std::shared_ptr<IMemTableDataFieldValueListX>
    GetFieldValueList(const QString& fieldName) override;
    bool MoveRecords(const QList<db::TBookmark>& bookmarks, int toRecNo, int treeLevel,
                     bool checkOnly) override;
    void BeginReadRecord(int index) override;
    void EndReadRecord() override;

protected:
    void OpenCursor() override;
    void WriteChange(const TRowChange&) override {}
    bool CanWriteDirectly() const override { return false; }
    sqlite3* Connection() const override { return connection_; }
    db::TDeclaredColumns DeclaredColumns(const QString&) const override { return {}; }

private:
    struct TNode {
        int Id = 0;
        int Level = 1;
        QVariantList Values;
        bool Expanded = true;
    };

    void RebuildView();
    // Reads the view anew and makes the node current, or its nearest shown
    // ancestor.
    void Reload(int currentNodeId);
    int NodeIndexOfId(int id) const;
    bool HasChildren(int nodeIndex) const;
    int ReadViewIndex() const;
    int ViewLevel(int viewIndex) const;
    int CurrentNodeId() const;
    int FieldIndex(const QString& fieldName) const;

    QList<TFieldDef> fieldDefs_;
    std::vector<TNode> nodes_;
    std::vector<int> view_;
    std::vector<int> reading_;
    TRowFilter filter_;
    bool treeView_ = true;
    int nextId_ = 1;
    QList<int> fetchRequests_;
    sqlite3* connection_ = nullptr;
    db::TDataSource readSource_;
    db::TDataLink readLink_;
};

} // namespace kx
