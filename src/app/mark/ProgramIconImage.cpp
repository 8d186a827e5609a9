#include "app/mark/ProgramIconImage.h"

#include "app/mark/ProgramMark.h"

#include <cstdint>
#include <vector>

namespace qv {

namespace {

constexpr int designSide = 32;
constexpr int oversample = 4;
// A block's channel sums must fit the 16-bit lanes they are added in.
static_assert(oversample * oversample * 0xFF <= 0xFFFF);

// The three channels of a colour in 16-bit lanes, so whole blocks add up at once.
std::uint64_t spread(TColor c)
{
    return (c & 0xFFu) | (std::uint64_t(c & 0xFF00u) << 8) | (std::uint64_t(c & 0xFF0000u) << 16);
}

// Reads the large picture once: a pixel at a time this was most of the start-up's work.
Bitmap averagedDown(const Bitmap& large, int factor)
{
    int const side = large.width() / factor;
    size_t const stride = size_t(large.width());
    std::vector<TColor> const from = large.pixels();
    std::vector<TColor> to(size_t(side) * size_t(side));
    std::uint64_t const n = std::uint64_t(factor) * std::uint64_t(factor);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            std::uint64_t sum = 0;
            for (int dy = 0; dy < factor; ++dy) {
                const TColor* row = &from[size_t(y * factor + dy) * stride + size_t(x * factor)];
                for (int dx = 0; dx < factor; ++dx)
                    sum += spread(row[dx]);
            }
            TColor value = 0;
            for (int channel = 0; channel < 3; ++channel)
                value |= TColor(((sum >> (16 * channel) & 0xFFFFu) + n / 2) / n) << (8 * channel);
            to[size_t(y) * size_t(side) + size_t(x)] = value;
        }
    }
    Bitmap small;
    small.assignPixels(side, side, to.data(), to.size());
    return small;
}

} // namespace

Bitmap programIconImage(int side)
{
    // Small icons stay crisp on the pixel grid; only large ones are smoothed.
    if (side <= designSide) {
        Bitmap exact(side, side);
        paintProgramMark(exact.canvas(), side);
        return exact;
    }
    Bitmap large(side * oversample, side * oversample);
    paintProgramMark(large.canvas(), side * oversample);
    return averagedDown(large, oversample);
}

} // namespace qv
