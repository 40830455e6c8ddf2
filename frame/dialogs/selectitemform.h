#pragma once
// A chooser of one item among radio buttons; the print buttons and the list
// windows set its title and items. SelectSortOrder builds the sort order of
// a list on it.

#include <QDialog>

class QHBoxLayout;
class QPushButton;

namespace kx {

class TRadioGroup;

// The radio group's height for a number of items; other counts keep the
// height given.
int RadioGroupHeight(int itemCount, int height);

class TSelectItemForm : public QDialog {
    Q_OBJECT
public:
    explicit TSelectItemForm(QWidget* parent = nullptr);

    TRadioGroup* RadioGroup;
    QPushButton* SureButton;
    // The chosen item, from 1, after OK.
    int ChosenItem = 0;

protected:
    // Escape chooses like "确定" unless the chooser has a close button.
    TSelectItemForm(QWidget* parent, bool closable);
    void showEvent(QShowEvent* event) override;

    QHBoxLayout* Buttons;

private:
    void SureButtonClick();
};

// The sort order the user picks among "按" + caption + "排序" (the first 12
// captions): " ORDER BY " + [tablePrefix + "."] + the field name; empty when
// cancelled.
QString SelectSortOrder(const QStringList& captions, const QStringList& fieldNames,
                        const QString& tablePrefix, const QString& windowCaption);

} // namespace kx
