#include "frame/dialogs/selectform.h"

#include "frame/controls/kxndbgrid.h"
#include "platform/db/datasource.h"
#include "platform/db/field.h"
#include "platform/db/query.h"
#include "platform/ui/keypreview.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
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
      DBGrid(new TKXNDBGrid(this)), SureButton(new QPushButton(QStringLiteral("确认[F3]"), this)),
      CloseButton(new QPushButton(QStringLiteral("关闭[F12]"), this)) {
    setWindowTitle(QStringLiteral("数据选择窗口"));
    resize(660, 384);
    Query_Select->SetParamCheck(false);
    Source_Select->SetDataSet(Query_Select);
    DBGrid->setObjectName(QStringLiteral("DBGrid"));
    DBGrid->SetOptions(dgTitles | dgIndicator | dgColumnResize | dgColLines | dgRowLines | dgTabs |
                       dgRowSelect | dgAlwaysShowSelection | dgConfirmDelete | dgCancelOnExit);
    DBGrid->SetReadOnly(true);
    DBGrid->ShowEmptyRows = true;
    DBGrid->SetDataSource(Source_Select);
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
    DBGrid->OnDblClick = [this](QObject*) {
        if (Query_Select->Active() && !Query_Select->IsEmpty())
            SureButton->click();
    };
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
    // On the screen's centre, not over whichever window opened it.
    if (const QScreen* current = screen())
        move(current->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
    FitColumns();
    DBGrid->setFocus();
}

void TSelectForm::FitColumns() {
    if (!Query_Select->Active())
        return;
    const QList<db::TField*> fields(Query_Select->Fields().begin(), Query_Select->Fields().end());
    QList<int> widths;
    for (const db::TField* field : fields)
        widths << field->DisplayWidth();
    widths = FitDisplayWidths(widths);
    for (int i = 0; i < fields.size(); ++i)
        fields[i]->SetDisplayWidth(widths[i]);
}

} // namespace kx

#include "moc_selectform.cpp"
