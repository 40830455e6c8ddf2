#pragma once
// The components of a form in the order they were created. QObject's child
// list does not keep that order across re-parenting, and the windows walk
// their components in creation order, so each form keeps this list itself.

#include <QList>
#include <QObject>
#include <QPointer>

namespace kx::ui {

class ComponentOrder : public QObject {
    Q_OBJECT
public:
    // Appends a component to its form's list (created on first use).
    static void Add(QObject* form, QObject* component);

    // The form's live components, first created first.
    static QList<QObject*> Components(const QObject* form);

private:
    explicit ComponentOrder(QObject* form);
    static ComponentOrder* Of(const QObject* form);

    QList<QPointer<QObject>> components_;
};

} // namespace kx::ui
