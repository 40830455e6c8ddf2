#pragma once
// The edit's view of its recently-used list (IMRUDropDownX) carried out by a
// TMRUListboxX: the list window is a child of the edit, so it goes with it.
// A left-button release on the list asks the edit to close it, taking the
// item under the pointer when the release lies inside the list.

#include "grid/editors/mrudropdownx.h"
#include "grid/editors/mrulistboxx.h"

#include <QObject>
#include <QPointer>

#include <functional>

namespace kx {

class TMRUListboxAdapterX : public QObject, public IMRUDropDownX {
public:
    TMRUListboxAdapterX(QWidget* edit, std::function<void(bool accept)> closeUp);

    void SetItems(const QStringList& items) override;
    int Count() const override;
    void DropDownUnder(QWidget* edit, int rows) override;
    void CloseUp() override;
    bool IsVisible() const override;
    QString SelectedText() const override;
    void HandleKey(QKeyEvent* event) override;
    int RowCount() const override;
    int Width() const override;
    QWidget* Window() const override;

    TMRUListboxX* Listbox() const { return list_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<TMRUListboxX> list_;
    std::function<void(bool accept)> closeUp_;
};

} // namespace kx
