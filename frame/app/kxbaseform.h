#pragma once
// The base of every working window and record editor: its companion, its
// settings component, the colours and the rights of the user, and the
// set-up of a window's query and data source from the program-wide state.

#include "frame/app/formbuttons.h"
#include "frame/app/kxchild.h"
#include "frame/app/kxformevents.h"
#include "frame/app/windowregistry.h"

#include <QPointer>

namespace kx {

class TKXDataSource;
class TKXQuery;
class TKXSetForm;

class TKXBaseForm : public TKXFormEvents, public TWorkingWindow {
    Q_OBJECT
public:
    QWidget* Form() override { return this; }
    void SetNotTopShow(bool notTopShow) override;
    qint64 ShowInPlace(int mode) override;

    QString ProgramGroupName;
    QString ProgramName;
    // Filled by the list window's FormShow, or copied in by the caller of a
    // record editor.
    TRights Rights;
    // The window is in verify mode: set by the check button, cleared by
    // save, add and edit.
    bool Checking = false;

    TKXSetForm* KXSetForm;

    void SetupQuery(TKXQuery* query);
    void SetupDataSource(TKXDataSource* dataSource);

protected:
    explicit TKXBaseForm(QWidget* owner);

    void FormCreate() override;
    void FormShow() override;
    void FormClose(TCloseAction& action) override;
    void FormDestroy() override;

    // The user's rights for the window's program group and program.
    TRights ReadRights();

private:
    void SetChildStates(bool closing);

    bool fontSet_ = false;
    bool closing_ = false;
};

} // namespace kx
