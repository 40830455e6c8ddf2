#pragma once
// The grid library's check box: shows and edits a field through a field
// data link, or holds its own state when unbound. It paints its box like
// the library's cell buttons (flat, lit under the mouse), maps field values
// to its three states through ';'-separated lists of accepted texts, and
// writes the first text of a list back.
//
// The user's changes reach the field when the link updates the record (on
// leaving the control, before the data set posts); a State written by
// code puts the data set into edit state and writes at once.

#include "grid/editors/cellbuttons.h"
#include "grid/editors/fielddatalinkx.h"
#include "platform/db/field.h"
#include "platform/ui/canvas.h"

#include <QWidget>

#include <functional>
#include <memory>

namespace kx {

class TCustomDBCheckBoxX : public QWidget {
    Q_OBJECT
public:
    explicit TCustomDBCheckBoxX(QWidget* parent = nullptr);
    ~TCustomDBCheckBoxX() override;

    // taRightJustify puts the caption right of the box.
    db::TAlignment Alignment() const { return alignment_; }
    void SetAlignment(db::TAlignment alignment);
    // The user's toggling passes through the grayed state.
    bool AllowGrayed = false;
    bool AlwaysShowBorder() const { return alwaysShowBorder_; }
    void SetAlwaysShowBorder(bool value);
    // '&' marks the accelerator character.
    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    bool Checked() const { return state_ == cbChecked; }
    void SetChecked(bool checked) { SetState(checked ? cbChecked : cbUnchecked); }
    ui::TColor Color() const { return color_; }
    void SetColor(ui::TColor color);
    const QString& DataField() const { return dataLink_->FieldName(); }
    void SetDataField(const QString& fieldName) { dataLink_->SetFieldName(fieldName); }
    db::TDataSource* DataSource() const { return dataLink_->DataSource(); }
    void SetDataSource(db::TDataSource* source) { dataLink_->SetDataSource(source); }
    bool Flat() const { return flat_; }
    void SetFlat(bool flat);
    bool ReadOnly() const { return dataLink_->ReadOnly(); }
    void SetReadOnly(bool readOnly) { dataLink_->SetReadOnly(readOnly); }
    TCheckBoxState State() const { return state_; }
    // Bound, the data set goes into edit state and the field is written at
    // once; when that fails the field's state is shown again and the error
    // passes on.
    void SetState(TCheckBoxState state);
    const QString& ValueChecked() const { return valueChecked_; }
    void SetValueChecked(const QString& value);
    const QString& ValueUnchecked() const { return valueUnchecked_; }
    void SetValueUnchecked(const QString& value);

    TFieldDataLinkX* DataLink() const { return dataLink_.get(); }
    // The state the field's value (or the unbound value) stands for.
    TCheckBoxState GetFieldState() const;
    // The user's state change, as a click or Space makes it.
    void Click();

    std::function<void(QObject* sender)> OnClick;

protected:
    virtual void Paint(ui::TCanvas& canvas);
    bool IsDataIndependent() const { return dataLink_->DataIndependent(); }
    virtual void DrawCaption(ui::TCanvas& canvas, const ui::TRect& textRect, bool focused);
    virtual void DrawCheckBoxFrame(ui::TCanvas& canvas, const ui::TRect& boxRect,
                                   TCheckBoxState state, bool pressed, bool hot, bool focused);
    virtual void DrawCheckBoxAll(ui::TCanvas& canvas, TCheckBoxState state, bool focused,
                                 bool pressed, bool hot);
    virtual void InternalSetState(TCheckBoxState state);
    virtual void WriteToField();
    virtual void Toggle();
    virtual void UpdateData() { WriteToField(); }

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void DataChange();
    bool CaptionLeftOfBox() const;
    // Gives the control the focus without a click; false when it did not
    // arrive.
    bool TakeFocus();
    void UpdateShortcut();

    std::unique_ptr<TFieldDataLinkX> dataLink_;
    db::TAlignment alignment_ = db::taRightJustify;
    bool alwaysShowBorder_ = false;
    QString caption_;
    ui::TColor color_ = ui::clWindow;
    bool flat_ = false;
    TCheckBoxState state_ = cbUnchecked;
    QString valueChecked_ = QStringLiteral("True");
    QString valueUnchecked_ = QStringLiteral("False");
    bool changedByUser_ = false;
    bool mouseInside_ = false;
    bool mouseDown_ = false;
    bool spacePressed_ = false;
    bool clicksDisabled_ = false;
    int shortcutId_ = 0;
};

class TDBCheckBoxX : public TCustomDBCheckBoxX {
    Q_OBJECT
public:
    using TCustomDBCheckBoxX::TCustomDBCheckBoxX;
};

} // namespace kx
