#pragma once
// The catalogue editor: the templates of one window and kind, to pick one
// for the designer or to retitle or delete them. Rows are made only by the
// designer's save. The caller sets the fields, shows it modally and on OK
// reads PRINT_ID and PRINT_NAME of Query's current row.
//
// A deleted row takes its body along; with bodies in the template table,
// row and body go in one transaction.

#include "core/fieldsdata.h"
#include "platform/ui/colors.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace kx {

class TKXDataSource;
class TKXDBEdit;
class TKXNDBGrid;
class TKXQuery;

namespace db {
class TUpdateSQL;
}

class TSavePrintTableEditForm : public QDialog {
    Q_OBJECT
public:
    explicit TSavePrintTableEditForm(QWidget* parent = nullptr);
    ~TSavePrintTableEditForm() override;

    QString PrintIndex;
    QString PrintType;
    QString TemplateDir;
    QString TemplateTable;
    QString DatabaseName;
    QString WorkDate;
    QString ImeName;
    QString UserName;
    ui::TColor BrowseColor;
    ui::TColor FocusColor;
    ui::TColor EditColor;
    TSqlType SqlType = urStandard;

    QLabel* Label1;
    TKXDBEdit* TitleEdit;
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

    // Closing is refused while a row is being edited.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormShow();
    void ApplyColors();
    bool HandleKey(int key);
    void button_editClick();
    void button_deleteClick();
    void button_saveClick();
    void button_cancelClick();
    void button_OkClick();
    void RemoveTableBody();
    bool Editing() const;
    bool RefuseClosing() const;

    TFieldsDataArray fieldsData_;
    TEditDataArray editData_;
};

} // namespace kx
