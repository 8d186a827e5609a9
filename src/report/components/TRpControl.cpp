#include "report/components/TRpControl.h"

namespace qv::report {

const PropertyTable& TRpControl::classProperties()
{
    return derivedTable(TRpReportComponent::classProperties(), [](PropertyBuilder& b) {
        b.floating("Left", &TRpControl::m_left)
            .floating("Top", &TRpControl::m_top)
            .floating("Width", &TRpControl::m_width)
            .floating("Height", &TRpControl::m_height)
            .integer("Anchor", &TRpControl::m_anchor, 0)
            .reference("Mirror", &TRpControl::m_mirror)
            .enumeration("DisplayOn", &TRpControl::m_displayOn, DisplayOnType, doParent);
    });
}

} // namespace qv::report
