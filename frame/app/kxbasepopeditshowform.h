#pragma once
// The record editor a list window shows modally over its own query: it
// shows the current row in bound controls, adds, edits, deletes, saves and
// cancels on that query, moves through its rows, and stays open while the
// row is being edited. Closing only hides it; the caller frees it.

#include "frame/app/kxbaseform.h"

#include <QPointer>

class QFrame;
class QPushButton;

namespace kx {

class TKXDataSource;
class TKXQuery;

class TKXBasePopEditShowForm : public TKXBaseForm {
    Q_OBJECT
public:
    QFrame* Panel1;
    QFrame* Panel2;
    QPushButton* Button_add;
    QPushButton* button_edit;
    QPushButton* button_delete;
    QPushButton* button_save;
    QPushButton* button_cancel;
    QPushButton* Button_Print;
    QPushButton* button_Ok;
    QPushButton* button_close;
    QPushButton* button1_first;
    QPushButton* button1_prior;
    QPushButton* button1_next;
    QPushButton* button1_last;
    TKXDataSource* DS;

    bool Adding = false;
    // The list window's query; set by the caller before ShowModal.
    QPointer<TKXQuery> ListQuery;

protected:
    explicit TKXBasePopEditShowForm(QWidget* owner);

    void FormShow() override;
    void FormActivate() override;
    void FormCloseQuery(bool& canClose) override;
    void FormClose(TCloseAction& action) override;
    void FormKeyDown(int& key, ui::TShiftState shift) override;

    virtual void Button_addClick(QObject* sender);
    virtual void button_editClick(QObject* sender);
    virtual void button_deleteClick(QObject* sender);
    virtual void button_saveClick(QObject* sender);
    virtual void button_cancelClick(QObject* sender);
    virtual void button_OkClick(QObject* sender);
    virtual void button_closeClick(QObject* sender);
    virtual void button1_firstClick(QObject* sender);
    virtual void button1_priorClick(QObject* sender);
    virtual void button1_nextClick(QObject* sender);
    virtual void button1_lastClick(QObject* sender);

private:
    bool ListOpen() const;
    bool ListEditing() const;
    bool ListHasRows() const;
    void LinkButtons();
};

} // namespace kx
