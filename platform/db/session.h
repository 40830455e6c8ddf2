#pragma once
// The session: which aliases exist and which folder each names (the alias
// store of platform/sys), and the databases known by name, which every
// query looks its database up in.

#include <QList>
#include <QString>

#include <memory>
#include <vector>

namespace kx::db {

class TDatabase;

class TSession {
public:
    static TSession& Default();

    TSession() = default;
    TSession(const TSession&) = delete;
    TSession& operator=(const TSession&) = delete;
    ~TSession();

    // Kept for the start-up, which activates and deactivates the session;
    // nothing depends on it.
    bool Active() const { return active_; }
    void SetActive(bool active) { active_ = active; }

    bool IsAlias(const QString& alias) const;
    // The data folder of an alias; raises EDBEngineError 10770 for an
    // unknown alias.
    QString AliasPath(const QString& alias) const;

    TDatabase* FindDatabase(const QString& databaseName) const;
    // The database of that name, or a database the session makes for an
    // alias of that name; raises EDBEngineError 10770 when there is neither.
    TDatabase* OpenDatabase(const QString& databaseName);

private:
    friend class TDatabase;

    void AddDatabase(TDatabase* database);
    void RemoveDatabase(TDatabase* database);

    bool active_ = true;
    QList<TDatabase*> databases_;
    std::vector<std::unique_ptr<TDatabase>> temporary_;
};

} // namespace kx::db
