#pragma once
// The folder browser behind TOpenDirDialog: a drive box, the folders of the
// file system, an "up" button and the chosen folder's full path.

#include <QDialog>

class QComboBox;
class QFileSystemModel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QTreeView;

namespace kx {

class TDirOpenForm : public QDialog {
    Q_OBJECT
public:
    explicit TDirOpenForm(QWidget* parent = nullptr);

    // Shows the folder and selects it in the list.
    void SelectFolder(const QString& path);

    QComboBox* DriveBox;
    QToolButton* UpButton;
    QTreeView* DirectoryList;
    // The chosen folder; read-only.
    QLineEdit* Edit1;
    QPushButton* SureButton;
    QPushButton* CancelButton;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ShowSelectedPath();
    void SureButtonClick();

    QFileSystemModel* folders_;
};

} // namespace kx
