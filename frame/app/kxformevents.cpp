#include "frame/app/kxformevents.h"

#include "core/appstate.h"
#include "core/datamodule.h"
#include "frame/app/kxchild.h"
#include "platform/ui/application.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QLayout>
#include <QPushButton>

namespace kx {

TKXFormEvents::TKXFormEvents(QWidget* owner) : QDialog(owner), KXChild(new TKXChild(this)) {
    KXChild->setObjectName(QStringLiteral("KXChild"));
}

int TKXFormEvents::ShowModal() {
    setResult(QDialog::Rejected);
    return ui::ExecModal(*this);
}

void TKXFormEvents::SetOnClick(QAbstractButton* button, TClickHandler handler) {
    if (!clickHandlers_.contains(button))
        connect(button, &QAbstractButton::clicked, this, ui::Guard([this, button] {
                    if (const TClickHandler handler = clickHandlers_.value(button))
                        handler(button);
                }));
    clickHandlers_.insert(button, std::move(handler));
}

bool TKXFormEvents::HasOnClick(QAbstractButton* button) const {
    return static_cast<bool>(clickHandlers_.value(button));
}

bool TKXFormEvents::ClickByKey(QAbstractButton* button) {
    if (!button || !button->isEnabled() || !button->isVisibleTo(this) || !HasOnClick(button))
        return false;
    clickHandlers_.value(button)(this);
    return true;
}

TFormHandlers TKXFormEvents::Handlers() {
    TFormHandlers handlers;
    handlers.OnKeyDown = [this](QObject*, int& key, ui::TShiftState shift) {
        FormKeyDown(key, shift);
    };
    handlers.OnCloseQuery = [this](QObject*, bool& canClose) { FormCloseQuery(canClose); };
    handlers.OnDestroy = [this](QObject*) { FormDestroy(); };
    handlers.OnShow = [this](QObject*) { FormShow(); };
    return handlers;
}

void TKXFormEvents::CloseWith(int result) {
    setResult(result);
    close();
}

// The companion has let the close through: only the action is left.
void TKXFormEvents::closeEvent(QCloseEvent* event) {
    event->ignore();
    try {
        TCloseAction action = TCloseAction::caHide;
        FormClose(action);
        if (action == TCloseAction::caNone)
            return;
        event->accept();
        if (action == TCloseAction::caFree)
            deleteLater();
    } catch (...) {
        ui::HandleCurrentException();
    }
}

void TKXFormEvents::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow())
        return;
    try {
        FormActivate();
    } catch (...) {
        ui::HandleCurrentException();
    }
}

void AttachCompanion(TKXChild& child, const TFormHandlers& handlers) {
    child.DataBaseName = kDatabaseName;
    child.Language = AppLanguage;
    child.Color = AppBrowseColor;
    child.LabelColor = AppLabelColor;
    child.EditColor = AppEditColor;
    child.ColorOnFocus = AppFocusColor;
    child.SqlType = urStandard;
    child.Attach(handlers);
}

QPushButton* AddBarButton(QWidget* bar, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, bar);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    bar->layout()->addWidget(button);
    return button;
}

void FitBarCaptions(QWidget* bar) {
    for (QPushButton* button : bar->findChildren<QPushButton*>())
        button->setMinimumWidth(button->fontMetrics().horizontalAdvance(button->text()) + 8);
}

} // namespace kx
