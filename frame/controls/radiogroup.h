#pragma once
// A framed group of radio buttons whose items are added at run time; one of
// them, or none, is chosen.

#include <QGroupBox>

class QButtonGroup;
class QVBoxLayout;

namespace kx {

class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit TRadioGroup(QWidget* parent = nullptr);

    void AddItem(const QString& text);
    int Count() const;
    QString Item(int index) const;
    // -1 when none is chosen.
    int ItemIndex() const;
    void SetItemIndex(int index);

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    QButtonGroup* buttons_;
    QVBoxLayout* layout_;
};

} // namespace kx
