#pragma once
// The companion of every working window and pop-up list window, one per form.
// Once attached it sees the form's keys, shows, closes, window-state changes
// and deletion before the form does: Enter and the arrows move the focus, a
// data set being edited keeps the form open, the data sets are closed and the
// list grids' layouts saved as the form goes, and the window manager on the
// main window hears of every show, minimise and close. It also gives the
// form's controls the program's colours, fonts, database and dialect, and
// reads and writes the user's rights rows.
//
// The form hands its own handlers of those events to Attach; the companion
// runs each of them at its step, so a form puts no close refusal or first-show
// work in Qt's closeEvent or showEvent but in these handlers.

#include "core/fieldsdata.h"
#include "frame/app/kxchildrules.h"
#include "platform/ui/colors.h"
#include "platform/ui/customcontrol.h"

#include <QEvent>
#include <QObject>
#include <QString>

#include <exception>
#include <functional>

class QKeyEvent;
class QWidget;

namespace kx {

namespace db {
class TDataSet;
}

enum TMoveOption : unsigned { moEnter = 0x1, moUpDn = 0x2 };
using TMoveOptions = unsigned;

// A window's rights, one flag each; Found is set when the user has a rights
// row for the program.
struct TRights {
    bool Add = false;
    bool Edit = false;
    bool Delete = false;
    bool Browse = false;
    bool Print = false;
    bool Verify = false;
    bool Currency = false;
    bool Found = false;
};

// The form's own handlers of the events the companion takes over.
struct TFormHandlers {
    std::function<void(QObject* sender, int& key, ui::TShiftState shift)> OnKeyDown;
    std::function<void(QObject* sender, QChar& key)> OnKeyPress;
    std::function<void(QObject* sender, bool& canClose)> OnCloseQuery;
    std::function<void(QObject* sender)> OnDestroy;
    std::function<void(QObject* sender)> OnShow;
};

class TKXChild : public QObject {
    Q_OBJECT
public:
    // Raises EInvalidOperation "TKXChild控件只能有一个" when the owner already
    // holds a companion.
    explicit TKXChild(QWidget* owner);
    ~TKXChild() override;

    bool EnterMove = true;
    TMoveOptions Options = moEnter | moUpDn;
    bool EditNoBeep = true;
    // False lets ShowInPlace keep the form on top of other windows.
    bool NotTopShow = false;
    // Minimising the form shows the main window's tool bars and "MainPanel".
    bool MainMenuChange = false;
    QString DataBaseName;
    ui::TColor Color = 0;
    ui::TColor LabelColor = 0;
    ui::TColor EditColor = 0;
    ui::TColor ColorOnFocus = 0;
    // "GB" for simplified-Chinese fonts, anything else for traditional ones.
    QString Language;
    TSqlType SqlType = urStandard;
    // When not 0, the top the form takes whenever it is restored.
    int RestoreTop = 0;

    QWidget* Form() const { return form_; }
    // The form's handle while the window manager knows it; -1 before Attach
    // and after the close was reported.
    qint64 WindowId() const { return windowId_; }

    // Takes the form's events over, keeping its own handlers, and styles
    // its controls.
    void Attach(TFormHandlers formHandlers = {});
    void StyleControls(QWidget* form);
    // Places and shows the form; its handle, or 0 when placing failed: the
    // failure is reported to the user and the window manager hears the close.
    qint64 ShowInPlace(int mode);
    void HandleMessage(TSysCommand command);

    void GetRights(const QString& groupName, const QString& programName, TRights& rights,
                   const QString& userId);
    void GetRight(const QString& userId, const QString& groupId, const QString& programId,
                  int index, QString& value);
    void SetRight(const QString& userId, const QString& groupId, const QString& programId,
                  int index, const QString& value);

    void FormKeyDownHook(QObject* sender, int& key, ui::TShiftState shift);
    void FormKeyPressHook(QObject* sender, QChar& key);
    void FormCloseQueryHook(QObject* sender, bool& canClose);
    // Runs once; the form's deferred deletion calls it, and so may a form
    // that is deleted at once.
    void FormDestroyHook(QObject* sender);
    void FormShowHook(QObject* sender);

    bool CheckDataSetIdle(db::TDataSet* dataSet);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool PreviewKey(QKeyEvent* event);
    void WindowStateChanged(Qt::WindowStates oldState);
    void ShowFormInPlace(int mode);
    void PlacementFailed();
    void PostToMainWindow(QEvent::Type type);
    QWidget* MainWindow() const;
    void MoveOnEnter();

    QWidget* form_;
    qint64 windowId_ = -1;
    bool shown_ = false;
    bool destroyed_ = false;
    bool placing_ = false;
    std::exception_ptr placingError_;
    QEvent::Type hideMessage_ = QEvent::None;
    QEvent::Type showMessage_ = QEvent::None;
    QEvent::Type closeMessage_ = QEvent::None;
    TFormHandlers own_;
};

} // namespace kx
