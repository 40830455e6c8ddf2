#pragma once
// A data link that hands every data event to whoever watches, so that an
// object can follow a data set without a link class of its own.

#include "platform/db/datalink.h"
#include "platform/db/dataset.h"

#include <functional>

namespace kx {

class TDataLinkX : public db::TDataLink {
public:
    std::function<void(db::TDataEvent event, db::TField* field)> OnDataEvent;

protected:
    void DataEvent(db::TDataEvent event, db::TField* field) override {
        db::TDataLink::DataEvent(event, field);
        if (OnDataEvent)
            OnDataEvent(event, field);
    }
};

} // namespace kx
