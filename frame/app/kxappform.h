#pragma once
// A working window with a tool bar of the standard buttons, pressed by the
// function keys F5 to F12 as well.

#include "frame/app/kxbaseform.h"

class QFrame;
class QToolButton;

namespace kx {

class TKXAppForm : public TKXBaseForm {
    Q_OBJECT
public:
    QFrame* CoolBar1;
    QWidget* ToolBar1;
    QToolButton* button_add;
    QToolButton* button_edit;
    QToolButton* button_delete;
    QToolButton* button_save;
    QToolButton* button_cancel;
    QToolButton* button_find;
    QToolButton* button_First;
    QToolButton* button_Prior;
    QToolButton* button_next;
    QToolButton* button_Last;
    QToolButton* Button_Other;
    QToolButton* button_check;
    QToolButton* button_print;
    QToolButton* button_close;

protected:
    explicit TKXAppForm(QWidget* owner);

    void FormShow() override;
    void FormClose(TCloseAction& action) override;
    void FormKeyDown(int& key, ui::TShiftState shift) override;

    virtual void button_saveClick(QObject* sender);
    virtual void button_checkClick(QObject* sender);
    virtual void button_closeClick(QObject* sender);

private:
    QToolButton* AddToolButton(const char* name, const QString& caption);
};

} // namespace kx
