#pragma once
// The pictures, cursors, font, keys and colours every data-aware grid
// shares, made once when the grid library starts and freed when it ends:
// the indicator column's pictures, the sort markers and the small font of
// the sort numbers, the cursors of column and record selection, and the key
// bindings and colours of the incremental search.

#include "platform/ui/colors.h"

#include <QCursor>
#include <QFont>
#include <QImage>
#include <QKeyCombination>
#include <QList>

#include <memory>

namespace kx {

// Pictures of one size; a transparent colour becomes see-through when a
// picture is added.
class TGridPictureList {
public:
    TGridPictureList(int width, int height) : width_(width), height_(height) {}

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const { return static_cast<int>(pictures_.size()); }
    const QImage& Picture(int index) const { return pictures_.at(index); }
    void Add(const QImage& picture, ui::TColor transparent);
    void Delete(int index) { pictures_.removeAt(index); }

private:
    int width_;
    int height_;
    QList<QImage> pictures_;
};

// Indicator pictures, in this order.
enum TIndicatorPicture {
    ipCurrentRecord,
    ipEditing,
    ipInserting,
    ipMultiDot,
    ipMultiArrow,
    ipCurrentRecordFilled,
    ipSearching
};

enum TSortMarkerPicture { smpDown, smpUp };

// The drawn picture resources; white, teal or fuchsia stand for see-through
// as the lists expect.
QImage GridPictureResource(const char* name);

struct TGridUnitResources {
    std::unique_ptr<TGridPictureList> IndicatorImages;
    std::unique_ptr<TGridPictureList> SortMarkerImages;
    QFont SortIndexFont;
    QCursor DownCursor;  // column selection above a title
    QCursor RightCursor; // record selection in the indicator column
    QCursor LeftCursor;  // the same, right to left
};

// None before the grid library started and after it ended.
TGridUnitResources* GridUnitResources();
void StartGridUnit();
void EndGridUnit();

// Fills the picture lists; StartGridUnit runs it.
void LoadGridPictures();
// Remakes the search indicator (picture 6) in the current IncSearchColor.
void RecreateSearchIndicator();

constexpr QKeyCombination IncSearchKey{Qt::ControlModifier, Qt::Key_F};
constexpr QKeyCombination IncSearchNextKey{Qt::ControlModifier, Qt::Key_Return};
constexpr QKeyCombination IncSearchPriorKey{Qt::ControlModifier | Qt::ShiftModifier,
                                            Qt::Key_Return};
constexpr QKeyCombination CopyFromPreviousRecordKey{Qt::ControlModifier, Qt::Key_Apostrophe};
constexpr QKeyCombination FindDialogKey{Qt::ControlModifier, Qt::Key_F};
constexpr int IncSearchTimeOut = 1500;

// The searched text's background and text colours; a caller may change
// them before the search indicator is remade.
inline ui::TColor IncSearchColor = ui::clYellow;
inline ui::TColor IncSearchFontColor = ui::clBlack;

} // namespace kx
