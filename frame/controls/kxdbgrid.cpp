#include "frame/controls/kxdbgrid.h"

#include "frame/controls/dbimage.h"
#include "frame/controls/dbmemo.h"
#include "frame/controls/fieldcelltext.h"
#include "frame/controls/formmemo.h"
#include "grid/dbgrid/columntitlex.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/ui/tag.h"

#include <QImage>
#include <QPainter>

#include <algorithm>

namespace kx {
namespace {

// A grid with this tag gives a kept-for-totals column room all the same.
constexpr int kWideTotalsTag = 100;
constexpr int kWideTotalsWidth = 200;

bool IsMemo(const db::TField& field) {
    return field.DataType() == db::ftMemo || field.DataType() == db::ftFmtMemo;
}

bool IsPicture(const db::TField& field) {
    return field.DataType() == db::ftGraphic || field.DataType() == db::ftBlob;
}

} // namespace

TKXDBGrid::TKXDBGrid(QWidget* owner) : TDBGridX(owner) {
    fieldLink_.OnActiveChange = [this] {
        if (!fieldLink_.Active())
            CloseMemoWindow();
    };
}

void TKXDBGrid::SetDataSource(db::TDataSource* source) {
    TDBGridX::SetDataSource(source);
    fieldLink_.SetDataSource(source);
}

void TKXDBGrid::ApplyFieldsData() {
    if (LaidOut || FieldsData().IsEmpty())
        return;
    LaidOut = true;
    BeginLayout();
    for (const TFieldsData& rule : FieldsData()) {
        for (int i = 0; i < Columns()->Count() && Columns()->Count() > 1; ++i) {
            TColumnX* column = Columns()->GetColumn(i);
            db::TField* field = column->Field();
            if (!field || field->FieldName() != rule.FieldName)
                continue;
            field->SetDisplayLabel(rule.DisplayLabel);
            if (rule.Visible && rule.DisplayWidth > 0)
                field->SetDisplayWidth(rule.DisplayWidth);
            else if (rule.Visible && rule.DisplayWidth == -1 && ui::Tag(this) == kWideTotalsTag)
                column->SetWidth(kWideTotalsWidth);
            column->SetVisible(rule.Visible);
        }
    }
    EndLayout();
}

void TKXDBGrid::ApplyCellAttr(db::TField* field, ui::TCanvas& canvas, TGridDrawState state) {
    if (OnApplyCellAttr)
        OnApplyCellAttr(this, field, canvas, state);
}

void TKXDBGrid::DoEnter() {
    if (FocusColorChange) {
        savedColor_ = Color();
        SetColor(ColorOnFocus);
    }
    TDBGridX::DoEnter();
}

void TKXDBGrid::DoExit() {
    if (FocusColorChange)
        SetColor(savedColor_);
    TDBGridX::DoExit();
}

// ---- Cells -------------------------------------------------------------------

void TKXDBGrid::FireDrawColumnCell(const ui::TRect& rect, int dataCol, TColumnX* column,
                                   TGridDrawState state) {
    db::TField* field = column ? column->Field() : nullptr;
    if (field && DataLink()->Active() && (IsMemo(*field) || IsPicture(*field))) {
        ApplyCellAttr(field, Canvas(), state);
        if (IsMemo(*field))
            DrawMemoCell(rect, *field);
        else
            DrawPictureCell(rect, *field);
        return;
    }
    TDBGridX::FireDrawColumnCell(rect, dataCol, column, state);
}

// The window's cell attributes, the field's text written again with the
// canvas as the window left it, then the grid's own (money cells).
void TKXDBGrid::DrawDataCell(const ui::TRect& rect, db::TField* field, TGridDrawState state) {
    if (field && DataLink()->Active() && !IsMemo(*field) && !IsPicture(*field)) {
        ApplyCellAttr(field, Canvas(), state);
        WriteFieldCellText(Canvas(), rect, *field);
    }
    TDBGridX::DrawDataCell(rect, field, state);
}

void TKXDBGrid::DrawMemoCell(const ui::TRect& rect, const db::TField& field) {
    ui::TCanvas& canvas = Canvas();
    const QString ellipsis = QStringLiteral("...");
    const int room = std::max(2, rect.Width() - canvas.TextWidth(ellipsis) - 2);
    const QString text = ShortenedMemoText(
        field.AsString(), room, [&](const QString& part) { return canvas.TextWidth(part); });
    canvas.TextRect(rect, rect.Left + 2, rect.Top, text + ellipsis);
}

void TKXDBGrid::DrawPictureCell(const ui::TRect& rect, const db::TField& field) {
    ui::TCanvas& canvas = Canvas();
    canvas.FillRect(rect);
    if (field.IsNull())
        return;
    const QImage picture = QImage::fromData(field.AsBytes());
    if (!picture.isNull())
        canvas.Painter().drawImage(QRect(rect.Left, rect.Top, rect.Width(), rect.Height()),
                                   picture);
}

void TKXDBGrid::FireCellClick(TColumnX* column) {
    const db::TField* field = column ? column->Field() : nullptr;
    const db::TDataSet* dataSet = DataLink()->DataSet();
    if (field && dataSet && dataSet->Active() && (IsMemo(*field) || IsPicture(*field)))
        ShowMemoWindow(column, IsPicture(*field));
    else
        TDBGridX::FireCellClick(column);
}

void TKXDBGrid::ShowMemoWindow(TColumnX* column, bool picture) {
    if (!FormMemo)
        FormMemo = new TFormMemo(window());
    TFormMemo& form = *FormMemo;
    form.setWindowTitle(column->Title()->Caption());
    if (picture) {
        form.DBMemo1->hide();
        form.DBImage1->SetDataSource(GetDataSource());
        form.DBImage1->SetDataField(column->FieldName());
        form.DBImage1->show();
    } else {
        if (!form.DBMemo1->DataField().isEmpty() &&
            form.DBMemo1->DataField() != column->FieldName())
            form.DBMemo1->UpdateRecord();
        form.DBImage1->hide();
        form.DBMemo1->SetDataSource(GetDataSource());
        form.DBMemo1->SetDataField(column->FieldName());
        form.DBMemo1->setFont(font());
        form.DBMemo1->show();
        form.DBMemo1->setEnabled(MemoEditable);
    }
    form.show();
    form.raise();
}

void TKXDBGrid::CloseMemoWindow() {
    if (!FormMemo)
        return;
    FormMemo->DBMemo1->SetDataField(QString());
    FormMemo->DBImage1->SetDataField(QString());
    FormMemo->close();
}

} // namespace kx
