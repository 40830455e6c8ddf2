#pragma once
// A memory stream whose capacity grows and shrinks in steps of twice a
// settable half step (4096 by default): the clipboard copy and the text
// export build large texts in it and set the half step to 65536.

#include <QtGlobal>

namespace kx {

class TMemoryStreamX {
public:
    enum TSeekOrigin { soBeginning, soCurrent, soEnd };

    TMemoryStreamX() = default;
    ~TMemoryStreamX();
    TMemoryStreamX(const TMemoryStreamX&) = delete;
    TMemoryStreamX& operator=(const TMemoryStreamX&) = delete;

    // Must be a power of 2.
    int HalfStep() const { return halfStep_; }
    void SetHalfStep(int halfStep) { halfStep_ = halfStep; }

    const char* Memory() const { return memory_; }
    qint64 Size() const { return size_; }
    void SetSize(qint64 size);
    qint64 Capacity() const { return capacity_; }
    qint64 Position() const { return position_; }
    qint64 Seek(qint64 offset, TSeekOrigin origin);
    qint64 Read(void* buffer, qint64 count);
    qint64 Write(const void* buffer, qint64 count);
    void Clear();

private:
    void SetCapacity(qint64 capacity);
    // A new block for the wanted capacity, which it rounds as the step says;
    // raises and keeps the old block when memory runs out.
    char* Realloc(qint64& capacity);

    int halfStep_ = 4096;
    char* memory_ = nullptr;
    qint64 size_ = 0;
    qint64 capacity_ = 0;
    qint64 position_ = 0;
};

} // namespace kx
