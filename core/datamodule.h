#pragma once
// The data module: the program's one database connection, checked against
// its alias at creation. The connection itself is made by the main window.

#include "platform/db/database.h"

#include <QObject>
#include <QPointer>

namespace kx {

inline const QString kAliasName = QStringLiteral("RUReravezLink");
inline const QString kDatabaseName = QStringLiteral("RUReravezDataBase");

class TDM : public QObject {
    Q_OBJECT
public:
    explicit TDM(QObject* owner = nullptr);

    db::TDatabase* MainDatabase;

private:
    void DataModuleCreate();
};

// The running program's data module.
inline QPointer<TDM> DM;

} // namespace kx
