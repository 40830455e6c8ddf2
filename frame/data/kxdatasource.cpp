#include "frame/data/kxdatasource.h"

#include "frame/data/windowcontrols.h"
#include "grid/dbgrid/gridlayouthooks.h"
#include "platform/ui/tag.h"

#include <QAction>
#include <QWidget>

#include <initializer_list>

namespace kx {
namespace {

// A control's own Enabled flag, apart from its parents'.
bool OwnEnabled(const QObject* button) {
    if (const auto* widget = qobject_cast<const QWidget*>(button))
        return !widget->testAttribute(Qt::WA_ForceDisabled);
    if (const auto* action = qobject_cast<const QAction*>(button))
        return action->isEnabled();
    return false;
}

void SetOwnEnabled(QObject* button, bool enabled) {
    if (auto* widget = qobject_cast<QWidget*>(button))
        widget->setEnabled(enabled);
    else if (auto* action = qobject_cast<QAction*>(button))
        action->setEnabled(enabled);
}

void EnableAll(std::initializer_list<QObject*> buttons, bool enabled) {
    for (QObject* button : buttons) {
        if (button)
            SetOwnEnabled(button, enabled);
    }
}

bool IsGrid(QObject* component) {
    return dynamic_cast<TKXDBGridHooks*>(component) || dynamic_cast<TKXNDBGridHooks*>(component);
}

// A detail window's Tags 502 to 507 stand for 2 to 7.
int DetailRuleTag(int tag) {
    switch (tag) {
    case 502:
    case 503:
    case 504:
    case 506:
    case 507:
        return tag - 500;
    default:
        return tag;
    }
}

} // namespace

TKXDataSource::TKXDataSource(QObject* owner) : db::TDataSource(owner) {
    SetAutoEdit(false);
}

void TKXDataSource::HookStateChange() {
    if (hooked_)
        return;
    hooked_ = true;
    windowStateChange_ = OnStateChange;
    OnStateChange = [this](db::TDataSource* sender) { StateChanged(sender); };
    StateChanged(this);
}

void TKXDataSource::StateChanged(db::TDataSource* sender) {
    if (activeColor_) {
        ApplyStateColors();
        const bool browsing = State() != db::dsInsert && State() != db::dsEdit;
        EnableAll({Button_Add,   Button_New,   Button_Edit,  Button_Delete, Button_Prior,
                   Button_Next,  Button_First, Button_Last,  Button_Print,  Button_Find,
                   Button_Check, Button_Close, ButtonNew,    ButtonAdd,     ButtonEdit,
                   ButtonPrint,  ButtonCheck,  ButtonFind,   ButtonOther,   ButtonDelete,
                   ButtonPrior,  ButtonNext,   ButtonFirst,  ButtonLast,    SpeedButton1,
                   SpeedButton2, SpeedButton3, SpeedButton4, SpeedButton5},
                  browsing);
        EnableAll({Button_Save, Button_Cancel, ButtonCancel, ButtonSave}, !browsing);
        ApplyRights();
    }
    if (windowStateChange_)
        windowStateChange_(sender);
}

void TKXDataSource::ApplyRights() {
    const struct {
        QObject* button;
        bool right;
    } rights[] = {
        {ButtonNew, RightAdd},      {ButtonAdd, RightAdd},       {Button_Add, RightAdd},
        {Button_New, RightAdd},     {ButtonEdit, RightEdit},     {Button_Edit, RightEdit},
        {ButtonPrint, RightPrint},  {Button_Print, RightPrint},  {ButtonCheck, RightCheck},
        {Button_Check, RightCheck}, {ButtonDelete, RightDelete}, {Button_Delete, RightDelete}};
    for (const auto& [button, right] : rights) {
        if (button)
            SetOwnEnabled(button, OwnEnabled(button) && right);
    }
}

void TKXDataSource::ApplyStateColors() {
    QObject* window = parent();
    if (!window)
        return;
    const bool browsing = State() != db::dsInsert && State() != db::dsEdit;
    const TStateLook look{browsing ? browseColor_ : editColor_,
                          browsing ? browseColor_ : colorOnFocus_, browsing};
    for (QObject* component : WindowComponents(window))
        ApplyToComponent(component, look);
}

void TKXDataSource::ApplyToComponent(QObject* component, const TStateLook& look) {
    const int tag = ui::Tag(component);
    const bool master = IS_MASTER_CHANGE;
    const bool detail = !master && IS_DETAIL_CHANGE;
    if ((master && tag >= 500) || (detail && tag < 500))
        return;
    const int rule = detail ? DetailRuleTag(tag) : tag;
    if (IsGrid(component)) {
        if (rule != 1)
            SetOwnEnabled(component, look.ReadOnly);
        return;
    }
    if (!master && !detail) {
        if (tag == 30 || tag == 5) {
            SetOwnEnabled(component, look.ReadOnly);
            return;
        }
        if (tag == 100)
            return;
    }
    if (master && tag == 5 && IsButtonEdit(component))
        return;
    if (rule == 3 || rule == 4) {
        LockDataEdit(component);
        return;
    }
    ApplyStateLook(component, rule, look);
}

} // namespace kx

#include "moc_kxdatasource.cpp"
