#include "grid/dbgrid/dbgridxstyle.h"

#include "platform/ui/application.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <memory>

namespace kx {

namespace {

std::unique_ptr<TDBGridXStyle> defaultStyle;

int BlendComponent(int color, int glass, bool ungray) {
    double x = color + (glass - color) * 0.5;
    x += (225 - x) * 0.6;
    if (ungray)
        x -= (122 - x) * 0.25;
    return std::clamp(static_cast<int>(std::nearbyint(x)), 0, 255);
}

} // namespace

TDBGridXStyle::TDBGridXStyle(QObject* parent) : QObject(parent) {
    if (QCoreApplication::instance())
        QCoreApplication::instance()->installEventFilter(this);
    ReadDisplayColors();
}

TDBGridXStyle::~TDBGridXStyle() {
    while (!grids_.empty()) {
        TDBGridXStyleUser* grid = grids_.back();
        grids_.pop_back();
        grid->DropStyle();
    }
}

void TDBGridXStyle::RegisterGrid(TDBGridXStyleUser* grid) {
    if (!HasGrid(grid))
        grids_.push_back(grid);
}

void TDBGridXStyle::UnregisterGrid(TDBGridXStyleUser* grid) {
    std::erase(grids_, grid);
}

bool TDBGridXStyle::HasGrid(const TDBGridXStyleUser* grid) const {
    return std::find(grids_.begin(), grids_.end(), grid) != grids_.end();
}

void TDBGridXStyle::ReadDisplayColors() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int depth = screen ? screen->depth() : 32;
    displayColors_ = depth > 8 ? -1 : 1 << depth;
}

bool TDBGridXStyle::eventFilter(QObject* watched, QEvent* event) {
    if (watched == QCoreApplication::instance() &&
        event->type() == QEvent::ApplicationPaletteChange) {
        try {
            ReadDisplayColors();
        } catch (...) {
            ui::HandleCurrentException();
        }
    }
    return QObject::eventFilter(watched, event);
}

ui::TColor TDBGridXStyle::BlendColor(ui::TColor color, ui::TColor glass, bool ungray,
                                     const QPalette& palette) {
    const ui::TColor c = ui::ColorToRGB(color, palette);
    const ui::TColor g = ui::ColorToRGB(glass, palette);
    auto component = [&](int shift) {
        return BlendComponent(static_cast<int>((c >> shift) & 0xFF),
                              static_cast<int>((g >> shift) & 0xFF), ungray);
    };
    return ui::RGBColor(component(0), component(8), component(16));
}

bool TDBGridXStyle::DataCellHighlight(const TDataCellHighlightQuery& cell, TCellColors& colors,
                                      const QPalette& palette) const {
    bool focusHighlight = cell.Focused && (cell.OptionsX & dghHighlightFocus);
    bool selected = cell.Selected;
    if ((cell.OptionsX & dghRowHighlight) && cell.CurrentRow && cell.SelectionEmpty &&
        !cell.CurrentColumn) {
        focusHighlight = true;
        selected = true;
    }
    const bool rowSelect = cell.Options & dgRowSelect;
    const bool alwaysShow = cell.Options & dgAlwaysShowSelection;
    bool highlighted = cell.InSelection;
    if (!highlighted) {
        highlighted =
            (selected || (cell.CurrentRow && rowSelect)) && (alwaysShow || focusHighlight);
        if (cell.UpdateHeld)
            highlighted = highlighted && rowSelect;
    }
    if (!highlighted)
        return false;

    const bool currentCell = cell.CurrentRow && (cell.CurrentColumn || rowSelect);
    if (!cell.Focused) {
        if (currentCell && (focusHighlight || alwaysShow)) {
            colors.Background = ui::clActiveCaption;
            colors.FontColor = ui::clHighlightText;
        } else if (RichColorDisplay()) {
            colors.Background = BlendColor(colors.Background, ui::clBtnShadow, false, palette);
        } else {
            colors.Background = ui::clBtnFace;
        }
    } else if (luminateSelection_ && RichColorDisplay()) {
        if (currentCell) {
            colors.Background = ui::clHighlight;
            colors.FontColor = ui::clHighlightText;
        } else {
            colors.Background = BlendColor(colors.Background, ui::clHighlight, true, palette);
        }
    } else {
        colors.Background = ui::clHighlight;
        colors.FontColor = ui::clHighlightText;
    }
    return true;
}

bool TDBGridXStyle::AreaCellHighlight(bool focused, bool selected, int areaKind, int areaSubKind,
                                      TCellColors& colors, const QPalette& palette) const {
    if (!selected)
        return false;
    if ((areaKind == 0 && areaSubKind != 3) ||
        (areaKind == 1 && (areaSubKind == 0 || areaSubKind == 1))) {
        colors.Background = ui::RGBColor(64, 64, 64);
        colors.FontColor = ui::clWhite;
    } else if (focused) {
        if (luminateSelection_ && RichColorDisplay()) {
            colors.Background = BlendColor(colors.Background, ui::clHighlight, true, palette);
        } else {
            colors.Background = ui::clHighlight;
            colors.FontColor = ui::clHighlightText;
        }
    } else if (RichColorDisplay()) {
        colors.Background = BlendColor(colors.Background, ui::clBtnShadow, false, palette);
    } else {
        colors.Background = ui::clBtnFace;
    }
    return true;
}

TDBGridXStyle* DefaultGridStyle() {
    return defaultStyle.get();
}

void CreateDefaultGridStyle() {
    if (!defaultStyle)
        defaultStyle = std::make_unique<TDBGridXStyle>();
}

void DestroyDefaultGridStyle() {
    // reset() empties the pointer before the style's destructor runs, so
    // DefaultGridStyle() already answers none while the grids drop it.
    defaultStyle.reset();
}

} // namespace kx
