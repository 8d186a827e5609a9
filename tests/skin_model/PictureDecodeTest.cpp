#include "SkinTestSupport.h"
#include "skin/model/SkinPicture.h"
#include "skin/store/SkinArchive.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

using test::coordinatePicture;

// Two colours in a pattern that differs in every column and row, so that a bit or
// nibble read from the wrong place shows.
TbsSkinPicture twoColours(int width, int height)
{
    TbsSkinPicture p(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            p.setPixel(x, y, (x * 3 + y * 5) % 7 < 3 ? 0x00336699 : 0x00FFEECC);
    }
    return p;
}

void putLe32(std::string& bmp, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bmp[at + size_t(i)] = char((value >> (8 * i)) & 0xFF);
}

// Rows stored first-to-last instead of last-to-first, as a negative height says.
std::string topDown(std::string bmp, int height, size_t stride)
{
    putLe32(bmp, 22, uint32_t(-height));
    size_t const pixels = bmp.size() - stride * size_t(height);
    std::string flipped = bmp.substr(0, pixels);
    for (int row = height - 1; row >= 0; --row)
        flipped += bmp.substr(pixels + stride * size_t(row), stride);
    return flipped;
}

// A 32-bit BMP written by hand: the writer stops at 24 bits.
std::string bmp32(const TbsSkinPicture& p)
{
    std::string bmp = p.toBmp(24);
    std::string out = bmp.substr(0, 54);
    putLe32(out, 2, uint32_t(54 + 4 * p.width() * p.height()));
    out[28] = 32;
    for (int y = p.height() - 1; y >= 0; --y) {
        for (int x = 0; x < p.width(); ++x) {
            TColor c = p.pixel(x, y);
            out += {char(c >> 16), char(c >> 8), char(c), char(0x7F)};
        }
    }
    return out;
}

TEST(SkinPictureDecode, EveryDepthGivesBackThePixelsItWasWrittenFrom)
{
    // Odd widths leave part of the last byte and of the row's padding unused.
    for (int width : {1, 7, 9, 13, 33}) {
        TbsSkinPicture const two = twoColours(width, 5);
        for (int bpp : {1, 4, 8, 24}) {
            TbsSkinPicture const decoded = TbsSkinPicture::fromBmp(two.toBmp(bpp));
            EXPECT_EQ(decoded, two) << width << " " << bpp;
            EXPECT_EQ(decoded.bitsPerPixel(), bpp);
        }
        TbsSkinPicture const many = coordinatePicture(width, 6);
        EXPECT_EQ(TbsSkinPicture::fromBmp(many.toBmp(24)), many) << width;
        EXPECT_EQ(TbsSkinPicture::fromBmp(bmp32(many)), many) << width;
        // At most 198 colours: the palette holds each exactly, so every pixel must
        // come back where it was, also those past the last whole group of four.
        EXPECT_EQ(TbsSkinPicture::fromBmp(many.toBmp(8)), many) << width;
    }
}

TEST(SkinPictureDecode, TopDownRowsLandWhereTheyBelong)
{
    TbsSkinPicture const many = coordinatePicture(5, 4);
    EXPECT_EQ(TbsSkinPicture::fromBmp(topDown(many.toBmp(24), 4, 16)), many);
    TbsSkinPicture const two = twoColours(9, 3);
    EXPECT_EQ(TbsSkinPicture::fromBmp(topDown(two.toBmp(1), 3, 4)), two);
}

TEST(SkinArchiveView, FindsTheItemsInPlaceAndAgreesWithTheCopy)
{
    TbsSkinArchive archive;
    archive.mainPicture = test::smallBmp(6, 4, 0x123456);
    archive.maskPicture = test::smallBmp(6, 4, 0, 1);
    archive.activePictures = {test::smallBmp(3, 2, 0xFF), test::smallBmp(5, 5, 0xFF00, 4)};
    archive.iniText = "[VERSION]\r\nskinname=x";
    TByteBuffer bytes(archive.write());
    TbsSkinArchiveView const view = TbsSkinArchiveView::read(bytes);
    ASSERT_TRUE(view.mainPicture && view.maskPicture);
    EXPECT_FALSE(view.inactivePicture);
    EXPECT_EQ(*view.mainPicture, *archive.mainPicture);
    EXPECT_EQ(*view.maskPicture, *archive.maskPicture);
    ASSERT_EQ(view.activePictures.size(), 2u);
    EXPECT_EQ(view.activePictures[1], archive.activePictures[1]);
    EXPECT_EQ(view.iniText, archive.iniText);
    // The views point into the archive's own bytes, nothing was copied.
    EXPECT_EQ(view.iniText.data(), bytes.bytes().data() + bytes.bytes().size() - archive.iniText.size());

    TByteBuffer again(archive.write());
    TbsSkinArchive const copy = TbsSkinArchive::read(again);
    EXPECT_EQ(copy.activePictures, archive.activePictures);
    EXPECT_EQ(copy.iniText, archive.iniText);

    // A picture cut short is a read error, as it was when pictures were copied out.
    std::string cut = archive.write();
    cut.resize(4 + 1 + 20);
    TByteBuffer shortBytes(cut);
    EXPECT_THROW(TbsSkinArchiveView::read(shortBytes), EStreamReadError);
}

} // namespace
} // namespace qv
