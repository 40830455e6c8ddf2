#pragma once
// The rules the subject and fund-account windows keep when a node of their
// code tree is added or deleted, without a window: how deep the tree may
// grow, how many children a node may have, and which rows elsewhere keep a
// code from being deleted.

#include <QList>
#include <QString>

namespace kx::cashbook {

// Rows of another table that use a code: counted by `CountSql` + the quoted
// code; any at all refuse the deletion with `Message`.
struct TCodeUse {
    QString CountSql;
    QString Message;
};

struct TCodeTreeRules {
    QString Table;
    QString IdColumn;
    int MaxLevels;
    QString LevelMessage;
    QList<TCodeUse> Uses;
};

const TCodeTreeRules& SubjectTreeRules();
const TCodeTreeRules& AccountTreeRules();

// Why no child may be added under the node of that code and level (0 for
// the root); empty when one may.
QString AddChildRefusal(const TCodeTreeRules& rules, const QString& parentId, int level);

// The message of the first use that keeps the code; empty when none does.
QString DeleteRefusal(const TCodeTreeRules& rules, const QString& id);

} // namespace kx::cashbook
