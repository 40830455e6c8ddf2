#pragma once
// The data source between a working window's query and its controls. On
// every state change of the data set it enables the window's buttons by
// state (browsing: navigation, add, edit, delete, print, find, close;
// inserting or editing: save and cancel) and then disables those the user
// has no right to, recolours every input control of the window and makes it
// read-only or writable, and finally calls the window's own handler.
//
// Controls follow their Tag: 1 keeps a grid as it is; 30 and 5 only enable
// a control while browsing; 100 is left alone; 3 and 4 keep a data-aware
// edit read-only and out of the tab order; 2 keeps a control writable (or a
// data-aware edit read-only); 6 and 7 keep a button edit's button for
// browsing. A detail window (IS_DETAIL_CHANGE) reads 502 to 507 as 2 to 7.

#include "frame/data/windowcontrols.h"
#include "platform/db/datasource.h"
#include "platform/ui/colors.h"

#include <QPointer>

#include <functional>

namespace kx {

class TKXDataSource : public db::TDataSource {
    Q_OBJECT
public:
    // The owner is the window whose controls the data source colours.
    explicit TKXDataSource(QObject* owner = nullptr);

    ui::TColor BrowseColor() const { return browseColor_; }
    void SetBrowseColor(ui::TColor color) { browseColor_ = color; }
    ui::TColor EditColor() const { return editColor_; }
    void SetEditColor(ui::TColor color) { editColor_ = color; }
    ui::TColor ColorOnFocus() const { return colorOnFocus_; }
    void SetColorOnFocus(ui::TColor color) { colorOnFocus_ = color; }
    // While off, state changes only call the window's handler; the query
    // switches it off while code edits a row by itself.
    bool ActiveColor() const { return activeColor_; }
    void SetActiveColor(bool active) { activeColor_ = active; }

    // Once: keeps the window's state-change handler, puts StateChanged in
    // its place and runs it.
    void HookStateChange();
    void StateChanged(db::TDataSource* sender);
    // Disables the buttons the user has no right to; never enables one.
    void ApplyRights();
    void ApplyStateColors();

    // The window's buttons: tool buttons, actions or push buttons.
    QPointer<QObject> ButtonNew, ButtonAdd, ButtonEdit, ButtonPrint, ButtonCheck, ButtonDelete,
        ButtonCancel, ButtonSave, ButtonFind, ButtonOther, ButtonPrior, ButtonNext, ButtonFirst,
        ButtonLast;
    QPointer<QObject> Button_Add, Button_New, Button_Edit, Button_Delete, Button_Find, Button_Prior,
        Button_Next, Button_First, Button_Last, Button_Check, Button_Print, Button_Save,
        Button_Cancel, Button_Close;
    QPointer<QObject> SpeedButton1, SpeedButton2, SpeedButton3, SpeedButton4, SpeedButton5;

    bool RightAdd = true;
    bool RightEdit = true;
    bool RightPrint = true;
    bool RightCheck = true;
    bool RightDelete = true;
    // Recolour only the controls with Tag below 500 (master) or from 500
    // on (detail).
    bool IS_MASTER_CHANGE = false;
    bool IS_DETAIL_CHANGE = false;

private:
    void ApplyToComponent(QObject* component, const TStateLook& look);

    ui::TColor browseColor_ = 0xE2FCF8;
    ui::TColor editColor_ = 0xFFFFFF;
    ui::TColor colorOnFocus_ = 0;
    bool activeColor_ = false;
    bool hooked_ = false;
    std::function<void(db::TDataSource*)> windowStateChange_;
};

} // namespace kx
