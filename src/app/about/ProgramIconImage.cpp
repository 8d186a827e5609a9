#include "app/about/ProgramIconImage.h"

#include "app/about/ProgramMark.h"

namespace qv {

namespace {

constexpr int designSide = 32;
constexpr int oversample = 4;

Bitmap averagedDown(Bitmap& large, int factor)
{
    int const side = large.width() / factor;
    Bitmap small(side, side);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            unsigned sum[3] = {0, 0, 0};
            for (int dy = 0; dy < factor; ++dy) {
                for (int dx = 0; dx < factor; ++dx) {
                    TColor const c = large.pixel(x * factor + dx, y * factor + dy);
                    for (int channel = 0; channel < 3; ++channel)
                        sum[channel] += (c >> (8 * channel)) & 0xFF;
                }
            }
            unsigned const n = static_cast<unsigned>(factor * factor);
            TColor value = 0;
            for (int channel = 0; channel < 3; ++channel)
                value |= ((sum[channel] + n / 2) / n) << (8 * channel);
            small.setPixel(x, y, value);
        }
    }
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
