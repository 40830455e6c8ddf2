#include "bandreport/brenvironmenteditor.h"

#include "bandreport/brexpressionbuilder.h"
#include "platform/ui/application.h"
#include "platform/ui/messagedialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kx {

namespace {

constexpr int kNameColumn = 0;
constexpr int kExpressionColumn = 1;

QPushButton* Button(const QString& caption, const QString& name) {
    auto* button = new QPushButton(caption);
    button->setObjectName(name);
    return button;
}

} // namespace

TBRNewEntryDialog::TBRNewEntryDialog(QObject* component, TBREvEnvironment* environment,
                                     QWidget* parent)
    : QDialog(parent), NameEdit(new QLineEdit), ExpressionEdit(new QLineEdit) {
    setWindowTitle(QStringLiteral("New entry"));
    NameEdit->setObjectName(QStringLiteral("NameEdit"));
    ExpressionEdit->setObjectName(QStringLiteral("ExpressionEdit"));
    auto* more = Button(QStringLiteral("..."), QStringLiteral("ExpressionBuilderButton"));
    connect(more, &QPushButton::clicked, this, ui::Guard([this, component, environment] {
                QString expression = ExpressionEdit->text();
                if (ShowExpressionBuilder(QString(), expression, component, environment))
                    ExpressionEdit->setText(expression);
            }));
    auto* expression = new QHBoxLayout;
    expression->addWidget(ExpressionEdit, 1);
    expression->addWidget(more);
    auto* ok = Button(QStringLiteral("&OK"), QStringLiteral("OkButton"));
    auto* cancel = Button(QStringLiteral("&Cancel"), QStringLiteral("CancelButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Name :"), NameEdit);
    form->addRow(QStringLiteral("Expression :"), expression);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    resize(420, sizeHint().height());
}

TBREnvironmentEditor::TBREnvironmentEditor(TBREvEnvironment* environment, bool allowGlobal,
                                           TBRExpressionBuilder* builder, QWidget* parent)
    : QDialog(parent), environment_(environment), builder_(builder), grid_(new QTableWidget(0, 2)),
      local_(new QRadioButton(QStringLiteral("&Local defines"))),
      global_(new QRadioButton(QStringLiteral("&Global defines"))) {
    setWindowTitle(QStringLiteral("User Defined Functions Edtor"));
    grid_->setObjectName(QStringLiteral("UDFGrid"));
    grid_->setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("Expression")});
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->verticalHeader()->hide();
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(grid_, &QTableWidget::itemChanged, this,
            ui::Guard([this](QTableWidgetItem* item) { CellChanged(item); }));
    connect(grid_, &QTableWidget::cellDoubleClicked, this, ui::Guard([this] { EditClick(); }));
    local_->setObjectName(QStringLiteral("LocalButton"));
    global_->setObjectName(QStringLiteral("GlobalButton"));
    local_->setEnabled(environment != nullptr);
    global_->setEnabled(allowGlobal);
    connect(local_, &QRadioButton::toggled, this, ui::Guard([this](bool on) {
                if (on)
                    ShowLocal(true);
            }));
    connect(global_, &QRadioButton::toggled, this, ui::Guard([this](bool on) {
                if (on)
                    ShowLocal(false);
            }));

    auto* add = Button(QStringLiteral("&Add"), QStringLiteral("AddButton"));
    auto* edit = Button(QStringLiteral("&Edit"), QStringLiteral("EditButton"));
    // Functions are kept once defined: removing one could break the
    // expressions that refer to it.
    auto* remove = Button(QStringLiteral("&Delete"), QStringLiteral("DeleteButton"));
    remove->setEnabled(false);
    auto* close = Button(QStringLiteral("Close"), QStringLiteral("CloseButton"));
    connect(add, &QPushButton::clicked, this, ui::Guard([this] { AddClick(); }));
    connect(edit, &QPushButton::clicked, this, ui::Guard([this] { EditClick(); }));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* choice = new QHBoxLayout;
    choice->addWidget(local_);
    choice->addWidget(global_);
    choice->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(edit);
    buttons->addWidget(remove);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choice);
    layout->addWidget(grid_, 1);
    layout->addLayout(buttons);
    resize(520, 360);
    (environment ? local_ : global_)->setChecked(true);
    Refresh();
}

TBREvEnvironment* TBREnvironmentEditor::Shown() const {
    return local_->isChecked() && environment_ ? environment_ : &GlobalReportEnvironment();
}

QObject* TBREnvironmentEditor::Component() const {
    return builder_ ? builder_->Component() : nullptr;
}

void TBREnvironmentEditor::ShowLocal(bool local) {
    (local && environment_ ? local_ : global_)->setChecked(true);
    Refresh();
}

void TBREnvironmentEditor::Refresh() {
    refreshing_ = true;
    const TBREvEnvironment* shown = Shown();
    const QStringList names = shown->Names();
    grid_->setRowCount(int(names.size()));
    for (int row = 0; row < names.size(); ++row) {
        grid_->setItem(row, kNameColumn, new QTableWidgetItem(names.at(row)));
        grid_->setItem(row, kExpressionColumn,
                       new QTableWidgetItem(shown->FunctionText(names.at(row))));
    }
    grid_->resizeColumnToContents(kNameColumn);
    refreshing_ = false;
}

void TBREnvironmentEditor::CellChanged(QTableWidgetItem* item) {
    if (refreshing_)
        return;
    TBREvEnvironment* shown = Shown();
    const QStringList names = shown->Names();
    if (item->row() >= names.size())
        return;
    const QString name = names.at(item->row());
    if (item->column() == kNameColumn) {
        if (!shown->RenameFunction(name, item->text()))
            ui::ShowMessageDialog(this, windowTitle(),
                                  QStringLiteral("\"%1\" is empty or names another function")
                                      .arg(item->text().trimmed()),
                                  ui::MessageIcon::Warning, ui::MessageButtons::Ok);
    } else if (!shown->IsCompiled()) {
        // A compiled environment is in use by a running report: its
        // functions stay as they are.
        shown->ReplaceFunction(name, item->text());
    }
    Refresh();
}

void TBREnvironmentEditor::AddClick() {
    TBREvEnvironment* shown = Shown();
    TBRNewEntryDialog entry(Component(), environment_, this);
    if (ui::ExecModal(entry) != QDialog::Accepted)
        return;
    const QString name = entry.NameEdit->text().trimmed();
    if (name.isEmpty() || shown->Names().contains(name.toUpper())) {
        ui::ShowMessageDialog(this, windowTitle(),
                              QStringLiteral("\"%1\" is empty or names another function").arg(name),
                              ui::MessageIcon::Warning, ui::MessageButtons::Ok);
        return;
    }
    shown->DefineFunction(name, entry.ExpressionEdit->text());
    Refresh();
}

void TBREnvironmentEditor::EditClick() {
    const int row = grid_->currentRow();
    TBREvEnvironment* shown = Shown();
    const QStringList names = shown->Names();
    if (row < 0 || row >= names.size())
        return;
    QString expression = shown->FunctionText(names.at(row));
    if (!ShowExpressionBuilder(QString(), expression, Component(), environment_))
        return;
    grid_->item(row, kExpressionColumn)->setText(expression);
}

void ShowFunctionsEditor(TBREvEnvironment* environment, bool allowGlobal,
                         TBRExpressionBuilder* builder) {
    TBREnvironmentEditor editor(environment, allowGlobal, builder, builder);
    ui::ExecModal(editor);
}

} // namespace kx
