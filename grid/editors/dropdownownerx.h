#pragma once
// What a drop-down asks of the control it dropped down from: to close it,
// taking the drop-down's value when accept is true.

namespace kx {

class IDropDownOwnerX {
public:
    virtual void CloseUp(bool accept) = 0;

protected:
    ~IDropDownOwnerX() = default;
};

} // namespace kx
