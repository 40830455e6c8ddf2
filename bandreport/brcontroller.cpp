#include "bandreport/brcontroller.h"

#include "bandreport/bandrep.h"
#include "bandreport/brprintable.h"

namespace kx {

TBRController::TBRController(QObject* owner) : owner_(owner) {}

void TBRController::RegisterAggregateExpr(TBRExpr* expression) {
    if (!NotifyExprs.contains(expression))
        NotifyExprs.append(expression);
}

void TBRController::CollectChildren() {
    groups_.clear();
    preceding_.clear();
    following_.clear();
    if (!owner_)
        return;
    if (QObject* ownersOwner = owner_->parent())
        for (QObject* component : ownersOwner->children())
            ConsiderComponent(component);
    for (QObject* component : owner_->children())
        ConsiderComponent(component);
}

void TBRController::ConsiderComponent(QObject* component) {
    if (auto* band = qobject_cast<TBRControllerBand*>(component);
        band && band != owner_ && band->Master() == owner_) {
        TBRController& controller = band->BandController();
        controller.SetReport(report_);
        (controller.PrintBefore ? preceding_ : following_).append(&controller);
        controller.CollectChildren();
        return;
    }
    if (auto* group = qobject_cast<TBRGroup*>(component); group && group->Master() == owner_)
        groups_.append(group);
}

void TBRController::CollectBandsInOrder(QList<TBRCustomBand*>& list) const {
    const auto add = [&list](TBRCustomBand* band) {
        if (band)
            list.append(band);
    };
    add(header_);
    for (const QPointer<TBRGroup>& group : groups_)
        add(group);
    for (const QPointer<TBRController>& controller : preceding_)
        if (controller)
            controller->CollectBandsInOrder(list);
    add(detail_);
    for (const QPointer<TBRController>& controller : following_)
        if (controller)
            controller->CollectBandsInOrder(list);
    for (auto group = groups_.crbegin(); group != groups_.crend(); ++group)
        if (*group)
            add((*group)->FooterBand());
    add(footer_);
}

} // namespace kx
