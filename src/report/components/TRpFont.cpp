#include "report/components/TRpFont.h"

namespace qv::report {

const PropertyTable& TRpFont::classProperties()
{
    return derivedTable(RpPersistent::classProperties(), [](PropertyBuilder& b) {
        b.string("Name", &TRpFont::m_name)
            .integer("Size", &TRpFont::m_size)
            .integer("Color", &TRpFont::m_color)
            .set("Style", &TRpFont::m_style, FontStyleType)
            .integer("Charset", &TRpFont::m_charset)
            .enumeration("Pitch", &TRpFont::m_pitch, FontPitchType, fpDefault);
    });
}

} // namespace qv::report
