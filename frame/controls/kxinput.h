#pragma once
// What every input box of the program adds to its base control: a focus
// colour (the background takes ColorOnFocus while the box has the focus), a
// length cap counted in code page 936 bytes, the typed key filter by
// EditType, and the input-method name (a text box takes the one the user last
// used, a number or date box asks for none and leaves the remembered name
// alone). The boxes differ only in which of these rules they follow.

#include "core/appstate.h"
#include "core/inputcontrol.h"
#include "frame/controls/bytelengthvalidator.h"
#include "frame/controls/controlcolor.h"
#include "frame/controls/imenames.h"
#include "frame/controls/keyfilter.h"
#include "platform/ui/application.h"
#include "platform/ui/customcontrol.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include <functional>
#include <type_traits>

namespace kx {

enum class TImeEntry { ByEditType, Always, Never };

template <class Base> class TKXInput : public Base {
public:
    TKXInput(QWidget* parent, bool hasEditType, TImeEntry imeEntry)
        : Base(parent), hasEditType_(hasEditType), imeEntry_(imeEntry) {
        InstallByteLimit();
    }

    ui::TColor Color() const { return color_; }
    void SetColor(ui::TColor color) {
        color_ = color;
        SetControlColor(this, color);
    }
    ui::TColor ColorOnFocus() const { return colorOnFocus_; }
    void SetColorOnFocus(ui::TColor color) { colorOnFocus_ = color; }
    bool FocusColorChange() const { return focusColorChange_; }
    // The colour that comes back when the focus leaves.
    ui::TColor SavedColor() const { return savedColor_; }
    void SetSavedColor(ui::TColor color) { savedColor_ = color; }

    TEditTypes EditType() const { return editType_; }
    void SetEditType(TEditTypes type) { editType_ = type; }
    const QString& ImeName() const { return imeName_; }
    void SetImeName(const QString& name) { imeName_ = name; }

    // In code page 936 bytes; 0 means no limit.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int bytes) { maxLength_ = bytes; }

    std::function<void(QObject* sender)> OnEnter;
    std::function<void(QObject* sender)> OnExit;

protected:
    bool HasEditType() const { return hasEditType_; }
    void SetFocusColorChange(bool change) { focusColorChange_ = change; }
    // A box that refuses to be left stays entered: its next focus-in is no
    // new entry.
    void KeepEntered() { entered_ = true; }

    // Entry rules: length cap, focus colour, input method, then OnEnter.
    virtual void DoEnter() {
        if (hasEditType_)
            maxLength_ = EntryMaxLength(editType_, maxLength_);
        if (focusColorChange_) {
            savedColor_ = color_;
            SetColor(colorOnFocus_);
        }
        if (TypedWithoutIme())
            imeName_.clear();
        else if (imeEntry_ != TImeEntry::Never)
            imeName_ = AppImeName;
        SetInputMethodWanted(this, !TypedWithoutIme());
        if (OnEnter)
            OnEnter(this);
    }

    // Exit rules: colour back, remember the input method, then OnExit.
    virtual void DoExit() {
        if (focusColorChange_)
            SetColor(savedColor_);
        if (!TypedWithoutIme()) {
            const QString active = ActiveImeName();
            if (!active.isEmpty())
                AppImeName = active;
        }
        if (OnExit)
            OnExit(this);
    }

    // The key filter of the box's EditType on a typed character.
    void FilterKey(QChar& key) {
        QLineEdit* line = InputLine();
        const QString text = line ? line->text() : QString();
        const int start = line && line->hasSelectedText() ? line->selectionStart() : 0;
        const int length = line ? int(line->selectedText().size()) : 0;
        key = FilterEditKey(editType_, key, text, start, length, maxLength_);
    }

    // The key filter on a key event: the event, or a copy carrying the
    // filtered character, goes on to pass; a refused key goes nowhere.
    template <class Pass> void FilterKeyEvent(QKeyEvent* event, Pass pass) {
        const QChar typed = ui::TypedChar(event);
        if (typed.isNull() || (event->modifiers() & Qt::AltModifier))
            return pass(event);
        QChar key = typed;
        FilterKey(key);
        if (key.isNull()) {
            event->accept();
            return;
        }
        if (key == typed)
            return pass(event);
        QKeyEvent changed(event->type(), event->key(), event->modifiers(), QString(key));
        pass(&changed);
    }

    QLineEdit* InputLine() {
        if constexpr (std::is_base_of_v<QComboBox, Base>)
            return this->lineEdit();
        else if constexpr (std::is_base_of_v<QLineEdit, Base>)
            return this;
        else
            return nullptr;
    }

    // A drop-down box gets its line edit late, when it becomes editable.
    void InstallByteLimit() {
        if (QLineEdit* line = InputLine(); line && !line->validator())
            line->setValidator(new TByteLengthValidator(line, [this] { return maxLength_; }));
    }

    // Entering and leaving follow the form's focused control: a drop-down of
    // the box itself, or another window coming to the front, moves Qt's focus
    // without the box being left.
    void focusInEvent(QFocusEvent* event) override {
        Base::focusInEvent(event);
        if (entered_ || event->reason() == Qt::PopupFocusReason)
            return;
        entered_ = true;
        try {
            DoEnter();
        } catch (...) {
            ui::HandleCurrentException();
        }
    }

    void focusOutEvent(QFocusEvent* event) override {
        Base::focusOutEvent(event);
        if (!entered_ || event->reason() == Qt::PopupFocusReason ||
            event->reason() == Qt::ActiveWindowFocusReason)
            return;
        entered_ = false;
        try {
            DoExit();
        } catch (...) {
            ui::HandleCurrentException();
        }
    }

private:
    bool TypedWithoutIme() const { return hasEditType_ && IsNumericEditType(editType_); }

    const bool hasEditType_;
    const TImeEntry imeEntry_;
    ui::TColor color_ = ui::clWindow;
    ui::TColor colorOnFocus_ = ui::clAqua;
    ui::TColor savedColor_ = ui::clWindow;
    bool focusColorChange_ = true;
    TEditTypes editType_ = etString;
    QString imeName_;
    int maxLength_ = 0;
    bool entered_ = false;
};

// An input box that the window walks reach: TKXInput's rules plus the
// colours and input-method name of TInputControl. Each class adds its own
// lock in the data set's state and its field binding.
template <class Base> class TKXInputControl : public TKXInput<Base>, public TInputControl {
public:
    using TKXInput<Base>::TKXInput;

    void SetColor(ui::TColor color) override { TKXInput<Base>::SetColor(color); }
    void SetSavedColor(ui::TColor color) override { TKXInput<Base>::SetSavedColor(color); }
    void SetColorOnFocus(ui::TColor color) override { TKXInput<Base>::SetColorOnFocus(color); }
    void SetImeName(const QString& name) override { TKXInput<Base>::SetImeName(name); }
    bool TypesText() const override { return !this->HasEditType() || this->EditType() == etString; }
    bool ShowsField(const db::TDataSet*, const QString&) const override { return false; }
};

} // namespace kx
