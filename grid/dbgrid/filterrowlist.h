#pragma once
// The filter row's pure rules: the entries of a filter cell's drop-down
// list, and what a key does in the filter editor.

#include "platform/ui/customcontrol.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace kx {

// Codes of the special entries; values of the column carry 0.
enum TFilterSpecialEntry {
    fseValue = 0,
    fseEmpty = 1,
    fseNotEmpty = 2,
    fseAll = 3,
    fseClearFilter = 4,
    fseSeparator = 5,
    fseOrderAscending = 6,
    fseOrderDescending = 7
};

struct TFilterListItem {
    QString Text;
    int Code = fseValue;
    bool operator==(const TFilterListItem&) const = default;
};

QString FilterSpecialEntryText(int code);

// The column's values, each found in keyList shown as the pickList text at
// its place, after the special entries (the sort entries only when asked).
QList<TFilterListItem> BuildFilterList(const QStringList& values, const QStringList& keyList,
                                       const QStringList& pickList, bool sortEntries);

// The editor text a special entry leaves; false for entries that leave the
// text alone.
bool FilterEntryText(int code, QString& text);

enum TFilterKeyAction {
    fkaPass,      // the editor handles the key
    fkaSwallow,   // nothing happens
    fkaNext,      // the next filter cell
    fkaPrior,     // the previous filter cell
    fkaFirst,     // the first filter cell
    fkaLast,      // the last filter cell
    fkaLeave,     // back to the data cells
    fkaCaretToEnd // the caret to the end of the text, nothing selected
};

// The editor's caret and selection, as the key table reads them.
struct TFilterCaret {
    int Position = 0;
    int SelStart = 0;
    int SelLength = 0;
    int TextLength = 0;
};

// key is a Qt key code; Left and Right are taken as swapped already for a
// right-to-left grid.
TFilterKeyAction FilterEditorKeyAction(int key, ui::TShiftState shift, const TFilterCaret& caret,
                                       bool tabs, bool linkActive);

} // namespace kx
