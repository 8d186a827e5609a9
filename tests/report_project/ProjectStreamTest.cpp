#include "report/project/ProjectStream.h"
#include "report/project/ReportErrors.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace qv::report;

namespace {

Bytes countBytes(std::uint32_t value)
{
    ProjectWriter writer;
    writer.writeCount(value);
    return writer.bytes();
}

} // namespace

TEST(ProjectStream, CountEncodingsAtEveryLengthBoundary)
{
    EXPECT_EQ(countBytes(0), Bytes({ 0x00 }));
    EXPECT_EQ(countBytes(127), Bytes({ 0x7F }));
    EXPECT_EQ(countBytes(128), Bytes({ 0x80, 0x80 }));
    EXPECT_EQ(countBytes(16'383), Bytes({ 0xBF, 0xFF }));
    EXPECT_EQ(countBytes(16'384), Bytes({ 0xC0, 0x40, 0x00 }));
    EXPECT_EQ(countBytes(2'097'151), Bytes({ 0xDF, 0xFF, 0xFF }));
    EXPECT_EQ(countBytes(2'097'152), Bytes({ 0xE0, 0x20, 0x00, 0x00 }));
    EXPECT_EQ(countBytes(MaxCount), Bytes({ 0xFF, 0xFF, 0xFF, 0xFF }));
    EXPECT_THROW(countBytes(MaxCount + 1), ERpException);

    for (std::uint32_t value : { 0u, 127u, 128u, 16'383u, 16'384u, 2'097'151u, 2'097'152u, MaxCount }) {
        auto bytes = countBytes(value);
        ProjectReader reader(bytes);
        EXPECT_EQ(reader.readCount(), value);
        EXPECT_TRUE(reader.atEnd());
    }
}

TEST(ProjectStream, StringsCarryTheirByteCount)
{
    ProjectWriter writer;
    writer.writeString("");
    writer.writeString(std::string(200, 'x'));
    auto bytes = writer.bytes();
    ASSERT_EQ(bytes.size(), 1u + 2u + 200u);
    EXPECT_EQ(bytes[0], 0x00);
    EXPECT_EQ(bytes[1], 0x80);
    EXPECT_EQ(bytes[2], 0xC8);

    ProjectReader reader(bytes);
    EXPECT_EQ(reader.readString(), "");
    EXPECT_EQ(reader.readString(), std::string(200, 'x'));
}

TEST(ProjectStream, Int32IsLittleEndianTwosComplement)
{
    ProjectWriter writer;
    writer.writeInt32(40005);
    writer.writeInt32(-2);
    EXPECT_EQ(writer.bytes(), Bytes({ 0x45, 0x9C, 0x00, 0x00, 0xFE, 0xFF, 0xFF, 0xFF }));
    ProjectReader reader(writer.bytes());
    EXPECT_EQ(reader.readInt32(), 40005);
    EXPECT_EQ(reader.readInt32(), -2);
}

TEST(ProjectStream, ExtendedIsTheTenByteX87Format)
{
    ProjectWriter writer;
    writer.writeExtended(1.0L);
    writer.writeExtended(-0.1L);
    auto bytes = writer.bytes();
    ASSERT_EQ(bytes.size(), 20u);
    // 1.0: mantissa 0x8000000000000000, exponent 0x3FFF.
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 10), Bytes({ 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F }));
    ProjectReader reader(bytes);
    EXPECT_EQ(reader.readExtended(), 1.0L);
    EXPECT_EQ(reader.readExtended(), -0.1L);
}

TEST(ProjectStream, BlocksStoredAndCompressedReadBackTheSamePayload)
{
    Bytes payload;
    for (int i = 0; i < 3000; ++i)
        payload.push_back(std::uint8_t("TRpText Font Arial "[i % 19]));
    ProjectWriter writer;
    writer.writeBlock(BlockMethod::Stored, payload);
    writer.writeBlock(BlockMethod::Compressed, payload);
    auto bytes = writer.bytes();
    EXPECT_EQ(bytes[0], 0);
    EXPECT_EQ(bytes[1] | bytes[2] << 8, 3000);
    EXPECT_EQ(bytes[5 + 3000], 2);

    ProjectReader reader(bytes);
    EXPECT_EQ(reader.readBlock(), payload);
    EXPECT_EQ(reader.readBlock(), payload);
    EXPECT_TRUE(reader.atEnd());
}

TEST(ProjectStream, UnknownBlockMethodNamesTheMethod)
{
    Bytes bytes { 1, 0, 0, 0, 0 };
    ProjectReader reader(bytes);
    try {
        reader.readBlock();
        FAIL();
    } catch (const ERpException& error) {
        EXPECT_STREQ(error.what(), "Unknown compression method 1");
    }
}

TEST(ProjectStream, SizesBeyondTheDataFailAsReadErrors)
{
    Bytes truncatedString { 0x05, 'a', 'b' };
    EXPECT_THROW(ProjectReader(truncatedString).readString(), EReadError);
    Bytes hugeString { 0xFF, 0xFF, 0xFF, 0xFF };
    EXPECT_THROW(ProjectReader(hugeString).readString(), EReadError);
    Bytes negativeBlock { 0, 0xFF, 0xFF, 0xFF, 0xFF };
    EXPECT_THROW(ProjectReader(negativeBlock).readBlock(), EReadError);
    Bytes shortBlock { 0, 10, 0, 0, 0, 1, 2 };
    EXPECT_THROW(ProjectReader(shortBlock).readBlock(), EReadError);
    Bytes shortInt { 1, 2, 3 };
    EXPECT_THROW(ProjectReader(shortInt).readInt32(), EReadError);
    EXPECT_THROW(ProjectReader(Bytes { 0xC0, 0x01 }).readCount(), EReadError);
}

TEST(ReportErrors, MessagesAreWrittenUntilTheirShowerTranslatesThePattern)
{
    Translator const german = [](const std::string& text) {
        return text == "Unknown compression method %s" ? "Methode %s?" : text;
    };
    ERpException method("Unknown compression method %s", "7");
    EXPECT_STREQ(method.what(), "Unknown compression method 7");
    method.translateFor(german);
    EXPECT_STREQ(method.what(), "Methode 7?");
    method.translateFor({});
    EXPECT_STREQ(method.what(), "Methode 7?") << "no translator leaves the message alone";
    ERpException format("Invalid Project Format");
    format.translateFor(german);
    EXPECT_STREQ(format.what(), "Invalid Project Format");
}
