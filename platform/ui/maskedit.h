#pragma once
// The single-line edit with an edit mask in the desktop's syntax
// ("mask;save literals;blank"): 0 a required digit, 9 an optional one,
// L/l letters, A/a letters or digits, C/c any character, # digit or sign,
// > < <> case, \ a literal, : and / the time and date separators, _ a blank.
// Keys arrive first as a key-down with a key the handler may clear, then as
// the typed character, before the edit itself sees them.

#include "platform/ui/customcontrol.h"

#include <QLineEdit>

#include <functional>

namespace kx::ui {

struct TEditMaskParts {
    QString Mask;
    bool SaveLiterals = true;
    QChar Blank = u'_';
};

TEditMaskParts ParseEditMask(const QString& editMask);
// The same mask in Qt's input-mask syntax; empty for an empty mask.
QString ToQtInputMask(const QString& editMask);
// The text kept from the edit's shown text: literals left out unless the
// mask saves them, blanks turned into spaces.
QString MaskedText(const QString& editMask, const QString& shownText);

class TCustomMaskEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TCustomMaskEdit(QWidget* parent = nullptr);

    QString EditMask() const { return editMask_; }
    void SetEditMask(const QString& mask);
    bool IsMasked() const { return !editMask_.isEmpty(); }
    // The text as the mask keeps it; EditText is the text as shown.
    QString Text() const;
    void SetText(const QString& text);
    QString EditText() const { return displayText(); }
    // 0 or less: no limit.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int length);
    bool Modified() const { return isModified(); }
    void SetModified(bool modified) { setModified(modified); }

    // The selection as start and end; both the caret position without one.
    void GetSel(int& start, int& end) const;
    // Start -1 removes the selection; end -1 means the end of the text.
    void SetSel(int start, int end);
    int SelStart() const;
    int SelLength() const;
    int CaretPos() const { return cursorPosition(); }
    // Queues ch as if it had been typed: it reaches KeyPress later, without a
    // key-down before it.
    void PostChar(QChar ch);

    std::function<void(QObject* sender, int& key, TShiftState shift)> OnKeyDown;
    std::function<void(QObject* sender, QChar& key)> OnKeyPress;
    std::function<void(QObject* sender, int& key, TShiftState shift)> OnKeyUp;

protected:
    virtual void KeyDown(int& key, TShiftState shift);
    virtual void KeyPress(QChar& key);
    virtual void KeyUp(int& key, TShiftState shift);
    // Paste, cut, clear and typing change the text only when this allows it.
    virtual bool EditCanModify();
    virtual bool WantTabs();

    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    bool event(QEvent* event) override;

private:
    void TypeChar(QChar ch);
    bool ChangesText(QKeyEvent* event) const;

    QString editMask_;
    int maxLength_ = 0;
};

} // namespace kx::ui
