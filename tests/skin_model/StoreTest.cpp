#include "skin/store/CompressedStoredSkin.h"
#include "skin/store/SkinArchive.h"

#include <gtest/gtest.h>

#include <random>

namespace qv {
namespace {

std::string noise(size_t n)
{
    std::mt19937 rng(7);
    std::string s(n, '\0');
    for (auto& c : s)
        c = static_cast<char>(rng() % 7 == 0 ? rng() : 'a' + rng() % 3);
    return s;
}

std::string inflateAll(TbsCompressedStoredSkin& store)
{
    TByteBuffer out;
    store.ExtractArchive(out);
    return out.bytes();
}

TEST(SkinStore, DeflatesAtLevelNineAndInflatesBackAcrossManyBlocks)
{
    TbsCompressedStoredSkin store;
    EXPECT_TRUE(store.IsEmpty());
    std::string archive = noise(50000);
    store.compressArchive(archive);
    ASSERT_FALSE(store.IsEmpty());
    ASSERT_GE(store.compressedData().size(), 2u);
    EXPECT_EQ(static_cast<unsigned char>(store.compressedData()[0]), 0x78);
    EXPECT_EQ(static_cast<unsigned char>(store.compressedData()[1]), 0xDA);
    EXPECT_EQ(inflateAll(store), archive);
    // ExtractArchive rewinds, so a second extraction gives the same bytes again.
    EXPECT_EQ(inflateAll(store), archive);
}

TEST(SkinStore, WrappersReportEveryFullBlock)
{
    std::string data = noise(30000);
    TByteBuffer packed;
    int written = 0;
    {
        TCompressionStream deflater(TCompressionLevel::None, packed);
        deflater.OnProgress = [&] { ++written; };
        deflater.write(data.data(), static_cast<int64_t>(data.size()));
        EXPECT_EQ(written, static_cast<int>(packed.size() / TCustomZlibStream::blockSize));
    }
    ASSERT_GT(packed.size(), 3 * TCustomZlibStream::blockSize);
    packed.setPosition(0);
    TDecompressionStream inflater(packed);
    int reads = 0;
    inflater.OnProgress = [&] { ++reads; };
    std::string out(data.size(), '\0');
    EXPECT_EQ(inflater.read(out.data(), static_cast<int64_t>(out.size())), static_cast<int64_t>(data.size()));
    EXPECT_EQ(out, data);
    // The source is taken in 4096-byte steps: one callback per step.
    EXPECT_EQ(reads, static_cast<int>((packed.size() + TCustomZlibStream::blockSize - 1) / TCustomZlibStream::blockSize));
    char extra;
    EXPECT_EQ(inflater.read(&extra, 1), 0);
}

TEST(SkinStore, CorruptOrOversizedDataRaisesDecompressionErrors)
{
    TbsCompressedStoredSkin store;
    store.compressArchive(noise(10000));
    std::string bytes = store.compressedData();
    bytes[bytes.size() / 2] ^= 0x55;
    bytes[bytes.size() / 2 + 1] ^= 0x55;
    store.setCompressedData(bytes);
    try {
        inflateAll(store);
        // A flipped bit the inflater cannot see still fails the Adler-32 check.
        FAIL() << "corrupt stream inflated";
    } catch (const EDecompressionError& e) {
        EXPECT_STREQ(e.what(), "compression error");
    }

    store.compressArchive(std::string(TbsCompressedStoredSkin::archiveLimit + 1, 'x'));
    EXPECT_LT(store.compressedData().size(), 200000u);
    EXPECT_THROW(inflateAll(store), EDecompressionError);
}

TEST(SkinStore, WrongWayAndBackwardOperationsAreInvalid)
{
    TByteBuffer dest;
    {
        TCompressionStream deflater(TCompressionLevel::Max, dest);
        EXPECT_EQ(deflater.write("abcdef", 6), 6);
        EXPECT_EQ(deflater.seek(0, TSeekOrigin::Current), 6);
        char c;
        try {
            deflater.read(&c, 1);
            FAIL();
        } catch (const ECompressionError& e) {
            EXPECT_STREQ(e.what(), "Invalid stream operation");
        }
        EXPECT_THROW(deflater.seek(1, TSeekOrigin::Beginning), ECompressionError);
    }
    dest.setPosition(0);
    TDecompressionStream inflater(dest);
    char buf[8] = {};
    EXPECT_EQ(inflater.read(buf, 2), 2);
    EXPECT_EQ(inflater.seek(2, TSeekOrigin::Current), 4); // forward by reading
    EXPECT_EQ(inflater.read(buf, 8), 2);
    EXPECT_EQ(std::string(buf, 2), "ef");
    EXPECT_THROW(inflater.seek(-1, TSeekOrigin::Current), EDecompressionError);
    EXPECT_THROW(inflater.seek(0, TSeekOrigin::End), EDecompressionError);
    EXPECT_THROW(inflater.write("x", 1), EDecompressionError);
    EXPECT_EQ(inflater.seek(0, TSeekOrigin::Beginning), 0);
    EXPECT_EQ(inflater.seek(3, TSeekOrigin::Beginning), 3); // past what was produced: forward
    EXPECT_EQ(inflater.read(buf, 3), 3);
    EXPECT_EQ(std::string(buf, 3), "def");
}

TEST(SkinStore, CompressedSkinFileCarriesVersionLengthAndStream)
{
    TbsCompressedStoredSkin store;
    store.compressArchive("archive bytes");
    std::string file = store.compressedFileBytes();
    ASSERT_EQ(file.size(), store.compressedData().size() + 8);
    EXPECT_EQ(file.substr(0, 4), std::string("\x03\0\0\0", 4));

    TbsCompressedStoredSkin imported;
    imported.importCompressedFile(file);
    EXPECT_EQ(imported.compressedData(), store.compressedData());
    EXPECT_EQ(inflateAll(imported), "archive bytes");

    std::string newer = file;
    newer[0] = 4;
    imported.importCompressedFile(newer);
    EXPECT_TRUE(imported.IsEmpty());

    std::string shortFile = file.substr(0, file.size() - 1);
    EXPECT_THROW(imported.importCompressedFile(shortFile), EStreamReadError);
}

} // namespace
} // namespace qv
