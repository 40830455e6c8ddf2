#include "bandreport/brexpressionbuilder.h"

#include "bandreport/brenvironmenteditor.h"
#include "bandreport/brevaluator.h"
#include "bandreport/brfunctionlibrary.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/ui/application.h"
#include "platform/ui/messagedialog.h"

#include <QEventLoop>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScopeGuard>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace kx {

namespace {

const QString kCaption = QStringLiteral("Expression builder");
constexpr int kEditLeft = 20;
constexpr int kEditTop = 36;
constexpr int kEditWidth = 341;
constexpr int kEditHeight = 91;
constexpr int kArgumentSpacing = 40;

const QStringList& Categories() {
    static const QStringList categories{
        QStringLiteral("All"),         QStringLiteral("Date & time"), QStringLiteral("Math & trig"),
        QStringLiteral("Statistical"), QStringLiteral("Database"),    QStringLiteral("Logical"),
        QStringLiteral("Information"), QStringLiteral("Other")};
    return categories;
}

const QStringList& Operators() {
    static const QStringList operators{
        QStringLiteral("+"),  QStringLiteral("-"),  QStringLiteral("*"),   QStringLiteral("/"),
        QStringLiteral("="),  QStringLiteral("<"),  QStringLiteral(">"),   QStringLiteral("<>"),
        QStringLiteral("<="), QStringLiteral(">="), QStringLiteral("Not"), QStringLiteral("And"),
        QStringLiteral("Or")};
    return operators;
}

QPushButton* Button(const QString& caption, const QString& name) {
    auto* button = new QPushButton(caption);
    button->setObjectName(name);
    return button;
}

// A row of buttons at the right end of a page.
QHBoxLayout* ButtonRow(std::initializer_list<QPushButton*> buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* button : buttons)
        row->addWidget(button);
    return row;
}

} // namespace

TWordWrapEdit::TWordWrapEdit(QWidget* parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
}

QString StripLineBreaks(const QString& text) {
    QString stripped = text;
    stripped.remove(QLatin1Char('\r'));
    stripped.remove(QLatin1Char('\n'));
    return stripped;
}

TBRDatasetList CollectDatasets(const QObject* component) {
    if (!component)
        return {};
    return component->findChildren<db::TDataSet*>();
}

QString ValidationMessage(const TBREvValue& value) {
    if (value.IsError())
        return QStringLiteral("ERROR: ") + value.Text();
    return QStringLiteral("There are no errors. The result is : ") +
           (value.Kind == TBREvKind::String ? value.Text()
                                            : QString::fromLatin1(ValueToText(value)));
}

QList<const TBRLibraryEntry*> FunctionsOfCategory(int category) {
    QList<const TBRLibraryEntry*> entries;
    const QChar digit = QChar(u'0' + category);
    for (const TBRLibraryEntry& entry : FunctionLibrary().Entries())
        if (category == 0 || entry.SignatureCode.startsWith(digit))
            entries.append(&entry);
    return entries;
}

QString ArgumentLabel(QChar code, int number) {
    switch (code.toLatin1()) {
    case 'B':
        return QStringLiteral("Argument %1 - logical value").arg(number);
    case 'N':
        return QStringLiteral("Argument %1 - numeric value").arg(number);
    case 'S':
        return QStringLiteral("Argument %1 - text Value").arg(number);
    default:
        return QStringLiteral("Argument %1 - value").arg(number);
    }
}

QString FunctionCallText(const QString& name, const QStringList& arguments) {
    return name + QLatin1Char('(') + arguments.join(QLatin1Char(',')) + QLatin1Char(')');
}

TBRExpressionBuilder::TBRExpressionBuilder(QObject* component, TBREvEnvironment* environment,
                                           QWidget* parent)
    : QDialog(parent), component_(component), environment_(environment),
      datasetList_(CollectDatasets(component)), pages_(new QStackedWidget) {
    setWindowTitle(kCaption);
    pages_->addWidget(BuildMainPage());
    pages_->addWidget(BuildDataFieldPage());
    pages_->addWidget(BuildFunctionPage());
    pages_->addWidget(BuildFuncParamsPage());
    pages_->addWidget(BuildVariablePage());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
}

QWidget* TBRExpressionBuilder::BuildMainPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("MainPage"));
    heading_ = new QLabel(QStringLiteral("Enter expression:"));
    heading_->setObjectName(QStringLiteral("Heading"));
    edit_ = new TWordWrapEdit;
    edit_->setObjectName(QStringLiteral("Expression"));
    edit_->setFixedSize(kEditWidth, kEditHeight);

    auto* field = Button(QStringLiteral("&Database field"), QStringLiteral("DataFieldButton"));
    auto* function = Button(QStringLiteral("&Function"), QStringLiteral("FunctionButton"));
    auto* variable = Button(QStringLiteral("&Variable"), QStringLiteral("VariableButton"));
    connect(field, &QPushButton::clicked, this, ui::Guard([this] {
                FillDatasets();
                ShowPage(DataFieldPage);
            }));
    connect(function, &QPushButton::clicked, this, ui::Guard([this] { ShowPage(FunctionPage); }));
    connect(variable, &QPushButton::clicked, this, ui::Guard([this] {
                FillVariables();
                ShowPage(VariablePage);
            }));
    auto* inserts = new QVBoxLayout;
    inserts->addWidget(field);
    inserts->addWidget(function);
    inserts->addWidget(variable);
    inserts->addStretch();

    auto* operators = new QGridLayout;
    for (int index = 0; index < Operators().size(); ++index) {
        const QString caption = Operators().at(index);
        auto* button = new QPushButton(caption);
        button->setObjectName(QStringLiteral("Operator") + caption);
        connect(button, &QPushButton::clicked, this,
                ui::Guard([this, caption] { InsertText(u' ' + caption + u' '); }));
        operators->addWidget(button, index / 7, index % 7);
    }
    auto* clear = Button(QStringLiteral("&Clear"), QStringLiteral("ClearButton"));
    auto* validate = Button(QStringLiteral("Valida&te"), QStringLiteral("ValidateButton"));
    auto* ok = Button(QStringLiteral("OK"), QStringLiteral("OkButton"));
    auto* cancel = Button(QStringLiteral("Cancel"), QStringLiteral("CancelButton"));
    connect(clear, &QPushButton::clicked, edit_, &QPlainTextEdit::clear);
    connect(validate, &QPushButton::clicked, this, ui::Guard([this] { Validate(); }));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* top = new QHBoxLayout;
    top->addWidget(edit_, 0, Qt::AlignTop);
    top->addLayout(inserts);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(kEditLeft, kEditTop - heading_->sizeHint().height() - 6, 10, 10);
    layout->addWidget(heading_);
    layout->addLayout(top);
    layout->addLayout(operators);
    layout->addLayout(ButtonRow({clear, validate, ok, cancel}));
    return page;
}

QWidget* TBRExpressionBuilder::BuildDataFieldPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("DataFieldPage"));
    datasets_ = new QListWidget;
    datasets_->setObjectName(QStringLiteral("DatasetList"));
    fields_ = new QListWidget;
    fields_->setObjectName(QStringLiteral("FieldList"));
    connect(datasets_, &QListWidget::currentRowChanged, this, ui::Guard([this] { FillFields(); }));
    connect(fields_, &QListWidget::itemDoubleClicked, this, ui::Guard([this] { ChooseField(); }));
    auto* ok = Button(QStringLiteral("OK"), QStringLiteral("FieldOkButton"));
    auto* cancel = Button(QStringLiteral("Cancel"), QStringLiteral("FieldCancelButton"));
    connect(ok, &QPushButton::clicked, this, ui::Guard([this] { ChooseField(); }));
    connect(cancel, &QPushButton::clicked, this, [this] { ShowPage(MainPage); });
    auto* lists = new QGridLayout;
    lists->addWidget(new QLabel(QStringLiteral("Data sets")), 0, 0);
    lists->addWidget(new QLabel(QStringLiteral("Fields")), 0, 1);
    lists->addWidget(datasets_, 1, 0);
    lists->addWidget(fields_, 1, 1);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(lists);
    layout->addLayout(ButtonRow({ok, cancel}));
    return page;
}

QWidget* TBRExpressionBuilder::BuildFunctionPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("FunctionPage"));
    categories_ = new QListWidget;
    categories_->setObjectName(QStringLiteral("CategoryList"));
    categories_->addItems(Categories());
    functions_ = new QListWidget;
    functions_->setObjectName(QStringLiteral("FunctionList"));
    functionName_ = new QLabel;
    functionDescription_ = new QLabel;
    functionDescription_->setWordWrap(true);
    connect(categories_, &QListWidget::currentRowChanged, this,
            ui::Guard([this] { FillFunctions(); }));
    connect(functions_, &QListWidget::currentRowChanged, this,
            ui::Guard([this] { ShowFunction(); }));
    connect(functions_, &QListWidget::itemDoubleClicked, this,
            ui::Guard([this] { ChooseFunction(); }));
    auto* next = Button(QStringLiteral("Continue"), QStringLiteral("ContinueButton"));
    auto* cancel = Button(QStringLiteral("Cancel"), QStringLiteral("FunctionCancelButton"));
    connect(next, &QPushButton::clicked, this, ui::Guard([this] { ChooseFunction(); }));
    connect(cancel, &QPushButton::clicked, this, [this] { ShowPage(MainPage); });
    auto* lists = new QHBoxLayout;
    lists->addWidget(categories_);
    lists->addWidget(functions_);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(lists);
    layout->addWidget(functionName_);
    layout->addWidget(functionDescription_);
    layout->addLayout(ButtonRow({next, cancel}));
    categories_->setCurrentRow(0);
    return page;
}

QWidget* TBRExpressionBuilder::BuildFuncParamsPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("FuncParamsPage"));
    // One row for each argument of the library's longest signature; a
    // function shows as many as it takes.
    qsizetype rows = 0;
    for (const TBRLibraryEntry& entry : FunctionLibrary().Entries())
        rows = qMax(rows, entry.SignatureCode.size() - 1);
    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(0);
    for (int index = 0; index < rows; ++index) {
        auto* label = new QLabel;
        auto* edit = new QLineEdit;
        auto* more = new QPushButton(QStringLiteral("..."));
        more->setObjectName(QStringLiteral("ArgumentBuilder%1").arg(index + 1));
        connect(more, &QPushButton::clicked, this,
                ui::Guard([this, index] { AskArgument(index); }));
        grid->addWidget(label, index, 0);
        grid->addWidget(edit, index, 1);
        grid->addWidget(more, index, 2);
        grid->setRowMinimumHeight(index, kArgumentSpacing);
        argumentRows_.append({label, edit, more});
    }
    auto* ok = Button(QStringLiteral("OK"), QStringLiteral("ArgumentsOkButton"));
    auto* cancel = Button(QStringLiteral("Cancel"), QStringLiteral("ArgumentsCancelButton"));
    connect(ok, &QPushButton::clicked, this, ui::Guard([this] { ChooseArguments(); }));
    connect(cancel, &QPushButton::clicked, this, [this] { ShowPage(MainPage); });
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(ButtonRow({ok, cancel}));
    return page;
}

QWidget* TBRExpressionBuilder::BuildVariablePage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("VariablePage"));
    variables_ = new QListWidget;
    variables_->setObjectName(QStringLiteral("VariableList"));
    variableValue_ = new QLabel;
    variableValue_->setWordWrap(true);
    connect(variables_, &QListWidget::currentRowChanged, this,
            ui::Guard([this] { ShowVariable(); }));
    connect(variables_, &QListWidget::itemDoubleClicked, this,
            ui::Guard([this] { ChooseVariable(); }));
    auto* modify = Button(QStringLiteral("&Modify variables"), QStringLiteral("ModifyButton"));
    auto* ok = Button(QStringLiteral("OK"), QStringLiteral("VariableOkButton"));
    auto* cancel = Button(QStringLiteral("Cancel"), QStringLiteral("VariableCancelButton"));
    connect(modify, &QPushButton::clicked, this, ui::Guard([this] { ModifyVariables(); }));
    connect(ok, &QPushButton::clicked, this, ui::Guard([this] { ChooseVariable(); }));
    connect(cancel, &QPushButton::clicked, this, [this] { ShowPage(MainPage); });
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(variables_);
    layout->addWidget(variableValue_);
    layout->addLayout(ButtonRow({modify, ok, cancel}));
    return page;
}

QList<QLineEdit*> TBRExpressionBuilder::ArgumentEdits() const {
    QList<QLineEdit*> edits;
    for (int index = 0; index < argumentCount_; ++index)
        edits.append(argumentRows_.at(index).Edit);
    return edits;
}

QList<QLabel*> TBRExpressionBuilder::ArgumentLabels() const {
    QList<QLabel*> labels;
    for (int index = 0; index < argumentCount_; ++index)
        labels.append(argumentRows_.at(index).Label);
    return labels;
}

void TBRExpressionBuilder::SetHeading(const QString& heading) {
    heading_->setText(heading);
}

QString TBRExpressionBuilder::Expression() const {
    return edit_->toPlainText();
}

void TBRExpressionBuilder::SetExpression(const QString& expression) {
    edit_->setPlainText(expression);
    edit_->moveCursor(QTextCursor::End);
}

TBRExpressionBuilder::TPage TBRExpressionBuilder::CurrentPage() const {
    return TPage(pages_->currentIndex());
}

void TBRExpressionBuilder::ShowPage(TPage page) {
    pages_->setCurrentIndex(page);
}

void TBRExpressionBuilder::InsertText(const QString& text) {
    edit_->insertPlainText(text);
    edit_->setFocus();
}

void TBRExpressionBuilder::Validate() {
    TBREvEnvironment& global = GlobalReportEnvironment();
    global.CompileAll();
    const auto releaseGlobal = qScopeGuard([&global] { global.ReleaseAll(); });
    const bool ownDatasets = environment_ && !environment_->IsCompiled();
    if (ownDatasets)
        environment_->AssignDatasets(&datasetList_);
    if (environment_)
        environment_->CompileAll();
    const auto release = qScopeGuard([this, ownDatasets] {
        if (!environment_)
            return;
        environment_->ReleaseAll();
        if (ownDatasets)
            environment_->AssignDatasets(nullptr);
    });
    TBREvaluator evaluator;
    evaluator.AssignDatasets(&datasetList_);
    evaluator.SetEnvironment(environment_);
    const TBREvValue value = evaluator.EvaluateOnce(Expression());
    ui::ShowMessageDialog(this, kCaption, ValidationMessage(value), ui::MessageIcon::Warning,
                          ui::MessageButtons::Ok);
}

void TBRExpressionBuilder::FillDatasets() {
    datasets_->clear();
    for (const db::TDataSet* dataset : datasetList_)
        datasets_->addItem(dataset->objectName());
    datasets_->setCurrentRow(datasets_->count() > 0 ? 0 : -1);
    FillFields();
}

void TBRExpressionBuilder::FillFields() {
    fields_->clear();
    const int row = datasets_->currentRow();
    if (row < 0 || row >= datasetList_.size())
        return;
    const db::TFields& fields = datasetList_.at(row)->Fields();
    for (int index = 0; index < fields.Count(); ++index)
        fields_->addItem(fields[index]->FieldName());
}

void TBRExpressionBuilder::ChooseField() {
    const QListWidgetItem* dataset = datasets_->currentItem();
    const QListWidgetItem* field = fields_->currentItem();
    if (!dataset || !field)
        return;
    ShowPage(MainPage);
    InsertText(dataset->text() + u'.' + field->text());
}

void TBRExpressionBuilder::FillFunctions() {
    functions_->clear();
    for (const TBRLibraryEntry* entry : FunctionsOfCategory(qMax(0, categories_->currentRow())))
        functions_->addItem(entry->Name);
    functionName_->clear();
    functionDescription_->clear();
}

const TBRLibraryEntry* TBRExpressionBuilder::SelectedFunction() const {
    const QListWidgetItem* item = functions_->currentItem();
    return item ? FunctionLibrary().Find(item->text()) : nullptr;
}

void TBRExpressionBuilder::ShowFunction() {
    const TBRLibraryEntry* entry = SelectedFunction();
    if (!entry)
        return;
    functionName_->setText(entry->Description.section(u'|', 0, 0).trimmed());
    functionDescription_->setText(entry->Description.section(u'|', 1).trimmed());
}

void TBRExpressionBuilder::ChooseFunction() {
    const TBRLibraryEntry* entry = SelectedFunction();
    if (!entry)
        return;
    if (entry->SignatureCode.size() <= 1) {
        ShowPage(MainPage);
        InsertText(entry->Name);
        return;
    }
    pendingFunction_ = entry->Name;
    const QString letters = entry->SignatureCode.mid(1);
    argumentCount_ = int(qMin(letters.size(), argumentRows_.size()));
    for (int index = 0; index < argumentRows_.size(); ++index) {
        const TArgumentRow& row = argumentRows_.at(index);
        const bool used = index < argumentCount_;
        row.Label->setText(used ? ArgumentLabel(letters.at(index), index + 1) : QString());
        row.Edit->clear();
        for (QWidget* widget : {static_cast<QWidget*>(row.Label), static_cast<QWidget*>(row.Edit),
                                static_cast<QWidget*>(row.Builder)})
            widget->setVisible(used);
    }
    ShowPage(FuncParamsPage);
}

void TBRExpressionBuilder::AskArgument(int index) {
    QString argument = argumentRows_.at(index).Edit->text();
    const QString heading =
        QStringLiteral("Enter %1. parameter for %2").arg(index + 1).arg(pendingFunction_);
    if (ShowExpressionBuilder(heading, argument, component_, environment_))
        argumentRows_.at(index).Edit->setText(argument);
}

void TBRExpressionBuilder::ChooseArguments() {
    QStringList arguments;
    for (const QLineEdit* edit : ArgumentEdits())
        arguments.append(edit->text());
    ShowPage(MainPage);
    InsertText(FunctionCallText(pendingFunction_, arguments));
}

void TBRExpressionBuilder::FillVariables() {
    variables_->clear();
    if (environment_)
        variables_->addItems(environment_->Names());
    variables_->addItems(GlobalReportEnvironment().Names());
    variableValue_->clear();
}

void TBRExpressionBuilder::ShowVariable() {
    const QListWidgetItem* item = variables_->currentItem();
    if (!item)
        return;
    const bool local = environment_ && variables_->currentRow() < environment_->Names().size();
    const TBREvEnvironment& owner = local ? *environment_ : GlobalReportEnvironment();
    variableValue_->setText(QStringLiteral("Value : ") + owner.FunctionText(item->text()));
}

void TBRExpressionBuilder::ChooseVariable() {
    const QListWidgetItem* item = variables_->currentItem();
    if (!item)
        return;
    const QString name = item->text();
    ShowPage(MainPage);
    InsertText(name);
}

void TBRExpressionBuilder::ModifyVariables() {
    ShowFunctionsEditor(environment_, true, this);
    FillVariables();
}

bool ShowExpressionBuilder(const QString& heading, QString& expression, QObject* component,
                           TBREvEnvironment* environment, QWidget* hostForm) {
    TBRExpressionBuilder builder(component, environment, hostForm);
    if (!heading.isEmpty())
        builder.SetHeading(heading);
    builder.SetExpression(expression);
    bool accepted = false;
    if (hostForm) {
        builder.setWindowFlags(Qt::Widget);
        builder.move(0, 0);
        builder.show();
        QEventLoop loop;
        QObject::connect(&builder, &QDialog::finished, &loop, &QEventLoop::quit);
        loop.exec();
        accepted = builder.result() == QDialog::Accepted;
    } else {
        accepted = ui::ExecModal(builder) == QDialog::Accepted;
    }
    expression = accepted ? StripLineBreaks(builder.Expression()) : QString();
    return accepted;
}

} // namespace kx
