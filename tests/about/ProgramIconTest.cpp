#include "app/mark/ProgramIconImage.h"
#include "app/mark/ProgramMark.h"
#include "support/SkipOrFailInCi.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <map>
#include <regex>
#include <string>
#include <vector>

using namespace qv;

namespace {

constexpr TColor tile = 0x00A0581A;
constexpr TColor amber = 0x0000C0FF;

int channelDistance(TColor a, TColor b)
{
    int worst = 0;
    for (int shift : {0, 8, 16})
        worst = std::max(worst, std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
    return worst;
}

// The average colour of one side x side block of a large picture.
TColor blockAverage(const Bitmap& large, int x0, int y0, int side)
{
    unsigned sum[3] = {0, 0, 0};
    for (int y = y0; y < y0 + side; ++y)
        for (int x = x0; x < x0 + side; ++x)
            for (int c = 0; c < 3; ++c)
                sum[c] += (large.pixel(x, y) >> (8 * c)) & 0xFF;
    unsigned const n = unsigned(side * side);
    return TColor(sum[0] / n | (sum[1] / n) << 8 | (sum[2] / n) << 16);
}

} // namespace

TEST(ProgramIcon, LargeIconsAreTheAboutWindowsMarkScaledUp)
{
    Bitmap const about = programIconImage(32);
    ASSERT_EQ(about.width(), 32);
    EXPECT_EQ(about.pixel(0, 0), clNavy);
    EXPECT_EQ(about.pixel(2, 30), tile);
    EXPECT_EQ(about.pixel(8, 20), clWhite);

    Bitmap const large = programIconImage(256);
    ASSERT_EQ(large.width(), 256);
    ASSERT_EQ(large.height(), 256);
    // Block by block the large icon looks like the 32-pixel one; only pixels the
    // slanted line or an edge crosses may differ, and few of them.
    int differing = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            differing += channelDistance(blockAverage(large, x * 8, y * 8, 8), about.pixel(x, y)) > 96;
    EXPECT_LE(differing, 24);

    EXPECT_EQ(large.pixel(4, 4), clNavy);     // the frame
    EXPECT_EQ(large.pixel(70, 180), clWhite); // inside the first bar
    EXPECT_EQ(large.pixel(100, 240), tile);   // between two bars
    // The line is 16 pixels wide: all around its bend lies inside it, no notch.
    for (int y = 84; y <= 92; ++y)
        for (int x = 124; x <= 132; ++x)
            EXPECT_LE(channelDistance(large.pixel(x, y), amber), 8) << x << "," << y;
}

TEST(ProgramIcon, SmallIconsStayOnThePixelGrid)
{
    for (int side : {16, 22, 24}) {
        Bitmap const icon = programIconImage(side);
        ASSERT_EQ(icon.width(), side);
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) {
                TColor const c = icon.pixel(x, y);
                EXPECT_TRUE(c == clNavy || c == tile || c == clWhite || c == amber)
                    << side << ": " << x << "," << y << " is blended";
            }
    }
}

namespace {

// The numeric attributes of every element of one kind in a flat SVG document.
std::vector<std::map<std::string, std::string>> elements(const std::string& svg, const std::string& kind)
{
    std::vector<std::map<std::string, std::string>> found;
    std::regex const element("<" + kind + "((?:\\s+[a-z-]+=\"[^\"]*\")*)\\s*/>");
    std::regex const attribute("([a-z-]+)=\"([^\"]*)\"");
    for (auto e = std::sregex_iterator(svg.begin(), svg.end(), element); e != std::sregex_iterator(); ++e) {
        std::string const attributes = (*e)[1];
        std::map<std::string, std::string> values;
        for (auto a = std::sregex_iterator(attributes.begin(), attributes.end(), attribute);
             a != std::sregex_iterator(); ++a)
            values[(*a)[1]] = (*a)[2];
        found.push_back(values);
    }
    return found;
}

TColor colorOf(const std::string& hex)
{
    unsigned long const rgb = std::stoul(hex.substr(1), nullptr, 16);
    return TColor((rgb >> 16) & 0xFF) | TColor(rgb & 0xFF00) | TColor((rgb & 0xFF) << 16);
}

} // namespace

TEST(ProgramIcon, ScalableIconShowsThePaintedFigure)
{
    std::string const svg = programMarkSvg();
    ASSERT_NE(svg.find("viewBox=\"0 0 32 32\""), std::string::npos) << svg;
    Bitmap const about = programIconImage(32);

    // Every rectangle covers, in the painted 32-pixel mark, pixels of its own fill.
    auto const rects = elements(svg, "rect");
    ASSERT_EQ(rects.size(), 4u) << svg;
    for (const auto& rect : rects) {
        double const x = std::stod(rect.at("x")), y = std::stod(rect.at("y"));
        double const w = std::stod(rect.at("width")), h = std::stod(rect.at("height"));
        TColor const fill = colorOf(rect.at("fill"));
        EXPECT_EQ(about.pixel(int(x + w / 2), int(y + h - 2)), fill) << svg;
        EXPECT_EQ(about.pixel(int(x + 2), int(y + h / 2)), fill) << svg;
    }
    EXPECT_EQ(colorOf(rects[0].at("stroke")), about.pixel(0, 16));
    EXPECT_EQ(std::stod(rects[0].at("x")) + std::stod(rects[0].at("width")) / 2, 16.0) << "the tile is centred";

    // The line passes through its painted pixels: its bend is drawn in its colour.
    auto const lines = elements(svg, "polyline");
    ASSERT_EQ(lines.size(), 1u) << svg;
    std::smatch bend;
    std::string const points = lines[0].at("points");
    ASSERT_TRUE(std::regex_match(points, bend, std::regex("\\d+,\\d+ (\\d+),(\\d+) \\d+,\\d+"))) << points;
    EXPECT_EQ(about.pixel(std::stoi(bend[1]), std::stoi(bend[2])), colorOf(lines[0].at("stroke")));
    EXPECT_EQ(lines[0].at("fill"), "none");
}

TEST(ProgramIcon, ScalableIconIsWrittenTheSameUnderEveryLocale)
{
    std::string const plain = programMarkSvg();
    std::string const previous = std::setlocale(LC_NUMERIC, nullptr);
    // The icon tool runs with the builder's locale, which may write 0.5 as "0,5".
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
        SKIP_OR_FAIL_IN_CI("no de_DE.UTF-8 locale (scripts/deps.sh generates it)");
    std::string const german = programMarkSvg();
    std::setlocale(LC_NUMERIC, previous.c_str());
    EXPECT_EQ(german, plain);
    EXPECT_NE(plain.find("x=\"0.5\""), std::string::npos) << plain;
}
