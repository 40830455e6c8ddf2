#pragma once
// The single-condition find window: one field, relation and value become
// one SQL expression.

#include "frame/dialogs/findwindow.h"

namespace kx {

class TKXFindSimpleForm : public TFindWindow {
    Q_OBJECT
public:
    explicit TKXFindSimpleForm(QWidget* parent = nullptr);

    // The expression built by the last OK.
    const QString& FindText() const { return findText_; }

protected:
    void SureButtonClick() override;

private:
    QString findText_;
};

} // namespace kx
