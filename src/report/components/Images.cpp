#include "report/components/Images.h"

namespace qv::report {

const PropertyTable& TRpGraphicImage::classProperties()
{
    return derivedTable(TRpControl::classProperties(), [](PropertyBuilder& b) {
        b.object("Image", &TRpGraphicImage::m_image);
    });
}

void TRpPicture::readDefinedProperty(std::string_view name, std::vector<std::uint8_t> payload)
{
    if (name == "Data")
        m_data = std::move(payload);
}

std::vector<std::pair<std::string, std::vector<std::uint8_t>>> TRpPicture::definedPropertyValues() const
{
    if (m_data.empty())
        return {};
    return { { "Data", m_data } };
}

} // namespace qv::report
