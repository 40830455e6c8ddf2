#pragma once
// A printable field of a window: the designer offers it by caption and the
// filler turns the caption's tag into the field.

#include <QString>

#include <vector>

namespace kx {

struct TPrintFields {
    QString FieldName;
    QString Caption;
    QString DataSetName;
    bool InMaster = false;
    bool InDetail = false;
};

using TPrintFieldsArray = std::vector<TPrintFields>;

} // namespace kx
