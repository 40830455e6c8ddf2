#pragma once
// The users window: the program's users with their guards for the system
// user, and on a second page the rights of a user for each program, written
// as the boxes are ticked. The user list prints through a hook that the
// program installs where the report engine is at hand.

#include "frame/admin/userrightsboxes.h"
#include "frame/app/kxdform.h"

#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QListWidget;
class QPushButton;

namespace kx {

class TFindSimpleFormDialog;
class TKXDBComboBox;
class TKXDBEdit;
class TKXNDBGrid;
class TKXPageControl;

namespace db {
class TDataSource;
class TQuery;
} // namespace db

class TUserForm : public TKXDForm {
    Q_OBJECT
public:
    static inline const QString kFormName = QStringLiteral("UserForm");

    explicit TUserForm(QWidget* owner);

    db::TQuery* SYS_COMPOSE_TABLEQuery;
    db::TQuery* SYS_PROGRAM_TABLEQuery;
    db::TDataSource* DSCompose;
    db::TDataSource* DSProgram;
    TFindSimpleFormDialog* FindSimpleFormDialog;
    TKXPageControl* PageControl1;
    QWidget* TabSheetUsers;
    QWidget* TabSheetRights;

    TKXDBEdit* EditUseId;
    TKXDBEdit* EditUseName;
    TKXDBComboBox* ComboStopRight;
    TKXDBEdit* EditNote;
    TKXNDBGrid* DBGrid1;

    QListWidget* KXDBListBoxUser;
    QComboBox* KXDBComboBoxCompose;
    QListWidget* KXDBListBoxProgram;
    QWidget* PanelRights;
    QPushButton* ButtonSelectAll;
    QPushButton* ButtonInvert;
    QGroupBox* GroupBoxRights;
    QCheckBox* CB1;
    QCheckBox* CB2;
    QCheckBox* CB3;
    QCheckBox* CB4;
    TUserRightsBoxes RightsBoxes;

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormClose(TCloseAction& action) override;
    void button_addClick(QObject* sender) override;
    void button_editClick(QObject* sender) override;
    void button_deleteClick(QObject* sender) override;
    void button_saveClick(QObject* sender) override;
    void button_cancelClick(QObject* sender) override;
    void button_findClick(QObject* sender);

private:
    QWidget* BuildUsersPage();
    QWidget* BuildRightsPage();
    // The id and name are saved as their edits' trimmed texts.
    void TrimUserNames();
    void SaveNewUser(QObject* sender);
    void PageChanged(int index);
    void FillUserList();
    void ComposeChosen(int index);
    void CheckSelection();
    void ClearBoxes();
    void LoadBoxes();
    void ShowBoxes();
    void BoxClicked(TUserRightsBoxes::TBox box, bool ticked);
    QString CurrentUserId() const;
    QString CurrentComposeId() const;
    QString CurrentProgramId() const;

    bool newUser_ = false;
    bool userClicked_ = false;
    bool programClicked_ = false;
    QString rememberedUser_;
    QString rememberedCompose_;
    QString rememberedProgram_;
};

// Prints the window's user list. The print button shows only while one
// is installed.
using TUserListPrint = std::function<void(TUserForm& window)>;
void SetUserListPrint(TUserListPrint print);

} // namespace kx
