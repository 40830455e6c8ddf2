#pragma once
// What a grid needs of a control to use it as its in-place cell editor.

#include "platform/ui/colors.h"
#include "platform/ui/customcontrol.h"

#include <QFont>

#include <functional>

class QObject;

namespace kx {

class IInplaceEditorX {
public:
    virtual QFont GetFont() const = 0;
    // The holder must offer IInplaceEditHolderX; none ends the in-place use.
    virtual void SetInplaceEditHolder(QObject* holder) = 0;
    virtual void SetBorderStyle(ui::TBorderStyle style) = 0;
    virtual void SetFont(const QFont& font) = 0;
    virtual void SetColor(ui::TColor color) = 0;
    virtual void SetOnKeyPress(std::function<void(QObject* sender, QChar& key)> handler) = 0;
    virtual void SetOnExit(std::function<void(QObject* sender)> handler) = 0;

protected:
    ~IInplaceEditorX() = default;
};

} // namespace kx
