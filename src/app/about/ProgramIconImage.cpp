#include "app/about/ProgramIconImage.h"

#include "app/about/ProgramMark.h"

#include <vector>

namespace qv {

namespace {

constexpr int designSide = 32;
constexpr int oversample = 4;

// Reads the large picture once: a pixel at a time this was most of the start-up's work.
Bitmap averagedDown(const Bitmap& large, int factor)
{
    int const side = large.width() / factor;
    int const stride = large.width();
    std::vector<TColor> const from = large.pixels();
    std::vector<TColor> to(size_t(side) * size_t(side));
    unsigned const n = static_cast<unsigned>(factor * factor);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            unsigned sum[3] = {0, 0, 0};
            for (int dy = 0; dy < factor; ++dy) {
                const TColor* row = &from[size_t(y * factor + dy) * size_t(stride) + size_t(x * factor)];
                for (int dx = 0; dx < factor; ++dx) {
                    for (int channel = 0; channel < 3; ++channel)
                        sum[channel] += (row[dx] >> (8 * channel)) & 0xFF;
                }
            }
            TColor value = 0;
            for (int channel = 0; channel < 3; ++channel)
                value |= ((sum[channel] + n / 2) / n) << (8 * channel);
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
