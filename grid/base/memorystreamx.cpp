#include "grid/base/memorystreamx.h"

#include "grid/base/streamerror.h"

#include <cstdlib>
#include <cstring>

namespace kx {

TMemoryStreamX::~TMemoryStreamX() {
    std::free(memory_);
}

void TMemoryStreamX::SetSize(qint64 size) {
    const qint64 oldPosition = position_;
    SetCapacity(size);
    size_ = size;
    if (oldPosition > size)
        Seek(0, soEnd);
}

qint64 TMemoryStreamX::Seek(qint64 offset, TSeekOrigin origin) {
    switch (origin) {
    case soBeginning:
        position_ = offset;
        break;
    case soCurrent:
        position_ += offset;
        break;
    case soEnd:
        position_ = size_ + offset;
        break;
    }
    return position_;
}

qint64 TMemoryStreamX::Read(void* buffer, qint64 count) {
    if (position_ < 0 || count <= 0)
        return 0;
    const qint64 available = qMin(count, size_ - position_);
    if (available <= 0)
        return 0;
    std::memcpy(buffer, memory_ + position_, size_t(available));
    position_ += available;
    return available;
}

qint64 TMemoryStreamX::Write(const void* buffer, qint64 count) {
    if (position_ < 0 || count < 0)
        return 0;
    const qint64 end = position_ + count;
    if (end <= 0)
        return 0;
    if (end > size_) {
        if (end > capacity_)
            SetCapacity(end);
        size_ = end;
    }
    std::memcpy(memory_ + position_, buffer, size_t(count));
    position_ = end;
    return count;
}

void TMemoryStreamX::Clear() {
    SetCapacity(0);
    size_ = 0;
    position_ = 0;
}

void TMemoryStreamX::SetCapacity(qint64 capacity) {
    memory_ = Realloc(capacity);
    capacity_ = capacity;
}

char* TMemoryStreamX::Realloc(qint64& capacity) {
    const qint64 step = 2 * qint64(halfStep_);
    if (capacity > 0 && capacity != size_)
        capacity = (capacity + step - 1) / step * step;
    if (capacity == capacity_)
        return memory_;
    if (capacity == 0) {
        std::free(memory_);
        return nullptr;
    }
    char* block = static_cast<char*>(std::realloc(memory_, size_t(capacity)));
    if (!block)
        throw EStreamError(QStringLiteral("Out of memory while expanding memory stream"));
    return block;
}

} // namespace kx
