#include "chart/Palette.h"

#include <array>
#include <cstddef>

namespace qv {

namespace {

constexpr std::array<TColor, paletteSize> defaultPalette = {
    clRed,    clGreen,  0x00FFFF, clBlue,   clWhite,  clGray,   0xFF00FF, 0x808000,
    0x800000, 0x000080, 0x00FF00, 0x008080, 0x800080, 0xC0C0C0, 0xFFFF00, clBlack,
};

} // namespace

TColor PaletteColor(int index)
{
    int i = index % paletteSize;
    if (i < 0)
        i += paletteSize;
    return defaultPalette[static_cast<std::size_t>(i)];
}

} // namespace qv
