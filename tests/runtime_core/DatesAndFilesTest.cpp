#include "runtime/core/DateTime.h"
#include "runtime/core/Exception.h"
#include "runtime/core/FloatFaults.h"
#include "runtime/core/IniFile.h"
#include "runtime/core/RegionalSettings.h"
#include "runtime/core/TextFile.h"
#include "support/ScratchDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <thread>

using namespace qv;
namespace fs = std::filesystem;

namespace {

template<typename Fn>
std::string errorText(Fn fn)
{
    try {
        fn();
    } catch (const Exception& e) {
        return e.message();
    }
    return "(no error)";
}

std::string slurp(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class TempDir : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return (m_dir / name).string(); }
    qv::test::ScratchDir m_scratch{"qv-core"};
    fs::path m_dir = m_scratch.path();
};

RegionalSettings usSettings()
{
    RegionalSettings s = RegionalSettings::posix();
    s.shortDateFormat = "MM/dd/yyyy";
    s.dateSeparator = '/';
    return s;
}

RegionalSettings germanSettings()
{
    RegionalSettings s = RegionalSettings::posix();
    s.shortDateFormat = "dd/MM/yyyy";
    s.dateSeparator = '.';
    s.decimalSeparator = ',';
    return s;
}

} // namespace

TEST(Dates, EncodeDecodeAndLeapYears)
{
    EXPECT_EQ(encodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(encodeDate(2024, 3, 15), 45366.0);
    DateParts const d = decodeDate(45366.0);
    EXPECT_EQ(d.year, 2024);
    EXPECT_EQ(d.month, 3);
    EXPECT_EQ(d.day, 15);
    EXPECT_TRUE(isLeapYear(2000));
    EXPECT_FALSE(isLeapYear(2100));
    EXPECT_TRUE(isLeapYear(2024));
    EXPECT_EQ(daysInMonth(2023, 2), 28);
    EXPECT_EQ(errorText([] { encodeDate(2023, 2, 29); }), "Invalid argument to date encode");
}

TEST(Dates, ShortDateTextFollowsTheRegion)
{
    TDateTime const date = encodeDate(2024, 3, 5);
    {
        ScopedRegionalSettings posix(RegionalSettings::posix());
        EXPECT_EQ(dateToStr(date), "2024-03-05");
        EXPECT_EQ(strToDate("2024-03-05"), date);
        EXPECT_EQ(strToDate(" 2024-3-5 "), date);
    }
    {
        ScopedRegionalSettings us(usSettings());
        EXPECT_EQ(dateToStr(date), "03/05/2024");
        EXPECT_EQ(strToDate("3/5/2024"), date);
    }
    {
        ScopedRegionalSettings german(germanSettings());
        EXPECT_EQ(dateToStr(date), "05.03.2024");
        EXPECT_EQ(strToDate("05.03.2024"), date);
    }
    ScopedRegionalSettings posix(RegionalSettings::posix());
    EXPECT_EQ(dateToStr(encodeDate(812, 1, 2)), "0812-01-02"); // years always with four digits
}

TEST(Dates, RejectsWhatIsNoDate)
{
    ScopedRegionalSettings posix(RegionalSettings::posix());
    for (std::string text : {"", "2024-02-30", "2024/03/05", "2024-13-01", "x", "2024-03-05-01", "2024--05"})
        EXPECT_EQ(errorText([&] { strToDate(text); }), "'" + text + "' is not a valid date") << text;
}

TEST(FloatFaults, StoringBeyondSingleRangeIsAnOverflow)
{
    clearFloatFaults();
    volatile long double big = 1e39L;
    volatile float stored = static_cast<float>(big);
    (void)stored;
    EXPECT_EQ(errorText([] { raiseFloatFaults(); }), "Floating point overflow");
    volatile long double zero = 0.0L;
    volatile long double one = 1.0L;
    volatile long double quotient = one / zero;
    (void)quotient;
    EXPECT_EQ(errorText([] { raiseFloatFaults(); }), "Floating point division by zero");
    EXPECT_NO_THROW(raiseFloatFaults()); // flags were cleared by the last raise
}

TEST_F(TempDir, TextFilesUseCrLfAndReadEmptyPastTheEnd)
{
    TextFileWriter writer(path("a.txt"));
    writer.writeLine("one");
    writer.writeLine("");
    writer.writeLine("three");
    writer.commit();
    EXPECT_EQ(slurp(path("a.txt")), "one\r\n\r\nthree\r\n");

    TextFileReader reader(path("a.txt"), 1024);
    EXPECT_EQ(reader.readLine(), "one");
    EXPECT_EQ(reader.readLine(), "");
    EXPECT_EQ(reader.readLine(), "three");
    EXPECT_TRUE(reader.atEnd());
    EXPECT_EQ(reader.readLine(), "");
    EXPECT_EQ(reader.readLine(), "");

    TextFileReader mixed = TextFileReader::fromBytes("a\nb\r\nc\rd");
    for (std::string expected : {"a", "b", "c", "d", ""})
        EXPECT_EQ(mixed.readLine(), expected);
}

// The count a reader gives before reading is the number of lines it then reads.
TEST(TextFileReader, CountsTheLinesItReads)
{
    struct Case {
        const char* bytes;
        std::size_t lines;
    };
    for (Case c : {Case{"", 0}, Case{"x", 1}, Case{"x\r\n", 1}, Case{"\r\n\r\n", 2}, Case{"\r", 1}, Case{"a\r\r\n", 2},
                   Case{"a\n\rb", 3}, Case{"a\nb\r\nc\rd", 4}}) {
        TextFileReader reader = TextFileReader::fromBytes(c.bytes);
        EXPECT_EQ(reader.lineCount(), c.lines) << c.bytes;
        std::size_t read = 0;
        while (!reader.atEnd()) {
            reader.readLine();
            ++read;
        }
        EXPECT_EQ(read, c.lines) << c.bytes;
    }
}

TEST_F(TempDir, IoErrorTexts)
{
    EXPECT_EQ(errorText([&] { TextFileReader r(path("missing.qvl"), 1024); }), "File not found");
    EXPECT_EQ(errorText([&] { TextFileReader r(path("no/such/dir/x.qvl"), 1024); }), "Invalid filename");
    EXPECT_EQ(errorText([&] { TextFileReader r(m_dir.string(), 1024); }), "File access denied");
    EXPECT_EQ(errorText([&] { TextFileReader r("", 1024); }), "Invalid filename");
    EXPECT_EQ(errorText([&] { replaceFileAtomically(path("no/such/x.qvl"), "x"); }), "Invalid filename");
    EXPECT_EQ(errorText([&] { replaceFileAtomically(m_dir.string(), "x"); }), "File access denied");
}

TEST_F(TempDir, OnlyRegularFilesOfABoundedSizeAreRead)
{
    std::ofstream(path("small.txt"), std::ios::binary) << "12345";
    EXPECT_EQ(readRegularFile(path("small.txt"), 5), "12345");
    EXPECT_EQ(errorText([&] { readRegularFile(path("small.txt"), 4); }),
        "\"" + path("small.txt") + "\" is too large: 5 bytes, at most 4 can be meant");
    EXPECT_EQ(errorText([&] { readRegularFile("/dev/zero", 1024); }),
        "\"/dev/zero\" is a device, not a file that can be read");
    // A pipe without a writer would block an ordinary open for good.
    ASSERT_EQ(::mkfifo(path("pipe").c_str(), 0600), 0);
    EXPECT_EQ(errorText([&] { readRegularFile(path("pipe"), 1024); }),
        "\"" + path("pipe") + "\" is a pipe, not a file that can be read");
}

TEST_F(TempDir, FailedReplaceKeepsThePreviousFile)
{
    fs::create_directory(path("target.qvl"));
    EXPECT_THROW(replaceFileAtomically(path("target.qvl"), "new"), EInOutError);
    EXPECT_TRUE(fs::is_directory(path("target.qvl")));
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 1);

    replaceFileAtomically(path("kept.qvl"), "old");
    fs::permissions(path("kept.qvl"), fs::perms::owner_read | fs::perms::group_read);
    replaceFileAtomically(path("kept.qvl"), "newer");
    EXPECT_EQ(slurp(path("kept.qvl")), "newer");
    EXPECT_EQ(fs::status(path("kept.qvl")).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::group_read);
}

TEST_F(TempDir, ReplacingWritesThroughPipesAndKeepsSymbolicLinks)
{
    // A pipe (like a device) is written to, never replaced by a regular file.
    ASSERT_EQ(::mkfifo(path("pipe").c_str(), 0600), 0);
    std::string received;
    std::thread reader([&] { received = slurp(path("pipe")); });
    replaceFileAtomically(path("pipe"), "through the pipe");
    reader.join();
    EXPECT_EQ(received, "through the pipe");
    EXPECT_TRUE(fs::is_fifo(fs::symlink_status(path("pipe"))));

    replaceFileAtomically(path("real.qvl"), "old");
    fs::create_symlink(path("real.qvl"), path("link.qvl"));
    replaceFileAtomically(path("link.qvl"), "new");
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(path("link.qvl"))));
    EXPECT_EQ(slurp(path("real.qvl")), "new");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 3);
}

TEST_F(TempDir, IniReadWrite)
{
    IniFile ini(path("info.ini"));
    EXPECT_EQ(ini.readString("user saved", "filename", "none"), "none");
    ini.writeString("user saved", "filename", "/home/u/loan.qvl");
    EXPECT_EQ(slurp(path("info.ini")), "[user saved]\r\nfilename=/home/u/loan.qvl\r\n");
    EXPECT_EQ(ini.readString("USER SAVED", "FileName", ""), "/home/u/loan.qvl");
    ini.writeString("user saved", "filename", "/b.qvl");
    ini.writeString("other", "k", "v");
    EXPECT_EQ(slurp(path("info.ini")), "[user saved]\r\nfilename=/b.qvl\r\n\r\n[other]\r\nk=v\r\n");
}

TEST(Ini, ParsingRules)
{
    std::string const text = "; comment\n[A]\nx = 1 \n[user saved]\n  FileName =  \"/q u.qvl\" \ny=2\n";
    EXPECT_EQ(IniFile::lookup(text, "a", "X", "-"), "1");
    EXPECT_EQ(IniFile::lookup(text, "user saved", "filename", "-"), "/q u.qvl");
    EXPECT_EQ(IniFile::lookup(text, "user saved", "z", "-"), "-");
    EXPECT_EQ(IniFile::lookup("[s]\nk=" + std::string(5000, 'v'), "s", "k", "").size(), 2047u);
    EXPECT_EQ(IniFile::withValue("[s]\r\na=1\r\n[t]\r\nb=2\r\n", "s", "c", "3"), "[s]\r\na=1\r\nc=3\r\n[t]\r\nb=2\r\n");
}

TEST(Ini, TextHeldInMemoryReadsByTheSameRules)
{
    std::string const text = "k=0\r[A]\rx=1\r[ b ] old\n k = \"q\" \n;j=no\n[a]\nx=3\ny=\t4\t";
    IniText const ini(text);
    EXPECT_TRUE(ini.hasSection("a"));
    EXPECT_TRUE(ini.hasSection("B"));
    EXPECT_FALSE(ini.hasSection("c"));
    // A lone CR ends a line; a repeated section adds its keys, the first value stays.
    EXPECT_EQ(ini.readString("a", "X", "-"), "1");
    EXPECT_EQ(ini.readString("A", "y", "-"), "4");
    EXPECT_TRUE(ini.hasKey("b", "K"));
    EXPECT_FALSE(ini.hasKey("b", ";j"));
    EXPECT_FALSE(ini.hasKey("b", "j"));
    EXPECT_FALSE(ini.hasKey("", "k"));
    // In memory a value stays as written; the file reader unquotes it.
    EXPECT_EQ(ini.readString("b", "k", "-"), "\"q\"");
    EXPECT_EQ(IniFile::lookup(text, "b", "k", "-"), "q");
    EXPECT_EQ(IniFile::lookup(text, "a", "y", "-"), "4");
}

TEST_F(TempDir, IniWriteFailureNamesThePath)
{
    std::string const ini = path("missing-dir/info.ini");
    EXPECT_EQ(errorText([&] { IniFile(ini).writeString("user saved", "filename", "x"); }), "Unable to write to " + ini);
}
