#include "report/execution/SystemSettings.h"

#include "report/project/ReportErrors.h"

#include <algorithm>

namespace qv {

void TSystemPrinter::SetTabShade(int value)
{
    m_tabShade = std::clamp(value, 0, 100);
}

void TSystemPrinter::SetUnits(TPrintUnits units)
{
    m_units = units;
    switch (units) {
    case TPrintUnits::unInch: m_unitsFactor = 1.0; break;
    case TPrintUnits::unMM: m_unitsFactor = 25.4; break;
    case TPrintUnits::unCM: m_unitsFactor = 2.54; break;
    case TPrintUnits::unPoint: m_unitsFactor = 72.0; break;
    case TPrintUnits::unUser: break;
    }
}

void TSystemPrinter::SetUnitsFactor(double factor)
{
    if (!(factor > 0))
        return;
    m_unitsFactor = factor;
    if (factor == 1.0)
        m_units = TPrintUnits::unInch;
    else if (factor == 25.4)
        m_units = TPrintUnits::unMM;
    else if (factor == 2.54)
        m_units = TPrintUnits::unCM;
    else if (factor == 72.0)
        m_units = TPrintUnits::unPoint;
    else
        m_units = TPrintUnits::unUser;
}

void TSystemPreview::SetZoomFactor(double value)
{
    m_zoomFactor = std::clamp(value, 10.0, 200.0);
}

void TSystemPreview::SetMonochrome(bool value)
{
    if (value && m_shadowDepth > 0)
        throw report::ERpException("Monochrome not allowed while shadows are in effect.\rChange ShadowDepth to 0 first");
    m_monochrome = value;
}

void TSystemPreview::SetShadowDepth(int value)
{
    if (value > 0 && m_monochrome)
        throw report::ERpException("Shadows not allowed while monochrome in effect.\rChange Monochrome to false first");
    m_shadowDepth = value;
}

} // namespace qv
