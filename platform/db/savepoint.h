#pragma once
// A savepoint on a connection: either every statement run inside it stays,
// or none does; nests inside an open transaction.

#include <QByteArray>

struct sqlite3;

namespace kx::db {

class Savepoint {
public:
    // Opens the savepoint; throws the engine's error when it cannot.
    Savepoint(sqlite3* db, const char* name);
    // Rolls back to the savepoint unless it was released.
    ~Savepoint();
    Savepoint(const Savepoint&) = delete;
    Savepoint& operator=(const Savepoint&) = delete;

    // Keeps what was done inside it.
    void Release();

private:
    void Run(const QByteArray& verb);

    sqlite3* db_;
    QByteArray name_;
    bool released_ = false;
};

} // namespace kx::db
