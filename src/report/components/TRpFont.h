#pragma once

#include "report/components/ReportEnums.h"
#include "report/components/RpPersistent.h"

namespace qv::report {

// The font of a text control, stored in place as an owned object.
class TRpFont : public RpPersistent {
    QV_RP_CLASS(TRpFont)

public:
    QV_RP_MOVED(std::string, name, setName)
    QV_RP_VALUE(int, size, setSize)
    QV_RP_VALUE(std::int32_t, color, setColor)
    QV_RP_VALUE(std::uint32_t, style, setStyle)
    QV_RP_VALUE(int, charset, setCharset)
    QV_RP_VALUE(TRpFontPitch, pitch, setPitch)

protected:
    std::string m_name = "Arial";
    int m_size = 10;
    std::int32_t m_color = 0;
    std::uint32_t m_style = 0;
    int m_charset = 1;
    TRpFontPitch m_pitch = fpDefault;
};

} // namespace qv::report
