#pragma once
// Spoils one page of a database file as a failing disk would, for the tests
// of what the program does with damaged data.

#include <QString>

namespace kx::test {

// Overwrites the header of one leaf page of the table or index `name`: the
// leaf under the middle entry of its root, or the root itself when that is
// a leaf. No connection may hold the file open. Returns false when the
// b-tree cannot be found.
bool DamageLeafPage(const QString& databaseFile, const QString& name);

} // namespace kx::test
