#pragma once

#include "report/components/ReportEnums.h"
#include "report/components/RpPersistent.h"

namespace qv::report {

// The font of a text control, stored in place as an owned object.
class TRpFont : public RpPersistent {
    QV_RP_CLASS(TRpFont)

public:
    const std::string& name() const { return m_name; }
    void setName(std::string value) { m_name = std::move(value); }
    int size() const { return m_size; }
    void setSize(int value) { m_size = value; }
    std::int32_t color() const { return m_color; }
    void setColor(std::int32_t value) { m_color = value; }
    std::uint32_t style() const { return m_style; }
    void setStyle(std::uint32_t value) { m_style = value; }
    int charset() const { return m_charset; }
    void setCharset(int value) { m_charset = value; }
    TRpFontPitch pitch() const { return m_pitch; }
    void setPitch(TRpFontPitch value) { m_pitch = value; }

protected:
    std::string m_name = "Arial";
    int m_size = 10;
    std::int32_t m_color = 0;
    std::uint32_t m_style = 0;
    int m_charset = 1;
    TRpFontPitch m_pitch = fpDefault;
};

} // namespace qv::report
