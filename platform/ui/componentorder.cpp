#include "platform/ui/componentorder.h"

namespace kx::ui {
namespace {
constexpr const char* kListName = "kxComponentOrder";
}

ComponentOrder::ComponentOrder(QObject* form) : QObject(form) {
    setObjectName(QLatin1String(kListName));
}

ComponentOrder* ComponentOrder::Of(const QObject* form) {
    return form->findChild<ComponentOrder*>(QLatin1String(kListName), Qt::FindDirectChildrenOnly);
}

void ComponentOrder::Add(QObject* form, QObject* component) {
    ComponentOrder* list = Of(form);
    if (!list)
        list = new ComponentOrder(form);
    list->components_.append(component);
}

QList<QObject*> ComponentOrder::Components(const QObject* form) {
    QList<QObject*> result;
    if (const ComponentOrder* list = Of(form)) {
        for (const QPointer<QObject>& component : list->components_)
            if (component)
                result.append(component);
    }
    return result;
}

} // namespace kx::ui

#include "moc_componentorder.cpp"
