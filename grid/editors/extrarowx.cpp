#include "grid/editors/extrarowx.h"

#include "grid/editors/cellbuttons.h"
#include "platform/db/variants.h"
#include "platform/ui/customcontrol.h"

#include <QWidget>

namespace kx {

namespace {

bool IsControlChar(QChar c) {
    return c.unicode() >= 1 && c.unicode() <= 31;
}

void SkipControlChars(const QString& text, qsizetype& at) {
    while (at < text.size() && IsControlChar(text.at(at)))
        ++at;
}

QString ReadQuoted(const QString& text, qsizetype& at) {
    QString part;
    ++at; // the opening quote
    while (at < text.size()) {
        const QChar c = text.at(at++);
        if (c != u'"') {
            part += c;
        } else if (at < text.size() && text.at(at) == u'"') {
            part += c;
            ++at;
        } else {
            break;
        }
    }
    return part;
}

QString ReadPlain(const QString& text, qsizetype& at) {
    const qsizetype start = at;
    while (at < text.size() && text.at(at) != u';' && text.at(at).unicode() >= 32)
        ++at;
    return text.mid(start, at - start);
}

} // namespace

QStringList SplitCellsText(const QString& text) {
    QStringList cells;
    qsizetype at = 0;
    SkipControlChars(text, at);
    while (at < text.size()) {
        cells.append(text.at(at) == u'"' ? ReadQuoted(text, at) : ReadPlain(text, at));
        SkipControlChars(text, at);
        if (at < text.size() && text.at(at) == u';') {
            ++at;
            SkipControlChars(text, at);
        }
    }
    return cells;
}

TSpecRowX::TSpecRowX(QObject* owner) : owner_(owner), value_(db::NullVariant()) {}

void TSpecRowX::SetCellsText(const QString& text) {
    if (text == cellsText_)
        return;
    cellsText_ = text;
    cells_ = SplitCellsText(text);
    Changed();
}

QString TSpecRowX::CellTextAt(int index) const {
    return index >= 0 && index < cells_.size() ? cells_.at(index) : QString();
}

ui::TColor TSpecRowX::Color() const {
    if (colorAssigned_)
        return color_;
    if (const auto* control = qobject_cast<const ui::TCustomControl*>(owner_))
        return control->Color();
    return color_;
}

void TSpecRowX::SetColor(ui::TColor color) {
    if (colorAssigned_ && color == color_)
        return;
    color_ = color;
    colorAssigned_ = true;
    Changed();
}

QFont TSpecRowX::Font() const {
    if (fontAssigned_)
        return font_;
    if (const auto* widget = qobject_cast<const QWidget*>(owner_))
        return widget->font();
    return font_;
}

void TSpecRowX::SetFont(const QFont& font) {
    font_ = font;
    fontAssigned_ = true;
    Changed();
}

void TSpecRowX::SetShowIfNotInKeyList(bool show) {
    if (show == showIfNotInKeyList_)
        return;
    showIfNotInKeyList_ = show;
    Changed();
}

void TSpecRowX::SetValue(const QVariant& value) {
    if (VariantsMatch(value, value_))
        return;
    value_ = value;
    Changed();
}

void TSpecRowX::SetVisible(bool visible) {
    if (visible == visible_)
        return;
    visible_ = visible;
    Changed();
}

void TSpecRowX::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0 && changedInUpdate_) {
        changedInUpdate_ = false;
        Changed();
    }
}

void TSpecRowX::Changed() {
    if (updateCount_ > 0) {
        changedInUpdate_ = true;
        return;
    }
    if (OnChanged)
        OnChanged(this);
}

void TSpecRowX::Assign(const TSpecRowX& source) {
    BeginUpdate();
    SetCellsText(source.cellsText_);
    SetColor(source.Color());
    if (source.fontAssigned_)
        SetFont(source.font_);
    shortCut_ = source.shortCut_;
    SetShowIfNotInKeyList(source.showIfNotInKeyList_);
    SetValue(source.value_);
    SetVisible(source.visible_);
    changedInUpdate_ = true;
    EndUpdate();
}

} // namespace kx
