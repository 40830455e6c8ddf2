#include "frame/app/windowregistry.h"

#include <QHash>

namespace kx {
namespace {

struct Entry {
    TWindowRegistry::Factory factory;
    QPointer<QWidget> last;
};

QHash<QString, Entry>& Entries() {
    static QHash<QString, Entry> entries;
    return entries;
}

} // namespace

void TWindowRegistry::Register(const QString& formName, Factory factory) {
    Entries()[formName].factory = std::move(factory);
}

void TWindowRegistry::Unregister(const QString& formName) {
    Entries().remove(formName);
}

bool TWindowRegistry::HasFactory(const QString& formName) {
    const auto found = Entries().constFind(formName);
    return found != Entries().constEnd() && found->factory;
}

TWorkingWindow* TWindowRegistry::Create(const QString& formName, QWidget* owner) {
    if (!HasFactory(formName))
        return nullptr;
    Entry& entry = Entries()[formName];
    TWorkingWindow* window = entry.factory(owner);
    entry.last = window ? window->Form() : nullptr;
    return window;
}

TWorkingWindow* TWindowRegistry::Last(const QString& formName) {
    const auto found = Entries().constFind(formName);
    if (found == Entries().constEnd() || !found->last)
        return nullptr;
    return dynamic_cast<TWorkingWindow*>(found->last.data());
}

} // namespace kx
