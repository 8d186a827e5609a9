#include "report/components/TRpControl.h"

namespace qv::report {

const PropertyTable& TRpControl::classProperties()
{
    static const PropertyTable table = [] {
        PropertyTable t(&TRpReportComponent::classProperties());
        PropertyBuilder(t)
            .floating("Left", &TRpControl::m_left)
            .floating("Top", &TRpControl::m_top)
            .floating("Width", &TRpControl::m_width)
            .floating("Height", &TRpControl::m_height)
            .integer("Anchor", &TRpControl::m_anchor, 0)
            .reference("Mirror", &TRpControl::m_mirror)
            .enumeration("DisplayOn", &TRpControl::m_displayOn, DisplayOnType, doParent);
        return t;
    }();
    return table;
}

} // namespace qv::report
