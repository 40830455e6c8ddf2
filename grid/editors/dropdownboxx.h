#pragma once
// How a combo box drops its list down: aligned to the left or right edge or
// centred under the box, how many rows, how wide (0: as wide as the box),
// whether the user may resize it, and whether it opens by itself on typing.

namespace kx {

enum TDropDownAlign { daLeft, daRight, daCenter };

class TDropDownBoxX {
public:
    TDropDownAlign Align = daLeft;
    bool AutoDrop = false;
    int Rows = 7;
    bool Sizable = false;
    int Width = 0;

    // AutoDrop is the box's own choice and stays.
    void Assign(const TDropDownBoxX& source) {
        Align = source.Align;
        Rows = source.Rows;
        Width = source.Width;
        Sizable = source.Sizable;
    }
};

} // namespace kx
