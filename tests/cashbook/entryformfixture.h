#pragma once
// The records list as the entry window sees it: the list's query over the
// in/out records with its looked-up names and its two update objects, the
// open slot rows, the subject picker, and a fresh data folder with subjects
// and fund accounts. The test plays the list: it sets the window's fields
// and shows it.

#include "cashbook/editintooutmoneyform.h"
#include "tests/frame/dialogs/pickerfixture.h"

#include <memory>

namespace kx {

class TKXQuery;
class TSelectMoneyTypeForm;

namespace db {
class TUpdateSQL;
}

namespace test {

class EntryFormTest : public PickerTest {
protected:
    EntryFormTest();
    ~EntryFormTest() override;

    // Opens the list's query again, as the list does after a find.
    void OpenList();
    // Creates and shows the window as the list's add (adding) or edit
    // button does; subjectId is the subject selected in the list's tree.
    cashbook::TEditIntoOutMoneyForm* ShowEditor(bool adding, const QString& subjectId = "G001",
                                                const QString& subjectName = {});
    // Runs the action on the next modal window, then presses its OK.
    static void ChooseInNextModal(std::function<void(QWidget*)> action);
    // The subject picker answers OK with the subject.
    static void PickSubjectNext(const QString& id, const QString& name);

    void AddRecord(const QString& recordId, const QString& moneyId, const QString& subjectId,
                   const QString& status = "未审核", const QString& accountId = "001");
    QString Value(const QString& sql);
    // Every stored record and ledger row, so a test sees any change.
    QString Everything();

    // Types into the window's control of that name.
    void Type(const QString& controlName, const QString& text);
    void Press(Qt::Key key);

    QWidget owner_;
    TKXQuery* list_ = nullptr;
    TKXQuery* slots_ = nullptr;
    db::TUpdateSQL* update_ = nullptr;
    db::TUpdateSQL* statusUpdate_ = nullptr;
    std::unique_ptr<TSelectMoneyTypeForm> subjectPicker_;
    bool autoRecordNumber_ = false;
    // The list's printable fields, as the list hands them on.
    TPrintFieldsArray printFields_;
    std::unique_ptr<cashbook::TEditIntoOutMoneyForm> form_;
};

} // namespace test
} // namespace kx
