#include "platform/ui/tag.h"

#include <QObject>
#include <QVariant>

namespace kx::ui {
namespace {
constexpr const char* kTagProperty = "Tag";
}

int Tag(const QObject* component) {
    return component->property(kTagProperty).toInt();
}

void SetTag(QObject* component, int tag) {
    component->setProperty(kTagProperty, tag);
}

} // namespace kx::ui
