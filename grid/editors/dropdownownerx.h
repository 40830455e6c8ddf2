#pragma once
// What a drop-down window (a list, the calendar, the calculator) asks of the
// control it dropped down from: to close it, taking its value or not.

namespace kx {

class IDropDownOwnerX {
public:
    virtual void CloseUp(bool accept) = 0;

protected:
    ~IDropDownOwnerX() = default;
};

} // namespace kx
