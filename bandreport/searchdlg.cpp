#include "bandreport/searchdlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace kx {

TSearchDlg::TSearchDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint),
      Edit1(new QLineEdit), CheckBox1(new QCheckBox(QStringLiteral("Match Case"))),
      SearchButton(new QPushButton(QStringLiteral("Search"))),
      CancelButton(new QPushButton(QStringLiteral("Cancel"))) {
    setWindowTitle(QStringLiteral("Report Preview : Text Search"));
    Edit1->setObjectName(QStringLiteral("Edit1"));
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    auto* prompt = new QLabel(QStringLiteral("Search for :"));
    prompt->setBuddy(Edit1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CancelButton);
    buttons->addWidget(SearchButton);
    auto* layout = new QGridLayout(this);
    layout->addWidget(prompt, 0, 0);
    layout->addWidget(Edit1, 0, 1);
    layout->addWidget(CheckBox1, 1, 1);
    layout->addLayout(buttons, 2, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    Edit1->setMinimumWidth(220);
    SearchButton->setDefault(true);
    connect(SearchButton, &QPushButton::clicked, this, [this] {
        Cancelled = false;
        accept();
    });
    connect(CancelButton, &QPushButton::clicked, this, [this] {
        Cancelled = true;
        reject();
    });
}

} // namespace kx
