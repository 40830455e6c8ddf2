#pragma once
// What the base forms decide without a window: which buttons the user's
// rights enable, which button a function key presses, and the date prefixes
// a window's query numbers its rows with.

#include <QString>

namespace kx {

// The user's rights for one window, one flag each; Found is set when a
// rights row existed.
struct TFormRights {
    bool Add = false;
    bool Edit = false;
    bool Delete = false;
    bool Browse = false;
    bool Print = false;
    bool Verify = false;
    bool Currency = false;
    bool Found = false;
};

// Add, edit and delete all follow the add right; print the print right;
// the check button the verify right.
struct TRightButtons {
    bool Add = false;
    bool Edit = false;
    bool Delete = false;
    bool Print = false;
    bool Check = false;
};

TRightButtons RightButtonsOf(const TFormRights& rights);

// A window that names no program group and program is everybody's to add,
// edit and delete in; its other rights stay off.
bool NamesProgram(const QString& groupName, const QString& programName);
TFormRights UnnamedProgramRights();

enum class TFormKind { AppForm, PopEditor, PopList };

// The object name of the button a key presses on that kind of form; empty
// for a key the form leaves alone (no key presses the check button).
QString FunctionKeyButton(TFormKind kind, int key);

// "YYYYMM" of a working date "YYYY-MM-DD".
QString YearMonthPrefixOf(const QString& today);

} // namespace kx
