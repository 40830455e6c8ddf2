#pragma once
// The look of the lookup list a lookup column drops down from its editor.

#include "platform/db/datasource.h"

#include <QPointer>

namespace kx {

class TColumnDropDownBoxX {
public:
    void Assign(const TColumnDropDownBoxX& source);

    bool AutoFitColWidths = true;
    bool UseMultiTitle = false;
    db::TDataSource* ListSource() const { return listSource_; }
    void SetListSource(db::TDataSource* source) { listSource_ = source; }

private:
    QPointer<db::TDataSource> listSource_;
};

} // namespace kx
