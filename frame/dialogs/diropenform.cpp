#include "frame/dialogs/diropenform.h"

#include "core/messages.h"

#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStorageInfo>
#include <QToolButton>
#include <QTreeView>

namespace kx {

TDirOpenForm::TDirOpenForm(QWidget* parent)
    : QDialog(parent), DriveBox(new QComboBox(this)), UpButton(new QToolButton(this)),
      DirectoryList(new QTreeView(this)), Edit1(new QLineEdit(this)),
      SureButton(new QPushButton(QStringLiteral("确定"), this)),
      CancelButton(new QPushButton(QStringLiteral("取消"), this)),
      folders_(new QFileSystemModel(this)) {
    setWindowTitle(QStringLiteral("选择要保存的目录"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setFixedSize(430, 222);
    (new QLabel(QStringLiteral("目录搜寻"), this))->setGeometry(9, 8, 60, 16);
    DriveBox->setGeometry(72, 4, 317, 22);
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
        if (volume.isValid() && volume.isReady())
            DriveBox->addItem(volume.rootPath());
    UpButton->setGeometry(395, 4, 26, 22);
    UpButton->setArrowType(Qt::UpArrow);

    folders_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Hidden);
    folders_->setRootPath(QDir::rootPath());
    DirectoryList->setModel(folders_);
    for (int column = 1; column < folders_->columnCount(); ++column)
        DirectoryList->hideColumn(column);
    DirectoryList->header()->hide();
    DirectoryList->setGeometry(9, 30, 412, 138);

    (new QLabel(QStringLiteral("目录名称"), this))->setGeometry(9, 176, 60, 16);
    Edit1->setGeometry(72, 172, 349, 21);
    Edit1->setReadOnly(true);
    Edit1->setFocusPolicy(Qt::NoFocus);
    SureButton->setGeometry(264, 196, 75, 24);
    CancelButton->setGeometry(346, 196, 75, 24);
    SureButton->setDefault(true);

    connect(DriveBox, &QComboBox::textActivated, this, &TDirOpenForm::SelectFolder);
    connect(UpButton, &QToolButton::clicked, this, [this] {
        const QModelIndex current = DirectoryList->currentIndex();
        if (current.parent().isValid())
            DirectoryList->setCurrentIndex(current.parent());
        ShowSelectedPath();
    });
    connect(DirectoryList->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TDirOpenForm::ShowSelectedPath);
    connect(DirectoryList, &QTreeView::clicked, this, &TDirOpenForm::ShowSelectedPath);
    // The folders load in the background, and each loaded level moves the
    // rows below it: the selected folder is brought into view again.
    connect(folders_, &QFileSystemModel::directoryLoaded, this,
            [this] { DirectoryList->scrollTo(DirectoryList->currentIndex()); });
    connect(SureButton, &QPushButton::clicked, this, &TDirOpenForm::SureButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    SelectFolder(QDir::currentPath());
}

void TDirOpenForm::SelectFolder(const QString& path) {
    const QModelIndex index = folders_->index(path);
    DirectoryList->setCurrentIndex(index);
    DirectoryList->scrollTo(index);
    ShowSelectedPath();
}

void TDirOpenForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ShowSelectedPath();
    DirectoryList->scrollTo(DirectoryList->currentIndex());
    DirectoryList->setFocus();
}

void TDirOpenForm::ShowSelectedPath() {
    Edit1->setText(folders_->filePath(DirectoryList->currentIndex()));
}

void TDirOpenForm::SureButtonClick() {
    if (Edit1->text().trimmed().isEmpty()) {
        ShowPromptMessage(QStringLiteral("必须选择一个目录"));
        return;
    }
    accept();
}

} // namespace kx

#include "moc_diropenform.cpp"
