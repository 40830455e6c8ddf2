#include "tools/griddemo/memtreedataset.h"

#include "platform/db/field.h"
#include "platform/db/fieldtypes.h"

#include <QScopeGuard>

#include <sqlite3.h>

#include <algorithm>
#include <climits>
#include <iterator>
#include <set>

namespace kx {

namespace {

class TMemValueList : public IMemTableDataFieldValueListX {
public:
    explicit TMemValueList(QStringList values) : values_(std::move(values)) {}
    const QStringList& DistinctValues() override { return values_; }

private:
    QStringList values_;
};

void BindValue(sqlite3_stmt* statement, int index, const QVariant& value) {
    if (!value.isValid() || value.isNull()) {
        sqlite3_bind_null(statement, index);
        return;
    }
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Bool:
        sqlite3_bind_int64(statement, index, value.toLongLong());
        return;
    case QMetaType::Double:
        sqlite3_bind_double(statement, index, value.toDouble());
        return;
    default: {
        const QByteArray text = value.toString().toUtf8();
        sqlite3_bind_text(statement, index, text.constData(), int(text.size()), SQLITE_TRANSIENT);
        return;
    }
    }
}

} // namespace

TMemTreeDataSet::TMemTreeDataSet(QObject* owner) : db::TDataSet(owner) {
    sqlite3_open(":memory:", &connection_);
    readSource_.SetDataSet(this);
    readLink_.SetDataSource(&readSource_);
}

// Closed first, so that no grid keeps reading a data set half gone.
TMemTreeDataSet::~TMemTreeDataSet() {
    Close();
    readLink_.SetDataSource(nullptr);
    readSource_.SetDataSet(nullptr);
    sqlite3_close(connection_);
}

void TMemTreeDataSet::DefineFields(const QList<TFieldDef>& fields) {
    fieldDefs_ = fields;
    for (const TFieldDef& def : fields) {
        db::TField* field = db::CreateField(def.DataType, this);
        field->SetFieldName(def.Name);
        field->SetSize(def.Size);
        field->SetDataSet(this);
    }
}

void TMemTreeDataSet::AddNode(int level, const QVariantList& values, bool expanded) {
    nodes_.push_back({nextId_++, std::max(1, level), values, expanded});
    RebuildView();
}

void TMemTreeDataSet::SetTreeView(bool treeView) {
    treeView_ = treeView;
    RebuildView();
    if (Active())
        Reload(CurrentNodeId());
}

void TMemTreeDataSet::SetRowFilter(TRowFilter filter) {
    const int current = CurrentNodeId();
    filter_ = std::move(filter);
    RebuildView();
    if (Active())
        Reload(current);
}

int TMemTreeDataSet::FieldIndex(const QString& fieldName) const {
    for (int i = 0; i < fieldDefs_.size(); ++i)
        if (fieldDefs_[i].Name.compare(fieldName, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QStringList TMemTreeDataSet::NodeTexts(const QString& fieldName) const {
    const int field = FieldIndex(fieldName);
    QStringList texts;
    for (const TNode& node : nodes_)
        texts.append(field >= 0 ? node.Values.value(field).toString() : QString());
    return texts;
}

QList<int> TMemTreeDataSet::NodeLevels() const {
    QList<int> levels;
    for (const TNode& node : nodes_)
        levels.append(node.Level);
    return levels;
}

// ---- The view ----------------------------------------------------------

void TMemTreeDataSet::RebuildView() {
    view_.clear();
    int hiddenBelow = INT_MAX;
    for (int i = 0; i < static_cast<int>(nodes_.size()); ++i) {
        const TNode& node = nodes_[static_cast<std::size_t>(i)];
        if (treeView_ && node.Level > hiddenBelow)
            continue;
        hiddenBelow = treeView_ && !node.Expanded ? node.Level : INT_MAX;
        if (filter_ && !filter_(node.Values))
            continue;
        view_.push_back(i);
    }
}

void TMemTreeDataSet::OpenCursor() {
    QList<db::TColumnInfo> columns;
    QStringList placeholders;
    for (const TFieldDef& def : fieldDefs_) {
        columns.append({def.Name, def.DataType, def.Size, QString(), def.Name});
        placeholders.append(u'?' + QString::number(placeholders.size() + 1));
    }
    SetColumns(columns);
    sqlite3_stmt* statement = nullptr;
    const QByteArray sql = ("SELECT " + placeholders.join(u',')).toUtf8();
    if (sqlite3_prepare_v2(connection_, sql.constData(), -1, &statement, nullptr) != SQLITE_OK)
        db::DatabaseError(QString::fromUtf8(sqlite3_errmsg(connection_)));
    const auto finish = qScopeGuard([statement] { sqlite3_finalize(statement); });
    for (const int nodeIndex : view_) {
        const TNode& node = nodes_[static_cast<std::size_t>(nodeIndex)];
        for (int i = 0; i < fieldDefs_.size(); ++i)
            BindValue(statement, i + 1, node.Values.value(i));
        sqlite3_step(statement);
        AddRow(statement);
        sqlite3_reset(statement);
    }
}

void TMemTreeDataSet::Reload(int currentNodeId) {
    DisableControls();
    const auto enable = qScopeGuard([this] { EnableControls(); });
    reading_.clear();
    Close();
    Open();
    readLink_.SetBufferCount(std::max(1, RecordCount()));
    int nodeIndex = NodeIndexOfId(currentNodeId);
    while (nodeIndex >= 0) {
        const auto shown = std::find(view_.begin(), view_.end(), nodeIndex);
        if (shown != view_.end()) {
            SetRecNo(static_cast<int>(shown - view_.begin()) + 1);
            return;
        }
        // Up to the parent: the nearest node before it on a higher level.
        const int level = nodes_[static_cast<std::size_t>(nodeIndex)].Level;
        do
            --nodeIndex;
        while (nodeIndex >= 0 && nodes_[static_cast<std::size_t>(nodeIndex)].Level >= level);
    }
}

int TMemTreeDataSet::NodeIndexOfId(int id) const {
    const auto it = std::find_if(nodes_.begin(), nodes_.end(),
                                 [id](const TNode& node) { return node.Id == id; });
    return it == nodes_.end() ? -1 : static_cast<int>(it - nodes_.begin());
}

bool TMemTreeDataSet::HasChildren(int nodeIndex) const {
    const std::size_t next = static_cast<std::size_t>(nodeIndex) + 1;
    return next < nodes_.size() &&
           nodes_[next].Level > nodes_[static_cast<std::size_t>(nodeIndex)].Level;
}

int TMemTreeDataSet::CurrentNodeId() const {
    const int index = CurrentRecordIndex();
    return index >= 0 && index < static_cast<int>(view_.size())
               ? nodes_[static_cast<std::size_t>(view_[static_cast<std::size_t>(index)])].Id
               : -1;
}

int TMemTreeDataSet::ReadViewIndex() const {
    return reading_.empty() ? CurrentRecordIndex() : reading_.back();
}

int TMemTreeDataSet::ViewLevel(int viewIndex) const {
    if (viewIndex < 0 || viewIndex >= static_cast<int>(view_.size()))
        return -1;
    return treeView_
               ? nodes_[static_cast<std::size_t>(view_[static_cast<std::size_t>(viewIndex)])].Level
               : 1;
}

// ---- The record cursor ---------------------------------------------------

void TMemTreeDataSet::FetchMore(int count) {
    fetchRequests_.append(count);
}

int TMemTreeDataSet::CurrentRecordIndex() const {
    return Active() && RecordCount() > 0 ? RecNo() - 1 : -1;
}

bool TMemTreeDataSet::ReadNodeExpanded() const {
    const int index = ReadViewIndex();
    return index >= 0 &&
           nodes_[static_cast<std::size_t>(view_[static_cast<std::size_t>(index)])].Expanded;
}

bool TMemTreeDataSet::ReadNodeHasChildren() const {
    const int index = ReadViewIndex();
    return index >= 0 && HasChildren(view_[static_cast<std::size_t>(index)]);
}

int TMemTreeDataSet::ReadNodeLevel() const {
    return std::max(0, ViewLevel(ReadViewIndex()));
}

int TMemTreeDataSet::ReadPriorNodeLevel() const {
    return std::max(0, ViewLevel(ReadViewIndex() - 1));
}

int TMemTreeDataSet::ReadNextNodeLevel() const {
    return ViewLevel(ReadViewIndex() + 1);
}

QVariant TMemTreeDataSet::SavePosition() const {
    return CurrentNodeId();
}

void TMemTreeDataSet::RestorePosition(const QVariant& token) {
    const auto shown = std::find(view_.begin(), view_.end(), NodeIndexOfId(token.toInt()));
    if (shown != view_.end())
        SetRecNo(static_cast<int>(shown - view_.begin()) + 1);
}

int TMemTreeDataSet::IndexOfBookmark(const db::TBookmark& bookmark) const {
    auto* self = const_cast<TMemTreeDataSet*>(this);
    for (int i = 0; i < ViewRecordCount(); ++i) {
        self->BeginReadRecord(i);
        const bool found = ActiveBookmark() == bookmark;
        self->EndReadRecord();
        if (found)
            return i;
    }
    return -1;
}

int TMemTreeDataSet::ViewRecordCount() const {
    return Active() ? static_cast<int>(view_.size()) : 0;
}

bool TMemTreeDataSet::ReadLevelContinues(int level) const {
    for (int i = ReadViewIndex() + 1; i < static_cast<int>(view_.size()); ++i) {
        const int next = ViewLevel(i);
        if (next <= level)
            return next == level;
    }
    return false;
}

int TMemTreeDataSet::SetNodeExpanded(int index, bool expanded) {
    if (!treeView_ || index < 0 || index >= static_cast<int>(view_.size()))
        return 0;
    const int nodeIndex = view_[static_cast<std::size_t>(index)];
    TNode& node = nodes_[static_cast<std::size_t>(nodeIndex)];
    if (!HasChildren(nodeIndex) || node.Expanded == expanded)
        return 0;
    const int current = CurrentNodeId();
    node.Expanded = expanded;
    RebuildView();
    Reload(current);
    return RecNo();
}

std::shared_ptr<IMemTableDataFieldValueListX>
TMemTreeDataSet::GetFieldValueList(const QString& fieldName) {
    const int field = FieldIndex(fieldName);
    std::set<QString> distinct;
    for (const TNode& node : nodes_) {
        const QVariant value = node.Values.value(field);
        if (field >= 0 && value.isValid() && !value.isNull())
            distinct.insert(value.toString());
    }
    return std::make_shared<TMemValueList>(QStringList(distinct.begin(), distinct.end()));
}

// The moved nodes take their subtrees along; the block goes before the
// target row when it moves up and after it otherwise, its first node on
// treeLevel. Refused: a place inside the moved block, a level more than one
// below the node before, and a level that would adopt the node after.
bool TMemTreeDataSet::MoveRecords(const QList<db::TBookmark>& bookmarks, int toRecNo, int treeLevel,
                                  bool checkOnly) {
    const int target = toRecNo - 1;
    if (bookmarks.isEmpty() || target < 0 || target >= ViewRecordCount())
        return false;
    std::set<int> movedIds;
    int start = INT_MAX;
    for (const db::TBookmark& bookmark : bookmarks) {
        const int index = IndexOfBookmark(bookmark);
        if (index < 0)
            return false;
        start = std::min(start, index);
        movedIds.insert(
            nodes_[static_cast<std::size_t>(view_[static_cast<std::size_t>(index)])].Id);
    }
    std::vector<TNode> block;
    std::vector<TNode> rest;
    std::set<int> blockIds;
    std::set<int> rootIds;
    int rootLevel = INT_MAX;
    for (const TNode& node : nodes_) {
        if (node.Level > rootLevel) {
            block.push_back(node);
            blockIds.insert(node.Id);
            continue;
        }
        rootLevel = INT_MAX;
        if (movedIds.count(node.Id)) {
            rootLevel = node.Level;
            rootIds.insert(node.Id);
            block.push_back(node);
            blockIds.insert(node.Id);
        } else {
            rest.push_back(node);
        }
    }
    int anchorId = -1;
    for (int i = target < start ? target : target + 1; i < static_cast<int>(view_.size()); ++i) {
        const int id = nodes_[static_cast<std::size_t>(view_[static_cast<std::size_t>(i)])].Id;
        if (!blockIds.count(id)) {
            anchorId = id;
            break;
        }
    }
    const auto anchor = std::find_if(rest.begin(), rest.end(),
                                     [anchorId](const TNode& node) { return node.Id == anchorId; });
    const int prevLevel = anchor == rest.begin() ? 0 : std::prev(anchor)->Level;
    const int level = treeView_ && treeLevel > 0 ? treeLevel : block.front().Level;
    if (level < 1 || level > prevLevel + 1 || (anchor != rest.end() && anchor->Level > level))
        return false;
    if (checkOnly)
        return true;
    int shift = 0;
    for (TNode& node : block) {
        if (rootIds.count(node.Id))
            shift = level - node.Level;
        node.Level += shift;
    }
    const int firstMoved = block.front().Id;
    const auto insertAt = rest.insert(anchor, block.begin(), block.end());
    // Every node above the block is expanded, so the moved records show.
    int above = insertAt->Level;
    for (auto it = std::make_reverse_iterator(insertAt); it != rest.rend(); ++it) {
        if (it->Level < above) {
            it->Expanded = true;
            above = it->Level;
        }
    }
    nodes_ = std::move(rest);
    RebuildView();
    Reload(firstMoved);
    return true;
}

void TMemTreeDataSet::BeginReadRecord(int index) {
    if (readLink_.BufferCount() < RecordCount())
        readLink_.SetBufferCount(RecordCount());
    reading_.push_back(index);
    readLink_.SetActiveRecord(index);
}

void TMemTreeDataSet::EndReadRecord() {
    if (!reading_.empty())
        reading_.pop_back();
    readLink_.SetActiveRecord(reading_.empty() ? CurrentRecordIndex() : reading_.back());
}

} // namespace kx
