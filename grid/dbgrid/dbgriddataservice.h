#pragma once
// The one place where a data-aware grid reaches its data set to filter,
// sort, search for a text and move records, and where it opens its find
// dialog. A features object registered for the data set's class does the
// work where there is one (datasetfeaturesx.h); none is registered in the
// program, so the defaults apply: the text search walks the current
// column, the find dialog is the library's, and filtering, sorting and
// moving do nothing unless a handler is set.

#include "platform/db/dataset.h"

#include <QList>
#include <QString>

#include <functional>

namespace kx {

class TCustomDBGridX;

// Options of a text search, as bits.
constexpr int ltoCaseInsensitive = 1;
constexpr int ltoAllColumns = 2;
constexpr int ltoDisplayText = 4;

enum TLocateTextDirection { ltdUp, ltdDown, ltdAll };
enum TLocateTextMatching { ltmAnyPart, ltmWhole, ltmFromBeginning };

// Searches the grid's current column (fieldName is not read) for text, or
// with ltoAllColumns every visible column from the current one on, record
// by record. ltdAll starts at the first record and tests it, ltdUp and
// ltdDown step first. The first match stays current and its column becomes
// the current one; without one the grid's row position is restored.
bool FindTextInGridColumn(TCustomDBGridX* grid, const QString& fieldName, const QString& text,
                          int options, TLocateTextDirection direction, TLocateTextMatching matching,
                          int range);

// The library's find dialog; the find-dialog unit sets it when it starts.
using TGridFindDialogProc = std::function<void(TCustomDBGridX* grid, const QString& text,
                                               const QString& fieldName, bool modal)>;
inline TGridFindDialogProc GridFindDialogProc;

class TDBGridXDataService {
public:
    using TGridHandler = std::function<void(TCustomDBGridX* grid)>;

    virtual ~TDBGridXDataService() = default;

    virtual bool DefaultLocateText(TCustomDBGridX* grid, const QString& fieldName,
                                   const QString& text, int options, TLocateTextDirection direction,
                                   TLocateTextMatching matching, int range);
    virtual bool DefaultMoveRecords(TCustomDBGridX* grid, const QList<db::TBookmark>& bookmarks,
                                    int target, bool checkOnly);
    virtual bool LocateText(TCustomDBGridX* grid, const QString& fieldName, const QString& text,
                            int options, TLocateTextDirection direction,
                            TLocateTextMatching matching, int range);
    virtual bool MoveRecords(TCustomDBGridX* grid, const QList<db::TBookmark>& bookmarks,
                             int target, bool checkOnly);
    virtual void ApplyFilter(TCustomDBGridX* grid);
    virtual void ApplySorting(TCustomDBGridX* grid);
    virtual void DefaultApplyFilter(TCustomDBGridX* grid);
    virtual void DefaultApplySorting(TCustomDBGridX* grid);
    virtual void OpenFindDialog(TCustomDBGridX* grid, const QString& text, const QString& fieldName,
                                bool modal);

    TGridHandler SortingHandler;
    TGridHandler FilterHandler;
};

// Made when the grid library starts and freed when it ends; none outside.
TDBGridXDataService* GridDataService();
void CreateGridDataService();
void DestroyGridDataService();

} // namespace kx
