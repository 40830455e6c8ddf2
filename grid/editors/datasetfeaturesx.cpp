#include "grid/editors/datasetfeaturesx.h"

#include "platform/db/dataset.h"

#include <QMetaObject>

#include <vector>

namespace kx {

namespace {

std::vector<std::unique_ptr<TDatasetFeaturesX>>& Registry() {
    static std::vector<std::unique_ptr<TDatasetFeaturesX>> registry;
    return registry;
}

QString PlainClassName(const QMetaObject* classType) {
    const QString name = QString::fromLatin1(classType->className());
    return name.mid(name.lastIndexOf(u':') + 1);
}

} // namespace

int ClassDistance(const QMetaObject* classType, const QString& className) {
    int distance = 0;
    for (const QMetaObject* type = classType; type; type = type->superClass(), ++distance)
        if (PlainClassName(type).compare(className, Qt::CaseInsensitive) == 0)
            return distance;
    return INT_MAX;
}

bool RegisterDatasetFeatures(std::unique_ptr<TDatasetFeaturesX> features) {
    for (const auto& entry : Registry())
        if (entry->DataSetClassName().compare(features->DataSetClassName(), Qt::CaseInsensitive) ==
            0)
            return false;
    Registry().push_back(std::move(features));
    return true;
}

void UnregisterDatasetFeatures(const QString& dataSetClassName) {
    std::erase_if(Registry(), [&](const auto& entry) {
        return entry->DataSetClassName().compare(dataSetClassName, Qt::CaseInsensitive) == 0;
    });
}

TDatasetFeaturesX* DataSetFeaturesFor(const db::TDataSet* dataSet) {
    if (!dataSet)
        return nullptr;
    TDatasetFeaturesX* nearest = nullptr;
    int nearestDistance = INT_MAX;
    for (const auto& entry : Registry()) {
        const int distance = ClassDistance(dataSet->metaObject(), entry->DataSetClassName());
        if (distance < nearestDistance) {
            nearest = entry.get();
            nearestDistance = distance;
        }
    }
    return nearest;
}

} // namespace kx
