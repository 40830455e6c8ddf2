#pragma once
// The expression builder: a dialog that puts a report expression together
// from data-set fields, library functions with their arguments, named
// functions and operators, and checks it by computing it once.

#include "bandreport/brevenvironment.h"
#include "bandreport/brevvalue.h"

#include <QDialog>
#include <QPlainTextEdit>
#include <QPointer>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStackedWidget;

namespace kx {

struct TBRLibraryEntry;

// The multi-line edit holding the expression; long expressions wrap.
class TWordWrapEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TWordWrapEdit(QWidget* parent = nullptr);
};

// The text without its line breaks.
QString StripLineBreaks(const QString& text);
// The data sets the component holds, in its children at any depth.
TBRDatasetList CollectDatasets(const QObject* component);
// What "Validate" tells of a computed value.
QString ValidationMessage(const TBREvValue& value);
// The library functions of a category: 0 "All", else those whose signature
// code begins with the category's digit.
QList<const TBRLibraryEntry*> FunctionsOfCategory(int category);
// The prompt for argument number (from 1) of the signature letter.
QString ArgumentLabel(QChar code, int number);
// NAME(a,b).
QString FunctionCallText(const QString& name, const QStringList& arguments);

class TBRExpressionBuilder : public QDialog {
    Q_OBJECT
public:
    enum TPage { MainPage, DataFieldPage, FunctionPage, FuncParamsPage, VariablePage };

    // component: the holder of the data sets offered; environment: the
    // report's named functions, or nullptr.
    TBRExpressionBuilder(QObject* component, TBREvEnvironment* environment,
                         QWidget* parent = nullptr);

    void SetHeading(const QString& heading);
    QString Expression() const;
    void SetExpression(const QString& expression);
    TPage CurrentPage() const;
    QObject* Component() const { return component_; }
    TBREvEnvironment* Environment() const { return environment_; }

    // The main page's commands.
    void InsertText(const QString& text);
    void Validate();
    // The edit and the pages' lists, for whoever drives the dialog.
    TWordWrapEdit* ExpressionEdit() const { return edit_; }
    QListWidget* DatasetList() const { return datasets_; }
    QListWidget* FieldList() const { return fields_; }
    QListWidget* CategoryList() const { return categories_; }
    QListWidget* FunctionList() const { return functions_; }
    QListWidget* VariableList() const { return variables_; }
    // The rows of the arguments the chosen function takes.
    QList<QLineEdit*> ArgumentEdits() const;
    QList<QLabel*> ArgumentLabels() const;
    QLabel* FunctionDescription() const { return functionDescription_; }
    QLabel* VariableValue() const { return variableValue_; }

private:
    QWidget* BuildMainPage();
    QWidget* BuildDataFieldPage();
    QWidget* BuildFunctionPage();
    QWidget* BuildFuncParamsPage();
    QWidget* BuildVariablePage();
    void ShowPage(TPage page);
    void FillDatasets();
    void FillFields();
    void FillFunctions();
    void ShowFunction();
    void FillVariables();
    void ShowVariable();
    void ChooseField();
    void ChooseFunction();
    void ChooseArguments();
    void ChooseVariable();
    void ModifyVariables();
    void AskArgument(int index);
    const TBRLibraryEntry* SelectedFunction() const;

    QPointer<QObject> component_;
    TBREvEnvironment* environment_;
    TBRDatasetList datasetList_;
    QStackedWidget* pages_;
    QLabel* heading_ = nullptr;
    TWordWrapEdit* edit_ = nullptr;
    QListWidget* datasets_ = nullptr;
    QListWidget* fields_ = nullptr;
    QListWidget* categories_ = nullptr;
    QListWidget* functions_ = nullptr;
    QLabel* functionName_ = nullptr;
    QLabel* functionDescription_ = nullptr;
    struct TArgumentRow {
        QLabel* Label;
        QLineEdit* Edit;
        QPushButton* Builder;
    };
    QList<TArgumentRow> argumentRows_;
    int argumentCount_ = 0;
    QString pendingFunction_;
    QListWidget* variables_ = nullptr;
    QLabel* variableValue_ = nullptr;
};

// True on OK with the expression, its line breaks taken out; false, with
// the expression emptied, otherwise. With a host form the builder fills
// it, without a border, until OK or Cancel; else it is shown modally.
bool ShowExpressionBuilder(const QString& heading, QString& expression, QObject* component,
                           TBREvEnvironment* environment, QWidget* hostForm = nullptr);

} // namespace kx
