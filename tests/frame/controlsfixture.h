#pragma once
// Shared set-up of the control and dialog tests: a recorder in place of the
// message boxes, an active window to drive the focus with, and a fresh data
// folder with the database "RUReravezDataBase".

#include "platform/db/database.h"
#include "platform/db/query.h"
#include "platform/ui/messagedialog.h"
#include "tests/support/datafolder.h"
#include "tests/support/modal.h"

#include <QApplication>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace kx::test {

inline const QString kDatabaseName = QStringLiteral("RUReravezDataBase");

// Every message box is answered by the test and its text kept.
class MessageTextRecorder {
public:
    MessageTextRecorder() {
        old_ = ui::SetMessageSink([this](const ui::MessageRequest& request) {
            texts.append(request.text);
            return answer;
        });
    }
    ~MessageTextRecorder() { ui::SetMessageSink(old_); }

    QStringList texts;
    bool answer = true;

private:
    ui::MessageSink old_;
};

// Shows the window and waits until it is the active one, so that focus
// changes inside it send focus events.
inline bool ShowActive(QWidget& window) {
    window.show();
    QApplication::setActiveWindow(&window);
    return QTest::qWaitForWindowActive(&window);
}

// Moves the focus to the widget and lets the focus events arrive.
inline void FocusOn(QWidget* widget) {
    widget->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
}

// Types the text key by key into the widget, Chinese characters included.
inline void TypeText(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(widget, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// Presses a key where the user's key would go: the window's focused control.
inline void PressKey(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QWidget* focused = window->focusWidget();
    QTest::keyClick(focused ? focused : window, key, modifiers);
}

class ControlsDbTest : public ::testing::Test {
protected:
    ControlsDbTest() : database_(std::make_unique<db::TDatabase>()) {
        database_->SetAliasName(QStringLiteral("RUReravezLink"));
        database_->SetDatabaseName(kDatabaseName);
        database_->SetLoginPrompt(false);
    }

    void Exec(const QStringList& statements) {
        db::TQuery query;
        query.SetDatabaseName(kDatabaseName);
        query.SetParamCheck(false);
        for (const QString& sql : statements) {
            query.SQL().SetText(sql);
            query.ExecSQL();
        }
    }

    db::TQuery* NewQuery(const QString& sql, QObject* owner) {
        auto* query = new db::TQuery(owner);
        query->SetDatabaseName(kDatabaseName);
        query->SetRequestLive(true);
        query->SQL().SetText(sql);
        return query;
    }

    TempDataFolder folder_;
    std::unique_ptr<db::TDatabase> database_;
    MessageTextRecorder messages_;
};

} // namespace kx::test
