#pragma once
// What the two find dialogs share: the component a list window drops on
// itself, with the colours, input method, dialect and presets it hands to
// its find window before each showing, and the window's events.

#include "frame/dialogs/dialogfont.h"
#include "frame/dialogs/findwindow.h"
#include "platform/ui/colors.h"

#include <QObject>

#include <memory>

namespace kx {

class TFindDialog : public QObject {
    Q_OBJECT
public:
    ~TFindDialog() override;

    TPopupWindowEvent PopupWindow;
    TNoSElectSQLEvent SelectSQL;
    TSqlType SqlType = urStandard;
    ui::TColor ColorNotOnFocus = 0;
    ui::TColor ColorOnFocus = 0;
    ui::TColor Color = 0;
    TLanguage Language = GB;
    // The window's title is Caption + "查找窗口".
    QString Caption;
    QString ImeName;
    // Preset field and relation; -1 for none.
    int FieldIndex = -1;
    int ConnectionIndex = -1;
    // The name of the field set the window loaded; "全部数据" shows only
    // when it is set.
    QString FieldSetTag;

    void SetConnectNames(const TFindConnectNamearray& names);
    bool GetAllData() const { return window_->AllData(); }
    TFindWindow* Window() const { return window_.get(); }

protected:
    TFindDialog(QObject* owner, std::unique_ptr<TFindWindow> window);

    // Hooks, colours, input method, presets and title; then the window is
    // shown modally. True when it closed with OK or "全部数据".
    bool ShowWindow(bool presetOnlyWithoutField);

private:
    void ApplyColors();

    std::unique_ptr<TFindWindow> window_;
};

} // namespace kx
