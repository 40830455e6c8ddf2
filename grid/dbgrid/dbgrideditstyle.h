#pragma once
// The choices of the data-aware grid's cell editor that need no window: the
// edit style a column gets, how high its pick list drops, and how typed text
// completes against a list of entries.

#include <QString>
#include <QStringList>

namespace kx {

class TColumnX;

// The style decides the editor's default button and its drop-down.
enum TDBGridEditStyle : quint8 {
    gesPlain,
    gesEllipsis,
    gesPickList,
    gesLookup,
    gesDate,
    gesUpDown,
    gesDropDown
};

// What the style depends on, read from a column, its field and its grid.
struct TEditStyleFacts {
    int ButtonStyle = 0; // TColumnButtonStyleX
    bool HasField = false;
    bool LookupField = false;
    bool LookupKeysModifiable = false;
    bool ColumnReadOnly = false;
    bool GridReadOnly = false;
    bool LinkActive = false;
    bool LinkReadOnly = false;
    bool HasPickList = false;
    bool DateField = false;
};

TDBGridEditStyle ChooseEditStyle(const TEditStyleFacts& facts);
TEditStyleFacts ReadEditStyleFacts(const TColumnX* column);
TDBGridEditStyle ColumnEditStyle(const TColumnX* column);

// Rows a list of count entries shows: all of them below dropDownRows.
int DropDownListRows(int count, int dropDownRows);

// The first entry that begins with text, compared without case; -1 none.
int FindListPrefix(const QStringList& list, const QString& text);

// The editor's text after typing into a list cell: the found entry with the
// part after the typed text selected.
struct TCompletion {
    bool Found = false;
    int Index = -1;
    QString Text;
    int SelStart = 0;
    int SelLength = 0;
};
TCompletion CompleteFromList(const QStringList& list, const QString& typed);

} // namespace kx
