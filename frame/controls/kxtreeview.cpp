#include "frame/controls/kxtreeview.h"

#include "core/messages.h"
#include "core/moneytext.h"
#include "core/sqlfunctions.h"
#include "core/textfunctions.h"
#include "platform/db/field.h"
#include "platform/db/query.h"
#include "platform/ui/application.h"

#include <QPainter>
#include <QStyledItemDelegate>
#include <QTreeWidgetItemIterator>

namespace kx {
namespace {

const QString kPlaceholder = QStringLiteral("temp");
constexpr int kRecordRole = Qt::UserRole;
constexpr int kImageRole = Qt::UserRole + 1;

// Images of the window's list.
constexpr int kClosedImage = 0;
constexpr int kOpenedImage = 1;
constexpr int kLeafImage = 2;

} // namespace

QString ComposeNodeSql(const TNodeSql& sql, const QString& id) {
    if (sql.KeyKind.isEmpty())
        return sql.HeadSql + u' ' + sql.TailSql;
    // The id is a stored value: a code that holds a quote (from an archive
    // restored from elsewhere) must stay one value.
    if (sql.KeyKind == u"C")
        return sql.HeadSql + QuotedStr(id) + u' ' + sql.TailSql;
    bool number = false;
    id.toDouble(&number);
    return sql.HeadSql + (number ? id.trimmed() : QuotedStr(id)) + u' ' + sql.TailSql;
}

class TKXTreeView::TItemDelegate : public QStyledItemDelegate {
public:
    explicit TItemDelegate(TKXTreeView* tree) : QStyledItemDelegate(tree), tree_(tree) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const bool selected = option.state & QStyle::State_Selected;
        TTreeItemColors colors{selected ? ui::clHighlight : ui::clWindow,
                               selected ? ui::clHighlightText : ui::clWindowText};
        bool defaultDraw = true;
        tree_->DrawItem(tree_->itemFromIndex(index), selected, colors, defaultDraw);
        if (!defaultDraw)
            return;
        QStyleOptionViewItem styled(option);
        const QColor brush = ui::ToQColor(colors.Brush, option.palette);
        const QColor font = ui::ToQColor(colors.Font, option.palette);
        styled.palette.setColor(QPalette::Highlight, brush);
        styled.palette.setColor(QPalette::HighlightedText, font);
        styled.palette.setColor(QPalette::Text, font);
        if (!selected)
            styled.backgroundBrush = brush;
        QStyledItemDelegate::paint(painter, styled, index);
    }

private:
    TKXTreeView* tree_;
};

TKXTreeView::TKXTreeView(QWidget* parent)
    : QTreeWidget(parent), childQuery_(new db::TQuery(this)), countQuery_(new db::TQuery(this)) {
    setHeaderHidden(true);
    setColumnCount(1);
    setItemDelegate(new TItemDelegate(this));
    for (db::TQuery* query : {childQuery_, countQuery_})
        query->SetParamCheck(false);
    connect(this, &QTreeWidget::itemExpanded, this,
            ui::Guard([this](TTreeNode* node) { NodeExpanded(node); }));
    connect(this, &QTreeWidget::currentItemChanged, this,
            ui::Guard([this](TTreeNode* node, TTreeNode*) {
                if (OnChange)
                    OnChange(this, node);
            }));
}

TKXTreeView::~TKXTreeView() {
    if (hooked_) {
        OnExpanding = windowExpanding_;
        OnChange = windowChange_;
        OnCustomDrawItem = windowDrawItem_;
    }
    const QSignalBlocker blocker(this);
    clear();
}

void TKXTreeView::SetSelectColor(ui::TColor color) {
    selectColor_ = color;
    viewport()->update();
}

int TKXTreeView::ImageIndex(const TTreeNode* node) const {
    const QVariant index = node->data(0, kImageRole);
    return index.isValid() ? index.toInt() : -1;
}

void TKXTreeView::SetImage(TTreeNode* node, int index) {
    node->setData(0, kImageRole, index);
    node->setIcon(0, index < images_.size() ? images_[index] : QIcon());
}

void TKXTreeView::SetNodeSql(int which, const QString& headSql, const QString& tailSql,
                             const QString& keyKind, const QString& suffix, int padWidth) {
    const TNodeSql sql{headSql, tailSql, keyKind, suffix, padWidth};
    if (which == 0)
        childSql_ = sql;
    else if (which == 1)
        countSql_ = sql;
}

void TKXTreeView::HookEvents() {
    // A second hook would save the tree's own handlers as the window's and
    // make them call themselves.
    if (hooked_)
        return;
    hooked_ = true;
    windowExpanding_ = OnExpanding;
    windowChange_ = OnChange;
    windowDrawItem_ = OnCustomDrawItem;
    OnExpanding = [this](QObject* sender, TTreeNode* node, bool& allow) {
        ExpandingHook(sender, node, allow);
    };
    OnChange = [this](QObject* sender, TTreeNode* node) { ChangeHook(sender, node); };
    OnCustomDrawItem = [this](QObject* sender, TTreeNode* node, bool selected,
                              TTreeItemColors& colors, bool& defaultDraw) {
        DrawItemHook(sender, node, selected, colors, defaultDraw);
    };
}

void TKXTreeView::NodeExpanded(TTreeNode* node) {
    if (!OnExpanding)
        return;
    bool allow = true;
    OnExpanding(this, node, allow);
    if (!allow) {
        const QSignalBlocker blocker(this);
        node->setExpanded(false);
    }
}

void TKXTreeView::DrawItem(TTreeNode* node, bool selected, TTreeItemColors& colors,
                           bool& defaultDraw) {
    try {
        if (OnCustomDrawItem)
            OnCustomDrawItem(this, node, selected, colors, defaultDraw);
    } catch (...) {
        ui::HandleCurrentException();
    }
}

void TKXTreeView::ExpandingHook(QObject* sender, TTreeNode* node, bool& allowExpansion) {
    if (windowExpanding_ && node->childCount() > 0 && node->child(0)->text(0) == kPlaceholder)
        windowExpanding_(sender, node, allowExpansion);
    LoadChildren(node);
    SetImage(node, kOpenedImage);
}

void TKXTreeView::ChangeHook(QObject* sender, TTreeNode* node) {
    if (setColor_) {
        setColor_ = false;
        return;
    }
    if (windowChange_)
        windowChange_(sender, node);
}

void TKXTreeView::DrawItemHook(QObject* sender, TTreeNode* node, bool selected,
                               TTreeItemColors& colors, bool& defaultDraw) {
    if (selected) {
        colors.Brush = selectColor_;
        colors.Font = ui::clWhite;
    }
    if (windowDrawItem_)
        windowDrawItem_(sender, node, selected, colors, defaultDraw);
}

TTreeData* TKXTreeView::NewRecord(const QString& id, const QString& name) {
    records_.push_front({id, name});
    return &records_.front();
}

TTreeData* TKXTreeView::RecordOf(const TTreeNode* node) const {
    return node ? reinterpret_cast<TTreeData*>(node->data(0, kRecordRole).value<quintptr>())
                : nullptr;
}

bool TKXTreeView::HasPlaceholder(const TTreeNode* node) const {
    return node->childCount() > 0 && node->child(0)->text(0) == kPlaceholder &&
           !RecordOf(node->child(0));
}

void TKXTreeView::AddPlaceholder(TTreeNode* node) {
    if (!HasPlaceholder(node))
        node->addChild(new TTreeNode(QStringList{kPlaceholder}));
}

bool TKXTreeView::ChildCountAboveZero(const QString& id) {
    countQuery_->Close();
    countQuery_->SetDatabaseName(dataBaseName_);
    countQuery_->SQL().SetText(ComposeNodeSql(countSql_, id));
    countQuery_->Open();
    const QString count = countQuery_->IsEmpty() ? QString() : countQuery_->Fields()[0]->AsString();
    countQuery_->Close();
    return MoneyTextToFloat2(count) > 0;
}

TTreeNode* TKXTreeView::InsertNode(TTreeNode* parent, TTreeData* record, const QString& text) {
    if (records_.empty()) {
        ShowPromptMessageTo(nullptr, QStringLiteral("必须有头节点数据及未节点数据"));
        return nullptr;
    }
    auto* node = new TTreeNode(QStringList{text});
    node->setData(0, kRecordRole, QVariant::fromValue(reinterpret_cast<quintptr>(record)));
    if (parent) {
        parent->addChild(node);
        if (parent->childCount() == 1)
            parent->setExpanded(true);
    } else {
        addTopLevelItem(node);
    }
    if (!parent || RecordOf(parent)) {
        if (countSql_.KeyKind.toUpper() == u"A")
            AddPlaceholder(node);
        if (!countSql_.HeadSql.isEmpty() && !dataBaseName_.isEmpty() &&
            ChildCountAboveZero(record->ID))
            AddPlaceholder(node);
    }
    return node;
}

bool TKXTreeView::IdOnPath(const TTreeNode* node, const QString& id) const {
    for (; node; node = node->parent())
        if (const TTreeData* record = RecordOf(node); record && record->ID == id)
            return true;
    return false;
}

void TKXTreeView::BuildTree() {
    selectColor_ = kSelectColor;
    if (RootID.isEmpty() || RootName.isEmpty()) {
        ShowPromptMessageTo(nullptr, QStringLiteral("没有节点ID或没有节点名称，不能建立节点"));
        return;
    }
    if (root_)
        FreeNodeData();
    clear();
    root_ = nullptr;
    TTreeData* record = NewRecord(RootID, RootName);
    root_ = InsertNode(nullptr, record, RootName);
    SetImage(root_, kClosedImage);
    root_->setExpanded(true);
}

void TKXTreeView::LoadChildren(TTreeNode* node) {
    if (node) {
        if (!HasPlaceholder(node) || node->childCount() != 1)
            return;
        delete node->takeChild(0);
    }
    if (childSql_.HeadSql.isEmpty())
        return;
    QString sql;
    if (!childSql_.KeyKind.isEmpty()) {
        const TTreeData* record = RecordOf(node);
        if (!record) {
            ShowPromptMessageTo(nullptr, QStringLiteral("节点空"));
            return;
        }
        sql = ComposeNodeSql(childSql_, record->ID);
    } else {
        sql = ComposeNodeSql(childSql_, QString());
    }
    if (dataBaseName_.isEmpty())
        return;
    childQuery_->Close();
    childQuery_->SetDatabaseName(dataBaseName_);
    childQuery_->SQL().SetText(sql);
    childQuery_->Open();
    for (; !childQuery_->Eof(); childQuery_->Next()) {
        const QString id = childQuery_->Fields()[0]->AsString();
        const QString name = childQuery_->Fields()[1]->AsString();
        // A row that names a node above it as its child would nest the same
        // rows for ever.
        if (IdOnPath(node, id))
            continue;
        QString text = childSql_.PadWidth != 0 ? PadZeroLeft(name, childSql_.PadWidth) : name;
        TTreeNode* child = InsertNode(node, NewRecord(id, name), text + childSql_.Suffix);
        if (!child)
            continue;
        if (node)
            SetImage(node, kClosedImage);
        SetImage(child, HasPlaceholder(child) ? kClosedImage : kLeafImage);
    }
    childQuery_->Close();
}

TTreeNode* TKXTreeView::AddNode(TTreeNode* parent, const QString& name, const QString& id) {
    if (parent && parent->childCount() == 1 && HasPlaceholder(parent))
        return nullptr;
    TTreeNode* node = InsertNode(parent, NewRecord(id, name), name);
    if (!node)
        return nullptr;
    if (parent)
        SetImage(parent, kClosedImage);
    SetImage(node, HasPlaceholder(node) ? kClosedImage : kLeafImage);
    return node;
}

void TKXTreeView::DeleteWithRecords(TTreeNode* node) {
    while (node->childCount() > 0)
        DeleteWithRecords(node->child(0));
    if (const TTreeData* record = RecordOf(node))
        records_.remove_if([record](const TTreeData& r) { return &r == record; });
    if (node == root_)
        root_ = nullptr;
    delete node;
}

bool TKXTreeView::DeleteNode(TTreeNode* node, bool force) {
    if (!node)
        return false;
    if (node->childCount() > 0 && !force) {
        ShowPromptMessageTo(nullptr, QStringLiteral("请先删除该节点的子节点"));
        return false;
    }
    DeleteWithRecords(node);
    if (TTreeNode* selected = currentItem())
        SetImage(selected, selected->childCount() == 0 ? kLeafImage : kClosedImage);
    return true;
}

void TKXTreeView::RenameNodes(const QString& id, const QString& newText) {
    for (QTreeWidgetItemIterator it(this); *it; ++it)
        if (const TTreeData* record = RecordOf(*it); record && record->ID == id)
            (*it)->setText(0, newText);
}

QString TKXTreeView::GetNodeID(const TTreeNode* node) const {
    const TTreeData* record = RecordOf(node);
    return record ? record->ID : QString();
}

QString TKXTreeView::GetNodeName(const TTreeNode* node) const {
    const TTreeData* record = RecordOf(node);
    return record ? record->Name : QString();
}

void TKXTreeView::SetNodeName(TTreeNode* node, const QString& name) {
    if (TTreeData* record = RecordOf(node))
        record->Name = name;
}

bool TKXTreeView::FreeNodeData() {
    if (records_.empty())
        return true;
    clear();
    records_.clear();
    return true;
}

bool TKXTreeView::ClearTree() {
    try {
        if (root_)
            FreeNodeData();
        clear();
        root_ = nullptr;
        return true;
    } catch (...) {
        ShowPromptMessageTo(nullptr, QStringLiteral("节点数据清除过程发生错误"));
        return false;
    }
}

} // namespace kx

#include "moc_kxtreeview.cpp"
