#pragma once
// The catalogue editor: the templates of one window and kind, to pick one
// for the designer or to retitle or delete them. Rows are made only by the
// designer's save. The caller sets the fields, shows it modally and on OK
// reads PRINT_ID and PRINT_NAME of Query's current row.
//
// A deleted row takes its body along; with bodies in the template table,
// row and body go in one transaction.

#include "core/fieldsdata.h"
#include "frame/dialogs/gridlisteditform.h"
#include "platform/ui/colors.h"

namespace kx {

class TSavePrintTableEditForm : public TGridListEditForm {
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

    TKXDBEdit* TitleEdit;

protected:
    bool HandleKey(int key) override;
    void FormShow() override;
    void DeleteRow() override;
    void OkClick() override;

private:
    void ApplyColors();
    void RemoveTableBody();

    TFieldsDataArray fieldsData_;
    TEditDataArray editData_;
};

} // namespace kx
