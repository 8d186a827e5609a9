#pragma once

#include "report/components/TRpControl.h"

namespace qv::report {

// The picture of an image control; its bytes are stored as the picture's own stream.
class TRpPicture : public RpPersistent {
    QV_RP_CLASS_INHERITING(TRpPicture, RpPersistent)

public:
    const std::vector<std::uint8_t>& data() const { return m_data; }
    void setData(std::vector<std::uint8_t> bytes) { m_data = std::move(bytes); }
    bool definesProperty(std::string_view name) const override { return name == "Data"; }
    void readDefinedProperty(std::string_view name, std::vector<std::uint8_t> payload) override;
    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> definedPropertyValues() const override;

private:
    std::vector<std::uint8_t> m_data;
};

// Base of the image controls.
class TRpGraphicImage : public TRpControl {
    QV_RP_CLASS(TRpGraphicImage)

public:
    TRpPicture& image() { return m_image; }
    const TRpPicture& image() const { return m_image; }

protected:
    TRpPicture m_image;
};

// A bitmap image.
class TRpBitmap : public TRpGraphicImage {
    QV_RP_CLASS_INHERITING(TRpBitmap, TRpGraphicImage)
};

// A metafile image.
class TRpMetaFile : public TRpGraphicImage {
    QV_RP_CLASS_INHERITING(TRpMetaFile, TRpGraphicImage)
};

} // namespace qv::report
