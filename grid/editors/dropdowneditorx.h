#pragma once
// A drop-down window that edits a value for its owner (the calculator): the
// owner hands it the value and its look when it drops it down, and reads the
// value back when the user accepts.

#include <QVariant>

namespace kx {

class IDropDownEditorX {
public:
    // No computation is pending: the shown value is the answer.
    virtual bool IsResultReady() const = 0;
    virtual bool GetFlat() const = 0;
    // Not a number when the editor shows an error.
    virtual QVariant GetValue() const = 0;
    virtual void SetFlat(bool flat) = 0;
    virtual void SetValue(const QVariant& value) = 0;

protected:
    ~IDropDownEditorX() = default;
};

} // namespace kx
