#pragma once
// The first-run set-up window: the company's name and contacts and the first
// user, who becomes the system user with every right. OK writes them, tells
// the user the id and password, shows the options window, writes the first
// rows of the print-template catalogue under the busy window and ends with
// OK; closing the window ends without a result.

#include <QDialog>

class QLabel;
class QPushButton;

namespace kx {

namespace db {
class TUpdateSQL;
}

class TKXComboBox;
class TKXEdit;
class TKXQuery;
class TKXThread;
struct TEnrolEntries;
enum class TEnrolEntry;

class TEnrolForm : public QDialog {
    Q_OBJECT
public:
    explicit TEnrolForm(QWidget* owner = nullptr);

    QPushButton* Button_Ok;
    QPushButton* Button_Close;
    TKXEdit* KXEdit1; // company name
    TKXEdit* KXEdit6; // post code
    TKXEdit* KXEdit7; // fax
    TKXEdit* KXEdit8; // phone
    TKXEdit* KXEdit9; // address
    TKXComboBox* KXComboBox1;
    TKXEdit* KXEdit4; // user id
    TKXEdit* KXEdit5; // user name
    TKXEdit* KXEdit2; // password
    TKXEdit* KXEdit3; // password confirmation
    QLabel* Label11;
    TKXThread* KXThread;
    TKXQuery* Query;
    db::TUpdateSQL* Up;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void MakeControls();
    void PlaceControls();
    void MakeCatalogueQuery();
    void FormCreate();
    bool FormKeyDown(QKeyEvent* event);
    void Button_OkClick();

    TEnrolEntries Entries() const;
    TKXEdit* EditOf(TEnrolEntry entry) const;
    void SetProgramState();
    void ShowUserMessage() const;
    void ShowOptionsWindow();
    void WriteCatalogue();
    void AppendCatalogueRows();
};

} // namespace kx
