#pragma once
// What the data source, the query and the input-method helpers set on an
// input control while they walk a window: its colours, its lock in the
// state of its data set, and its input-method name. Each input control
// class implements it and answers for its own rules, so a walk reaches
// every control, a new one included, without a list of control classes.

#include "platform/ui/colors.h"

#include <QString>

namespace kx {

namespace db {
class TDataSet;
}

class TInputControl {
public:
    virtual ~TInputControl() = default;

    virtual void SetColor(ui::TColor color) = 0;
    // The colour the control takes back when the focus leaves.
    virtual void SetSavedColor(ui::TColor color) = 0;
    virtual void SetColorOnFocus(ui::TColor color) = 0;

    // The lock of the control's class in its data set's state: browsing is
    // true while the data set neither inserts nor edits; tag is the
    // control's Tag as the rules read it (a detail window's 502 as 2).
    virtual void FollowDataState(bool browsing, int tag) = 0;

    virtual void SetImeName(const QString& name) = 0;
    // Typed as text: the helpers that name a whole form give it their input
    // method, while a box for numbers, dates, times or telephone numbers
    // gets none.
    virtual bool TypesText() const = 0;

    // The control is where that field of the data set is typed in.
    virtual bool ShowsField(const db::TDataSet* dataSet, const QString& fieldName) const = 0;
};

} // namespace kx
