#pragma once
// What the base forms decide without a window: which buttons the user's
// rights enable, which button a function key presses, and the date prefixes
// a window's query numbers its rows with.

#include <QString>

namespace kx {

struct TRights;

// Add, edit and delete all follow the add right; print the print right;
// the check button the verify right.
struct TRightButtons {
    bool Add = false;
    bool Edit = false;
    bool Delete = false;
    bool Print = false;
    bool Check = false;
};

TRightButtons RightButtonsOf(const TRights& rights);

// A window that names no program group and program is everybody's to add,
// edit and delete in; its other rights stay off.
bool NamesProgram(const QString& groupName, const QString& programName);
TRights UnnamedProgramRights();

enum class TFormKind { AppForm, PopEditor, PopList };

// The object name of the button a key presses on that kind of form; empty
// for a key the form leaves alone (no key presses the check button).
QString FunctionKeyButton(TFormKind kind, int key);

// "YYYYMM" of a working date "YYYY-MM-DD".
QString YearMonthPrefixOf(const QString& today);

} // namespace kx
