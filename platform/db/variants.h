#pragma once
// Null and unassigned kept apart, as the data sets' values need: an invalid
// QVariant is "unassigned", a variant holding nullptr is Null.

#include <QVariant>

namespace kx::db {

inline QVariant NullVariant() {
    return QVariant::fromValue(nullptr);
}

inline bool VarIsNull(const QVariant& value) {
    return value.metaType() == QMetaType::fromType<std::nullptr_t>();
}

inline bool VarIsEmpty(const QVariant& value) {
    return !value.isValid();
}

inline bool VarIsNullOrEmpty(const QVariant& value) {
    return !value.isValid() || VarIsNull(value);
}

} // namespace kx::db
