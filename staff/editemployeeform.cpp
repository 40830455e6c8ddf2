#include "staff/editemployeeform.h"

#include "core/appstate.h"
#include "core/datamodule.h"
#include "core/messages.h"
#include "core/options.h"
#include "frame/app/kxchild.h"
#include "frame/controls/kxdbcomboedit.h"
#include "frame/controls/kxdbedit.h"
#include "frame/data/kxdatasource.h"
#include "frame/data/kxquery.h"
#include "frame/dialogs/dateform.h"
#include "frame/dialogs/selecteditform.h"
#include "platform/db/field.h"
#include "platform/ui/tag.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <map>

namespace kx::staff {
namespace {

constexpr int kClientWidth = 807;
constexpr int kClientHeight = 269;
constexpr int kHeadHeight = 32;
constexpr int kFieldPanelHeight = 165;
constexpr int kButtonPanelHeight = 72;
constexpr int kHeadWidth = 777;
constexpr int kFormTop = 50;
constexpr int kRestoreTop = 160;
constexpr int kButtonWidth = 75;
constexpr int kAmountLength = 12;
constexpr int kOrderLength = 8;
constexpr ui::TColor kHeadColor = 0xFFC246;
constexpr ui::TColor kAqua = 0xFFFF00;
constexpr int kButtonLefts[] = {216, 291, 366, 441, 516};

QString TextColumn(int column) {
    return QStringLiteral("EMPLOYEE_TEXT_FIELD%1").arg(column);
}

} // namespace

TEditEmployeeForm::TEditEmployeeForm(QWidget* owner)
    : TKXBasePopEditShowForm(owner), HeadPanel(new QFrame(this)), HeadLabel(new QLabel(HeadPanel)),
      KXDBEdit_EMPLOYEE_ORDER_ID(new TKXDBEdit(Panel2)) {
    setObjectName(QStringLiteral("EditEmployeeForm"));
    setWindowTitle(QStringLiteral("员工资料录入编辑窗口"));
    setFixedSize(kClientWidth, kClientHeight);
    HeadPanel->setObjectName(QStringLiteral("HeadPanel"));
    HeadPanel->setFixedHeight(kHeadHeight);
    HeadPanel->setAutoFillBackground(true);
    QPalette palette = HeadPanel->palette();
    palette.setColor(QPalette::Window, ui::ToQColor(kHeadColor, palette));
    HeadPanel->setPalette(palette);
    HeadLabel->setObjectName(QStringLiteral("HeadLabel"));
    HeadLabel->setAlignment(Qt::AlignCenter);
    HeadLabel->setGeometry((kClientWidth - kHeadWidth) / 2, 0, kHeadWidth, kHeadHeight);
    static_cast<QVBoxLayout*>(layout())->insertWidget(0, HeadPanel);
    Panel1->setFixedHeight(kFieldPanelHeight);
    Panel2->setFixedHeight(kButtonPanelHeight);
    BuildEditors();
    BuildButtonPanel();
}

void TEditEmployeeForm::BuildEditors() {
    for (const TEmployeeEditor& editor : EmployeeEditors()) {
        QWidget* widget = nullptr;
        if (editor.ButtonEdit) {
            auto* edit = new TKXDBComboEdit(Panel1);
            edit->SetColorOnFocus(kAqua);
            edit->SetFocusColorChange(true);
            if (editor.Kind == TEditorKind::Date) {
                edit->SetEditType(etDate);
                HookDateEditor(edit, editor.FieldName);
            } else {
                HookChoiceEditor(
                    edit,
                    editor.FieldName.mid(QStringLiteral("EMPLOYEE_TEXT_FIELD").size()).toInt());
            }
            widget = edit;
        } else {
            auto* edit = new TKXDBEdit(Panel1);
            edit->SetColorOnFocus(kAqua);
            edit->SetFocusColorChange(true);
            if (editor.Kind == TEditorKind::Number) {
                edit->SetEditType(etFloat);
                edit->SetMaxLength(kAmountLength);
            }
            widget = edit;
        }
        widget->setObjectName(editor.Name);
        widget->setFocusPolicy(Qt::NoFocus);
        editors_.insert(editor.Name, widget);
    }
    for (int slot = 1; slot <= slotgrid::kNoteSlot; ++slot) {
        auto* label = new QLabel(Panel1);
        label->setObjectName(QStringLiteral("Label%1").arg(slot));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        labels_.append(label);
    }
}

// Two rows of buttons beside the order number, at their fixed places.
void TEditEmployeeForm::BuildButtonPanel() {
    delete Panel2->layout();
    auto* caption = new QLabel(QStringLiteral("排列序号"), Panel2);
    caption->setObjectName(QStringLiteral("LabelOrder"));
    caption->setGeometry(8, 26, 56, 20);
    KXDBEdit_EMPLOYEE_ORDER_ID->setObjectName(QStringLiteral("KXDBEdit_EMPLOYEE_ORDER_ID"));
    KXDBEdit_EMPLOYEE_ORDER_ID->setGeometry(66, 24, 130, 20);
    KXDBEdit_EMPLOYEE_ORDER_ID->SetEditType(etInteger);
    KXDBEdit_EMPLOYEE_ORDER_ID->SetMaxLength(kOrderLength);
    KXDBEdit_EMPLOYEE_ORDER_ID->setFocusPolicy(Qt::NoFocus);
    // Read-only in every state: the order number is counted, not typed.
    ui::SetTag(KXDBEdit_EMPLOYEE_ORDER_ID, 2);
    QPushButton* const rows[2][5] = {
        {Button_add, button_edit, button_delete, button_save, button_cancel},
        {button1_first, button1_prior, button1_next, button1_last, button_close}};
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 5; ++column)
            rows[row][column]->setGeometry(kButtonLefts[column], 10 + 28 * row, kButtonWidth, 25);
    Button_Print->setVisible(false);
    button_Ok->setVisible(false);
}

void TEditEmployeeForm::HookDateEditor(TKXDBComboEdit* edit, const QString& column) {
    edit->OnButtonClick = [this, edit, column](QObject*) {
        bool keep = false;
        PickDate(edit, column, false, keep);
    };
    edit->OnSelect = [this, edit, column](QObject*, bool& keepFocus) {
        PickDate(edit, column, true, keepFocus);
    };
}

void TEditEmployeeForm::HookChoiceEditor(TKXDBComboEdit* edit, int column) {
    edit->OnButtonClick = [this, column](QObject*) { PickTextField(column); };
    edit->OnSelect = [this, column](QObject*, bool& keepFocus) {
        keepFocus = PickTextField(column);
    };
}

bool TEditEmployeeForm::ListEditing() const {
    return ListQuery && (ListQuery->State() == db::dsInsert || ListQuery->State() == db::dsEdit);
}

void TEditEmployeeForm::PickDate(TKXDBComboEdit* edit, const QString& column, bool onlyWhenEmpty,
                                 bool& keepFocus) {
    if (!ListEditing())
        return;
    if (onlyWhenEmpty && !edit->text().trimmed().isEmpty())
        return;
    const QString date = SelectDateText(edit->text(), AppToday);
    if (date.isEmpty()) {
        keepFocus = true;
        return;
    }
    ListQuery->FieldByName(column)->SetAsString(date);
}

bool TEditEmployeeForm::PickTextField(int column) {
    if (!ListEditing())
        return false;
    const QString field = TextColumn(column);
    TSelectEditForm picker;
    picker.SetupCodeList(field, AppFieldCaptions.value(field),
                         QStringLiteral("KX_EMPLOYEE_TEXT_FIELD%1_TABLE").arg(column));
    picker.Query->OpenQuery();
    ForceForegroundFocus(&picker);
    if (picker.exec() != QDialog::Accepted)
        return true;
    ListQuery->FieldByName(field)->SetAsString(picker.Query->FieldByName(field)->AsString());
    return false;
}

void TEditEmployeeForm::FormCreate() {
    TKXBasePopEditShowForm::FormCreate();
    KXChild->RestoreTop = kRestoreTop;
}

void TEditEmployeeForm::FormShow() {
    TKXBasePopEditShowForm::FormShow();
    LayoutFields();
    // Centred on the main window, then at top 50.
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        if (qobject_cast<const QMainWindow*>(window) && window->isVisible())
            move(window->geometry().center().x() - frameGeometry().width() / 2, y());
    }
    move(x(), kFormTop);
    ShowRowHeading();
    if (HeadLabel->text().isEmpty())
        HeadLabel->setText(DeptPath);
    if (AddOnShow)
        Button_add->click();
    else if (EditOnShow)
        button_edit->click();
    if (ListEditing())
        Editor(QStringLiteral("KXDBEdit_EMPLOYEE_ID"))->setFocus();
}

void TEditEmployeeForm::LayoutFields() {
    layout_ = LayoutEntryFields(FieldDataSet ? ReadEmployeeFieldRows(*FieldDataSet)
                                             : TEmployeeFieldRows());
    ApplyLayout();
}

void TEditEmployeeForm::ApplyLayout() {
    std::map<int, QWidget*> tabChain;
    for (const TEditorPlace& place : layout_.Editors) {
        QWidget* widget = editors_.value(place.Name);
        widget->setGeometry(place.Rect);
        if (place.Bound) {
            if (auto* edit = qobject_cast<TKXDBEdit*>(widget)) {
                edit->SetDataSource(DS);
                edit->SetDataField(EmployeeEditor(place.Name)->FieldName);
            } else if (auto* combo = qobject_cast<TKXDBComboEdit*>(widget)) {
                combo->SetDataSource(DS);
                combo->SetDataField(EmployeeEditor(place.Name)->FieldName);
            }
        }
        const bool tabStop = place.Bound && place.InSight();
        widget->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::NoFocus);
        if (tabStop) {
            widget->raise();
            tabChain.emplace(place.TabOrder, widget);
        }
    }
    QWidget* previous = nullptr;
    for (const auto& [order, widget] : tabChain) {
        if (previous)
            setTabOrder(previous, widget);
        previous = widget;
    }
    for (int slot = 1; slot <= slotgrid::kNoteSlot; ++slot) {
        const TSlotLabel& entry = layout_.Label(slot);
        QLabel* label = labels_[slot - 1];
        label->setText(entry.Caption);
        label->setVisible(entry.Visible);
        const int width = label->fontMetrics().horizontalAdvance(entry.Caption) + 2;
        label->setGeometry(entry.Right - width, entry.Top - 2, width, 16);
    }
    KXDBEdit_EMPLOYEE_ORDER_ID->SetDataSource(DS);
    KXDBEdit_EMPLOYEE_ORDER_ID->SetDataField(QStringLiteral("EMPLOYEE_ORDER_ID"));
}

void TEditEmployeeForm::ShowRowHeading() {
    const QString company = ListQuery && ListQuery->Active() && !ListQuery->IsEmpty()
                                ? ListQuery->FieldByName(QStringLiteral("COMPANY_ID"))->AsString()
                                : QString();
    HeadLabel->setText(company.isEmpty() ? QString() : GetCompanyPath(company));
}

void TEditEmployeeForm::Button_addClick(QObject* sender) {
    TKXBasePopEditShowForm::Button_addClick(sender);
    if (!ListEditing())
        return;
    HeadLabel->setText(DeptPath);
    ListQuery->FieldByName(QStringLiteral("COMPANY_ID"))->SetAsString(DeptID);
    if (db::TField* deptName = ListQuery->FindField(kDeptNameColumn);
        deptName && !deptName->Lookup())
        deptName->SetAsString(DeptPath);
    if (CheckData.Count() > 0)
        CheckData[0].Control = Editor(QStringLiteral("KXDBEdit_EMPLOYEE_ID"));
    Editor(QStringLiteral("KXDBEdit_EMPLOYEE_ID"))->setFocus();
}

void TEditEmployeeForm::button_editClick(QObject* sender) {
    TKXBasePopEditShowForm::button_editClick(sender);
    Editor(QStringLiteral("KXDBEdit_EMPLOYEE_ID"))->setFocus();
}

void TEditEmployeeForm::button_saveClick(QObject* sender) {
    for (const QString& column : {kEmployeeId, kEmployeeName}) {
        auto* edit = static_cast<TKXDBEdit*>(Editor("KXDBEdit_" + column));
        if (edit->text().trimmed().isEmpty()) {
            ShowPromptMessage(QStringLiteral("必须输入") + AppFieldCaptions.value(column));
            edit->setFocus();
            return;
        }
    }
    TKXBasePopEditShowForm::button_saveClick(sender);
}

void TEditEmployeeForm::button_deleteClick(QObject* sender) {
    if (DeleteEmployee)
        DeleteEmployee();
    else
        TKXBasePopEditShowForm::button_deleteClick(sender);
}

void TEditEmployeeForm::button1_firstClick(QObject* sender) {
    TKXBasePopEditShowForm::button1_firstClick(sender);
    ShowRowHeading();
}

void TEditEmployeeForm::button1_priorClick(QObject* sender) {
    TKXBasePopEditShowForm::button1_priorClick(sender);
    ShowRowHeading();
}

void TEditEmployeeForm::button1_nextClick(QObject* sender) {
    TKXBasePopEditShowForm::button1_nextClick(sender);
    ShowRowHeading();
}

void TEditEmployeeForm::button1_lastClick(QObject* sender) {
    TKXBasePopEditShowForm::button1_lastClick(sender);
    ShowRowHeading();
}

// The employee-number check outlives this window: it must not point at an
// editor that goes with it.
void TEditEmployeeForm::ReleaseCheckFocus() {
    if (CheckData.Count() > 0 &&
        CheckData[0].Control == Editor(QStringLiteral("KXDBEdit_EMPLOYEE_ID")))
        CheckData[0].Control = nullptr;
}

void TEditEmployeeForm::FormClose(TCloseAction& action) {
    TKXBasePopEditShowForm::FormClose(action);
    ReleaseCheckFocus();
}

} // namespace kx::staff

#include "moc_editemployeeform.cpp"
