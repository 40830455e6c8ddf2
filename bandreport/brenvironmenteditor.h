#pragma once
// The editor of named functions: the report's own or the engine's global
// ones, listed by name and expression, added and changed in a grid.

#include "bandreport/brevenvironment.h"

#include <QDialog>
#include <QPointer>

class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QTableWidgetItem;

namespace kx {

class TBRExpressionBuilder;

// The "New entry" box: a name and an expression, which its "..." builds.
class TBRNewEntryDialog : public QDialog {
    Q_OBJECT
public:
    TBRNewEntryDialog(QObject* component, TBREvEnvironment* environment, QWidget* parent);

    QLineEdit* NameEdit;
    QLineEdit* ExpressionEdit;
};

class TBREnvironmentEditor : public QDialog {
    Q_OBJECT
public:
    // environment: the report's functions, or nullptr; builder: the
    // expression builder the editor was opened from, whose data sets the
    // editor's own builders offer.
    TBREnvironmentEditor(TBREvEnvironment* environment, bool allowGlobal,
                         TBRExpressionBuilder* builder, QWidget* parent = nullptr);

    // The list shown: the report's or the global one.
    TBREvEnvironment* Shown() const;
    void ShowLocal(bool local);
    void Refresh();
    void AddClick();
    void EditClick();

    QTableWidget* UDFGrid() const { return grid_; }
    QRadioButton* LocalButton() const { return local_; }
    QRadioButton* GlobalButton() const { return global_; }

private:
    void CellChanged(QTableWidgetItem* item);
    QObject* Component() const;

    TBREvEnvironment* environment_;
    QPointer<TBRExpressionBuilder> builder_;
    QTableWidget* grid_;
    QRadioButton* local_;
    QRadioButton* global_;
    bool refreshing_ = false;
};

// Shows the editor modally until "Close".
void ShowFunctionsEditor(TBREvEnvironment* environment, bool allowGlobal,
                         TBRExpressionBuilder* builder);

} // namespace kx
