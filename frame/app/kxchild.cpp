#include "frame/app/kxchild.h"

#include "core/messages.h"
#include "core/sqlfunctions.h"
#include "frame/app/kxmain.h"
#include "frame/controls/controlcolor.h"
#include "frame/controls/dbmemo.h"
#include "frame/controls/kxcombobox.h"
#include "frame/controls/kxcomboedit.h"
#include "frame/controls/kxcustomcomboedit.h"
#include "frame/controls/kxdbcombobox.h"
#include "frame/controls/kxdbcomboedit.h"
#include "frame/controls/kxdbedit.h"
#include "frame/controls/kxdbgrid.h"
#include "frame/controls/kxdblookupcombobox.h"
#include "frame/controls/kxdblookuplistbox.h"
#include "frame/controls/kxedit.h"
#include "frame/controls/kxmedit.h"
#include "frame/controls/kxndbgrid.h"
#include "frame/data/kxdatasource.h"
#include "frame/data/kxquery.h"
#include "frame/dialogs/finddialog.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/db/query.h"
#include "platform/sys/numberformat.h"
#include "platform/ui/application.h"
#include "platform/ui/invalidoperation.h"
#include "platform/ui/keypreview.h"
#include "platform/ui/tag.h"
#include "platform/ui/windowmessage.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QToolBar>
#include <QTreeView>
#include <QWidget>
#include <QWindowStateChangeEvent>

namespace kx {
namespace {

using TSelectEvent = std::function<void(QObject* sender, bool& value)>;

// The control that holds the focus, or holds the child that does (an
// in-place editor, a drop-down box's line), when it is a T.
template <class T> T* ActiveControlAs(const QWidget* form) {
    for (QWidget* widget = QApplication::focusWidget(); widget && widget != form;
         widget = widget->parentWidget()) {
        if (auto* control = dynamic_cast<T*>(widget))
            return control;
    }
    return nullptr;
}

bool ActiveIsGridOrMemo(const QWidget* form) {
    return ActiveControlAs<TKXNDBGrid>(form) || ActiveControlAs<TKXDBGrid>(form) ||
           ActiveControlAs<QPlainTextEdit>(form) || ActiveControlAs<QTextEdit>(form);
}

// The select event of the edit that has the focus, when it is one of the
// program's edits that offer one.
TSelectEvent* ActiveSelectEvent(const QWidget* form) {
    for (QWidget* widget = QApplication::focusWidget(); widget && widget != form;
         widget = widget->parentWidget()) {
        if (auto* edit = dynamic_cast<TKXEdit*>(widget))
            return &edit->OnSelect;
        if (auto* edit = dynamic_cast<TKXMEdit*>(widget))
            return &edit->OnSelect;
        if (auto* edit = dynamic_cast<TKXDBEdit*>(widget))
            return &edit->OnSelect;
        if (auto* edit = dynamic_cast<TKXCustomComboEdit*>(widget))
            return &edit->OnSelect;
    }
    return nullptr;
}

bool IsSimplifiedChinese(const QString& language) {
    return language == QStringLiteral("GB");
}

QString LanguageFontName(const QString& language) {
    return IsSimplifiedChinese(language) ? QStringLiteral("宋体") : QStringLiteral("新細明體");
}

int LanguageFontSize(const QString& language) {
    return IsSimplifiedChinese(language) ? 9 : 10;
}

// The font by language; its size stays as it is unless withSize.
QFont LanguageFont(QFont font, const QString& language, bool withSize = true) {
    font.setFamily(LanguageFontName(language));
    if (withSize)
        font.setPointSize(LanguageFontSize(language));
    return font;
}

void SetLanguageFont(QWidget* control, const QString& language, bool withSize = true) {
    control->setFont(LanguageFont(control->font(), language, withSize));
}

void SetGridFonts(TCustomDBGridX* grid, const QString& language) {
    SetLanguageFont(grid, language);
    grid->SetTitleFont(LanguageFont(grid->TitleFont(), language));
}

// Focus colour, colour and resting colour all take one colour.
void SetAllColors(TInputControl* control, ui::TColor color) {
    control->SetColorOnFocus(color);
    control->SetColor(color);
    control->SetSavedColor(color);
}

// A Tag-100 control keeps the colours of an edited field.
void SetEditColors(TInputControl* control, ui::TColor focusColor, ui::TColor editColor) {
    control->SetColorOnFocus(focusColor);
    control->SetSavedColor(editColor);
    control->SetColor(editColor);
}

} // namespace

TKXChild::TKXChild(QWidget* owner) : QObject(owner), form_(owner) {
    for (QObject* child : owner->children()) {
        if (child != this && qobject_cast<TKXChild*>(child))
            throw ui::EInvalidOperation(QStringLiteral("TKXChild控件只能有一个"));
    }
}

TKXChild::~TKXChild() = default;

void TKXChild::Attach(TFormHandlers formHandlers) {
    windowId_ = ui::WindowHandle(form_);
    hideMessage_ = ui::RegisterWindowMessage(kHideFormMessage);
    showMessage_ = ui::RegisterWindowMessage(kShowFormMessage);
    closeMessage_ = ui::RegisterWindowMessage(kCloseFormMessage);
    new ui::KeyPreview(form_, [this](QKeyEvent* event) { return PreviewKey(event); });
    own_ = std::move(formHandlers);
    form_->installEventFilter(this);
    // A form deleted at once, not through its deferred deletion, still has
    // its data sets closed and its layouts saved while its children live.
    connect(form_, &QObject::destroyed, this, [this] {
        if (!destroyed_) {
            destroyed_ = true;
            SaveWindowGridLayouts(form_);
        }
    });
    StyleControls(form_);
}

// ---- Keys -------------------------------------------------------------------

bool TKXChild::PreviewKey(QKeyEvent* event) {
    try {
        int key = ui::KeyCode(event);
        const QWidget* focusBefore = QApplication::focusWidget();
        FormKeyDownHook(form_, key, ui::ShiftState(event->modifiers()));
        // A key that moved the focus has been used: the control it left must
        // not act on it as well.
        if (key == 0 || QApplication::focusWidget() != focusBefore)
            return true;
        QChar typed = ui::TypedChar(event);
        if (typed.isNull())
            return false;
        FormKeyPressHook(form_, typed);
        return typed.isNull();
    } catch (...) {
        ui::HandleCurrentException();
        return true;
    }
}

void TKXChild::FormKeyDownHook(QObject* sender, int& key, ui::TShiftState shift) {
    if (EnterMove && Options != 0) {
        if (key == Qt::Key_Return && (Options & moEnter))
            MoveOnEnter();
        else if (key == Qt::Key_Down && (Options & moUpDn) && !ActiveIsGridOrMemo(form_))
            ui::MoveFocus(form_, true);
        else if (key == Qt::Key_Up && (Options & moUpDn) && !ActiveIsGridOrMemo(form_))
            ui::MoveFocus(form_, false);
    }
    if (own_.OnKeyDown)
        own_.OnKeyDown(sender, key, shift);
}

void TKXChild::MoveOnEnter() {
    if (TSelectEvent* onSelect = ActiveSelectEvent(form_); onSelect && *onSelect) {
        bool stop = false;
        (*onSelect)(QApplication::focusWidget(), stop);
        if (stop)
            return;
    }
    if (!ActiveControlAs<TDBMemo>(form_))
        ui::MoveFocus(form_, true);
}

void TKXChild::FormKeyPressHook(QObject* sender, QChar& key) {
    if (own_.OnKeyPress)
        own_.OnKeyPress(sender, key);
}

// ---- Show, close and destroy ------------------------------------------------

void TKXChild::FormShowHook(QObject* sender) {
    if (shown_)
        return;
    shown_ = true;
    if (own_.OnShow)
        own_.OnShow(sender);
}

void TKXChild::FormCloseQueryHook(QObject* sender, bool& canClose) {
    for (QObject* component : form_->findChildren<QObject*>()) {
        auto* dataSet = qobject_cast<db::TDataSet*>(component);
        if (!dataSet)
            continue;
        canClose = ui::Tag(dataSet) != 0 || CheckDataSetIdle(dataSet);
        if (!canClose)
            return;
    }
    if (own_.OnCloseQuery)
        own_.OnCloseQuery(sender, canClose);
    if (canClose && windowId_ != -1) {
        PostToMainWindow(closeMessage_);
        windowId_ = -1;
    }
}

bool TKXChild::CheckDataSetIdle(db::TDataSet* dataSet) {
    if (dataSet->State() != db::dsEdit && dataSet->State() != db::dsInsert)
        return true;
    ShowPromptMessage(QStringLiteral("必须先保存或取消新增的数据或修改后的数据"));
    return false;
}

void TKXChild::FormDestroyHook(QObject* sender) {
    if (destroyed_)
        return;
    destroyed_ = true;
    SaveWindowGridLayouts(form_);
    if (own_.OnDestroy)
        own_.OnDestroy(sender);
}

bool TKXChild::eventFilter(QObject* watched, QEvent* event) {
    if (watched != form_)
        return false;
    try {
        switch (event->type()) {
        case QEvent::Close: {
            bool canClose = true;
            FormCloseQueryHook(form_, canClose);
            if (canClose)
                return false;
            event->ignore();
            return true;
        }
        case QEvent::Show:
            FormShowHook(form_);
            return false;
        case QEvent::WindowStateChange:
            WindowStateChanged(static_cast<QWindowStateChangeEvent*>(event)->oldState());
            return false;
        case QEvent::DeferredDelete:
            FormDestroyHook(form_);
            return false;
        default:
            return false;
        }
    } catch (...) {
        // The first show during placement fails the placement, which reports it.
        if (placing_ && event->type() == QEvent::Show)
            placingError_ = std::current_exception();
        else
            ui::HandleCurrentException();
        // A close whose check failed keeps the form and its data.
        if (event->type() == QEvent::Close) {
            event->ignore();
            return true;
        }
        return false;
    }
}

// ---- Placement and the window manager's messages ----------------------------

QWidget* TKXChild::MainWindow() const {
    QWidget* owner = form_->parentWidget();
    return owner ? owner->window() : nullptr;
}

void TKXChild::PostToMainWindow(QEvent::Type type) {
    if (QWidget* main = MainWindow())
        ui::PostWindowMessage(main, type, windowId_);
}

qint64 TKXChild::ShowInPlace(int mode) {
    try {
        ShowFormInPlace(mode);
        return ui::WindowHandle(form_);
    } catch (...) {
        PlacementFailed();
        return 0;
    }
}

void TKXChild::ShowFormInPlace(int mode) {
    QWidget* main = MainWindow();
    if (!main)
        throw ui::EInvalidOperation(QStringLiteral("窗口没有所属的主窗口"));
    const QPoint place = ChildPlacement(main->frameGeometry().height(), main->width(),
                                        form_->frameGeometry().size(), ui::Tag(form_));
    if (windowId_ != -1)
        PostToMainWindow(showMessage_);
    if (!form_->isVisible()) {
        if (mode != 1 && !NotTopShow && !form_->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
            form_->setWindowFlag(Qt::WindowStaysOnTopHint, true);
        placing_ = true;
        placingError_ = nullptr;
        form_->show();
        placing_ = false;
        if (placingError_)
            std::rethrow_exception(std::exchange(placingError_, nullptr));
    }
    form_->move(place);
}

// Called inside the catch of the failed placement. The user is told why, the
// window manager forgets the form, and the form, shown half set up, goes.
void TKXChild::PlacementFailed() {
    placing_ = false;
    if (windowId_ != -1) {
        PostToMainWindow(closeMessage_);
        windowId_ = -1;
    }
    ui::HandleCurrentException();
    form_->hide();
    form_->deleteLater();
}

void TKXChild::WindowStateChanged(Qt::WindowStates oldState) {
    if (const auto command = SysCommandFor(oldState, form_->windowState()))
        HandleMessage(*command);
}

void TKXChild::HandleMessage(TSysCommand command) {
    if (RestoreTop != 0 && command == SC_RESTORE)
        form_->move(form_->x(), RestoreTop);
    if (RestoreTop == 0 && windowId_ == -1)
        return;
    switch (command) {
    case SC_MAXIMIZE:
    case SC_RESTORE:
        if (windowId_ != -1)
            PostToMainWindow(showMessage_);
        return;
    case SC_MINIMIZE:
        if (MainMenuChange) {
            if (QWidget* main = MainWindow()) {
                for (QToolBar* bar : main->findChildren<QToolBar*>())
                    bar->show();
                if (auto* panel = main->findChild<QWidget*>(QStringLiteral("MainPanel")))
                    panel->show();
            }
        }
        if (windowId_ != -1)
            PostToMainWindow(hideMessage_);
        return;
    }
}

// ---- Styling ----------------------------------------------------------------

void TKXChild::StyleControls(QWidget* form) {
    for (QObject* component : form->findChildren<QObject*>()) {
        const int tag = ui::Tag(component);
        if (auto* query = dynamic_cast<TKXQuery*>(component))
            query->SqlType = SqlType;
        if (auto* dialog = dynamic_cast<TFindDialog*>(component))
            dialog->SqlType = SqlType;
        if (auto* grid = dynamic_cast<TKXDBGrid*>(component)) {
            grid->ColorOnFocus = Color;
            grid->SetColor(Color);
            grid->setCursor(Qt::PointingHandCursor);
            grid->SetOptions(tag == 100 ? dgRowSelect | dgAlwaysShowSelection
                                        : dgTitles | dgIndicator | dgColumnResize | dgColLines |
                                              dgRowLines | dgTabs);
            SetGridFonts(grid, Language);
        }
        if (auto* grid = dynamic_cast<TKXNDBGrid*>(component)) {
            grid->ColorOnFocus = Color;
            grid->SetColor(Color);
            grid->setCursor(Qt::PointingHandCursor);
            if (tag != 100)
                SetGridFonts(grid, Language);
        }
        if (auto* query = dynamic_cast<db::TQuery*>(component))
            query->SetDatabaseName(DataBaseName);
        if (auto* tree = qobject_cast<QTreeView*>(component)) {
            SetControlColor(tree, Color);
            SetLanguageFont(tree, Language);
        }
        if (auto* label = qobject_cast<QLabel*>(component); label && tag == 0)
            SetLanguageFont(label, Language);
        if (auto* edit = dynamic_cast<TKXEdit*>(component)) {
            SetAllColors(edit, tag == 3 ? LabelColor : Color);
            if (tag == 100)
                SetEditColors(edit, ColorOnFocus, EditColor);
            SetLanguageFont(edit, Language, tag != 10);
        }
        if (auto* box = dynamic_cast<TKXComboBox*>(component)) {
            SetAllColors(box, Color);
            if (tag == 100)
                SetEditColors(box, ColorOnFocus, EditColor);
            SetLanguageFont(box, Language);
        }
        if (auto* edit = dynamic_cast<TKXComboEdit*>(component)) {
            SetAllColors(edit, Color);
            if (tag == 100)
                SetEditColors(edit, ColorOnFocus, EditColor);
            SetLanguageFont(edit, Language, tag != 10);
        }
        if (auto* edit = dynamic_cast<TKXDBComboEdit*>(component)) {
            SetAllColors(edit, Color);
            SetLanguageFont(edit, Language);
        }
        if (auto* edit = dynamic_cast<TKXDBEdit*>(component)) {
            SetAllColors(edit, tag == 3 ? LabelColor : Color);
            SetLanguageFont(edit, Language, tag != 10);
        }
        if (auto* box = dynamic_cast<TKXDBComboBox*>(component)) {
            SetAllColors(box, Color);
            SetLanguageFont(box, Language);
        }
        if (auto* box = dynamic_cast<TKXDBLookupListBox*>(component)) {
            SetAllColors(box, Color);
            SetLanguageFont(box, Language);
        }
        if (auto* box = dynamic_cast<TKXDBLookupComboBox*>(component)) {
            SetAllColors(box, Color);
            SetLanguageFont(box, Language);
        }
        if (auto* source = dynamic_cast<TKXDataSource*>(component)) {
            source->SetBrowseColor(Color);
            source->SetEditColor(EditColor);
        }
        if (auto* query = dynamic_cast<TKXQuery*>(component))
            query->ColorOnFocus = Color;
    }
}

// ---- Rights -----------------------------------------------------------------

void TKXChild::GetRights(const QString& groupName, const QString& programName, TRights& rights,
                         const QString& userId) {
    rights = TRights{};
    const double composeId = GetSqlFirstFloat(
        DataBaseName,
        QStringLiteral("SELECT COMPOSE_ID FROM  SYS_COMPOSE_TABLE WHERE COMPOSE_NAME =") +
            QuotedStr(groupName));
    if (composeId == 0) {
        ShowPromptMessage(groupName + QStringLiteral("程序组找不到"));
        return;
    }
    const QString compose = sys::SqlNumber(composeId);
    const double programId = GetSqlFirstFloat(
        DataBaseName,
        QStringLiteral("SELECT PROGRAM_ID FROM  SYS_PROGRAM_TABLE WHERE PROGRAM_NAME =") +
            QuotedStr(programName) + QStringLiteral(" and COMPOSE_ID =") + compose);
    if (programId == 0) {
        ShowPromptMessage(programName + QStringLiteral("程序找不到"));
        return;
    }
    const std::unique_ptr<db::TQuery> row =
        OpenSqlQuery(DataBaseName,
                     QStringLiteral("SELECT * FROM  SYS_RIGHT_TABLE WHERE COMPOSE_ID =") + compose +
                         QStringLiteral(" and PROGRAM_ID =") + sys::SqlNumber(programId) +
                         QStringLiteral(" and USE_ID =") + QuotedStr(userId));
    if (row->IsEmpty())
        return;
    const auto granted = [&row](const char* column) {
        return row->FieldByName(QLatin1String(column))->AsString() == QStringLiteral("是");
    };
    rights.Add = granted("ADD_RIGHT");
    rights.Edit = granted("EDIT_RIGHT");
    rights.Delete = granted("DELETE_RIGHT");
    rights.Browse = granted("BROWSE_RIGHT");
    rights.Print = granted("PRINT_RIGHT");
    rights.Verify = granted("VERIFY_RIGHT");
    rights.Currency = granted("CURRENCY_RIGHT");
    rights.Found = true;
}

namespace {

QString RightRowCondition(const QString& userId, const QString& groupId, const QString& programId) {
    return QStringLiteral(" WHERE USE_ID = ") + QuotedStr(userId) +
           QStringLiteral(" AND COMPOSE_ID = ") + QuotedStr(groupId) +
           QStringLiteral(" AND PROGRAM_ID = ") + QuotedStr(programId);
}

QString CheckedRightColumn(int index) {
    const QString column = RightColumnName(index);
    if (column.isEmpty())
        throw ui::EInvalidOperation(QStringLiteral("权限序号错误: %1").arg(index));
    return column;
}

} // namespace

void TKXChild::GetRight(const QString& userId, const QString& groupId, const QString& programId,
                        int index, QString& value) {
    value = QStringLiteral("否");
    const QVariant first =
        GetSqlFirstRow(DataBaseName, QStringLiteral("SELECT ") + CheckedRightColumn(index) +
                                         QStringLiteral(" FROM SYS_RIGHT_TABLE") +
                                         RightRowCondition(userId, groupId, programId));
    if (!first.isNull() && !first.toString().isEmpty())
        value = first.toString();
}

void TKXChild::SetRight(const QString& userId, const QString& groupId, const QString& programId,
                        int index, const QString& value) {
    const QString column = CheckedRightColumn(index);
    const QString condition = RightRowCondition(userId, groupId, programId);
    const bool rowExists =
        !GetSqlFirstValue(DataBaseName, QStringLiteral("SELECT * FROM SYS_RIGHT_TABLE") + condition)
             .isEmpty();
    const QString sql =
        rowExists
            ? QStringLiteral("UPDATE SYS_RIGHT_TABLE SET ") + column + QStringLiteral(" = ") +
                  QuotedStr(value) + condition + QStringLiteral(" ")
            : QStringLiteral(" INSERT INTO SYS_RIGHT_TABLE(USE_ID,COMPOSE_ID,PROGRAM_ID, ") +
                  column + QStringLiteral(") VALUES(") + QuotedStr(userId) + QStringLiteral(", ") +
                  QuotedStr(groupId) + QStringLiteral(",") + QuotedStr(programId) +
                  QStringLiteral(",") + QuotedStr(value) + QStringLiteral(")");
    ExecSqlText(DataBaseName, sql);
}

} // namespace kx

#include "moc_kxchild.cpp"
