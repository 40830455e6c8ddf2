#include "grid/dbgrid/headtreenode.h"

#include "platform/sys/exception.h"

#include <algorithm>

namespace kx {

namespace {

[[noreturn]] void NotInTree() {
    throw Exception(QStringLiteral("Node not in Tree"));
}

} // namespace

int WordStart(int n, const QString& text, QChar delimiter) {
    int count = 0;
    for (int i = 0; i < text.size(); ++i) {
        const bool starts = text.at(i) != delimiter && (i == 0 || text.at(i - 1) == delimiter);
        if (starts && ++count == n)
            return i + 1;
    }
    return 0;
}

QString WordTextAt(int n, const QString& text, int& start, QChar delimiter) {
    start = WordStart(n, text, delimiter);
    if (start == 0)
        return {};
    const qsizetype end = text.indexOf(delimiter, start - 1);
    return text.mid(start - 1, end < 0 ? -1 : end - (start - 1));
}

QString WordText(int n, const QString& text, QChar delimiter) {
    int start = 0;
    return WordTextAt(n, text, start, delimiter);
}

THeadTreeNode::THeadTreeNode(const QString& caption, int height, int width)
    : Caption(caption), CellWidth(width), CellHeight(height), root_(this), nextSibling_(this) {}

THeadTreeNode::THeadTreeNode(THeadTreeNode* root, const QString& caption, int height, int width)
    : Caption(caption), CellWidth(width), CellHeight(height), root_(root), nextSibling_(this) {}

THeadTreeNode::~THeadTreeNode() = default;

THeadTreeNode* THeadTreeNode::MakeNode(const QString& caption, int height, int width) {
    root_->pool_.push_back(
        std::unique_ptr<THeadTreeNode>(new THeadTreeNode(root_, caption, height, width)));
    return root_->pool_.back().get();
}

THeadTreeNode* THeadTreeNode::PreviousSibling() {
    THeadTreeNode* node = this;
    while (node->nextSibling_ != this)
        node = node->nextSibling_;
    return node;
}

THeadTreeNode* THeadTreeNode::AppendChild(THeadTreeNode* node, const QString& caption, int height,
                                          int width) {
    if (!Contains(node))
        NotInTree();
    THeadTreeNode* child = MakeNode(caption, height, width);
    child->parent_ = node;
    if (!node->firstChild_) {
        node->firstChild_ = child;
    } else {
        THeadTreeNode* last = node->firstChild_->PreviousSibling();
        last->nextSibling_ = child;
        child->nextSibling_ = node->firstChild_;
    }
    return child;
}

THeadTreeNode* THeadTreeNode::InsertSibling(THeadTreeNode* after, const QString& caption,
                                            int height, int width) {
    if (!Contains(after))
        NotInTree();
    THeadTreeNode* sibling = MakeNode(caption, height, width);
    sibling->parent_ = after->parent_;
    sibling->nextSibling_ = after->nextSibling_;
    after->nextSibling_ = sibling;
    return sibling;
}

THeadTreeNode* THeadTreeNode::GroupRange(THeadTreeNode* from, THeadTreeNode* to,
                                         const QString& caption, int height) {
    if (!Contains(from))
        NotInTree();
    const THeadTreeNode* first = from->parent_ ? from->parent_->firstChild_ : from;
    std::vector<THeadTreeNode*> run{from};
    while (run.back() != to) {
        THeadTreeNode* next = run.back()->nextSibling_;
        if (next == first)
            throw Exception(QStringLiteral("ATo not in level"));
        run.push_back(next);
    }

    THeadTreeNode* group = MakeNode(caption, height, 0);
    group->parent_ = from->parent_;
    group->LineWidth = to->LineWidth;
    THeadTreeNode* after = to->nextSibling_;
    if (after == from) {
        group->nextSibling_ = group; // the run was the whole ring
    } else {
        from->PreviousSibling()->nextSibling_ = group;
        group->nextSibling_ = after;
    }
    if (from->parent_ && from->parent_->firstChild_ == from)
        from->parent_->firstChild_ = group;
    group->firstChild_ = from;
    to->nextSibling_ = from;
    int width = 0;
    for (THeadTreeNode* node : run) {
        node->CellHeight -= height;
        node->parent_ = group;
        width += node->CellWidth + group->LineWidth;
    }
    if (group->LineWidth >= 1)
        width -= group->LineWidth;
    group->CellWidth = width;
    return group;
}

void THeadTreeNode::CollectSubtree(std::vector<const THeadTreeNode*>& nodes) const {
    const THeadTreeNode* child = firstChild_;
    if (!child)
        return;
    do {
        nodes.push_back(child);
        child->CollectSubtree(nodes);
        child = child->nextSibling_;
    } while (child != firstChild_);
}

void THeadTreeNode::FreeChildren() {
    std::vector<const THeadTreeNode*> doomed;
    CollectSubtree(doomed);
    firstChild_ = nullptr;
    std::erase_if(root_->pool_, [&doomed](const std::unique_ptr<THeadTreeNode>& node) {
        return std::find(doomed.begin(), doomed.end(), node.get()) != doomed.end();
    });
}

bool THeadTreeNode::Contains(const THeadTreeNode* node) const {
    const THeadTreeNode* sibling = this;
    do {
        if (sibling == node || (sibling->firstChild_ && sibling->firstChild_->Contains(node)))
            return true;
        sibling = sibling->nextSibling_;
    } while (sibling != this);
    return false;
}

int THeadTreeNode::Depth() const {
    int depth = 0;
    for (const THeadTreeNode* node = parent_; node; node = node->parent_)
        ++depth;
    return depth;
}

bool THeadTreeNode::GroupPass(const std::vector<THeadTreeNode*>& leaves) {
    bool wordsMet = false;
    for (std::size_t i = 0; i < leaves.size(); ++i) {
        THeadTreeNode* leaf = leaves[i];
        const int second = WordStart(2, leaf->Caption);
        if (second == 0)
            continue;
        wordsMet = true;
        const QString word = WordText(1, leaf->Caption);
        std::size_t last = i;
        while (last + 1 < leaves.size() && WordText(1, leaves[last + 1]->Caption) == word)
            ++last;
        for (std::size_t j = i; j <= last; ++j)
            leaves[j]->Caption.remove(0, second - 1);
        // Only siblings can share a cell: leaves already grouped apart keep
        // their own cells even when their next words agree.
        if (leaves[last]->parent_ == leaf->parent_) {
            GroupRange(leaf, leaves[last], word, 20);
            return true;
        }
    }
    return wordsMet;
}

std::vector<THeadTreeNode*>
THeadTreeNode::BuildFromColumns(const std::vector<TTitleLeaf>& columns) {
    FreeChildren();
    std::vector<THeadTreeNode*> leaves;
    leaves.reserve(columns.size());
    for (const TTitleLeaf& column : columns) {
        THeadTreeNode* leaf = AppendChild(this, column.Caption, column.Height, column.Width);
        leaf->OwnerColumn = column.Column;
        leaf->MarkerIndent = column.MarkerIndent;
        leaf->LineWidth = column.LineWidth;
        leaves.push_back(leaf);
    }
    bool wordsLeft = true;
    while (wordsLeft)
        wordsLeft = GroupPass(leaves);
    return leaves;
}

} // namespace kx
