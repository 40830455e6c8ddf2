#pragma once
// The settings of a small button at the right edge of an edit or a grid
// cell (drop-down, ellipsis, glyph, up-down, plus, minus): what the owner
// reads to make and paint the button control, and the click and down events
// it fires. A button may follow an action's enabled state, hint, short-cut
// and visibility. TEditButtonsX is an owner's list of them.

#include "grid/editors/cellbuttons.h"

#include <QKeyCombination>
#include <QPixmap>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QAction;
class QMenu;
class QObject;
class QWidget;

namespace kx {

class TEditButtonsX;
class TEditButtonX;

using TButtonClickEventX = std::function<void(QObject* sender, bool& handled)>;
using TButtonDownEventX =
    std::function<void(QObject* sender, bool topButton, bool& autoRepeat, bool& handled)>;

// Binds a button to an action: the button takes the action's state whenever
// the action changes.
class TEditButtonActionLinkX {
public:
    explicit TEditButtonActionLinkX(TEditButtonX* client) : client_(client) {}
    ~TEditButtonActionLinkX();
    TEditButtonActionLinkX(const TEditButtonActionLinkX&) = delete;
    TEditButtonActionLinkX& operator=(const TEditButtonActionLinkX&) = delete;

    QAction* Action() const { return action_; }
    void SetAction(QAction* action);
    std::function<void(QAction* sender)> OnChange;

    // The button's value is the action's.
    bool IsEnabledLinked() const;
    bool IsHintLinked() const;
    bool IsShortCutLinked() const;
    bool IsVisibleLinked() const;

private:
    void Disconnect();

    TEditButtonX* client_;
    QPointer<QAction> action_;
    std::vector<QMetaObject::Connection> connections_;
};

class TEditButtonX {
public:
    // A stand-alone button of an edit.
    explicit TEditButtonX(QWidget* editControl);
    // An item of a list; the list is held in an update bracket while the
    // item joins it.
    explicit TEditButtonX(TEditButtonsX* collection);
    virtual ~TEditButtonX();
    TEditButtonX(const TEditButtonX&) = delete;
    TEditButtonX& operator=(const TEditButtonX&) = delete;

    QWidget* EditControl() const { return editControl_; }
    TEditButtonsX* Collection() const { return collection_; }

    QAction* Action() const;
    void SetAction(QAction* action);
    QMenu* DropdownMenu = nullptr;
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    const QPixmap& Glyph() const { return glyph_; }
    void SetGlyph(const QPixmap& glyph);
    const QString& Hint() const { return hint_; }
    void SetHint(const QString& hint);
    // Clamped to 1..4.
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int numGlyphs);
    QKeyCombination ShortCut() const { return shortCut_; }
    void SetShortCut(QKeyCombination shortCut) { shortCut_ = shortCut; }
    TEditButtonStyleX Style() const { return style_; }
    void SetStyle(TEditButtonStyleX style);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    // 0 lets the owner choose.
    int Width() const { return width_; }
    void SetWidth(int width);

    // Whether the form stream keeps each value: not when it follows the
    // action, nor when it is the default.
    bool IsEnabledStored() const;
    bool IsHintStored() const;
    bool IsShortCutStored() const;
    bool IsVisibleStored() const;

    void Assign(const TEditButtonX& source);
    void NotifyChanged();
    // OnClick when set; otherwise the action runs.
    virtual void Click(QObject* sender, bool& handled);

    TButtonClickEventX OnClick;
    TButtonDownEventX OnDown;
    std::function<void(TEditButtonX* sender)> OnInternalChange;

protected:
    virtual bool DefaultVisible() const { return false; }
    virtual QKeyCombination DefaultShortCut() const { return {}; }

private:
    void ActionLinkChanged(QAction* sender);
    // Actions are complete when they are assigned, so the button takes all.
    void TakeActionProperties(QAction* action);

    QWidget* editControl_ = nullptr;
    TEditButtonsX* collection_ = nullptr;
    std::unique_ptr<TEditButtonActionLinkX> actionLink_;
    QPixmap glyph_;
    QString hint_;
    QKeyCombination shortCut_;
    TEditButtonStyleX style_ = ebsDropDownX;
    int numGlyphs_ = 1;
    int width_ = 0;
    bool enabled_ = true;
    bool visible_ = false;
};

// The edit button of combo boxes: visible, Alt+Down opens it.
class TVisibleEditButtonX : public TEditButtonX {
public:
    explicit TVisibleEditButtonX(QWidget* editControl);
    explicit TVisibleEditButtonX(TEditButtonsX* collection);

protected:
    bool DefaultVisible() const override { return true; }
    QKeyCombination DefaultShortCut() const override { return AltDown; }

private:
    static constexpr QKeyCombination AltDown{Qt::AltModifier, Qt::Key_Down};
};

class TEditButtonsX {
public:
    using TItemFactory = std::function<std::unique_ptr<TEditButtonX>(TEditButtonsX*)>;

    // Items are made by itemFactory, plain TEditButtonX ones without one.
    explicit TEditButtonsX(QObject* owner, TItemFactory itemFactory = {});
    TEditButtonsX(const TEditButtonsX&) = delete;
    TEditButtonsX& operator=(const TEditButtonsX&) = delete;

    QObject* Owner() const { return owner_; }
    int Count() const { return static_cast<int>(items_.size()); }
    TEditButtonX* ButtonAt(int index) const { return items_.at(index).get(); }
    TEditButtonX* Add();
    void Delete(int index);
    // The same buttons with the same settings as source's.
    void Assign(const TEditButtonsX& source);

    void BeginUpdate() { ++updateCount_; }
    // The last one tells of a change of the whole list.
    void EndUpdate();
    // An item changed (nullptr: the whole list).
    void Changed(TEditButtonX* item);

    std::function<void(TEditButtonX* item)> OnInternalChange;

private:
    QObject* owner_;
    TItemFactory itemFactory_;
    std::vector<std::unique_ptr<TEditButtonX>> items_;
    int updateCount_ = 0;
};

} // namespace kx
