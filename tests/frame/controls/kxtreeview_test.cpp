#include "frame/controls/kxtreeview.h"

#include "tests/frame/controlsfixture.h"

namespace kx {
namespace {

TEST(ComposeNodeSql, PutsTheIdByKeyKind) {
    const QString head = "SELECT COMPANY_ID,COMPANY_NAME,ORDER_ID FROM SYS_COMPANY_TABLE WHERE "
                         "PRIOR_ID = ";
    EXPECT_EQ(ComposeNodeSql({head, " ORDER BY ORDER_ID", "C", "", 0}, "001"),
              head + "'001'  ORDER BY ORDER_ID");
    EXPECT_EQ(ComposeNodeSql({"SELECT X FROM T WHERE N = ", "", "N", "", 0}, "12"),
              "SELECT X FROM T WHERE N = 12 ");
    EXPECT_EQ(ComposeNodeSql({"SELECT X FROM T", "ORDER BY X", "", "", 0}, "12"),
              "SELECT X FROM T ORDER BY X");
}

TEST(ComposeNodeSql, AStoredIdStaysOneValue) {
    const struct {
        const char* kind;
        const char* id;
        const char* sql;
    } cases[] = {
        {"C", "Q' OR '1'='1", "N = 'Q'' OR ''1''=''1' "},
        {"N", "1 OR 1=1", "N = '1 OR 1=1' "},
        {"N", "-2.5", "N = -2.5 "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ComposeNodeSql({"N = ", "", c.kind, "", 0}, c.id), c.sql) << c.id;
}

// The department tree as the department window drives it: the root's
// children by a fixed query, deeper levels by the parent's ID, and a count
// query that gives a placeholder only to departments with sub-departments.
class TreeViewTest : public test::ControlsDbTest {
protected:
    void SetUp() override {
        Exec({Row("G001", "G002", "总公司", 1), Row("G001001", "G001", "财务部", 1),
              Row("G001002", "G001", "销售部", 2), Row("G001001001", "G001001", "会计组", 1)});
        tree_.SetDataBaseName(test::kDatabaseName);
        tree_.RootID = "G001";
        tree_.RootName = "总公司";
        tree_.SetImages({QIcon(), QIcon(), QIcon()});
        tree_.OnExpanding = [this](QObject* sender, TTreeNode* node, bool&) {
            EXPECT_EQ(sender, &tree_);
            opened_ << node->text(0);
            tree_.SetNodeSql(0, "", "", "", "", 0);
            if (node == Root()) {
                tree_.SetNodeSql(0, kSelect + "'G001'", " ORDER BY ORDER_ID", "", "", 0);
            } else {
                tree_.SetNodeSql(0, kSelect, " ORDER BY ORDER_ID", "C", "", 0);
            }
            tree_.SetNodeSql(1, "SELECT Count(COMPANY_ID) FROM SYS_COMPANY_TABLE WHERE PRIOR_ID = ",
                             "", "C", "", 0);
        };
        tree_.SetNodeSql(1, "", "", "A", "", 0);
        tree_.HookEvents();
    }

    static QString Row(const QString& id, const QString& prior, const QString& name, int order) {
        return QString("INSERT INTO SYS_COMPANY_TABLE (COMPANY_ID, PRIOR_ID, COMPANY_NAME, "
                       "ORDER_ID) VALUES ('%1', '%2', '%3', %4)")
            .arg(id, prior, name)
            .arg(order);
    }

    TTreeNode* Root() { return tree_.topLevelItemCount() ? tree_.topLevelItem(0) : nullptr; }
    static QStringList Texts(const TTreeNode* node) {
        QStringList texts;
        for (int i = 0; i < node->childCount(); ++i)
            texts << node->child(i)->text(0);
        return texts;
    }

    const QString kSelect = "SELECT COMPANY_ID,COMPANY_NAME,ORDER_ID FROM SYS_COMPANY_TABLE WHERE "
                            "PRIOR_ID = ";
    TKXTreeView tree_;
    QStringList opened_;
};

TEST_F(TreeViewTest, BuildShowsTheRootAndReadsOnlyItsChildren) {
    tree_.BuildTree();
    ASSERT_TRUE(Root());
    EXPECT_EQ(Root()->text(0), "总公司");
    EXPECT_EQ(tree_.GetNodeID(Root()), "G001");
    EXPECT_EQ(Texts(Root()), QStringList({"财务部", "销售部"}));
    EXPECT_EQ(opened_, QStringList({"总公司"}));
    EXPECT_EQ(tree_.ImageIndex(Root()), 1);

    TTreeNode* finance = Root()->child(0);
    TTreeNode* sales = Root()->child(1);
    EXPECT_EQ(Texts(finance), QStringList({"temp"}));
    EXPECT_EQ(tree_.ImageIndex(finance), 0);
    EXPECT_EQ(sales->childCount(), 0);
    EXPECT_EQ(tree_.ImageIndex(sales), 2);

    finance->setExpanded(true);
    EXPECT_EQ(Texts(finance), QStringList({"会计组"}));
    EXPECT_EQ(tree_.GetNodeName(finance->child(0)), "会计组");
    EXPECT_EQ(tree_.ImageIndex(finance), 1);
    EXPECT_EQ(opened_, QStringList({"总公司", "财务部"}));
}

TEST_F(TreeViewTest, WithPlaceholdersEverywhereAnOpenedLeafShowsNoChildren) {
    TKXTreeView tree;
    tree.SetDataBaseName(test::kDatabaseName);
    tree.RootID = "G001";
    tree.RootName = "总公司";
    tree.SetNodeSql(1, "", "", "a", "", 0);
    tree.OnExpanding = [&](QObject*, TTreeNode* node, bool&) {
        const bool root = node == tree.topLevelItem(0);
        tree.SetNodeSql(0, root ? kSelect + "'G001'" : kSelect, " ORDER BY ORDER_ID",
                        root ? "" : "C", "", 0);
    };
    tree.HookEvents();
    tree.BuildTree();
    TTreeNode* sales = tree.topLevelItem(0)->child(1);
    EXPECT_EQ(Texts(sales), QStringList({"temp"}));
    sales->setExpanded(true);
    EXPECT_EQ(sales->childCount(), 0);
}

TEST_F(TreeViewTest, AddingUnderAnUnreadParentWaitsForItsOpening) {
    tree_.BuildTree();
    TTreeNode* finance = Root()->child(0);
    Exec({Row("G001001002", "G001001", "出纳组", 2)});
    EXPECT_EQ(tree_.AddNode(finance, "出纳组", "G001001002"), nullptr);
    EXPECT_EQ(Texts(finance), QStringList({"temp"}));
    finance->setExpanded(true);
    EXPECT_EQ(Texts(finance), QStringList({"会计组", "出纳组"}));

    Exec({Row("G001003", "G001", "后勤部", 3)});
    TTreeNode* added = tree_.AddNode(Root(), "后勤部", "G001003");
    ASSERT_TRUE(added);
    EXPECT_EQ(Texts(Root()), QStringList({"财务部", "销售部", "后勤部"}));
    EXPECT_EQ(tree_.GetNodeID(added), "G001003");
    EXPECT_EQ(tree_.ImageIndex(added), 2);
}

TEST_F(TreeViewTest, RenameChangesTheTextOfEveryNodeWithTheIdButNotItsName) {
    tree_.BuildTree();
    tree_.AddNode(nullptr, "财务部", "G001001");
    tree_.RenameNodes("G001001", "财务中心");
    EXPECT_EQ(Root()->child(0)->text(0), "财务中心");
    EXPECT_EQ(tree_.topLevelItem(1)->text(0), "财务中心");
    EXPECT_EQ(tree_.GetNodeName(Root()->child(0)), "财务部");
    tree_.SetNodeName(Root()->child(0), "财务中心");
    EXPECT_EQ(tree_.GetNodeName(Root()->child(0)), "财务中心");
    EXPECT_EQ(tree_.GetNodeName(tree_.topLevelItem(1)), "财务部");
}

TEST_F(TreeViewTest, DeletingANodeWithChildrenNeedsForce) {
    tree_.BuildTree();
    TTreeNode* finance = Root()->child(0);
    EXPECT_FALSE(tree_.DeleteNode(finance, false));
    EXPECT_EQ(messages_.texts, QStringList({"请先删除该节点的子节点"}));
    EXPECT_EQ(Root()->childCount(), 2);
    EXPECT_TRUE(tree_.DeleteNode(Root()->child(1), false));
    EXPECT_TRUE(tree_.DeleteNode(finance, true));
    EXPECT_EQ(Root()->childCount(), 0);
    EXPECT_FALSE(tree_.DeleteNode(nullptr, true));
}

TEST_F(TreeViewTest, BuildWithoutRootNameKeepsTheOldTree) {
    tree_.BuildTree();
    tree_.RootName.clear();
    tree_.BuildTree();
    EXPECT_EQ(messages_.texts, QStringList({"没有节点ID或没有节点名称，不能建立节点"}));
    ASSERT_TRUE(Root());
    EXPECT_EQ(Root()->childCount(), 2);
    EXPECT_TRUE(tree_.ClearTree());
    EXPECT_EQ(tree_.topLevelItemCount(), 0);
}

TEST_F(TreeViewTest, TheFirstSelectionChangeAfterLoadingStaysWithTheTree) {
    QStringList changes;
    TKXTreeView tree;
    tree.OnChange = [&](QObject*, TTreeNode* node) { changes << node->text(0); };
    tree.HookEvents();
    tree.SetSetColor(true);
    tree.RootID = "G001";
    tree.RootName = "总公司";
    tree.BuildTree();
    tree.AddNode(nullptr, "销售部", "G001002");
    tree.setCurrentItem(tree.topLevelItem(0));
    tree.setCurrentItem(tree.topLevelItem(1));
    EXPECT_EQ(changes, QStringList({"销售部"}));
    EXPECT_FALSE(tree.SetColor());
}

TEST_F(TreeViewTest, HookingTwiceKeepsOneChain) {
    tree_.HookEvents();
    tree_.BuildTree();
    Root()->child(0)->setExpanded(true);
    EXPECT_EQ(opened_, QStringList({"总公司", "财务部"}));
}

TEST_F(TreeViewTest, SelectedItemsAreDrawnInTheSelectColourBeforeTheWindowDraws) {
    TKXTreeView tree;
    TTreeItemColors seen{};
    tree.OnCustomDrawItem = [&](QObject*, TTreeNode*, bool, TTreeItemColors& colors, bool&) {
        seen = colors;
    };
    tree.HookEvents();
    TTreeItemColors colors{ui::clHighlight, ui::clHighlightText};
    bool defaultDraw = true;
    tree.OnCustomDrawItem(&tree, nullptr, true, colors, defaultDraw);
    EXPECT_EQ(seen.Brush, 0xC08000u);
    EXPECT_EQ(seen.Font, ui::clWhite);
    colors = {ui::clWindow, ui::clWindowText};
    tree.OnCustomDrawItem(&tree, nullptr, false, colors, defaultDraw);
    EXPECT_EQ(seen.Brush, ui::clWindow);
}

TEST_F(TreeViewTest, AParentCycleInTheTableDoesNotNestForEver) {
    Exec({Row("G001", "G001001001", "总公司", 1)});
    tree_.BuildTree();
    TTreeNode* finance = Root()->child(0);
    finance->setExpanded(true);
    TTreeNode* group = finance->child(0);
    group->setExpanded(true);
    EXPECT_EQ(group->childCount(), 0);
}

} // namespace
} // namespace kx
