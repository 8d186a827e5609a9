#include "report/project/Lzw.h"
#include "report/project/ReportErrors.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace qv::report;
using namespace std::string_literals;

namespace {

std::vector<std::uint8_t> bytesOf(const std::string& text)
{
    return { text.begin(), text.end() };
}

// Reads the codes back at the widths the format prescribes, for checking the code stream itself.
std::vector<int> codesOf(const std::vector<std::uint8_t>& packed, int count, int width)
{
    std::vector<int> codes;
    std::size_t bit = 0;
    for (int n = 0; n < count; ++n) {
        int code = 0;
        for (int i = 0; i < width; ++i, ++bit)
            code = (code << 1) | ((packed[bit >> 3] >> (7 - (bit & 7))) & 1);
        codes.push_back(code);
    }
    return codes;
}

// Walks a code stream with the plain decoder's width rule (widen after adding 2^width - 1)
// and tells whether it meets the end code exactly, as an outside reader would; widened
// tells whether the end code came one bit wider than the code before it.
bool endCodeMetByPlainDecoder(const std::vector<std::uint8_t>& packed, bool* widened = nullptr)
{
    int lastWidth = 9;
    std::size_t bit = 0;
    int width = 9;
    int next = 258;
    bool afterClear = false;
    while (bit + width <= packed.size() * 8) {
        int code = 0;
        for (int i = 0; i < width; ++i, ++bit)
            code = (code << 1) | ((packed[bit >> 3] >> (7 - (bit & 7))) & 1);
        if (code == 257) {
            if (widened)
                *widened = width != lastWidth;
            return true;
        }
        lastWidth = width;
        if (code == 256) {
            width = 9;
            next = 258;
            afterClear = true;
            continue;
        }
        if (afterClear) {
            afterClear = false;
            continue;
        }
        if (next++ == (1 << width) - 1)
            ++width;
    }
    return false;
}

std::vector<std::uint8_t> variedData(std::size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    std::vector<std::uint8_t> data(size);
    for (auto& byte : data)
        byte = std::uint8_t(random());
    return data;
}

} // namespace

TEST(Lzw, AbRepeatedTenTimesPacksIntoTwelveBytes)
{
    auto text = bytesOf("abababababababababab");
    auto packed = lzwCompress(text);
    EXPECT_EQ(packed.size(), 12u);
    EXPECT_EQ(codesOf(packed, 10, 9), std::vector<int>({ 256, 'a', 'b', 258, 260, 259, 262, 261, 261, 257 }));
    EXPECT_EQ(lzwDecompress(packed), text);
}

TEST(Lzw, RoundTripsShortAndRepetitiveInputs)
{
    for (const auto& text : { "a"s, "aa"s, "aaa"s, std::string(42, 'a'), "TRpText\0TRpBand"s }) {
        auto data = bytesOf(text);
        EXPECT_EQ(lzwDecompress(lzwCompress(data)), data) << text;
    }
    std::vector<std::uint8_t> empty;
    EXPECT_TRUE(lzwDecompress(lzwCompress(empty)).empty());
}

TEST(Lzw, WidthGrowthAndEndCodeAgreeAtEveryInputLength)
{
    // Walking the length across the 9/10, 10/11 ... boundaries puts the last added code on
    // each width edge once (lengths 255, 769, 1812 and 3933 of this data), where encoder and
    // decoder must agree on the end code's width.
    auto data = variedData(4'000, 7);
    int edges = 0;
    for (auto [from, to] : { std::pair { 1, 400 }, { 700, 850 }, { 1'750, 1'900 }, { 3'850, 4'000 } }) {
        for (std::size_t length = from; length < std::size_t(to); ++length) {
            std::span<const std::uint8_t> part(data.data(), length);
            auto packed = lzwCompress(part);
            bool widened = false;
            ASSERT_TRUE(endCodeMetByPlainDecoder(packed, &widened)) << length;
            edges += widened;
            auto restored = lzwDecompress(packed);
            ASSERT_EQ(restored.size(), length);
            ASSERT_TRUE(std::equal(restored.begin(), restored.end(), part.begin())) << length;
        }
    }
    EXPECT_EQ(edges, 4);
}

TEST(Lzw, LargeVariedBlockUsesClearCodesAndRestoresExactly)
{
    auto data = variedData(200'000, 11);
    for (std::size_t i = 0; i < data.size(); i += 3)
        data[i] = std::uint8_t('A' + data[i] % 6);
    auto packed = lzwCompress(data);
    EXPECT_EQ(lzwDecompress(packed), data);

    // More clear codes than the leading one: decode with a table that can never fill and
    // count the resets (every clear restarts at 9 bits, so a count of them is exact).
    std::size_t bit = 0;
    int width = 9;
    int next = 258;
    int clears = 0;
    bool first = false;
    while (bit + width <= packed.size() * 8) {
        int code = 0;
        for (int i = 0; i < width; ++i, ++bit)
            code = (code << 1) | ((packed[bit >> 3] >> (7 - (bit & 7))) & 1);
        if (code == 257)
            break;
        if (code == 256) {
            ++clears;
            width = 9;
            next = 258;
            first = true;
            continue;
        }
        if (first) {
            first = false;
            continue;
        }
        if (next++ == (1 << width) - 1)
            ++width;
    }
    EXPECT_GT(clears, 2);
}

TEST(Lzw, DecoderStopsAtEndOfInputWithoutEndCode)
{
    auto data = bytesOf("report report report");
    auto packed = lzwCompress(data);
    packed.pop_back();
    packed.pop_back();
    auto restored = lzwDecompress(packed);
    EXPECT_LT(restored.size(), data.size());
    EXPECT_TRUE(std::equal(restored.begin(), restored.end(), data.begin()));
}

TEST(Lzw, TableOverfillRaisesHashTableOverflow)
{
    // A stream that never clears: 9-bit clear, then codes at the decoder's growing width,
    // each a fresh single byte, until the table would take code 8191.
    std::vector<std::uint8_t> packed;
    std::uint64_t buffer = 0;
    int bits = 0;
    auto put = [&](int code, int width) {
        buffer = (buffer << width) | unsigned(code);
        bits += width;
        while (bits >= 8) {
            bits -= 8;
            packed.push_back(std::uint8_t(buffer >> bits));
        }
    };
    put(256, 9);
    put('x', 9);
    int width = 9;
    for (int next = 258; next <= 8191; ++next) {
        put('y', width);
        if (next == (1 << width) - 1 && width < 13)
            ++width;
    }
    put(257, 13);
    put(0, 8);
    try {
        lzwDecompress(packed);
        FAIL();
    } catch (const ERpException& error) {
        EXPECT_STREQ(error.what(), "Hash Table overflow.");
    }
}

TEST(Lzw, MalformedStreamsFailCleanly)
{
    // A first code above 255 has no string to stand for.
    std::vector<std::uint8_t> badFirst { 0x80, 0x40, 0x80 };
    EXPECT_THROW(lzwDecompress(badFirst), EReadError);
    auto big = lzwCompress(std::vector<std::uint8_t>(100'000, 'z'));
    EXPECT_THROW(lzwDecompress(big, 50'000), EReadError);
    EXPECT_EQ(lzwDecompress(big, 100'000).size(), 100'000u);
}
