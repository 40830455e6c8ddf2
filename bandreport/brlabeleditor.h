#pragma once
// The settings dialog of a text label: its text, size and flags.

#include "bandreport/brprintable.h"

#include <QDialog>
#include <QPointer>

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kx {

class TBRLabelEditor;

class TBRLabelEditorForm : public QDialog {
    Q_OBJECT
public:
    explicit TBRLabelEditorForm(TBRLabelEditor& editor, QWidget* parent = nullptr);

    // Writes what the user changed back to the control.
    virtual void Apply();

    QLabel* TextLabel;
    QLineEdit* TextEdit;
    QLineEdit* WidthEdit;
    QLineEdit* HeightEdit;
    QCheckBox* AutosizeBox;
    QCheckBox* StretchBox;
    QCheckBox* TransparentBox;
    QPushButton* OkButton;
    QPushButton* CancelButton;

protected:
    // The "Properties" group's grid, rows below the flags free for more.
    QGridLayout* Properties() const { return properties_; }
    TBRLabelEditor& Editor() const { return editor_; }

private:
    TBRLabelEditor& editor_;
    QGridLayout* properties_;
    QString shownWidth_;
    QString shownHeight_;
};

class TBRLabelEditor {
public:
    explicit TBRLabelEditor(TBRCustomLabel* control);
    virtual ~TBRLabelEditor() = default;

    TBRCustomLabel* Control() const { return control_; }
    virtual ui::TColor Color() const;
    virtual void SetColor(ui::TColor color);
    virtual QFont Font() const;
    virtual void SetFont(const QFont& font);
    virtual TAlignment Alignment() const;
    virtual void SetAlignment(TAlignment alignment);
    virtual QString Text() const;
    virtual void SetText(const QString& text);
    virtual const QMetaObject& ControlClass() const;
    virtual QString NamePrefix() const;
    virtual QString Description() const;
    // Runs the settings dialog; true when the user confirmed it.
    virtual bool Edit(QWidget* parent = nullptr);

private:
    QPointer<TBRCustomLabel> control_;
};

} // namespace kx
