#pragma once
// The window's input controls as the query and the data source see them
// when they walk a window: which controls there are, in the order the window
// made them, which of them show a field of a data set, and how each takes
// the colours and the read-only state of its data set's state.

#include "platform/ui/colors.h"

#include <QList>
#include <QString>

class QObject;
class QWidget;

namespace kx {

namespace db {
class TDataSet;
}

// The window's components in creation order: the order the window keeps,
// else its children depth first.
QList<QObject*> WindowComponents(const QObject* window);

// The text an input control shows; empty for anything else.
QString ControlText(const QWidget* control);

// Gives an edit, combo box, list box, lookup box or button edit the colour;
// false for any other component.
bool PaintFocusColor(QObject* control, ui::TColor color);

// True for a data-aware edit, combo box, button edit or lookup combo box
// showing that field of the data set.
bool IsFieldControl(const QObject* control, const db::TDataSet* dataSet, const QString& fieldName);

// The colours and locks of one state of the data set.
struct TStateLook {
    ui::TColor Color;      // colour and resting colour
    ui::TColor FocusColor; // colour while focused
    bool ReadOnly;         // browsing: the controls only show
};

// Applies the data source's class rules to one component: its colours, and
// read-only or enabled by the state; tag is the component's Tag as the rules
// read it (a detail window's 502 reads as 2). Look-up boxes take the colours
// only: they have no read-only switch. Answers false for a component the
// rules do not know.
bool ApplyStateLook(QObject* control, int tag, const TStateLook& look);

// The data-aware edit's rule for Tags 3 and 4: read-only and out of the
// tab order; false for any other component.
bool LockDataEdit(QObject* control);

bool IsButtonEdit(const QObject* control);

} // namespace kx
