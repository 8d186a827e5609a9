// Failures of the command line under damaged input, full disks and parallel runs: each
// must exit 1 with the reason, and never leave a half-written file where a whole one was.
#include "support/SkipOrFailInCi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct Outcome {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string slurp(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void spit(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::string> crlfLines(const std::string& bytes)
{
    std::vector<std::string> out;
    std::string::size_type start = 0;
    for (std::string::size_type end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
        out.push_back(bytes.substr(start, end - start));
    return out;
}

std::string joined(const std::vector<std::string>& lines)
{
    std::string out;
    for (auto const& line : lines)
        out += line + "\r\n";
    return out;
}

bool wholePdf(const std::string& bytes)
{
    return bytes.rfind("%PDF-", 0) == 0 && bytes.find("%%EOF", bytes.size() > 16 ? bytes.size() - 16 : 0) != std::string::npos;
}

class CliFailure : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("qv-cli-fail-" + std::to_string(::getpid()) + "-"
            + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir / "work");
    }
    void TearDown() override
    {
        if (m_mounted)
            ::umount2((m_dir / "work").c_str(), MNT_DETACH);
        fs::remove_all(m_dir);
    }

    // Writes until the file system has no byte left.
    static void fillDisk(const std::string& file)
    {
        int const fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ASSERT_GE(fd, 0);
        std::string const block(4096, '\0');
        while (::write(fd, block.data(), block.size()) > 0) {
        }
        while (::write(fd, block.data(), 1) > 0) {
        }
        ::close(fd);
    }
    std::string path(const std::string& name) const { return (m_dir / "work" / name).string(); }

    // Runs a shell script with $CLI naming the program, in the work folder.
    Outcome sh(const std::string& script, const std::string& cli = QV_CLI) const
    {
        std::string const command = "cd " + (m_dir / "work").string() + " && CLI=" + cli + " LC_ALL=C sh -c '" + script
            + "' >" + (m_dir / "out").string() + " 2>" + (m_dir / "err").string();
        int const status = std::system(command.c_str());
        Outcome r;
        r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        r.out = slurp(m_dir / "out");
        r.err = slurp(m_dir / "err");
        return r;
    }

    void writeLoan(const std::string& name, const std::string& term = "1") const
    {
        ASSERT_EQ(sh("$CLI schedule --amount 200000 --rate 5 --term " + term + " --date 2024-03-15 -o " + name).exitCode, 0);
    }

    // A copy of the program beside its own report project, for damaged projects.
    std::string programBeside(const std::string& project) const
    {
        fs::create_directories(m_dir / "bin");
        fs::copy_file(QV_CLI, m_dir / "bin" / "quorvane-cli", fs::copy_options::overwrite_existing);
        if (project == "folder")
            fs::create_directories(m_dir / "bin" / "rptQVR1.rav");
        else
            spit(m_dir / "bin" / "rptQVR1.rav", project);
        return (m_dir / "bin" / "quorvane-cli").string();
    }
    std::string shippedProject() const { return slurp(fs::path(QV_CLI).parent_path() / "rptQVR1.rav"); }

    // Files of the work folder other than the given ones (temporary files left behind).
    std::vector<std::string> strayFiles(std::vector<std::string> expected) const
    {
        std::vector<std::string> stray;
        for (auto const& entry : fs::directory_iterator(m_dir / "work")) {
            std::string const name = entry.path().filename().string();
            if (std::find(expected.begin(), expected.end(), name) == expected.end())
                stray.push_back(name);
        }
        return stray;
    }

    fs::path m_dir;
    bool m_mounted = false;
};

} // namespace

TEST_F(CliFailure, TruncatedLoanFileIsRefusedByEveryCommand)
{
    writeLoan("whole.qvl", "30");
    std::vector<std::string> lines = crlfLines(slurp(path("whole.qvl")));
    ASSERT_EQ(lines.size(), 1812u);
    lines.resize(500);
    spit(path("cut.qvl"), joined(lines));
    for (std::string const command : {"show cut.qvl", "csv cut.qvl", "report cut.qvl -o cut.pdf", "chart cut.qvl -o cut.png"}) {
        Outcome const r = sh("$CLI " + command);
        EXPECT_EQ(r.exitCode, 1) << command;
        EXPECT_EQ(r.out, "") << command;
        EXPECT_EQ(r.err, "cut.qvl ends at line 500; a 30-year loan needs 1812 lines\n") << command;
    }
    EXPECT_EQ(strayFiles({"whole.qvl", "cut.qvl"}), std::vector<std::string>{});
}

TEST_F(CliFailure, FullStandardOutputIsAnError)
{
    writeLoan("a.qvl");
    for (std::string const command : {"show a.qvl", "csv a.qvl",
             "schedule --amount 200000 --rate 5 --term 1 --date 2024-03-15"}) {
        Outcome const r = sh("$CLI " + command + " >/dev/full");
        EXPECT_EQ(r.exitCode, 1) << command;
        EXPECT_EQ(r.err, "standard output: Disk full\n") << command;
    }
}

// A real full disk: the work folder becomes a small file system of this test process's own
// mount namespace, filled to the last byte (a file size limit would also refuse the shared
// data buffer, which a full disk does not).
TEST_F(CliFailure, FullDiskKeepsThePreviousFileAndLeavesNoTemporaryFile)
{
    writeLoan("a.qvl", "30");
    ASSERT_EQ(sh("$CLI report a.qvl -o good.pdf && $CLI chart a.qvl -o good.png && cp a.qvl good.qvl").exitCode, 0);
    std::string const loan = slurp(path("a.qvl"));
    std::string const pdf = slurp(path("good.pdf"));
    std::string const png = slurp(path("good.png"));
    std::string const qvl = slurp(path("good.qvl"));
    ASSERT_TRUE(wholePdf(pdf));
    ASSERT_GT(png.size(), 4096u);
    ASSERT_GT(qvl.size(), 4096u);

    std::string const work = (m_dir / "work").string();
    std::string const size = "size=" + std::to_string(loan.size() + pdf.size() + png.size() + qvl.size() + (1 << 20));
    if (::unshare(CLONE_NEWNS) != 0 || ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
        || ::mount("tmpfs", work.c_str(), "tmpfs", 0, size.c_str()) != 0)
        SKIP_OR_FAIL_IN_CI(std::string("a full disk needs a private mount namespace (run as root): ")
                           + std::strerror(errno));
    m_mounted = true;
    spit(path("a.qvl"), loan);
    spit(path("good.pdf"), pdf);
    spit(path("good.png"), png);
    spit(path("good.qvl"), qvl);
    fillDisk(path("filler"));

    struct Case {
        std::string command;
        std::string message;
    };
    for (Case const& c : std::initializer_list<Case>{
             {"report a.qvl -o good.pdf", "good.pdf: Disk full\n"},
             {"report a.qvl -o good.ndr", "good.ndr: Disk full\n"},
             {"chart a.qvl -o good.png", "good.png: Disk full\n"},
             {"schedule --amount 200000 --rate 5 --term 30 --date 2020-01-01 -o good.qvl", "good.qvl: Disk full\n"},
         }) {
        Outcome const r = sh("$CLI " + c.command);
        EXPECT_EQ(r.exitCode, 1) << c.command;
        EXPECT_EQ(r.err, c.message) << c.command;
    }
    EXPECT_EQ(slurp(path("good.pdf")), pdf);
    EXPECT_EQ(slurp(path("good.png")), png);
    EXPECT_EQ(slurp(path("good.qvl")), qvl);
    EXPECT_EQ(strayFiles({"a.qvl", "good.pdf", "good.png", "good.qvl", "filler"}), std::vector<std::string>{});

    Outcome const folder = sh("mkdir -p dir.pdf && $CLI report a.qvl -o dir.pdf");
    EXPECT_EQ(folder.exitCode, 1);
    EXPECT_EQ(folder.err, "dir.pdf: File access denied\n");
}

TEST_F(CliFailure, OutputToAPipeIsWrittenThroughNotReplaced)
{
    writeLoan("a.qvl");
    // The reader is waited for once the writer is done; one that never got a writer is ended.
    Outcome const r = sh("mkfifo pipe.png || exit 8; cat pipe.png >../got.png & c=$!; $CLI chart a.qvl -o pipe.png; "
                         "r=$?; test -p pipe.png || { kill $c; exit 9; }; "
                         "[ $r -eq 0 ] || { kill $c; exit $r; }; wait $c; exit $r");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(slurp(m_dir / "got.png").substr(1, 3), "PNG");
}

TEST_F(CliFailure, ParallelReportsOntoOneFileLeaveOneWholePdf)
{
    writeLoan("a.qvl", "30");
    Outcome const r = sh("for i in 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20; do "
                         "( timeout 300 $CLI report a.qvl -o same.pdf; echo $? >../rc.$i ) & done; wait");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    for (int i = 1; i <= 20; ++i)
        EXPECT_EQ(slurp(m_dir / ("rc." + std::to_string(i))), "0\n") << "run " << i;
    EXPECT_TRUE(wholePdf(slurp(path("same.pdf"))));
    EXPECT_EQ(strayFiles({"a.qvl", "same.pdf"}), std::vector<std::string>{});
}

TEST_F(CliFailure, DamagedReportProjectFailsTheRunAndWritesNothing)
{
    writeLoan("a.qvl");
    std::string const bin = (m_dir / "bin").string() + "/";
    std::string project = shippedProject();
    ASSERT_NE(project.find("TRpDataView"), std::string::npos);
    struct Case {
        std::string project;
        std::string message;
    };
    for (Case const& c : std::initializer_list<Case>{
             {"", bin + "rptQVR1.rav: Invalid Project Format\n"},
             {"RAV", bin + "rptQVR1.rav: Invalid Project Format\n"},
             {"folder", "The following reporting project is a folder, not a file:\r\"" + bin + "rptQVR1.rav\"\n"},
         }) {
        fs::remove_all(m_dir / "bin");
        Outcome const r = sh("$CLI report a.qvl -o out.pdf", programBeside(c.project));
        EXPECT_EQ(r.exitCode, 1) << c.message;
        EXPECT_EQ(r.err, c.message);
    }
    EXPECT_FALSE(fs::exists(path("out.pdf")));

    // A data view of an unknown class: the engine says so and goes on, but the run fails.
    fs::remove_all(m_dir / "bin");
    std::string damaged = project;
    damaged.replace(damaged.find("TRpDataView"), 11, "TRpDataVieX");
    Outcome const r = sh("$CLI report a.qvl -o out.pdf", programBeside(damaged));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("Unknown class \"TRpDataVieX\" found."), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(path("out.pdf")));
    EXPECT_EQ(strayFiles({"a.qvl"}), std::vector<std::string>{});
}

TEST_F(CliFailure, ErrorsNameTheInputOrFileTheyConcern)
{
    writeLoan("a.qvl");
    std::string const schedule = "$CLI schedule --amount 1000 --rate 5 --term 1 --date 2024-03-15";
    struct Case {
        std::string command;
        std::string message;
    };
    for (Case const& c : std::initializer_list<Case>{
             {"$CLI schedule --amount 1000 --rate abc --term 1 --date 2024-03-15", "--rate \"abc\": number 97\n"},
             {"$CLI schedule --amount 1000 --rate 5 --term x --date 2024-03-15",
                 "--term \"x\": 'x' is not a valid integer value\n"},
             {"$CLI schedule --amount 1e39 --rate 5 --term 1 --date 2024-03-15",
                 "--amount \"1e39\": Floating point overflow\n"},
             {"$CLI schedule --amount 1000 --rate 1e10 --term 1 --date 2024-03-15",
                 "--rate \"1e10\": Floating point overflow\n"},
             {"$CLI schedule --amount 1000 --rate 5 --term 1 --date 2024-02-30",
                 "--date \"2024-02-30\": '2024-02-30' is not a valid date\n"},
             {schedule + " --extra 3=1k", "--extra \"3=1k\": '1k' is not a valid floating point value\n"},
             {schedule + " --extra 13=1", "--extra \"13=1\": Month 13 is not shown in the schedule (it shows months 1 to 12)\n"},
             {"$CLI show missing.qvl", "missing.qvl: File not found\n"},
             {"$CLI schedule --amount 1000 --rate 5 --term 1 --date 2024-03-15 -o nowhere/a.qvl",
                 "nowhere/a.qvl: Folder \"nowhere\" does not exist\n"},
         }) {
        Outcome const r = sh(c.command);
        EXPECT_EQ(r.exitCode, 1) << c.command;
        EXPECT_EQ(r.out, "") << c.command;
        EXPECT_EQ(r.err, c.message) << c.command;
    }
    // A bad value that happens to quote the file's own name still gets the name in front.
    std::vector<std::string> lines = crlfLines(slurp(path("a.qvl")));
    lines[4] = "2024-03-\"self.qvl\"";
    spit(path("self.qvl"), joined(lines));
    EXPECT_EQ(sh("$CLI show self.qvl").err, "self.qvl: '2024-03-\"self.qvl\"' is not a valid date\n");
    // Root reads any file, so only other users can see access denied.
    if (::geteuid() != 0) {
        EXPECT_EQ(sh("chmod 000 a.qvl; $CLI csv a.qvl").err, "a.qvl: File access denied\n");
    }
}

TEST_F(CliFailure, HugeTextsStayBounded)
{
    writeLoan("a.qvl", "30");
    std::vector<std::string> lines = crlfLines(slurp(path("a.qvl")));
    lines[13] = std::string(10'000'000, '9'); // month 1's interest
    spit(path("huge.qvl"), joined(lines));
    Outcome const shown = sh("$CLI show huge.qvl");
    ASSERT_EQ(shown.exitCode, 0);
    EXPECT_LT(shown.out.size(), 200'000u);
    EXPECT_NE(shown.out.find("2024-04-15    " + std::string(39, '9') + "\xE2\x80\xA6  "), std::string::npos);
    Outcome const csv = sh("$CLI csv huge.qvl");
    EXPECT_NE(csv.out.find("," + std::string(10'000'000, '9') + ","), std::string::npos) << "csv keeps every cell whole";

    // An error repeats at most about 80 characters of the input, control bytes escaped.
    lines = crlfLines(slurp(path("a.qvl")));
    lines[0] = std::string(100'000, 'x');
    spit(path("bad.qvl"), joined(lines));
    Outcome const bad = sh("$CLI show bad.qvl");
    EXPECT_EQ(bad.err, "bad.qvl: '" + std::string(80, 'x') + "\xE2\x80\xA6' is not a valid floating point value\n");
    lines[0] = std::string("1\x01\x1b[2J", 6);
    spit(path("bad.qvl"), joined(lines));
    EXPECT_EQ(sh("$CLI show bad.qvl").err, "bad.qvl: '1\\x01\\x1B[2J' is not a valid floating point value\n");
}

TEST_F(CliFailure, ArgumentsOfAnyLengthAreRefusedWithoutACrash)
{
    std::string const nines(30'000, '9');
    std::string const schedule = "$CLI schedule --amount 1000 --rate 5 --term 1";
    for (std::string const& arguments : {" --date 2024-03-15 --extra 1=" + nines, " --date 2024-03-15 --extra " + nines,
             " --date " + nines, " --date 2024-03-15 --extra 1=1 --extra =" + nines}) {
        Outcome const r = sh(schedule + arguments + " -o a.qvl");
        EXPECT_TRUE(r.exitCode == 1 || r.exitCode == 2) << arguments.substr(0, 40) << ": exit " << r.exitCode;
        EXPECT_LT(r.err.size(), 2'000u) << "the error echoes a bounded part of the argument";
        EXPECT_FALSE(fs::exists(path("a.qvl")));
    }
}

TEST_F(CliFailure, SpecialAndHugeFilesAreRefusedWithTheirNameAtOnce)
{
    writeLoan("a.qvl");
    ASSERT_EQ(sh("$CLI skin export skin").exitCode, 0);
    struct Case {
        std::string setUp;
        std::string command;
        std::string reason;
    };
    // Each would block forever or fill the memory if it were read like a file.
    for (Case const& c : std::initializer_list<Case>{
             {"ln -s /dev/zero zero.qvl", "$CLI show zero.qvl", "\"zero.qvl\" is a device"},
             {"ln -s /dev/urandom random.qvl", "$CLI csv random.qvl", "\"random.qvl\" is a device"},
             {"mkfifo fifo.qvl", "$CLI show fifo.qvl", "\"fifo.qvl\" is a pipe"},
             {"truncate -s 2G sparse.qvl", "$CLI show sparse.qvl", "\"sparse.qvl\" is too large: 2147483648 bytes"},
             {"rm skin/SKIN.INI && mkfifo skin/SKIN.INI", "$CLI skin pack skin -o s.bin", "\"skin/SKIN.INI\" is a pipe"},
             {"rm -f skin/SKIN.INI && mkdir skin/SKIN.INI", "$CLI skin pack skin -o s.bin", "\"skin/SKIN.INI\" is a folder"},
             {"rm -rf skin && $CLI skin export skin && rm skin/controls.bmp && ln -s /dev/zero skin/controls.bmp",
                 "$CLI skin pack skin -o s.bin", "\"skin/controls.bmp\" is a device"},
             {"rm skin/controls.bmp && truncate -s 2G skin/controls.bmp", "$CLI skin pack skin -o s.bin",
                 "\"skin/controls.bmp\" is too large"},
         }) {
        Outcome const r = sh(c.setUp + " && timeout 20 " + c.command);
        EXPECT_EQ(r.exitCode, 1) << c.command << ": " << r.err;
        EXPECT_NE(r.err.find(c.reason), std::string::npos) << r.err;
    }
    EXPECT_FALSE(fs::exists(path("s.bin")));
}

TEST_F(CliFailure, SkinPackRefusesWhatTheProgramCouldNotLoadNamingFileSectionAndKey)
{
    ASSERT_EQ(sh("$CLI skin export skin").exitCode, 0);
    std::string const ini = slurp(path("skin/SKIN.INI"));
    auto withCount = [&](const std::string& value) {
        std::string text = ini;
        std::size_t const at = text.find("activepicturescount=");
        std::size_t const end = text.find("\r\n", at);
        return text.replace(at, end - at, "activepicturescount=" + value);
    };
    for (std::string const value : {"abc", "-5", "12345678901234567890"}) {
        spit(path("skin/SKIN.INI"), withCount(value));
        Outcome const r = sh("$CLI skin pack skin -o s.bin");
        EXPECT_EQ(r.exitCode, 1) << value;
        EXPECT_EQ(r.err, "skin/SKIN.INI: [PICTURES] activepicturescount=" + value
                + " is not a number of pictures from 0 to 65536\n");
    }
    // A rectangle the loader cannot read names its section and key.
    std::string broken = ini;
    std::size_t const rect = broken.find("skinrect=");
    broken.replace(rect, broken.find("\r\n", rect) - rect, "skinrect=1,2,,4");
    spit(path("skin/SKIN.INI"), broken);
    Outcome const r = sh("$CLI skin pack skin -o s.bin");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err.rfind("skin/SKIN.INI: [", 0), 0u) << r.err;
    EXPECT_NE(r.err.find("] skinrect: "), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(path("s.bin")));
}

TEST_F(CliFailure, RefusedInputsNameTheOptionTheyCameFrom)
{
    writeLoan("a.qvl");
    std::string const base = "$CLI schedule --date 2024-03-15";
    struct Case {
        std::string command;
        std::string message;
        int exitCode;
    };
    for (Case const& c : std::initializer_list<Case>{
             {base + " --amount 1e17 --rate 5 --term 1", "--amount \"1e17\": Invalid floating point operation\n", 1},
             {base + " --amount 1000 --rate 5 --term 0", "--term \"0\": Data Error!\n", 1},
             {base + " --amount 1000 --rate 5 --term -1", "--term \"-1\": Data Error!\n", 1},
             {base + " --amount 1000 --rate 5 --term 99999999", "--term \"99999999\": Data Error!\n", 1},
             {base + " --amount 0 --rate 5 --term 1", "--amount \"0\": Data Error!\n", 1},
             {base + " --amount 1000 --rate 0.0001 --term 1", "--rate \"0.0001\": Data Error!\n", 1},
             {"$CLI schedule --date 9999-12-31 --amount 1000 --rate 5 --term 1",
                 "--date \"9999-12-31\": The last payment would fall after 9999-12-31.\n", 1},
             {"$CLI schedule --date 9990-01-15 --amount 1000 --rate 5 --term 10",
                 "--date \"9990-01-15\": The last payment would fall after 9999-12-31.\n", 1},
         }) {
        Outcome const r = sh(c.command);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.command;
        EXPECT_EQ(r.err, c.message) << c.command;
    }
    Outcome const both = sh("$CLI report a.qvl --print -o x.pdf");
    EXPECT_EQ(both.exitCode, 2);
    EXPECT_EQ(both.err.rfind("quorvane-cli: --print and -o exclude each other", 0), 0u) << both.err;
    EXPECT_FALSE(fs::exists(path("x.pdf")));
}

TEST_F(CliFailure, PaymentDatesKeepFourDigitYearsToTheLastDay)
{
    Outcome const early = sh("$CLI schedule --date 0001-01-01 --amount 1000 --rate 5 --term 1 -o early.qvl");
    ASSERT_EQ(early.exitCode, 0) << early.err;
    std::vector<std::string> const lines = crlfLines(slurp(path("early.qvl")));
    ASSERT_GT(lines.size(), 12u);
    EXPECT_EQ(lines[12], "0001-02-01");
    // The last month that still fits.
    Outcome const late = sh("$CLI schedule --date 9998-12-31 --amount 1000 --rate 5 --term 1 -o late.qvl");
    ASSERT_EQ(late.exitCode, 0) << late.err;
    EXPECT_EQ(crlfLines(slurp(path("late.qvl"))).at(12 + 5 * 11), "9999-12-31");

}
