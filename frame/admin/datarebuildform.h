#pragma once
// The data repair window: copies the data folder to a place the user picks,
// then verifies and rebuilds every table and lists the tables it could not
// repair in the message window.

#include "frame/admin/datarepair.h"

#include <QDialog>

#include <functional>

class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;

namespace kx {

namespace db {
class TDatabase;
}

class TDataRebuildForm : public QDialog {
    Q_OBJECT
public:
    explicit TDataRebuildForm(db::TDatabase& database, QWidget* parent = nullptr);

    QFrame* Panel1;
    QLabel* Label1;
    QLabel* Label2;
    QProgressBar* PBProgressBar;
    QLabel* Label3;
    QPushButton* Button_ok;
    QPushButton* Button_Close;

    TDataRepair Repair;
    // The folder the copy goes into; empty when the user cancels.
    std::function<QString()> ChooseFolder;
    std::function<QDateTime()> Now = &QDateTime::currentDateTime;

    // True when the data folder was copied.
    bool BackupBeforeRepair();
    void RepairTables();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ShowProgressPart(bool shown);
    void ShowResult(const TRepairResult& result);

    db::TDatabase& database_;
};

} // namespace kx
