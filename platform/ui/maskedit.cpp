#include "platform/ui/maskedit.h"

#include "platform/ui/application.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>

#include <climits>

namespace kx::ui {
namespace {

QEvent::Type CharEventType() {
    static const QEvent::Type type = QEvent::Type(QEvent::registerEventType());
    return type;
}

class TCharEvent : public QEvent {
public:
    explicit TCharEvent(QChar ch) : QEvent(CharEventType()), ch_(ch) {}
    QChar Char() const { return ch_; }

private:
    QChar ch_;
};

// The program writes dates as yyyy-mm-dd and times as hh:nn:ss.
constexpr QChar kDateSeparator = u'-';
constexpr QChar kTimeSeparator = u':';

// One shown position of a mask: a literal, or a place for a typed character.
struct MaskPosition {
    bool literal;
    QChar ch;
};

std::vector<MaskPosition> MaskPositions(const QString& mask) {
    std::vector<MaskPosition> positions;
    for (int i = 0; i < mask.size(); ++i) {
        const QChar c = mask[i];
        switch (c.unicode()) {
        case '!':
        case '>':
        case '<':
            break;
        case '\\':
            if (i + 1 < mask.size())
                positions.push_back({true, mask[++i]});
            break;
        case 'L':
        case 'l':
        case 'A':
        case 'a':
        case 'C':
        case 'c':
        case '0':
        case '9':
        case '#':
            positions.push_back({false, c});
            break;
        case ':':
            positions.push_back({true, kTimeSeparator});
            break;
        case '/':
            positions.push_back({true, kDateSeparator});
            break;
        case '_':
            positions.push_back({true, u' '});
            break;
        default:
            positions.push_back({true, c});
            break;
        }
    }
    return positions;
}

bool IsQtMaskSpecial(QChar c) {
    return QStringLiteral("AaNnXx90Dd#HhBb><!;[]{}\\").contains(c);
}

QChar QtMaskChar(QChar c) {
    switch (c.unicode()) {
    case 'L':
        return u'A';
    case 'l':
        return u'a';
    case 'A':
        return u'N';
    case 'a':
        return u'n';
    case 'C':
        return u'X';
    case 'c':
        return u'x';
    case '0':
        return u'9';
    case '9':
        return u'0';
    default:
        return c;
    }
}

} // namespace

TEditMaskParts ParseEditMask(const QString& editMask) {
    QStringList fields{QString()};
    for (int i = 0; i < editMask.size(); ++i) {
        if (editMask[i] == u'\\' && i + 1 < editMask.size()) {
            fields.last() += editMask[i];
            fields.last() += editMask[++i];
        } else if (editMask[i] == u';') {
            fields.append(QString());
        } else {
            fields.last() += editMask[i];
        }
    }
    TEditMaskParts parts;
    parts.Mask = fields[0];
    if (fields.size() > 1 && fields[1].startsWith(u'0'))
        parts.SaveLiterals = false;
    if (fields.size() > 2 && !fields[2].isEmpty())
        parts.Blank = fields[2][0];
    return parts;
}

QString ToQtInputMask(const QString& editMask) {
    const TEditMaskParts parts = ParseEditMask(editMask);
    if (parts.Mask.isEmpty())
        return QString();
    QString result;
    for (int i = 0; i < parts.Mask.size(); ++i) {
        const QChar c = parts.Mask[i];
        if (c == u'<' && i + 1 < parts.Mask.size() && parts.Mask[i + 1] == u'>') {
            result += u'!';
            ++i;
        } else if (c == u'>' || c == u'<') {
            result += c;
        } else if (c == u'!') {
            continue;
        } else if (c == u'\\' && i + 1 < parts.Mask.size()) {
            const QChar literal = parts.Mask[++i];
            if (IsQtMaskSpecial(literal))
                result += u'\\';
            result += literal;
        } else {
            const std::vector<MaskPosition> one = MaskPositions(QString(c));
            if (one.empty())
                continue;
            if (one[0].literal) {
                if (IsQtMaskSpecial(one[0].ch))
                    result += u'\\';
                result += one[0].ch;
            } else {
                result += QtMaskChar(c);
            }
        }
    }
    return result + u';' + parts.Blank;
}

QString MaskedText(const QString& editMask, const QString& shownText) {
    const TEditMaskParts parts = ParseEditMask(editMask);
    if (parts.Mask.isEmpty())
        return shownText;
    const std::vector<MaskPosition> positions = MaskPositions(parts.Mask);
    QString result;
    for (int i = 0; i < shownText.size(); ++i) {
        const bool literal = i < int(positions.size()) && positions[i].literal;
        if (literal && !parts.SaveLiterals)
            continue;
        result += !literal && shownText[i] == parts.Blank ? QChar(u' ') : shownText[i];
    }
    return result;
}

TCustomMaskEdit::TCustomMaskEdit(QWidget* parent) : QLineEdit(parent) {
    QLineEdit::setMaxLength(32767);
}

void TCustomMaskEdit::SetEditMask(const QString& mask) {
    if (editMask_ == mask)
        return;
    editMask_ = mask;
    setInputMask(ToQtInputMask(mask));
}

QString TCustomMaskEdit::Text() const {
    return IsMasked() ? MaskedText(editMask_, displayText()) : text();
}

void TCustomMaskEdit::SetText(const QString& text) {
    setText(text);
}

void TCustomMaskEdit::SetMaxLength(int length) {
    maxLength_ = length;
    QLineEdit::setMaxLength(length > 0 ? length : 32767);
}

void TCustomMaskEdit::GetSel(int& start, int& end) const {
    if (hasSelectedText()) {
        start = selectionStart();
        end = selectionEnd();
    } else {
        start = end = cursorPosition();
    }
}

void TCustomMaskEdit::SetSel(int start, int end) {
    const int length = int(text().size());
    if (start == -1) {
        deselect();
        return;
    }
    if (end == -1)
        end = length;
    start = qBound(0, start, length);
    end = qBound(0, end, length);
    if (start == end) {
        deselect();
        setCursorPosition(start);
        return;
    }
    setSelection(start, end - start);
}

int TCustomMaskEdit::SelStart() const {
    int start, end;
    GetSel(start, end);
    return start;
}

int TCustomMaskEdit::SelLength() const {
    int start, end;
    GetSel(start, end);
    return end - start;
}

void TCustomMaskEdit::KeyDown(int& key, TShiftState shift) {
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
}

void TCustomMaskEdit::KeyPress(QChar& key) {
    if (OnKeyPress)
        OnKeyPress(this, key);
}

void TCustomMaskEdit::KeyUp(int& key, TShiftState shift) {
    if (OnKeyUp)
        OnKeyUp(this, key, shift);
}

bool TCustomMaskEdit::EditCanModify() {
    return !isReadOnly();
}

bool TCustomMaskEdit::WantTabs() {
    return false;
}

bool TCustomMaskEdit::ChangesText(QKeyEvent* event) const {
    static const QKeySequence::StandardKey changing[] = {QKeySequence::Paste,
                                                         QKeySequence::Cut,
                                                         QKeySequence::Delete,
                                                         QKeySequence::Backspace,
                                                         QKeySequence::DeleteEndOfWord,
                                                         QKeySequence::DeleteStartOfWord,
                                                         QKeySequence::DeleteEndOfLine,
                                                         QKeySequence::Undo,
                                                         QKeySequence::Redo};
    for (QKeySequence::StandardKey key : changing)
        if (event->matches(key))
            return true;
    return event->key() == Qt::Key_Backspace || TypedChar(event).isPrint();
}

void TCustomMaskEdit::keyPressEvent(QKeyEvent* event) {
    event->accept();
    int key = KeyCode(event);
    const TShiftState shift = ShiftState(event->modifiers());
    const QChar typed = TypedChar(event);
    QChar ch = typed;
    QPointer<TCustomMaskEdit> alive(this);
    try {
        KeyDown(key, shift);
        if (alive && !typed.isNull() && !(shift & ssAlt))
            KeyPress(ch);
    } catch (...) {
        HandleCurrentException();
        return;
    }
    if (!alive || key == 0 || (!typed.isNull() && ch.isNull()))
        return;
    if (ChangesText(event) && !EditCanModify())
        return;
    if (ch != typed && ch.isPrint()) {
        QKeyEvent changed(event->type(), event->key(), event->modifiers(), QString(ch));
        QLineEdit::keyPressEvent(&changed);
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TCustomMaskEdit::keyReleaseEvent(QKeyEvent* event) {
    int key = KeyCode(event);
    try {
        KeyUp(key, ShiftState(event->modifiers()));
    } catch (...) {
        HandleCurrentException();
        return;
    }
    if (key != 0)
        QLineEdit::keyReleaseEvent(event);
}

void TCustomMaskEdit::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    if (!EditCanModify())
        for (QAction* action : menu->actions())
            if (action->objectName() == QLatin1String("edit-paste") ||
                action->objectName() == QLatin1String("edit-cut") ||
                action->objectName() == QLatin1String("edit-delete") ||
                action->objectName() == QLatin1String("edit-undo") ||
                action->objectName() == QLatin1String("edit-redo"))
                action->setEnabled(false);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void TCustomMaskEdit::PostChar(QChar ch) {
    QCoreApplication::postEvent(this, new TCharEvent(ch));
}

void TCustomMaskEdit::TypeChar(QChar ch) {
    try {
        KeyPress(ch);
    } catch (...) {
        HandleCurrentException();
        return;
    }
    if (ch.isNull())
        return;
    const bool backspace = ch == QChar(8);
    if (!EditCanModify() && (backspace || ch.isPrint()))
        return;
    QKeyEvent typed(QEvent::KeyPress, backspace ? Qt::Key_Backspace : Qt::Key_unknown,
                    Qt::NoModifier, QString(ch));
    QLineEdit::keyPressEvent(&typed);
}

bool TCustomMaskEdit::event(QEvent* event) {
    if (event->type() == CharEventType()) {
        TypeChar(static_cast<TCharEvent*>(event)->Char());
        return true;
    }
    return QLineEdit::event(event);
}

bool TCustomMaskEdit::focusNextPrevChild(bool next) {
    if (WantTabs())
        return false;
    return QLineEdit::focusNextPrevChild(next);
}

} // namespace kx::ui

#include "moc_maskedit.cpp"
