#pragma once
// The text of a line edit laid out in word-wrapped lines, for editors over
// cells or boxes taller than one line. The line edit keeps the text, the
// caret and the selection; this draws them over several lines and answers
// where the caret goes one line up or down and which position a point hits.

#include <QFont>
#include <QPalette>
#include <QPoint>
#include <QPointF>
#include <QString>
#include <QTextLayout>

class QLineEdit;
class QPainter;
class QRect;

namespace kx {

class TWrappedText {
public:
    TWrappedText(const QString& text, const QFont& font, int width,
                 Qt::Alignment alignment = Qt::AlignLeft);
    TWrappedText(const TWrappedText&) = delete;
    TWrappedText& operator=(const TWrappedText&) = delete;

    int LineCount() const { return layout_.lineCount(); }
    int LineOf(int position) const;
    bool OnFirstLine(int position) const { return LineOf(position) == 0; }
    bool OnLastLine(int position) const { return LineOf(position) >= LineCount() - 1; }
    // The position on the line above or below at the same x; -1 when the
    // position is on the first or the last line.
    int PositionAbove(int position) const;
    int PositionBelow(int position) const;
    // The position nearest to a point given from the layout's top-left.
    int PositionAt(QPointF point) const;

    struct TLook {
        QPalette Palette;
        int SelStart = 0;
        int SelEnd = 0;
        int Cursor = -1; // -1: no caret drawn
    };
    void Draw(QPainter& painter, QPointF topLeft, const TLook& look) const;

private:
    int PositionOnLine(int line, qreal x) const;

    QTextLayout layout_;
};

// A line edit's text, selection and caret (while it has the focus) drawn
// wrapped into area, each line placed by the edit's alignment.
void DrawWrappedEdit(QPainter& painter, const QLineEdit& edit, const QRect& area);
// The text position under a point of the edit, its text wrapped into area.
int WrappedEditPosition(const QLineEdit& edit, const QRect& area, QPoint point);
// Moves the caret one wrapped line up or down, extending the selection when
// asked; false, and nothing moved, on the first line up or the last down.
bool MoveWrappedCaret(QLineEdit& edit, const QRect& area, bool down, bool extend);
// The caret's line and the line count of the edit's text wrapped into area.
bool WrappedCaretOnFirstLine(const QLineEdit& edit, const QRect& area);
bool WrappedCaretOnLastLine(const QLineEdit& edit, const QRect& area);
// Selects from the selection's fixed end (the caret when nothing is
// selected) to position, the caret at position.
void ExtendEditSelection(QLineEdit& edit, int position);

} // namespace kx
