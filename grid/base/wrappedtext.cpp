#include "grid/base/wrappedtext.h"

#include <QLineEdit>
#include <QPainter>
#include <QRect>
#include <QTextOption>

#include <algorithm>

namespace kx {

namespace {

// Line breaks stay line breaks in the layout; the positions stay those of
// the edit's text.
QString LayoutText(QString text) {
    for (QChar& ch : text) {
        if (ch == u'\n')
            ch = QChar::LineSeparator;
        else if (ch == u'\r')
            ch = QChar(0x200B);
    }
    return text;
}

} // namespace

TWrappedText::TWrappedText(const QString& text, const QFont& font, int width,
                           Qt::Alignment alignment)
    : layout_(LayoutText(text), font) {
    QTextOption option(alignment & Qt::AlignHorizontal_Mask);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout_.setTextOption(option);
    layout_.setCacheEnabled(true);
    layout_.beginLayout();
    qreal y = 0;
    for (QTextLine line = layout_.createLine(); line.isValid(); line = layout_.createLine()) {
        line.setLineWidth(std::max(width, 1));
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout_.endLayout();
}

int TWrappedText::LineOf(int position) const {
    const QTextLine line = layout_.lineForTextPosition(position);
    return line.isValid() ? line.lineNumber() : std::max(0, LineCount() - 1);
}

int TWrappedText::PositionOnLine(int line, qreal x) const {
    return layout_.lineAt(line).xToCursor(x);
}

int TWrappedText::PositionAbove(int position) const {
    const int line = LineOf(position);
    if (line <= 0)
        return -1;
    return PositionOnLine(line - 1, layout_.lineAt(line).cursorToX(position));
}

int TWrappedText::PositionBelow(int position) const {
    const int line = LineOf(position);
    if (line + 1 >= LineCount())
        return -1;
    return PositionOnLine(line + 1, layout_.lineAt(line).cursorToX(position));
}

int TWrappedText::PositionAt(QPointF point) const {
    if (LineCount() == 0)
        return 0;
    int line = 0;
    while (line + 1 < LineCount() && point.y() >= layout_.lineAt(line + 1).y())
        ++line;
    return PositionOnLine(line, point.x());
}

void TWrappedText::Draw(QPainter& painter, QPointF topLeft, const TLook& look) const {
    QList<QTextLayout::FormatRange> selections;
    if (look.SelEnd > look.SelStart) {
        QTextLayout::FormatRange range;
        range.start = look.SelStart;
        range.length = look.SelEnd - look.SelStart;
        range.format.setBackground(look.Palette.brush(QPalette::Highlight));
        range.format.setForeground(look.Palette.brush(QPalette::HighlightedText));
        selections.append(range);
    }
    painter.setPen(look.Palette.color(QPalette::Text));
    layout_.draw(&painter, topLeft, selections);
    if (look.Cursor >= 0)
        layout_.drawCursor(&painter, topLeft, look.Cursor, 1);
}

void DrawWrappedEdit(QPainter& painter, const QLineEdit& edit, const QRect& area) {
    const TWrappedText wrapped(edit.text(), edit.font(), area.width(), edit.alignment());
    TWrappedText::TLook look;
    look.Palette = edit.palette();
    if (edit.hasSelectedText()) {
        look.SelStart = edit.selectionStart();
        look.SelEnd = edit.selectionEnd();
    }
    look.Cursor = edit.hasFocus() ? edit.cursorPosition() : -1;
    painter.save();
    painter.setClipRect(area, Qt::IntersectClip);
    painter.setFont(edit.font());
    wrapped.Draw(painter, area.topLeft(), look);
    painter.restore();
}

int WrappedEditPosition(const QLineEdit& edit, const QRect& area, QPoint point) {
    const TWrappedText wrapped(edit.text(), edit.font(), area.width(), edit.alignment());
    return wrapped.PositionAt(point - area.topLeft());
}

void ExtendEditSelection(QLineEdit& edit, int position) {
    int anchor = edit.cursorPosition();
    if (edit.hasSelectedText())
        anchor = edit.cursorPosition() == edit.selectionStart() ? edit.selectionEnd()
                                                                : edit.selectionStart();
    edit.setSelection(anchor, position - anchor);
}

bool MoveWrappedCaret(QLineEdit& edit, const QRect& area, bool down, bool extend) {
    const TWrappedText wrapped(edit.text(), edit.font(), area.width(), edit.alignment());
    const int from = edit.cursorPosition();
    const int to = down ? wrapped.PositionBelow(from) : wrapped.PositionAbove(from);
    if (to < 0)
        return false;
    if (extend)
        ExtendEditSelection(edit, to);
    else
        edit.setCursorPosition(to);
    return true;
}

bool WrappedCaretOnFirstLine(const QLineEdit& edit, const QRect& area) {
    const TWrappedText wrapped(edit.text(), edit.font(), area.width(), edit.alignment());
    return wrapped.OnFirstLine(edit.cursorPosition());
}

bool WrappedCaretOnLastLine(const QLineEdit& edit, const QRect& area) {
    const TWrappedText wrapped(edit.text(), edit.font(), area.width(), edit.alignment());
    return wrapped.OnLastLine(edit.cursorPosition());
}

} // namespace kx
