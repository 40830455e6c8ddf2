#include "grid/dbgrid/filterrowlist.h"

namespace kx {

namespace {

bool WholeOrNothingSelected(const TFilterCaret& caret) {
    return caret.SelLength == 0 || caret.SelLength == caret.TextLength;
}

bool CaretAtEnd(const TFilterCaret& caret) {
    return caret.Position == caret.TextLength && WholeOrNothingSelected(caret);
}

bool CaretAtStart(const TFilterCaret& caret) {
    return caret.Position <= 0 && (caret.SelLength == 0 || caret.SelStart == 0) &&
           WholeOrNothingSelected(caret);
}

} // namespace

QString FilterSpecialEntryText(int code) {
    switch (code) {
    case fseEmpty:
        return QStringLiteral("(Empty)");
    case fseNotEmpty:
        return QStringLiteral("(Not empty)");
    case fseAll:
        return QStringLiteral("(All)");
    case fseClearFilter:
        return QStringLiteral("(Clear filter)");
    case fseSeparator:
        return QStringLiteral("-");
    case fseOrderAscending:
        return QStringLiteral("(Order by ascending)");
    case fseOrderDescending:
        return QStringLiteral("(Order by descending)");
    default:
        return {};
    }
}

QList<TFilterListItem> BuildFilterList(const QStringList& values, const QStringList& keyList,
                                       const QStringList& pickList, bool sortEntries) {
    QList<TFilterListItem> items;
    const bool picks = !keyList.isEmpty() && !pickList.isEmpty();
    for (const QString& value : values) {
        const int index = picks ? keyList.indexOf(value) : -1;
        items.append({index >= 0 && index < pickList.size() ? pickList[index] : value, fseValue});
    }
    // Each entry goes on top of the ones before.
    const int last = sortEntries ? fseOrderDescending : fseClearFilter;
    for (int code = fseEmpty; code <= last; ++code)
        items.prepend({FilterSpecialEntryText(code), code});
    return items;
}

bool FilterEntryText(int code, QString& text) {
    switch (code) {
    case fseEmpty:
        text = QStringLiteral("=Null");
        return true;
    case fseNotEmpty:
        text = QStringLiteral("<>Null");
        return true;
    case fseAll:
        text.clear();
        return true;
    default:
        return false;
    }
}

TFilterKeyAction FilterEditorKeyAction(int key, ui::TShiftState shift, const TFilterCaret& caret,
                                       bool tabs, bool linkActive) {
    const ui::TShiftState modifiers = shift & (ui::ssShift | ui::ssCtrl | ui::ssAlt);
    const bool ctrl = modifiers & ui::ssCtrl;
    switch (key) {
    case Qt::Key_Tab:
        if (!tabs)
            return fkaPass;
        return (shift & ui::ssShift) ? fkaPrior : fkaNext;
    case Qt::Key_End:
        return ctrl || CaretAtEnd(caret) ? fkaLast : fkaPass;
    case Qt::Key_Home:
        return ctrl || CaretAtStart(caret) ? fkaFirst : fkaPass;
    case Qt::Key_Left:
        if (ctrl)
            return fkaFirst;
        return CaretAtStart(caret) ? fkaPrior : fkaPass;
    case Qt::Key_Right:
        if (ctrl)
            return fkaLast;
        return CaretAtEnd(caret) ? fkaNext : fkaPass;
    case Qt::Key_Up:
        return modifiers == 0 ? fkaSwallow : fkaPass;
    case Qt::Key_Down:
        return (modifiers == 0 || modifiers == ui::ssCtrl) && linkActive ? fkaLeave : fkaPass;
    case Qt::Key_F2:
        return fkaCaretToEnd;
    default:
        return fkaPass;
    }
}

} // namespace kx
