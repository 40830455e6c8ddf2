#pragma once
// The drop-down list box of edits, combo boxes and grid cells: a top-most
// tool window that never takes the focus yet draws as focused, whose height
// is always a whole number of rows, with optional pictures before the items,
// type-ahead search, hot tracking and a size grip in one corner.
//
// The owner keeps the keyboard focus and hands the list the keys it should
// see (send it QKeyEvents); it watches the list's mouse and keys to close it.

#include <QListWidget>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <functional>

namespace kx {

class TGridPictureList;
class TSizeGripX;

// Type-ahead over a list: characters typed within 2000 ms of each other
// make one prefix, at most 32 characters long.
class TTypeAheadX {
public:
    static constexpr qint64 ResetAfterMs = 2000;
    static constexpr int MaxLength = 32;

    // The prefix after typing ch at time nowMs.
    const QString& Type(QChar ch, qint64 nowMs);
    void Clear() { text_.clear(); }
    const QString& Text() const { return text_; }

private:
    QString text_;
    qint64 lastMs_ = 0;
};

// The height of a list of whole rows that fits in requestedHeight: at least
// one row; itemHeight 0 takes fontRowHeight.
int SnapListHeight(int requestedHeight, int borderHeight, int itemHeight, int fontRowHeight);

class TPopupListboxX : public QListWidget {
    Q_OBJECT
public:
    using TListGetImageIndexEventX =
        std::function<void(QObject* sender, int itemIndex, int& imageIndex)>;

    // owner: the control the list drops down from; the list is a window of
    // its own, freed with its owner.
    explicit TPopupListboxX(QWidget* owner);
    ~TPopupListboxX() override;

    TSizeGripX* SizeGrip() const { return sizeGrip_; }
    const TGridPictureList* Images() const { return images_; }
    void SetImages(const TGridPictureList* images);
    // The items come from source while it is set (the owner's own list);
    // set it again after the source changed.
    const QStringList* ItemSource() const { return itemSource_; }
    void SetOwnerDrawSource(const QStringList* source);
    QString VirtualItemText(int index) const;

    int ItemHeight() const;
    // 0 takes the font's row height.
    void SetItemHeight(int height);
    int FontRowHeight() const;
    int BorderHeight() const;
    int BorderWidth() const { return borderWidth_; }
    // The height of max(n, 1) rows.
    void SetRowCount(int n);
    // Rows that fit in the current height.
    int RowsFit() const { return rowsFit_; }
    // Sizes the list, snapping its height to whole rows.
    void SetBounds(int left, int top, int width, int height);

    // Set by every size change; the owner reads and resets it.
    bool SizeChanged = false;

    // The clock of the type-ahead, in milliseconds; replaceable in tests.
    std::function<qint64()> Clock;
    TListGetImageIndexEventX OnGetItemImageIndex;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;
    // A size change; the grip has moved already.
    virtual void AfterSizeChange() {}
    // The drop-down opened on a side of its owner; the grip has moved.
    virtual void AfterSideChange() {}

private:
    friend class TPopupListItemPainter;

    bool TypeAhead(QChar ch);
    void SnapToRows();

    TSizeGripX* sizeGrip_;
    const TGridPictureList* images_ = nullptr;
    const QStringList* itemSource_ = nullptr;
    TTypeAheadX typeAhead_;
    QPoint lastMousePoint_{-1, -1};
    int itemHeight_ = 0;
    int borderWidth_ = 2;
    int rowsFit_ = 0;
    bool snapping_ = false;
};

// The list's source of items, or none.
const QStringList* OwnerOfPopupList(const TPopupListboxX* list);

} // namespace kx
