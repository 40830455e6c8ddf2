#pragma once
// The single-condition find dialog (the users window's): one field,
// relation and value become one SQL expression.

#include "core/fieldsdata.h"
#include "frame/dialogs/finddialog.h"

namespace kx {

class TKXFindSimpleForm;

class TFindSimpleFormDialog : public TFindDialog {
    Q_OBJECT
public:
    explicit TFindSimpleFormDialog(QObject* owner = nullptr);

    // Keeps the field rules; the lists are refilled at the next showing.
    void SetFieldsData(const TFieldsDataArray& fields);
    // True when closed with "确认[F3]" or "全部数据". The presets apply only
    // while no field is chosen; the window and its date picker take the
    // font of Language.
    bool Execute();
    // The expression built by the last OK.
    QString GetFindText() const;

    TKXFindSimpleForm* Form() const;
};

} // namespace kx
