#include "frame/controls/fieldcelltext.h"

#include "platform/db/field.h"

namespace kx {

void WriteFieldCellText(ui::TCanvas& canvas, const ui::TRect& rect, const db::TField& field) {
    const QString text = field.DisplayText();
    int x = rect.Left + 2;
    if (field.Alignment() == db::taRightJustify)
        x = rect.Right - canvas.TextWidth(text) - 3;
    else if (field.Alignment() == db::taCenter)
        x = rect.Left + (rect.Width() - canvas.TextWidth(text)) / 2;
    canvas.TextRect(rect, x, rect.Top + 2, text);
}

QString ShortenedMemoText(QString text, int room, const std::function<int(const QString&)>& width) {
    do {
        // A character outside the basic plane takes two units: both go.
        const bool pair = text.size() >= 2 && text.back().isLowSurrogate();
        text.chop(pair ? 2 : 1);
    } while (!text.isEmpty() && width(text) >= room);
    return text;
}

} // namespace kx
