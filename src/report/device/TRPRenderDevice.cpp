#include "report/device/TRPRenderDevice.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace qv {

Font deviceFont(const snapshot::TRvFont& source, double pixelsPerInch, int defaultCharset)
{
    Font font;
    font.name = source.name;
    double size = source.superscript || source.subscript ? source.size / 1.667 : source.size;
    font.height = std::max(1, int(std::lround(std::fabs(size) * pixelsPerInch / 72.0)));
    font.style = (source.bold ? fsBold : 0u) | (source.italic ? fsItalic : 0u) | (source.underline ? fsUnderline : 0u)
        | (source.strikeout ? fsStrikeOut : 0u);
    font.color = source.color;
    font.charset = source.charset == 1 ? defaultCharset : source.charset;
    font.pitch = source.pitch == 1 ? fpVariable : source.pitch == 2 ? fpFixed : fpDefault;
    font.orientation = source.rotation * 10;
    return font;
}

TRPRenderDevice::TRPRenderDevice(int pixelsPerInch)
    : m_pixelsPerInch(pixelsPerInch > 0 ? pixelsPerInch : 96)
    , m_surface(1, 1)
{
}

double TRPRenderDevice::textWidth(const snapshot::TRvFont& font, std::string_view text) const
{
    if (text.empty())
        return 0;
    Canvas& canvas = m_surface.canvas();
    canvas.font = deviceFont(font, m_pixelsPerInch, font.charset);
    return double(canvas.textWidth(std::string(text))) / m_pixelsPerInch;
}

} // namespace qv
