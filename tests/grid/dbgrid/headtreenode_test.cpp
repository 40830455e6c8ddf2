#include "grid/dbgrid/headtreenode.h"

#include "platform/sys/exception.h"

#include <gtest/gtest.h>

namespace kx {
namespace {

TEST(TitleWords, CountedFromOneWithoutEmptyWords) {
    struct Case {
        QString text;
        int n;
        int start;
        QString word;
    };
    const Case cases[] = {
        {QStringLiteral("|Total||Amount|"), 1, 2, QStringLiteral("Total")},
        {QStringLiteral("|Total||Amount|"), 2, 9, QStringLiteral("Amount")},
        {QStringLiteral("|Total||Amount|"), 3, 0, QString()},
        {QStringLiteral("收入|金额"), 2, 4, QStringLiteral("金额")},
        {QStringLiteral("A"), 1, 1, QStringLiteral("A")},
        {QStringLiteral("||"), 1, 0, QString()},
        {QString(), 1, 0, QString()},
    };
    for (const Case& c : cases) {
        int start = -1;
        EXPECT_EQ(WordTextAt(c.n, c.text, start), c.word) << c.text.toStdString() << " " << c.n;
        EXPECT_EQ(start, c.start) << c.text.toStdString() << " " << c.n;
        EXPECT_EQ(WordStart(c.n, c.text), c.start);
        EXPECT_EQ(WordText(c.n, c.text), c.word);
    }
}

// The children of a node in ring order, by caption.
QStringList Children(const THeadTreeNode* node) {
    QStringList captions;
    const THeadTreeNode* child = node->FirstChild();
    if (!child)
        return captions;
    do {
        captions << child->Caption;
        EXPECT_EQ(child->Parent(), node);
        child = child->NextSibling();
    } while (child != node->FirstChild());
    return captions;
}

std::vector<TTitleLeaf> Leaves(const QStringList& captions) {
    std::vector<TTitleLeaf> leaves;
    int width = 50;
    for (const QString& caption : captions) {
        leaves.push_back({caption, 40, width, nullptr, 0, 1});
        width += 10;
    }
    return leaves;
}

TEST(HeadTreeNode, SharedFirstWordsBecomeCellsAboveTheColumns) {
    THeadTreeNode root(QStringLiteral("Root"), 10, 0);
    const std::vector<THeadTreeNode*> leaves = root.BuildFromColumns(
        Leaves({QStringLiteral("A|B|C"), QStringLiteral("A|B|D"), QStringLiteral("A|E")}));
    ASSERT_EQ(leaves.size(), 3u);
    EXPECT_EQ(Children(&root), QStringList{QStringLiteral("A")});
    const THeadTreeNode* a = root.FirstChild();
    EXPECT_EQ(Children(a), (QStringList{QStringLiteral("B"), QStringLiteral("E")}));
    const THeadTreeNode* b = a->FirstChild();
    EXPECT_EQ(Children(b), (QStringList{QStringLiteral("C"), QStringLiteral("D")}));
    EXPECT_EQ(leaves[2]->Caption, QStringLiteral("E"));
    EXPECT_EQ(leaves[0]->Depth(), 3);
    EXPECT_EQ(leaves[2]->Depth(), 2);
    // Widths add up with one line between cells.
    EXPECT_EQ(b->CellWidth, 50 + 60 + 1);
    EXPECT_EQ(a->CellWidth, 111 + 70 + 1);
    // Each grouping takes its height off the cells below it.
    EXPECT_EQ(leaves[0]->CellHeight, 0);
    EXPECT_EQ(leaves[2]->CellHeight, 20);
}

TEST(HeadTreeNode, OnlyAdjacentSiblingsShareACell) {
    struct Case {
        QStringList captions;
        QStringList rootChildren;
        QStringList leafCaptions;
    };
    const Case cases[] = {
        {{QStringLiteral("X|Y"), QStringLiteral("X|Z")},
         {QStringLiteral("X")},
         {QStringLiteral("Y"), QStringLiteral("Z")}},
        {{QStringLiteral("X|Y"), QStringLiteral("Q"), QStringLiteral("X|Z")},
         {QStringLiteral("X"), QStringLiteral("Q"), QStringLiteral("X")},
         {QStringLiteral("Y"), QStringLiteral("Q"), QStringLiteral("Z")}},
        {{QStringLiteral("X|A|p"), QStringLiteral("Y|A|q")},
         {QStringLiteral("X"), QStringLiteral("Y")},
         {QStringLiteral("p"), QStringLiteral("q")}},
        // "A" cannot group the first leaf (deeper, under P) with the others;
        // the others then share "B", and in the next pass the first leaf's
        // "B" meets theirs at the same depth but under another parent: they
        // lose the word without a common cell.
        {{QStringLiteral("P|A|B|x"), QStringLiteral("A|B|B|y"), QStringLiteral("A|B|B|z")},
         {QStringLiteral("P"), QStringLiteral("B")},
         {QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("z")}},
        {{QStringLiteral("plain"), QStringLiteral("|lone|")},
         {QStringLiteral("plain"), QStringLiteral("|lone|")},
         {QStringLiteral("plain"), QStringLiteral("|lone|")}},
    };
    for (const Case& c : cases) {
        THeadTreeNode root(QStringLiteral("Root"), 10, 0);
        std::vector<THeadTreeNode*> leaves;
        ASSERT_NO_THROW(leaves = root.BuildFromColumns(Leaves(c.captions)))
            << c.captions.join(u',').toStdString();
        EXPECT_EQ(Children(&root), c.rootChildren) << c.captions.join(u',').toStdString();
        QStringList leafCaptions;
        for (const THeadTreeNode* leaf : leaves)
            leafCaptions << leaf->Caption;
        EXPECT_EQ(leafCaptions, c.leafCaptions);
    }
}

TEST(HeadTreeNode, RefusedCallsLeaveTheTreeAsItWas) {
    THeadTreeNode root(QStringLiteral("Root"), 10, 0);
    THeadTreeNode* first = root.AppendChild(&root, QStringLiteral("1"), 10, 5);
    THeadTreeNode* second = root.InsertSibling(first, QStringLiteral("2"), 10, 5);
    root.AppendChild(&root, QStringLiteral("3"), 10, 5);
    THeadTreeNode other(QStringLiteral("Other"), 10, 0);
    try {
        root.AppendChild(&other, QStringLiteral("x"), 1, 1);
        ADD_FAILURE() << "a node of another tree was taken";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Node not in Tree"));
    }
    try {
        root.GroupRange(second, first, QStringLiteral("g"), 5);
        ADD_FAILURE() << "a run against the ring's order was grouped";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("ATo not in level"));
    }
    EXPECT_EQ(Children(&root),
              (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
    THeadTreeNode* group = root.GroupRange(first, second, QStringLiteral("g"), 5);
    EXPECT_EQ(Children(&root), (QStringList{QStringLiteral("g"), QStringLiteral("3")}));
    EXPECT_EQ(first->CellHeight, 5);
    EXPECT_TRUE(root.Contains(first));
    group->FreeChildren();
    EXPECT_EQ(group->FirstChild(), nullptr);
    EXPECT_EQ(Children(&root), (QStringList{QStringLiteral("g"), QStringLiteral("3")}));
    root.FreeChildren();
    EXPECT_EQ(root.FirstChild(), nullptr);
}

} // namespace
} // namespace kx
