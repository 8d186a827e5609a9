#pragma once

#include "report/snapshot/TextMeasurer.h"
#include "runtime/graphics/Bitmap.h"

namespace qv {

// Measures text as a device of the given resolution draws it: the font at its size in
// that device's pixels, the width in whole pixels. At 96 pixels per inch it is the
// screen device that measures when there is no printer.
class TRPRenderDevice final : public snapshot::TextMeasurer {
public:
    explicit TRPRenderDevice(int pixelsPerInch = 96);
    int PixelsPerInch() const { return m_pixelsPerInch; }
    double textWidth(const snapshot::TRvFont& font, std::string_view text) const override;

private:
    int m_pixelsPerInch;
    mutable Bitmap m_surface;
};

// The platform font for a snapshot font on a device of this resolution. A font of the
// default character set gets the one of the user's locale.
Font deviceFont(const snapshot::TRvFont& font, double pixelsPerInch, int defaultCharset);

} // namespace qv
