#pragma once
// A scroll bar of the data-aware grid: whether it shows, and an optional
// scroll bar control elsewhere on the form that takes its place. An
// external bar serves one grid at a time; its scrolling reaches the grid as
// the grid's own bar's would.

#include <QMetaObject>
#include <QPointer>
#include <QScrollBar>
#include <QString>

namespace kx {

class TCustomDBGridX;

enum TScrollBarVisibleModeX : quint8 { sbAlwaysShowX, sbNeverShowX, sbAutoShowX };

struct TScrollInfoX {
    int Min = 0;
    int Max = 0;
    int Page = 0;
    int Pos = 0;
};

class TDBGridXScrollBar {
public:
    enum TKind : quint8 { sbHorizontal, sbVertical };

    TDBGridXScrollBar(TCustomDBGridX* grid, TKind kind) : grid_(grid), kind_(kind) {}
    virtual ~TDBGridXScrollBar();
    TDBGridXScrollBar(const TDBGridXScrollBar&) = delete;
    TDBGridXScrollBar& operator=(const TDBGridXScrollBar&) = delete;

    TKind Kind() const { return kind_; }
    QScrollBar* ExtScrollBar() const { return extScrollBar_; }
    // Refuses a bar that another grid drives with "Possible <name> already
    // attached to the other control.".
    void SetExtScrollBar(QScrollBar* bar);
    bool Tracking = false;
    TScrollBarVisibleModeX VisibleMode() const { return visibleMode_; }
    virtual void SetVisibleMode(TScrollBarVisibleModeX mode);
    bool Visible() const { return visibleMode_ != sbNeverShowX; }
    void SetVisible(bool value);
    // The external bar's own visibility, else whether the grid shows its bar.
    bool IsVisible() const;
    void SyncExtVisible();
    bool ReadScrollInfo(TScrollInfoX& info) const;
    void Assign(const TDBGridXScrollBar& source);
    // The grid is going: the external bar stays where it is, untouched.
    void GridDestroying() { destroying_ = true; }

protected:
    TCustomDBGridX* Grid() const { return grid_; }
    void StoreVisibleMode(TScrollBarVisibleModeX mode) { visibleMode_ = mode; }

private:
    void Detach();
    void ExtBarScrolled(int action);

    TCustomDBGridX* grid_;
    TKind kind_;
    QPointer<QScrollBar> extScrollBar_;
    QMetaObject::Connection extConnection_;
    TScrollBarVisibleModeX visibleMode_ = sbAutoShowX;
    bool destroying_ = false;
};

class TVertDBGridXScrollBar : public TDBGridXScrollBar {
public:
    explicit TVertDBGridXScrollBar(TCustomDBGridX* grid) : TDBGridXScrollBar(grid, sbVertical) {}
    void SetVisibleMode(TScrollBarVisibleModeX mode) override;
};

} // namespace kx
