#pragma once
// The multi-condition find dialog of the list windows: the window hands it
// its field rules, shows it on each find command and reads back the SQL
// pieces for its WHERE clause and the readable text of the conditions.

#include "core/fieldsdata.h"
#include "frame/dialogs/finddialog.h"

namespace kx {

class TKXFindForm;

class TFindFormDialog : public TFindDialog {
    Q_OBJECT
public:
    explicit TFindFormDialog(QObject* owner = nullptr);

    // New field rules empty the window; its lists are refilled at the next
    // showing.
    void SetFieldsData(const TFieldsDataArray& fields);
    // True when closed with "确认[F3]" or "全部数据".
    bool Execute();
    // The SQL pieces in order, the first without a logic word; the caller
    // puts them one after the other inside parentheses into its WHERE.
    const QStringList& GetConditionList() const;
    // The readable lines one after the other.
    QString GetConditionText() const;

    TKXFindForm* Form() const;
};

} // namespace kx
