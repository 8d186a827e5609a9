#include "report/snapshot/GraphicRegistry.h"

#include "report/snapshot/EReportPrinter.h"

#include <utility>

namespace qv::snapshot {

void GraphicRegistry::clear()
{
    m_slots.fill(0);
    m_registerPending = m_reusePending = 0;
}

void GraphicRegistry::checkIndex(int index, const char* operation)
{
    if (index < 1 || index > kMaxGraphicSlot)
        throw EReportPrinter(std::string(operation) + ": Index must be between 1 and %d", std::to_string(kMaxGraphicSlot));
}

void GraphicRegistry::registerNext(int index)
{
    checkIndex(index, "RegisterGraphic");
    m_registerPending = index;
}

void GraphicRegistry::reuseNext(int index)
{
    checkIndex(index, "ReuseGraphic");
    m_reusePending = index;
}

void GraphicRegistry::unregister(int index)
{
    checkIndex(index, "UnregisterGraphic");
    m_slots[index] = 0;
}

void GraphicRegistry::put(ByteWriter& out, const TRvGraphic& graphic, int64_t outStart)
{
    uint8_t type = static_cast<uint8_t>(graphic.type) & 0x7F;
    int reuse = std::exchange(m_reusePending, 0);
    int registerSlot = std::exchange(m_registerPending, 0);
    if (reuse > 0 && m_slots[reuse] > 0) {
        out.byte(type | kGraphicReuseFlag);
        out.int32(static_cast<int32_t>(m_slots[reuse]));
        return;
    }
    if (graphic.data.size() > INT32_MAX)
        throw EReportPrinter("Graphic is too large for a report snapshot.");
    out.byte(type);
    int64_t sizePosition = outStart + static_cast<int64_t>(out.bytes().size());
    out.int32(static_cast<int32_t>(graphic.data.size()));
    out.raw(graphic.data.data(), graphic.data.size());
    if (registerSlot > 0)
        m_slots[registerSlot] = sizePosition;
}

} // namespace qv::snapshot
