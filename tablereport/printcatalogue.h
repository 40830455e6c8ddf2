#pragma once
// The print template catalogue: the rows of SYS_PRINT_NAME_TABLE, the query
// rules shared by the windows that write them, and where the body of a row
// lives. A template folder, when given, always wins: the body is the file
// named exactly PRINT_ID in it. Only without a folder is the body the row
// PRINT_ID, column PRINT_TABLE, of the template table.

#include "core/fieldsdata.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace kx {

class TKXQuery;

namespace db {
class TUpdateSQL;
}

inline const QString kCatalogueTable = QStringLiteral("SYS_PRINT_NAME_TABLE");

// The catalogue table on the query: update statements keyed by PRINT_INDEX
// and PRINT_ID, new rows numbered "BX" + "yymmddhhnnss", and the duplicate
// check of that number.
void SetupCatalogueQuery(TKXQuery& query, db::TUpdateSQL& update);

// The catalogue's field list: the title and the editing stamps shown, the
// keys hidden.
TFieldsDataArray CatalogueFieldsData();

// The prompt for a catalogue row whose template file is not there.
QString MissingTemplateFilePrompt(const QString& path);

class TPrintCatalogue {
public:
    QString DatabaseName;
    QString TemplateDir;
    QString TemplateTable;

    bool InFiles() const { return !TemplateDir.isEmpty(); }
    bool HasPlace() const { return InFiles() || !TemplateTable.isEmpty(); }
    QString BodyPath(const QString& printId) const;

    // The template table's body of the row; nullopt without a row. The
    // engine's errors reach the caller.
    std::optional<QByteArray> ReadTableBody(const QString& printId) const;
    // Writes or replaces the body row; throws, with the old row kept, when
    // that fails.
    void WriteTableBody(const QString& printId, const QByteArray& body) const;
    // False when the body is still there afterwards; a file that is not
    // there counts as removed.
    bool RemoveBody(const QString& printId) const;
};

} // namespace kx
