#pragma once
// The arithmetic and choices of the table-report designer that need no
// window: zoom and centring, the font bar's font, the alignment and diagonal
// codes, custom paper sizes and where a save goes.

#include "tablereport/logfont.h"

#include <QByteArray>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

namespace kx {

// The smallest zoom the designer shows, so a page never shrinks to nothing.
constexpr int kMinDesignerZoom = 10;
constexpr int kDesignerZoomStep = 10;

// The zoom at which the page fits the window, never above 100.
int DesignerFitZoom(QSize page, QSize window);

// The page's place in the scroll box; the width test uses the window's
// client width, the value the scroll box's width.
QPoint DesignerPagePos(QSize control, int clientWidth, int scrollBoxWidth, int windowHeight);

// The point size a font dialog starts with, truncated twice as the screen
// measures it.
int PointSizeFromHeight(int32_t height, int dpi);

// The font bar's size text as points: 9 when it is not a positive number.
int FontBarSize(const QString& sizeText);

TLogFont FontBarFont(const QString& face, const QString& sizeText, bool bold, bool italic,
                     bool underline);

// The alignment code of a button group: the pressed button's index, 3 when
// none is pressed.
int32_t AlignCode(int pressedIndex);

// Left diagonals 1, 2, 3 and right diagonals 1, 2, 3 as the cell's bits.
int32_t DiagonalCode(const std::array<bool, 6>& checked);

// A user-defined paper in millimetres as page pixels, and back.
QSize PaperPixels(double widthMm, double heightMm);
QSize PaperMillimetres(QSize pagePixels);

// The template the program's first argument names, which every designer
// shows first; an option of the start-up or test machinery names none.
QString StartupTemplatePath(const QStringList& arguments);

const QStringList& DesignerFontSizes();
const QStringList& DesignerNumberFormats();
const QStringList& DesignerVariables();

// Where the open template came from and goes back to.
struct TDesignerDocument {
    bool FileMode = false;
    QString Path;
    // A caller's stream, not owned; set in stream mode only.
    QByteArray* Stream = nullptr;
    bool CatalogueMode = false;
    bool Saved = true;
};

enum class TSaveTarget {
    Nothing,         // an empty designer that no file or stream backs
    File,            // the file of Path
    SaveAs,          // file mode without a path: ask where
    Stream,          // the caller's stream
    NoPrintId,       // catalogue without a row number: refused
    CatalogueFile,   // TemplateDir/PrintId
    CatalogueTable,  // the body row of PrintId in TemplateTable
    NoCataloguePlace // catalogue without folder or table: refused
};

TSaveTarget SaveTargetOf(const TDesignerDocument& document, const QString& printId,
                         const QString& templateDir, const QString& templateTable);

} // namespace kx
