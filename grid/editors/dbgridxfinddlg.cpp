#include "grid/editors/dbgridxfinddlg.h"

#include "grid/dbgrid/columntitlex.h"
#include "grid/dbgrid/columnx.h"
#include "grid/dbgrid/customdbgridx.h"
#include "grid/editors/dbcheckboxx.h"
#include "grid/editors/dbcomboboxx.h"
#include "platform/db/datasource.h"
#include "platform/ui/application.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

namespace kx {
namespace {

const QString AllColumns = QStringLiteral("<All>");

QLabel* MakeLabel(QWidget* parent, const QString& text, int left, int top) {
    auto* label = new QLabel(text, parent);
    label->move(left, top);
    label->adjustSize();
    return label;
}

TDBComboBoxX* MakeCombo(QWidget* parent, int left, int top, int width) {
    auto* combo = new TDBComboBoxX(parent);
    combo->setGeometry(left, top, width, combo->height());
    return combo;
}

// A key combo whose keys are its texts, showing selected.
void UseTextsAsKeys(TDBComboBoxX* combo, const QStringList& texts, const QString& selected) {
    combo->SetItems(texts);
    combo->SetKeyItems(texts);
    combo->ApplyValue(selected);
}

bool IsEnterOrEsc(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
}

} // namespace

TDBGridXFindDlg::TDBGridXFindDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("DBGridXFindDlg"));
    setWindowTitle(QStringLiteral("Find text"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    CtrlHeld = [] { return QGuiApplication::queryKeyboardModifiers() & Qt::ControlModifier; };

    Label1 = MakeLabel(this, QStringLiteral("Fi&nd What:"), 10, 12);
    cbText = MakeCombo(this, 88, 9, 316);
    Label2 = MakeLabel(this, QStringLiteral("Find &in:"), 10, 35);
    cbFindIn = MakeCombo(this, 88, 32, 192);
    cbMatchType = MakeLabel(this, QStringLiteral("Matc&h:"), 10, 58);
    cbMatchinType = MakeCombo(this, 88, 55, 144);
    Label3 = MakeLabel(this, QStringLiteral("Sea&rch:"), 10, 82);
    cbFindDirection = MakeCombo(this, 88, 79, 144);
    cbCharCase = new TDBCheckBoxX(this);
    cbCharCase->setGeometry(88, 105, 144, 14);
    cbCharCase->SetCaption(QStringLiteral("Match &Case"));
    cbUseFormat = new TDBCheckBoxX(this);
    cbUseFormat->setGeometry(260, 105, 144, 14);
    cbUseFormat->SetCaption(QStringLiteral("Match F&ormat"));
    cbUseFormat->SetChecked(true);
    bFind = new QPushButton(QStringLiteral("&Find next"), this);
    bFind->setGeometry(413, 9, 82, 23);
    bCancel = new QPushButton(QStringLiteral("Close"), this);
    bCancel->setGeometry(413, 37, 82, 22);
    Label4 = MakeLabel(this, QStringLiteral("Find in Tree:"), 10, 128);
    dbcTreeFindRange = MakeCombo(this, 88, 124, 145);

    Label1->setBuddy(cbText);
    Label2->setBuddy(cbFindIn);
    cbMatchType->setBuddy(cbMatchinType);
    Label3->setBuddy(cbFindDirection);
    for (TDBComboBoxX* combo : {cbText, cbFindIn}) {
        combo->DropDownBox().Rows = 17;
        combo->DropDownBox().Sizable = true;
    }
    UseTextsAsKeys(cbMatchinType,
                   {QStringLiteral("From any part of field"), QStringLiteral("Whole field"),
                    QStringLiteral("From beging of field")},
                   QStringLiteral("From any part of field"));
    // The longest kind of match must show whole in the installed font.
    const int matchWidth =
        cbMatchinType->fontMetrics().horizontalAdvance(cbMatchinType->Items().at(0)) +
        cbMatchinType->ButtonsWidth() + 12;
    cbMatchinType->resize(std::max(cbMatchinType->width(), matchWidth), cbMatchinType->height());
    UseTextsAsKeys(cbFindDirection,
                   {QStringLiteral("Up"), QStringLiteral("Down"), QStringLiteral("All")},
                   QStringLiteral("All"));
    UseTextsAsKeys(dbcTreeFindRange,
                   {QStringLiteral("In all nodes"), QStringLiteral("In expanded nodes"),
                    QStringLiteral("In current level"), QStringLiteral("In current node")},
                   QStringLiteral("In all nodes"));

    QWidget* order[] = {cbText,      cbFindIn, cbMatchinType, cbFindDirection, cbCharCase,
                        cbUseFormat, bFind,    bCancel,       dbcTreeFindRange};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    for (QWidget* control : order)
        control->installEventFilter(this);

    cbText->OnChange = [this](QObject*) { cbTextChange(); };
    cbFindDirection->OnChange = [this](QObject*) { cbTextChange(); };
    dbcTreeFindRange->OnChange = [this](QObject*) { cbTextChange(); };
    cbFindIn->OnChange = [this](QObject*) { UpdateSearchColumns(); };
    connect(bFind, &QPushButton::clicked, this, ui::Guard([this] { bFindClick(); }));
    connect(bCancel, &QPushButton::clicked, this, ui::Guard([this] { close(); }));

    // FormCreate: the full height, tree row included.
    fullHeight_ = 150;
    setFixedSize(505, fullHeight_);
}

void TDBGridXFindDlg::ShowForGrid(TCustomDBGridX* grid, const QString& text, bool modal) {
    // No data set of ours offers a tree, so the tree row never shows.
    Label4->hide();
    dbcTreeFindRange->hide();
    setFixedSize(505, dbcTreeFindRange->y());

    cbText->ApplyValue(text);
    grid_ = grid;
    FillFindInList();
    const int dataCol = grid->CurrentDataColumn();
    if (dataCol >= 0 && dataCol < grid->Columns()->Count()) {
        const QString caption = grid->Columns()->GetColumn(dataCol)->Title()->Caption();
        const int index = int(cbFindIn->Items().indexOf(caption));
        if (index >= 0)
            cbFindIn->SelectItem(index);
    }
    firstSearch_ = true;
    if (isVisible())
        close();
    cbText->setFocus();
    UpdateSearchColumns();

    modal_ = modal;
    setWindowFlag(Qt::WindowStaysOnTopHint, !modal);
    if (modal) {
        exec();
    } else {
        show();
        raise();
        activateWindow();
    }
}

void TDBGridXFindDlg::FillFindInList() {
    auto handler = std::move(cbFindIn->OnChange);
    cbFindIn->OnChange = nullptr;
    QStringList titles;
    findInColumns_.clear();
    TColumnsXList* columns = grid_->VisibleColumns();
    for (int i = 0; i < columns->Count(); ++i) {
        titles.append(columns->GetColumn(i)->Title()->Caption());
        findInColumns_.push_back(columns->GetColumn(i));
    }
    titles.append(AllColumns);
    findInColumns_.push_back(nullptr);
    cbFindIn->SetItems(titles);
    cbFindIn->SetKeyItems(titles);
    cbFindIn->OnChange = std::move(handler);
}

void TDBGridXFindDlg::UpdateSearchColumns() {
    if (cbFindIn->ItemIndex() < 0)
        cbFindIn->SelectItem(cbFindIn->ItemCount() - 1);
    cbTextChange();
}

void TDBGridXFindDlg::bFindClick() {
    const bool reverse = CtrlHeld();
    if (!cbText->Items().contains(cbText->Text())) {
        QStringList history = cbText->Items();
        history.append(cbText->Text());
        cbText->SetItems(history);
    }
    if (!grid_ || !grid_->GetDataSource() || !grid_->GetDataSource()->DataSet() ||
        !grid_->GetDataSource()->DataSet()->Active())
        return;

    TGridFindChoices choices;
    choices.MatchCase = cbCharCase->Checked();
    const int findIn = cbFindIn->ItemIndex();
    choices.AllColumns = findIn == cbFindIn->ItemCount() - 1;
    choices.UseFormat = cbUseFormat->Checked();
    choices.DirectionIndex = cbFindDirection->ItemIndex();
    choices.MatchIndex = cbMatchinType->ItemIndex();
    choices.TreeRangeIndex = dbcTreeFindRange->ItemIndex();
    choices.Reverse = reverse;
    choices.FirstSearch = firstSearch_;
    const TGridFindArgs args = MapGridFindChoices(choices);

    const TColumnX* column = findIn >= 0 ? findInColumns_.at(std::size_t(findIn)) : nullptr;
    const QString fieldName = column ? column->FieldName() : QString();
    if (grid_->LocateText(fieldName, cbText->Text(), args.Options, args.Direction, args.Matching,
                          args.TreeRange))
        firstSearch_ = false;
}

bool TDBGridXFindDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        bool handled = false;
        FormKeyDown(static_cast<QKeyEvent*>(event), handled);
        if (handled)
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TDBGridXFindDlg::FormKeyDown(QKeyEvent* event, bool& handled) {
    if (!IsEnterOrEsc(event->key()))
        return;
    auto* combo = qobject_cast<TDBComboBoxX*>(focusWidget());
    if (combo && combo->ListVisible())
        return;
    if (event->key() == Qt::Key_Escape)
        bCancel->click();
    else
        bFindClick();
    cbText->setModified(false);
    handled = true;
}

void RunGridFindDialog(TCustomDBGridX* grid, const QString& text, bool modal) {
    static QPointer<TDBGridXFindDlg> dialog;
    if (!dialog) {
        dialog = new TDBGridXFindDlg();
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, dialog, &QObject::deleteLater);
    }
    dialog->ShowForGrid(grid, text, modal);
}

void RegisterGridFindDialog() {
    GridFindDialogProc = [](TCustomDBGridX* grid, const QString& text, const QString&, bool modal) {
        RunGridFindDialog(grid, text, modal);
    };
}

} // namespace kx
