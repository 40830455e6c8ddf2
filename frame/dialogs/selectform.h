#pragma once
// The row picker: a list of the rows of a query that the caller sets up and
// opens; on OK the caller reads the query's current row. The list fits its
// columns to a total of about 102 characters.

#include <QDialog>
#include <QList>

class QPushButton;

namespace kx {

class TKXNDBGrid;

namespace db {
class TDataSource;
class TQuery;
} // namespace db

// Display widths grown or shrunk towards a total of 102 characters.
QList<int> FitDisplayWidths(const QList<int>& widths);

class TSelectForm : public QDialog {
    Q_OBJECT
public:
    explicit TSelectForm(QWidget* parent = nullptr);
    ~TSelectForm() override;

    // The caller sets its database name and SQL and opens it.
    db::TQuery* Query_Select;
    db::TDataSource* Source_Select;
    // The query's rows; its current line is the query's current row.
    TKXNDBGrid* DBGrid;
    QPushButton* SureButton;
    QPushButton* CloseButton;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FitColumns();
};

} // namespace kx
