#pragma once
// A fresh data folder for a test: made from the shipped schema in a temporary
// directory and named by the "RUReravezLink" alias, so code under test opens
// it exactly as the program opens the user's data.

#include <QString>
#include <QTemporaryDir>

namespace kx::test {

// The shipped schema: $KX_SCHEMA_DIR, else the source tree's schema/.
QString SchemaDir();

class TempDataFolder {
public:
    // Throws std::runtime_error when the folder cannot be made.
    TempDataFolder();

    // The data folder; its parent (the program folder, where "DataFile"
    // goes) is private to this object as well.
    QString Path() const;
    QString DatabaseFile() const;

private:
    QTemporaryDir root_;
};

} // namespace kx::test
