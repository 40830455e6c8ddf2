#pragma once
// A one-line edit with a small button at its right end: the button, or the
// key ClickKey (Alt+Down), fires OnButtonClick, and the window opens a picker
// whose result it writes into the edit. Focus colour, key filter, byte-length
// cap and input-method name as TKXEdit.

#include "frame/controls/kxinput.h"
#include "platform/ui/maskedit.h"

#include <QKeyCombination>
#include <QPixmap>

namespace kx {

class TEditButton;

enum TGlyphKind { gkCustom, gkDefault, gkDropDown, gkEllipsis };

// The ellipsis picture of a button of that width: its size and the left
// edges of its three 2 x 2 dots.
struct TEllipsisPicture {
    int Width;
    int Height;
    int Dots[3];
};
TEllipsisPicture EllipsisPicture(int buttonWidth);

class TKXCustomComboEdit : public TKXInputControl<ui::TCustomMaskEdit> {
    Q_OBJECT
public:
    explicit TKXCustomComboEdit(QWidget* parent = nullptr);

    using TKXInput::SetFocusColorChange;

    QString ButtonCaption() const;
    void SetButtonCaption(const QString& caption);
    QString ButtonHint() const;
    void SetButtonHint(const QString& hint);
    const QPixmap& Glyph() const { return glyph_; }
    // Setting a picture makes the kind gkCustom.
    void SetGlyph(const QPixmap& glyph);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int count);
    TGlyphKind GlyphKind() const { return glyphKind_; }
    void SetGlyphKind(TGlyphKind kind);
    int ButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(int width);
    bool ButtonEnabled() const;
    void SetButtonEnabled(bool enabled);
    // When true, disabling the button also hides it.
    bool ButtonVisible() const { return buttonVisible_; }
    void SetButtonVisible(bool visible) { buttonVisible_ = visible; }
    QKeyCombination ClickKey() const { return clickKey_; }
    void SetClickKey(QKeyCombination key) { clickKey_ = key; }
    // Typing (and pasting) into the edit allowed.
    bool DirectInput() const { return directInput_; }
    void SetDirectInput(bool directInput);
    virtual bool ReadOnly() const { return readOnly_; }
    virtual void SetReadOnly(bool readOnly) { SetFamilyReadOnly(readOnly); }

    // Read-only while browsing and for Tag 2; Tag 6 and Tag 7 keep the
    // button for browsing, Tag 7 also keeps the text read-only.
    void FollowDataState(bool browsing, int tag) override;
    Qt::Alignment Alignment() const { return alignment() & Qt::AlignHorizontal_Mask; }
    void SetAlignment(Qt::Alignment alignment) { setAlignment(alignment | Qt::AlignVCenter); }

    QWidget* ButtonHolder() const { return holder_; }
    TEditButton* Button() const { return button_; }

    void FireButtonClick();

    std::function<void(QObject* sender)> OnButtonClick;
    std::function<void(QObject* sender, bool& value)> OnSelect;

protected:
    // The family's own read-only state, apart from DirectInput.
    void SetFamilyReadOnly(bool readOnly);
    void PlaceButton();

    void KeyDown(int& key, ui::TShiftState shift) override;
    void KeyPress(QChar& key) override;
    void DoEnter() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void UpdateEditReadOnly();
    void RebuildPicture();
    QPixmap FirstImage() const;

    QWidget* holder_;
    TEditButton* button_;
    QPixmap glyph_;
    int numGlyphs_ = 1;
    TGlyphKind glyphKind_ = gkCustom;
    int buttonWidth_ = 21;
    int savedButtonWidth_ = 21;
    bool buttonVisible_ = true;
    QKeyCombination clickKey_{Qt::AltModifier, Qt::Key_Down};
    bool directInput_ = true;
    bool readOnly_ = false;
};

} // namespace kx
