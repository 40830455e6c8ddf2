#include "grid/editors/popuplistboxx.h"

#include "grid/dbgrid/gridpictures.h"
#include "grid/editors/dropdownplacement.h"
#include "grid/editors/sizegripx.h"
#include "platform/ui/application.h"

#include <QApplication>
#include <QDateTime>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>

namespace kx {

namespace {

template <typename F> void Guarded(F&& body) {
    try {
        body();
    } catch (...) {
        ui::HandleCurrentException();
    }
}

int ScrollBarExtent() {
    return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

// The list draws as focused while its owner holds the keyboard focus.
void DrawAsActive(QWidget* widget) {
    QPalette palette = widget->palette();
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    widget->setPalette(palette);
}

} // namespace

// Rows of the list's own height, with the item's picture before its text.
class TPopupListItemPainter : public QStyledItemDelegate {
public:
    explicit TPopupListItemPainter(TPopupListboxX* list) : QStyledItemDelegate(list), list_(list) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return QSize(QStyledItemDelegate::sizeHint(option, index).width(), list_->ItemHeight());
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem active = option;
        active.state |= QStyle::State_Active;
        const TGridPictureList* images = list_->Images();
        if (!images) {
            QStyledItemDelegate::paint(painter, active, index);
            return;
        }
        const QRect item = option.rect;
        const int imageArea = images->Width() + 4;
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette& palette = list_->palette();
        painter->fillRect(item, palette.color(QPalette::Base));
        int imageIndex = index.row();
        if (list_->OnGetItemImageIndex)
            list_->OnGetItemImageIndex(list_->parent(), index.row(), imageIndex);
        if (imageIndex >= 0 && imageIndex < images->Count()) {
            const QRect area(item.left(), item.top(), imageArea, item.height());
            const QPoint at(area.left() + (area.width() - images->Width()) / 2,
                            area.top() + (area.height() - images->Height()) / 2);
            painter->save();
            painter->setClipRect(area);
            painter->drawImage(at, images->Picture(imageIndex));
            painter->restore();
        }
        const QRect textArea(item.left() + imageArea, item.top(), item.width() - imageArea,
                             item.height());
        painter->fillRect(textArea, palette.color(selected ? QPalette::Highlight : QPalette::Base));
        painter->setPen(palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter->drawText(textArea.adjusted(1, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
                          index.data().toString());
    }

private:
    TPopupListboxX* list_;
};

const QString& TTypeAheadX::Type(QChar ch, qint64 nowMs) {
    if (nowMs - lastMs_ > ResetAfterMs)
        text_.clear();
    lastMs_ = nowMs;
    if (text_.size() < MaxLength)
        text_.append(ch);
    return text_;
}

int SnapListHeight(int requestedHeight, int borderHeight, int itemHeight, int fontRowHeight) {
    const int row = itemHeight > 0 ? itemHeight : fontRowHeight;
    const int rows = std::max((requestedHeight - borderHeight) / std::max(row, 1), 1);
    return borderHeight + rows * row;
}

TPopupListboxX::TPopupListboxX(QWidget* owner)
    : QListWidget(owner), sizeGrip_(new TSizeGripX(this)) {
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                   Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(borderWidth_);
    setUniformItemSizes(true);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setItemDelegate(new TPopupListItemPainter(this));
    setMouseTracking(true);
    DrawAsActive(this);
    Clock = [] { return QDateTime::currentMSecsSinceEpoch(); };
    sizeGrip_->UpdatePosition();
}

TPopupListboxX::~TPopupListboxX() = default;

void TPopupListboxX::SetImages(const TGridPictureList* images) {
    images_ = images;
    viewport()->update();
}

void TPopupListboxX::SetOwnerDrawSource(const QStringList* source) {
    itemSource_ = source;
    clear();
    if (source)
        addItems(*source);
}

QString TPopupListboxX::VirtualItemText(int index) const {
    if (!itemSource_ || index < 0 || index >= itemSource_->size())
        return QString();
    return itemSource_->at(index);
}

int TPopupListboxX::ItemHeight() const {
    return itemHeight_ > 0 ? itemHeight_ : FontRowHeight();
}

void TPopupListboxX::SetItemHeight(int height) {
    itemHeight_ = height;
    doItemsLayout();
}

int TPopupListboxX::FontRowHeight() const {
    return QFontMetrics(font()).height();
}

int TPopupListboxX::BorderHeight() const {
    return 2 * frameWidth();
}

void TPopupListboxX::SetRowCount(int n) {
    SetBounds(x(), y(), width(), std::max(n, 1) * ItemHeight() + BorderHeight());
}

void TPopupListboxX::SetBounds(int left, int top, int width, int height) {
    width = std::max(width, ScrollBarExtent());
    height = std::max(height, ScrollBarExtent());
    const int snapped = SnapListHeight(height, BorderHeight(), itemHeight_, FontRowHeight());
    rowsFit_ = (snapped - BorderHeight()) / ItemHeight();
    setGeometry(left, top, width, snapped);
}

void TPopupListboxX::SnapToRows() {
    const int w = std::max(width(), ScrollBarExtent());
    const int h = std::max(height(), ScrollBarExtent());
    const int snapped = SnapListHeight(h, BorderHeight(), itemHeight_, FontRowHeight());
    rowsFit_ = (snapped - BorderHeight()) / ItemHeight();
    if (w == width() && snapped == height())
        return;
    // A grip on a top corner drags the top edge: keep the bottom where it is.
    const int corner = sizeGrip_->Corner();
    const int top = corner == gcTopLeft || corner == gcTopRight ? y() + height() - snapped : y();
    snapping_ = true;
    setGeometry(x(), top, w, snapped);
    snapping_ = false;
}

bool TPopupListboxX::TypeAhead(QChar ch) {
    const QString& prefix = typeAhead_.Type(ch, Clock());
    for (int row = 0; row < count(); ++row) {
        if (item(row)->text().startsWith(prefix, Qt::CaseInsensitive)) {
            setCurrentRow(row);
            break;
        }
    }
    return true;
}

void TPopupListboxX::keyPressEvent(QKeyEvent* event) {
    Guarded([&] {
        if (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Escape)
            typeAhead_.Clear();
        const QString text = event->text();
        const bool plainChar = text.size() == 1 && text.at(0) >= QChar(32) &&
                               !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (plainChar && TypeAhead(text.at(0))) {
            event->accept();
            return;
        }
        QListWidget::keyPressEvent(event);
    });
}

void TPopupListboxX::mouseMoveEvent(QMouseEvent* event) {
    Guarded([&] {
        const QPoint point = event->position().toPoint();
        if (event->buttons() == Qt::NoButton && point != lastMousePoint_) {
            const QModelIndex index = indexAt(point);
            if (index.isValid())
                setCurrentIndex(index);
            lastMousePoint_ = point;
        }
        QListWidget::mouseMoveEvent(event);
    });
}

void TPopupListboxX::wheelEvent(QWheelEvent* event) {
    Guarded([&] {
        const int delta = event->angleDelta().y();
        if (delta != 0) {
            QScrollBar* bar = verticalScrollBar();
            bar->setValue(bar->value() + (delta < 0 ? 1 : -1));
        }
        event->accept();
    });
}

void TPopupListboxX::resizeEvent(QResizeEvent* event) {
    QListWidget::resizeEvent(event);
    Guarded([&] {
        if (!snapping_)
            SnapToRows();
        sizeGrip_->UpdatePosition();
        SizeChanged = true;
        AfterSizeChange();
    });
}

bool TPopupListboxX::event(QEvent* event) {
    if (event->type() == TDropDownSideEvent::EventType) {
        Guarded([&] {
            sizeGrip_->SetCornerForAlign(static_cast<TDropDownSideEvent*>(event)->Side());
            AfterSideChange();
        });
        return true;
    }
    return QListWidget::event(event);
}

const QStringList* OwnerOfPopupList(const TPopupListboxX* list) {
    return list->ItemSource();
}

} // namespace kx
