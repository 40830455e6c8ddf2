#pragma once
// Modal message boxes: the one place that shows a QMessageBox, so that tests
// can put a recording sink in front of it and every box gets the same
// on-top flag, icons and line-break handling.

#include <QString>

#include <functional>

class QWidget;

namespace kx::ui {

enum class MessageIcon { Warning, Error, Question };
enum class MessageButtons { Ok, YesNo };

struct MessageRequest {
    QWidget* owner = nullptr; // nullptr: owned by the application
    QString caption;
    QString text; // line breaks already normalised
    MessageIcon icon = MessageIcon::Warning;
    MessageButtons buttons = MessageButtons::Ok;
};

// Answers a request instead of a real box; returns true for Yes.
using MessageSink = std::function<bool(const MessageRequest&)>;

// Installs a sink (an empty one restores the real boxes); returns the old one.
MessageSink SetMessageSink(MessageSink sink);

// LF CR, CR LF and a lone CR each become one line feed.
QString NormalizeLineBreaks(const QString& text);

// Shows the box modally, always on top; true when the user answered Yes.
bool ShowMessageDialog(QWidget* owner, const QString& caption, const QString& text,
                       MessageIcon icon, MessageButtons buttons);

} // namespace kx::ui
