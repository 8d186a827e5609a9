#pragma once

#include "report/snapshot/SnapshotFormat.h"

#include <array>
#include <cstdint>

namespace qv::snapshot {

// The numbered graphic slots of one run: a graphic written while a slot is being
// registered is stored once, and a later write that reuses the slot points back at it.
class GraphicRegistry {
public:
    void clear();
    // The next graphic written fills this slot.
    void registerNext(int index);
    // The next graphic written points at this slot's graphic, when it holds one.
    void reuseNext(int index);
    void unregister(int index);

    // Writes the graphic, or a pointer to the registered one; outStart is the stream
    // position at which the bytes of out will stand.
    void put(ByteWriter& out, const TRvGraphic& graphic, int64_t outStart);

private:
    static void checkIndex(int index, const char* operation);

    std::array<int64_t, kMaxGraphicSlot + 1> m_slots {};
    int m_registerPending = 0;
    int m_reusePending = 0;
};

} // namespace qv::snapshot
