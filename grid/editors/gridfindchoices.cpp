#include "grid/editors/gridfindchoices.h"

namespace kx {

TGridFindArgs MapGridFindChoices(const TGridFindChoices& choices) {
    TGridFindArgs args;
    if (!choices.MatchCase)
        args.Options |= ltoCaseInsensitive;
    if (choices.AllColumns)
        args.Options |= ltoAllColumns;
    if (choices.UseFormat)
        args.Options |= ltoDisplayText;

    int direction = choices.DirectionIndex < 0 ? ltdAll : choices.DirectionIndex;
    if (choices.Reverse)
        direction = direction == ltdUp ? ltdDown : ltdUp;
    // Only the first search after a change starts at the first record.
    if (!choices.FirstSearch && direction == ltdAll)
        direction = ltdDown;
    args.Direction = static_cast<TLocateTextDirection>(direction);

    args.Matching = static_cast<TLocateTextMatching>(std::max(choices.MatchIndex, 0));
    args.TreeRange = std::max(choices.TreeRangeIndex, 0);
    return args;
}

} // namespace kx
