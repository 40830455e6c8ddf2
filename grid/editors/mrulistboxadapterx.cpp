#include "grid/editors/mrulistboxadapterx.h"

#include "grid/editors/dropdownplacement.h"
#include "grid/editors/mrulistboxx.h"
#include "platform/ui/application.h"

#include <QCoreApplication>
#include <QMouseEvent>

namespace kx {

TMRUListboxAdapterX::TMRUListboxAdapterX(QWidget* edit, std::function<void(bool accept)> closeUp)
    : list_(new TMRUListboxX(edit)), closeUp_(std::move(closeUp)) {
    list_->hide();
    list_->viewport()->installEventFilter(this);
}

void TMRUListboxAdapterX::SetItems(const QStringList& items) {
    list_->clear();
    list_->addItems(items);
    list_->ItemsChanged();
}

int TMRUListboxAdapterX::Count() const {
    return list_->count();
}

void TMRUListboxAdapterX::DropDownUnder(QWidget* edit, int rows) {
    if (!list_->isVisible()) {
        list_->setFont(edit->font());
        QPalette palette = list_->palette();
        palette.setColor(QPalette::Base, edit->palette().color(QPalette::Base));
        list_->setPalette(palette);
        list_->SetBounds(list_->x(), list_->y(), edit->width(),
                         std::max(rows, 1) * list_->ItemHeight() + list_->BorderHeight());
    }
    list_->setCurrentRow(-1);
    list_->clearSelection();
    list_->move(PlaceDropDownWindow(edit, list_, ddaLeft));
    list_->SizeChanged = false;
    list_->show();
    list_->ItemsChanged();
}

void TMRUListboxAdapterX::CloseUp() {
    list_->hide();
}

bool TMRUListboxAdapterX::IsVisible() const {
    return list_->isVisible();
}

QString TMRUListboxAdapterX::SelectedText() const {
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

void TMRUListboxAdapterX::HandleKey(QKeyEvent* event) {
    QCoreApplication::sendEvent(list_, event);
}

int TMRUListboxAdapterX::RowCount() const {
    return list_->RowsFit();
}

int TMRUListboxAdapterX::Width() const {
    return list_->width();
}

QWidget* TMRUListboxAdapterX::Window() const {
    return list_;
}

bool TMRUListboxAdapterX::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonRelease)
        return QObject::eventFilter(watched, event);
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton)
        return false;
    const bool inside = list_->viewport()->rect().contains(mouse->position().toPoint());
    if (inside) {
        const QModelIndex index = list_->indexAt(mouse->position().toPoint());
        if (index.isValid())
            list_->setCurrentIndex(index);
    }
    try {
        closeUp_(inside);
    } catch (...) {
        ui::HandleCurrentException();
    }
    return true;
}

} // namespace kx
