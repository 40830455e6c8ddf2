#pragma once
// A modal list of rows in a grid, one column's edit above it and the
// buttons down the right: add, edit, delete, save, cancel, all rows, OK and
// close. The window built on it names the edit, gives the texts, the SQL,
// the field rules and the delete rule, and hides the buttons it has no use
// for.
//
// OK wants a row; the window will not close while a row is being added or
// edited, until it is saved or cancelled.
//
// The window closes Query in its own destructor: closing runs the query's
// callbacks, and they use the window's own members.

#include "platform/ui/colors.h"

#include <QDialog>

class QGridLayout;
class QLabel;
class QLayout;
class QPushButton;

namespace kx {

class TKXDataSource;
class TKXDBEdit;
class TKXNDBGrid;
class TKXQuery;

namespace db {
class TUpdateSQL;
}

class TGridListEditForm : public QDialog {
    Q_OBJECT
public:
    QLabel* Label1;
    TKXNDBGrid* DBGrid;
    QPushButton* button_add;
    QPushButton* button_edit;
    QPushButton* button_delete;
    QPushButton* button_save;
    QPushButton* button_cancel;
    QPushButton* button_All;
    QPushButton* button_Ok;
    QPushButton* button_close;
    TKXQuery* Query;
    TKXDataSource* DS;
    db::TUpdateSQL* UpdateSQL1;

    // Closing is refused while a row is being added or edited.
    void done(int result) override;

protected:
    // editorName is the object name of the column's edit, where the query
    // puts the focus when editing begins.
    TGridListEditForm(const QString& editorName, QWidget* parent);

    TKXDBEdit* ValueEdit() const { return valueEdit_; }
    // Beside the label, above the grid.
    void PlaceEditor(QWidget* editor);
    void PlaceEditor(QLayout* editor);

    bool Editing() const;
    bool HasRows() const;
    // The query numbers and stamps its rows with the user and the day.
    void StampQuery(const QString& userName, const QString& date);
    void ApplyControlColors(ui::TColor browse, ui::TColor focus);
    // Hooks the data source, so the buttons and colours follow its state.
    void ShowStateColors(ui::TColor edit, ui::TColor browse, ui::TColor focus);

    // Clicks the button when there is one and it is enabled; says whether.
    static bool ClickIfEnabled(QPushButton* button);
    // F3 OK, F5 to F9 the row buttons, F12 close.
    virtual bool HandleKey(int key);
    virtual void FormShow() = 0;
    virtual void DeleteRow() = 0;
    virtual void OkClick();

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void EditRow();
    void SaveRow();
    void CancelRow();
    // Says why while a row is being added or edited.
    bool RefuseClosing() const;

    TKXDBEdit* valueEdit_;
    QGridLayout* layout_;
};

} // namespace kx
