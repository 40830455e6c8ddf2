#pragma once
// The multi-condition find window: the user adds conditions one at a time,
// each further one joined by "并且" or "或者"; OK hands back the SQL pieces
// and their readable lines. The conditions stay between two showings.

#include "frame/dialogs/findwindow.h"

#include <QStringList>

class QGroupBox;
class QListWidget;
class QRadioButton;

namespace kx {

class TKXFindForm : public TFindWindow {
    Q_OBJECT
public:
    explicit TKXFindForm(QWidget* parent = nullptr);

    void Reset() override;
    // One SQL piece per line of ListBox1; each further piece begins with
    // " and " or " or ".
    const QStringList& ConditionList() const { return conditions_; }

    QGroupBox* GroupBox1;
    QRadioButton* AndButton;
    QRadioButton* OrButton;
    QPushButton* DownButton;
    QPushButton* ClearButton;
    QListWidget* ListBox1;

protected:
    void SureButtonClick() override;
    void AllDataButtonClick() override;

private:
    void DownButtonClick();
    void ClearButtonClick();
    void SelectItem();
    void AddCondition(const QString& piece, const QString& line);

    QStringList conditions_;
};

} // namespace kx
