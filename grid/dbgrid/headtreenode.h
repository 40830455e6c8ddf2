#pragma once
// The cells of a multi-level title: captions read as levels separated by
// '|', and adjacent columns whose captions begin with the same word share
// one cell above them. Siblings form a ring (the last points back to the
// first). The root owns every node of its tree.

#include <QString>

#include <memory>
#include <vector>

namespace kx {

class TColumnX;

// Words of a caption, counted from 1; delimiters never make empty words.
// WordStart is the position (from 1) of word n, 0 when there are fewer.
int WordStart(int n, const QString& text, QChar delimiter = u'|');
QString WordText(int n, const QString& text, QChar delimiter = u'|');
QString WordTextAt(int n, const QString& text, int& start, QChar delimiter = u'|');

// One column's leaf as the grid hands it to BuildFromColumns.
struct TTitleLeaf {
    QString Caption;
    int Height = 0;
    int Width = 0; // -1 or 0 for a hidden column
    TColumnX* Column = nullptr;
    int MarkerIndent = 0;
    int LineWidth = 0;
};

class THeadTreeNode {
public:
    // A root node.
    THeadTreeNode(const QString& caption, int height, int width);
    ~THeadTreeNode();
    THeadTreeNode(const THeadTreeNode&) = delete;
    THeadTreeNode& operator=(const THeadTreeNode&) = delete;

    QString Caption;
    int CellWidth = 0;
    int CellHeight = 0;
    TColumnX* OwnerColumn = nullptr;
    int LineWidth = 0;
    int MarkerIndent = 0;
    bool Painted = false;

    THeadTreeNode* Parent() const { return parent_; }
    THeadTreeNode* FirstChild() const { return firstChild_; }
    THeadTreeNode* NextSibling() const { return nextSibling_; }

    // Both refuse a node outside this subtree with "Node not in Tree".
    THeadTreeNode* AppendChild(THeadTreeNode* node, const QString& caption, int height, int width);
    THeadTreeNode* InsertSibling(THeadTreeNode* after, const QString& caption, int height,
                                 int width);
    // Puts the siblings from..to under a new node of that caption; to must
    // follow from in its ring ("ATo not in level").
    THeadTreeNode* GroupRange(THeadTreeNode* from, THeadTreeNode* to, const QString& caption,
                              int height);
    void FreeChildren();
    // This node, one of its siblings, or below one of them.
    bool Contains(const THeadTreeNode* node) const;
    int Depth() const;

    // Rebuilds the tree under this root from the columns' captions; the
    // leaves in column order.
    std::vector<THeadTreeNode*> BuildFromColumns(const std::vector<TTitleLeaf>& columns);

private:
    THeadTreeNode(THeadTreeNode* root, const QString& caption, int height, int width);
    THeadTreeNode* MakeNode(const QString& caption, int height, int width);
    THeadTreeNode* PreviousSibling();
    void CollectSubtree(std::vector<const THeadTreeNode*>& nodes) const;
    // One pass over the leaves, which ends after grouping one run; true
    // when it met a caption of more than one word, so another pass follows.
    bool GroupPass(const std::vector<THeadTreeNode*>& leaves);

    THeadTreeNode* root_;
    THeadTreeNode* parent_ = nullptr;
    THeadTreeNode* firstChild_ = nullptr;
    THeadTreeNode* nextSibling_;
    std::vector<std::unique_ptr<THeadTreeNode>> pool_; // the root's nodes
};

} // namespace kx
