#include "grid/editors/dbgridxexportasrtf.h"

#include "grid/dbgrid/columntitlex.h"
#include "grid/dbgrid/customdbgridx.h"
#include "grid/dbgrid/headtreenode.h"

#include <QScopeGuard>

#include <algorithm>

namespace kx {

namespace {

// RTF's special characters are escaped and line breaks become \line, so a
// cell can never break the document; characters beyond ASCII are written
// as Unicode escapes, which every reader decodes whatever its code page.
QByteArray RtfText(const QString& text) {
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\\' || c == u'{' || c == u'}') {
            out += '\\';
            out += static_cast<char>(c.unicode());
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            out += "\\line ";
        } else if (c.unicode() < 0x80) {
            out += static_cast<char>(c.unicode());
        } else {
            out += "\\u" + QByteArray::number(static_cast<qint16>(c.unicode())) + '?';
        }
    }
    return out;
}

int TwicePointSize(const QFont& font, int dpi) {
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 72.0 / dpi;
    return qRound(points * 2);
}

const char* AlignmentWord(db::TAlignment alignment) {
    switch (alignment) {
    case db::taRightJustify:
        return "\\qr";
    case db::taCenter:
        return "\\qc";
    case db::taLeftJustify:
        break;
    }
    return "\\ql";
}

} // namespace

void TDBGridXExportAsRTF::WriteToStream(QIODevice& stream, bool wholeGrid) {
    if (ExportKind(wholeGrid) == gstNon)
        return;
    const auto release = qScopeGuard([this] {
        body_.close();
        body_.setData(QByteArray());
        colors_.clear();
        fonts_.clear();
        titleBorders_.clear();
    });
    body_.open(QIODevice::WriteOnly);
    ColorIndex(ui::clBlack);
    ColorIndex(ui::clWhite);
    ColorIndex(ui::clBtnFace);
    TDBGridXExport::WriteToStream(body_, wholeGrid);

    QByteArray head = "{\\rtf0\\ansi\r\n{\\colortbl";
    for (const QString& entry : colors_) {
        const QStringList parts = {entry.mid(0, 3), entry.mid(3, 3), entry.mid(6, 3)};
        head += "\\red" + parts[0].trimmed().toLatin1() + "\\green" +
                parts[1].trimmed().toLatin1() + "\\blue" + parts[2].trimmed().toLatin1() + ';';
    }
    head += "}\r\n{\\fonttbl";
    for (int i = 0; i < fonts_.size(); ++i)
        head += "\\f" + QByteArray::number(i) + "\\fnil " + RtfText(fonts_[i]) + ';';
    head += "}\r\n";
    stream.write(head);
    stream.write(body_.data());
}

void TDBGridXExportAsRTF::EmitTrailer() {
    Write("}");
}

// ---- Tables of colours and fonts ----------------------------------------

int TDBGridXExportAsRTF::ColorIndex(ui::TColor color) {
    const ui::TColor rgb = ui::ColorToRGB(color, Grid->palette());
    const QString key = QString::asprintf("%3d%3d%3d", int(rgb & 0xFF), int((rgb >> 8) & 0xFF),
                                          int((rgb >> 16) & 0xFF));
    const int index = static_cast<int>(colors_.indexOf(key));
    if (index >= 0)
        return index;
    colors_.append(key);
    return static_cast<int>(colors_.size() - 1);
}

int TDBGridXExportAsRTF::FontIndex(const QString& name) {
    for (int i = 0; i < fonts_.size(); ++i)
        if (fonts_[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    fonts_.append(name);
    return static_cast<int>(fonts_.size() - 1);
}

// ---- Rows and cells -----------------------------------------------------

void TDBGridXExportAsRTF::BeginRowDefinition() {
    Write("\\trowd\\trgaph40\r\n");
    rightEdge_ = 0;
}

void TDBGridXExportAsRTF::EmitCellBorders(const TBorders& borders) {
    const std::pair<bool, const char*> sides[] = {{borders.Left, "\\clbrdrl"},
                                                  {borders.Top, "\\clbrdrt"},
                                                  {borders.Bottom, "\\clbrdrb"},
                                                  {borders.Right, "\\clbrdrr"}};
    for (const auto& [wanted, word] : sides)
        if (wanted)
            Write(QByteArray(word) + "\\brdrs\\brdrcf0\r\n");
}

void TDBGridXExportAsRTF::EmitCellDefinition(const TBorders& borders, ui::TColor shading,
                                             int width) {
    EmitCellBorders(borders);
    rightEdge_ += static_cast<int>(static_cast<double>(width) / Grid->logicalDpiX() * 1440);
    Write("\\clshdng10000\\clcfpat" + QByteArray::number(ColorIndex(shading)) + "\\cellx" +
          QByteArray::number(rightEdge_) + "\r\n");
}

void TDBGridXExportAsRTF::BeginCells() {
    Write("{\\trrh0\r\n");
}

void TDBGridXExportAsRTF::EndRow() {
    Write("\\pard\\intbl\\row}\r\n");
}

QString TDBGridXExportAsRTF::Spacing() const {
    return Grid->Flat() ? QStringLiteral("12") : QStringLiteral("24");
}

void TDBGridXExportAsRTF::AppendStyledText(const QFont& font, ui::TColor fontColor,
                                           const QString& text, ui::TColor background) {
    QByteArray out = "\\fs" + QByteArray::number(TwicePointSize(font, Grid->logicalDpiX()));
    if (font.bold())
        out += "\\b";
    if (font.italic())
        out += "\\i";
    if (font.strikeOut())
        out += "\\strike";
    if (font.underline())
        out += "\\ul";
    out += "\\f" + QByteArray::number(FontIndex(font.family()));
    out += "\\cf" + QByteArray::number(ColorIndex(fontColor));
    out += "\\cb" + QByteArray::number(ColorIndex(background));
    out += ' ' + RtfText(text);
    Write(out);
}

// An empty spacing leaves the paragraph without \sb and \sa.
void TDBGridXExportAsRTF::EmitParagraph(db::TAlignment alignment, const QString& spacing,
                                        const QFont& font, ui::TColor fontColor,
                                        const QString& text, ui::TColor background) {
    QByteArray out = QByteArray("\\pard\\intbl{") + AlignmentWord(alignment);
    if (!spacing.isEmpty())
        out += "\\sb" + spacing.toLatin1() + "\\sa" + spacing.toLatin1();
    Write(out);
    AppendStyledText(font, fontColor, text, background);
    Write("\\cell}\r\n");
}

ui::TColor TDBGridXExportAsRTF::DataCellShading(TColumnX* column) {
    QFont font = column->Font();
    ui::TColor background = column->Color();
    if (Grid->OnGetCellParams)
        Grid->OnGetCellParams(Grid, column, font, background, 0);
    return background;
}

ui::TColor TDBGridXExportAsRTF::FooterCellShading(TColumnX* column, int footerRow, int position) {
    return FooterCell(column, footerRow, position).Background;
}

void TDBGridXExportAsRTF::EmitRecord(const TColumnsXList& columns) {
    BeginRowDefinition();
    for (TColumnX* column : columns)
        EmitCellDefinition({}, DataCellShading(column), column->Width());
    BeginCells();
    TDBGridXExport::EmitRecord(columns);
    EndRow();
}

void TDBGridXExportAsRTF::EmitDataCell(TColumnX*, const TColCellParamsX& params) {
    EmitParagraph(params.CellAlignment, Spacing(), params.CellFont, ui::clWindowText,
                  params.CellText, params.CellColor);
}

void TDBGridXExportAsRTF::EmitFooter(const TColumnsXList& columns, int footerRow) {
    BeginRowDefinition();
    for (int i = 0; i < columns.Count(); ++i)
        EmitCellDefinition({}, FooterCellShading(columns[i], footerRow, i), columns[i]->Width());
    BeginCells();
    TDBGridXExport::EmitFooter(columns, footerRow);
    EndRow();
}

void TDBGridXExportAsRTF::EmitFooterCell(int, int, TColumnX*, const QFont& font,
                                         ui::TColor background, db::TAlignment alignment,
                                         const QString& text) {
    EmitParagraph(alignment, Spacing(), font, ui::clWindowText, text, background);
}

// ---- Titles -------------------------------------------------------------

void TDBGridXExportAsRTF::EmitTitle(const TColumnsXList& columns) {
    if (Grid->UseMultiTitle())
        EmitMultiLineTitle(columns);
    else
        EmitSingleLineTitle(columns);
}

void TDBGridXExportAsRTF::EmitSingleLineTitle(const TColumnsXList& columns) {
    BeginRowDefinition();
    for (TColumnX* column : columns)
        EmitCellDefinition({}, column->Title()->Color(), column->Width());
    BeginCells();
    for (TColumnX* column : columns) {
        const TColumnTitleX* title = column->Title();
        EmitParagraph(title->Alignment(), Spacing(), title->Font(), ui::clBtnText, title->Caption(),
                      title->Color());
    }
    EndRow();
}

// Level 0 holds every column's leaf; each further level moves the columns
// whose title reaches lowest up to their parent nodes, until none moves.
TDBGridXExportAsRTF::TTitleLevels
TDBGridXExportAsRTF::BuildTitleRows(const TColumnsXList& columns) const {
    const std::vector<TLeafCol>& leafCols = Grid->LeafCols();
    std::vector<THeadTreeNode*> nodes;
    std::vector<int> reached;
    for (TColumnX* column : columns) {
        THeadTreeNode* leaf = leafCols.at(static_cast<std::size_t>(column->Index())).Leaf;
        nodes.push_back(leaf);
        reached.push_back(leaf->CellHeight);
    }
    TTitleLevels levels;
    for (;;) {
        const int lowest = reached.empty() ? 0 : *std::min_element(reached.begin(), reached.end());
        const std::vector<THeadTreeNode*> level = nodes;
        bool moved = false;
        for (std::size_t c = 0; c < nodes.size(); ++c) {
            if (reached[c] == lowest && nodes[c]->Parent()) {
                nodes[c] = nodes[c]->Parent();
                reached[c] += nodes[c]->CellHeight;
                moved = true;
            }
        }
        if (levels.empty() || moved)
            levels.push_back(level);
        if (!moved)
            return levels;
    }
}

void TDBGridXExportAsRTF::TakeTitleSpan(TTitleLevels& levels, int level, int col) {
    std::vector<THeadTreeNode*>& row = levels[static_cast<std::size_t>(level)];
    THeadTreeNode* node = row[static_cast<std::size_t>(col)];
    if (!node)
        return;
    int bottom = level;
    while (bottom > 0 &&
           levels[static_cast<std::size_t>(bottom - 1)][static_cast<std::size_t>(col)] == node)
        --bottom;
    int right = col;
    while (right + 1 < static_cast<int>(row.size()) &&
           row[static_cast<std::size_t>(right + 1)] == node)
        ++right;
    for (int l = bottom; l <= level; ++l) {
        for (int c = col; c <= right; ++c) {
            if (l != level || c != col)
                levels[static_cast<std::size_t>(l)][static_cast<std::size_t>(c)] = nullptr;
            titleBorders_[{c, l}] = {c == col, l == level, l == bottom, c == right};
        }
    }
}

TDBGridXExportAsRTF::TBorders TDBGridXExportAsRTF::CellBorders(int col, int level) const {
    const auto found = titleBorders_.find({col, level});
    return found == titleBorders_.end() ? TBorders{false, false, false, false} : found->second;
}

void TDBGridXExportAsRTF::EmitMultiLineTitle(const TColumnsXList& columns) {
    const int margin = static_cast<int>(
        static_cast<double>(Grid->VTitleMargin()) / 2 / Grid->logicalDpiX() * 1440 - 20);
    const QString spacing = QString::number(margin);
    TTitleLevels levels = BuildTitleRows(columns);
    const int count = columns.Count();
    for (int level = static_cast<int>(levels.size()) - 1; level >= 0; --level) {
        for (int c = 0; c < count; ++c)
            TakeTitleSpan(levels, level, c);
        BeginRowDefinition();
        for (int c = 0; c < count; ++c) {
            const ui::TColor shading =
                level > 0 ? Grid->FixedColor() : columns[c]->Title()->Color();
            EmitCellDefinition(CellBorders(c, level), shading, columns[c]->Width());
        }
        BeginCells();
        for (int c = 0; c < count; ++c) {
            const TColumnTitleX* title = columns[c]->Title();
            const QFont font = level > 0 ? Grid->TitleFont() : title->Font();
            const ui::TColor background = level > 0 ? Grid->FixedColor() : title->Color();
            const THeadTreeNode* node = levels[static_cast<std::size_t>(level)][std::size_t(c)];
            if (node)
                EmitParagraph(db::taCenter, spacing, font, ui::clBtnText, node->Caption,
                              background);
            else
                EmitParagraph(db::taCenter, QString(), font, ui::clBtnText, QString(), background);
        }
        EndRow();
    }
}

} // namespace kx
