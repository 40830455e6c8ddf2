#include "grid/dbgrid/gridpictures.h"

#include "grid/dbgrid/columnxinterceptors.h"
#include "grid/dbgrid/dbgriddataservice.h"
#include "grid/dbgrid/dbgridxstyle.h"
#include "grid/editors/dbgridxfinddlg.h"
#include "grid/editors/gridclipboard.h"
#include "grid/editors/propertyinterceptors.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QPixmap>

#include <cstring>

namespace kx {

namespace {

constexpr ui::TColor clTeal = 0x808000;
// Teal would turn see-through where the search colour shows; this is the
// nearest colour that stays.
constexpr ui::TColor clSearchTeal = 0x7F7F00;

std::unique_ptr<TGridUnitResources> resources;

struct TPictureMap {
    const char* Name;
    int Width;
    int Height;
    const char* Rows;
};

// '.' white, '#' black, 'o' white inside an outline, 't' teal, 'f' fuchsia,
// 'g' dark grey.
const TPictureMap pictureMaps[] = {
    {"DBGARROWX", 6, 11,
     "......"
     "#....."
     "##...."
     "###..."
     "####.."
     "#####."
     "####.."
     "###..."
     "##...."
     "#....."
     "......"},
    {"DBEDITX", 6, 11,
     "......"
     "...##."
     "..#.##"
     "..#..#"
     ".#..#."
     ".#..#."
     "#..#.."
     "#.#..."
     "##...."
     "#....."
     "......"},
    {"DBINSERTX", 6, 11,
     "......"
     "......"
     "......"
     "#.#.#."
     ".###.."
     "#####."
     ".###.."
     "#.#.#."
     "......"
     "......"
     "......"},
    {"DBMULTIDOTX", 6, 11,
     "......"
     "......"
     "......"
     "......"
     ".##..."
     "####.."
     "####.."
     ".##..."
     "......"
     "......"
     "......"},
    {"DBMULTIARROWX", 6, 11,
     "......"
     "#....."
     ".#...."
     "#.#..."
     ".#.#.."
     "#.#.#."
     ".#.#.."
     "#.#..."
     ".#...."
     "#....."
     "......"},
    {"DBGARROWXW", 6, 11,
     "tttttt"
     "#ttttt"
     "##tttt"
     "#o#ttt"
     "#oo#tt"
     "#ooo#t"
     "#oo#tt"
     "#o#ttt"
     "##tttt"
     "#ttttt"
     "tttttt"},
    {"DBSMDOWNX", 10, 9,
     "ffffffffff"
     "ffffffffff"
     "gggggggggf"
     "fgggggggff"
     "ffgggggfff"
     "fffgggffff"
     "ffffgfffff"
     "ffffffffff"
     "ffffffffff"},
    {"DBSMUPX", 10, 9,
     "ffffffffff"
     "ffffffffff"
     "ffffgfffff"
     "fffgggffff"
     "ffgggggfff"
     "fgggggggff"
     "gggggggggf"
     "ffffffffff"
     "ffffffffff"},
};

QRgb MapColor(char c) {
    switch (c) {
    case '#':
        return qRgb(0, 0, 0);
    case 't':
        return qRgb(0, 128, 128);
    case 'f':
        return qRgb(255, 0, 255);
    case 'g':
        return qRgb(128, 128, 128);
    default:
        return qRgb(255, 255, 255);
    }
}

QRgb ToRgb(ui::TColor color) {
    return ui::ToQColor(color, QGuiApplication::palette()).rgb();
}

// A thick arrow of 32 x 32 pixels, black with a white rim, pointing down
// or to the right; its hot spot is the tip.
QCursor ArrowCursor(bool down, bool mirrored) {
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QPolygon right{{2, 12}, {14, 12}, {14, 6}, {24, 16}, {14, 26}, {14, 20}, {2, 20}};
    QTransform turn;
    if (down)
        turn.translate(32, 0).rotate(90);
    if (mirrored)
        turn = QTransform(-1, 0, 0, 1, 32, 0);
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(Qt::black);
    painter.drawPolygon(turn.map(right));
    painter.end();
    const QPoint tip = turn.map(QPoint(24, 16));
    return QCursor(QPixmap::fromImage(image), tip.x(), tip.y());
}

} // namespace

void TGridPictureList::Add(const QImage& picture, ui::TColor transparent) {
    QImage added = picture.scaled(width_, height_).convertToFormat(QImage::Format_ARGB32);
    const QRgb see = ToRgb(transparent) & RGB_MASK;
    for (int y = 0; y < added.height(); ++y)
        for (int x = 0; x < added.width(); ++x)
            if ((added.pixel(x, y) & RGB_MASK) == see)
                added.setPixel(x, y, qRgba(0, 0, 0, 0));
    pictures_.append(added);
}

QImage GridPictureResource(const char* name) {
    for (const TPictureMap& map : pictureMaps) {
        if (std::strcmp(map.Name, name) != 0)
            continue;
        QImage image(map.Width, map.Height, QImage::Format_RGB32);
        for (int y = 0; y < map.Height; ++y)
            for (int x = 0; x < map.Width; ++x)
                image.setPixel(x, y, MapColor(map.Rows[y * map.Width + x]));
        return image;
    }
    return {};
}

TGridUnitResources* GridUnitResources() {
    return resources.get();
}

void StartGridUnit() {
    if (resources)
        return;
    resources = std::make_unique<TGridUnitResources>();
    RegisterFormInterceptor();
    RegisterColumnInterceptors();
    CreateDefaultGridStyle();
    CreateGridDataService();
    RegisterGridClipboardCommands();
    RegisterGridFindDialog();
    resources->SortIndexFont = QFont(QStringLiteral("Arial"));
    resources->SortIndexFont.setPixelSize(GridPictureResource("DBSMDOWNX").height() - 1);
    resources->DownCursor = ArrowCursor(true, false);
    resources->RightCursor = ArrowCursor(false, false);
    resources->LeftCursor = ArrowCursor(false, true);
    LoadGridPictures();
}

void EndGridUnit() {
    resources.reset();
    GridClipboardCommands = {};
    GridFindDialogProc = nullptr;
    DestroyGridDataService();
    DestroyDefaultGridStyle();
}

void LoadGridPictures() {
    const QImage arrow = GridPictureResource("DBGARROWX");
    resources->IndicatorImages = std::make_unique<TGridPictureList>(arrow.width(), arrow.height());
    for (const char* name : {"DBGARROWX", "DBEDITX", "DBINSERTX", "DBMULTIDOTX", "DBMULTIARROWX"})
        resources->IndicatorImages->Add(GridPictureResource(name), ui::clWhite);
    resources->IndicatorImages->Add(GridPictureResource("DBGARROWXW"), clTeal);
    RecreateSearchIndicator();
    const QImage marker = GridPictureResource("DBSMDOWNX");
    resources->SortMarkerImages =
        std::make_unique<TGridPictureList>(marker.width(), marker.height());
    resources->SortMarkerImages->Add(marker, ui::clFuchsia);
    resources->SortMarkerImages->Add(GridPictureResource("DBSMUPX"), ui::clFuchsia);
}

void RecreateSearchIndicator() {
    QImage picture = GridPictureResource("DBGARROWXW");
    const ui::TColor background = IncSearchColor == clTeal ? clSearchTeal : IncSearchColor;
    const QRgb white = qRgb(255, 255, 255);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.pixel(x, y) == white)
                picture.setPixel(x, y, ToRgb(background));
    TGridPictureList& indicators = *resources->IndicatorImages;
    if (indicators.Count() == 7)
        indicators.Delete(ipSearching);
    indicators.Add(picture, clTeal);
}

} // namespace kx
