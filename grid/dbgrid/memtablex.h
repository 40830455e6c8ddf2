#pragma once
// What a data set offers the grid when it keeps a record cursor of its own:
// every record of its view reachable by index, and optionally a tree of
// records with levels and expandable nodes. The grid asks a data set for it
// with a dynamic_cast; no data set of the program offers it.

#include "grid/dbgrid/datasetfieldvaluelistx.h"
#include "platform/db/dataset.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <memory>

namespace kx {

// "The read record" is the record opened by BeginReadRecord, else the
// current record. Indexes count the records of the view from 0.
class IMemTableX {
public:
    virtual ~IMemTableX() = default;

    // Makes at least count more records available at the end of the view.
    virtual void FetchMore(int count) = 0;
    // -1 when there is no current record.
    virtual int CurrentRecordIndex() const = 0;
    virtual bool ReadNodeExpanded() const = 0;
    virtual bool ReadNodeHasChildren() const = 0;
    // 1 for a top node.
    virtual int ReadNodeLevel() const = 0;
    virtual int ReadPriorNodeLevel() const = 0;
    // Below 0 when the read record is the last one.
    virtual int ReadNextNodeLevel() const = 0;
    virtual QVariant SavePosition() const = 0;
    virtual void RestorePosition(const QVariant& token) = 0;
    virtual int IndexOfBookmark(const db::TBookmark& bookmark) const = 0;
    virtual int ViewRecordCount() const = 0;
    virtual bool TreeViewMode() const = 0;
    // At level, a node after the read record continues the tree line
    // below it.
    virtual bool ReadLevelContinues(int level) const = 0;
    // The record number to make current afterwards; 0 or less for none.
    virtual int SetNodeExpanded(int index, bool expanded) = 0;
    virtual std::shared_ptr<IMemTableDataFieldValueListX>
    GetFieldValueList(const QString& fieldName) = 0;
    // toRecNo is the record number of the target row, from 1.
    virtual bool MoveRecords(const QList<db::TBookmark>& bookmarks, int toRecNo, int treeLevel,
                             bool checkOnly) = 0;
    virtual void BeginReadRecord(int index) = 0;
    virtual void EndReadRecord() = 0;
};

} // namespace kx
