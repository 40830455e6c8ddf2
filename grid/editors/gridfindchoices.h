#pragma once
// What the grid's find dialog asks the grid for, from the choices the user
// made in it: the option bits, the direction, the kind of match and the tree
// range. An index of -1 is a combo box without a selection.

#include "grid/dbgrid/dbgriddataservice.h"

namespace kx {

struct TGridFindChoices {
    bool MatchCase = false;
    bool AllColumns = false;
    bool UseFormat = true;
    int DirectionIndex = 2; // "Up", "Down", "All"
    int MatchIndex = 0;     // "From any part of field", "Whole field", "From beging of field"
    int TreeRangeIndex = 0;
    bool Reverse = false; // Ctrl held while finding
    bool FirstSearch = true;
};

struct TGridFindArgs {
    int Options = 0;
    TLocateTextDirection Direction = ltdAll;
    TLocateTextMatching Matching = ltmAnyPart;
    int TreeRange = 0;

    bool operator==(const TGridFindArgs&) const = default;
};

TGridFindArgs MapGridFindChoices(const TGridFindChoices& choices);

} // namespace kx
