#pragma once
// The grid's cells as an RTF table: one table row per title row, record and
// footer row, each cell with its font, colours, alignment and borders.
// Multi-level titles become several rows whose spanned cells are left
// empty and keep borders only on the span's outer edges.

#include "grid/editors/dbgridxexport.h"

#include <QBuffer>
#include <QStringList>

#include <map>
#include <set>
#include <utility>

namespace kx {

class THeadTreeNode;

class TDBGridXExportAsRTF : public TDBGridXExport {
public:
    void WriteToStream(QIODevice& stream, bool wholeGrid) override;

protected:
    void EmitTrailer() override;
    void EmitTitle(const TColumnsXList& columns) override;
    void EmitRecord(const TColumnsXList& columns) override;
    void EmitDataCell(TColumnX* column, const TColCellParamsX& params) override;
    void EmitFooter(const TColumnsXList& columns, int footerRow) override;
    void EmitFooterCell(int dataCol, int footerRow, TColumnX* column, const QFont& font,
                        ui::TColor background, db::TAlignment alignment,
                        const QString& text) override;

private:
    struct TBorders {
        bool Left = true;
        bool Top = true;
        bool Bottom = true;
        bool Right = true;
    };
    using TTitleLevels = std::vector<std::vector<THeadTreeNode*>>;

    int ColorIndex(ui::TColor color);
    int FontIndex(const QString& name);
    void EmitCellBorders(const TBorders& borders);
    // One cell of a row definition; right edges run from the row's start.
    void EmitCellDefinition(const TBorders& borders, ui::TColor shading, int width);
    void BeginRowDefinition();
    void BeginCells();
    void EndRow();
    void EmitParagraph(db::TAlignment alignment, const QString& spacing, const QFont& font,
                       ui::TColor fontColor, const QString& text, ui::TColor background);
    void AppendStyledText(const QFont& font, ui::TColor fontColor, const QString& text,
                          ui::TColor background);
    QString Spacing() const;
    ui::TColor DataCellShading(TColumnX* column);
    ui::TColor FooterCellShading(TColumnX* column, int footerRow, int position);

    void EmitSingleLineTitle(const TColumnsXList& columns);
    void EmitMultiLineTitle(const TColumnsXList& columns);
    TTitleLevels BuildTitleRows(const TColumnsXList& columns) const;
    void TakeTitleSpan(TTitleLevels& levels, int level, int col);
    TBorders CellBorders(int col, int level) const;

    QBuffer body_;
    QStringList colors_;
    QStringList fonts_;
    int rightEdge_ = 0;
    // Border flags of the title's cells by (column, level), as the spans
    // taken so far left them.
    std::map<std::pair<int, int>, TBorders> titleBorders_;
};

} // namespace kx
