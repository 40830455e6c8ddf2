#include "frame/dialogs/selectform.h"

#include "platform/db/datasource.h"
#include "platform/db/field.h"
#include "platform/db/query.h"
#include "platform/ui/keypreview.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

namespace kx {
namespace {

constexpr double kTotalWidth = 102;

} // namespace

QList<int> FitDisplayWidths(const QList<int>& widths) {
    if (widths.isEmpty())
        return widths;
    double sum = 0;
    for (int width : widths)
        sum += width;
    const double count = double(widths.size());
    QList<int> fitted;
    if (sum < kTotalWidth) {
        const int add = int(std::nearbyint((kTotalWidth - sum) / count - 1));
        for (int width : widths)
            fitted << width + add;
        return fitted;
    }
    const int a = int(std::nearbyint((sum - kTotalWidth) / count - 1));
    for (int width : widths) {
        if (width > 10 * a)
            fitted << width - 4 * a;
        else if (width > 8 * a)
            fitted << width - 3 * a;
        else if (width > 6 * a)
            fitted << width - 2 * a;
        else if (width > 3 * a)
            fitted << width - a;
        else
            fitted << width;
    }
    return fitted;
}

TSelectForm::TSelectForm(QWidget* parent)
    : QDialog(parent), Query_Select(new db::TQuery(this)), Source_Select(new db::TDataSource(this)),
      DBGrid(new QTableWidget(this)), SureButton(new QPushButton(QStringLiteral("确认[F3]"), this)),
      CloseButton(new QPushButton(QStringLiteral("关闭[F12]"), this)) {
    setWindowTitle(QStringLiteral("数据选择窗口"));
    resize(660, 384);
    Query_Select->SetParamCheck(false);
    Source_Select->SetDataSet(Query_Select);
    DBGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(DBGrid);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(SureButton);
    buttons->addWidget(CloseButton);
    layout->addLayout(buttons);
    SureButton->setDefault(true);
    connect(SureButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(DBGrid, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (row >= 0 && Query_Select->Active())
            Query_Select->SetRecNo(row + 1);
    });
    connect(DBGrid, &QTableWidget::cellDoubleClicked, this, [this] {
        if (Query_Select->Active() && !Query_Select->IsEmpty())
            SureButton->click();
    });
    new ui::KeyPreview(this, [this](QKeyEvent* event) {
        switch (event->key()) {
        case Qt::Key_F3:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            SureButton->click();
            return true;
        case Qt::Key_F12:
            CloseButton->click();
            return true;
        default:
            return false;
        }
    });
}

TSelectForm::~TSelectForm() {
    Query_Select->Close();
}

void TSelectForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FillGrid();
    DBGrid->setFocus();
}

void TSelectForm::FillGrid() {
    DBGrid->clear();
    if (!Query_Select->Active())
        return;
    const QList<db::TField*> fields(Query_Select->Fields().begin(), Query_Select->Fields().end());
    QList<int> widths;
    for (db::TField* field : fields)
        widths << field->DisplayWidth();
    widths = FitDisplayWidths(widths);
    DBGrid->setColumnCount(int(fields.size()));
    DBGrid->setRowCount(Query_Select->RecordCount());
    const int charWidth = DBGrid->fontMetrics().averageCharWidth();
    for (int column = 0; column < fields.size(); ++column) {
        db::TField* field = fields[column];
        field->SetDisplayWidth(widths[column]);
        DBGrid->setHorizontalHeaderItem(column, new QTableWidgetItem(field->DisplayLabel()));
        DBGrid->setColumnWidth(column, widths[column] * charWidth);
        DBGrid->setColumnHidden(column, !field->Visible());
    }
    const int current = Query_Select->RecNo();
    Query_Select->DisableControls();
    int row = 0;
    for (Query_Select->First(); !Query_Select->Eof(); Query_Select->Next(), ++row)
        for (int column = 0; column < fields.size(); ++column)
            DBGrid->setItem(row, column, new QTableWidgetItem(fields[column]->DisplayText()));
    Query_Select->EnableControls();
    if (current > 0) {
        Query_Select->SetRecNo(current);
        DBGrid->setCurrentCell(current - 1, 0);
    }
}

} // namespace kx

#include "moc_selectform.cpp"
