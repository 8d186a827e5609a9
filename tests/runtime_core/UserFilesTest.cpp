#include "runtime/core/UserFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using namespace qv;
namespace fs = std::filesystem;

namespace {

// Sets or clears an environment variable for one test and puts it back afterwards.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_old = old;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnv()
    {
        if (m_old)
            ::setenv(m_name, m_old->c_str(), 1);
        else
            ::unsetenv(m_name);
    }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

class UserFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("qv-userfiles-" + std::to_string(::getpid()) + "-"
            + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir / "program");
    }
    void TearDown() override
    {
        fs::permissions(m_dir / "program", fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(m_dir);
    }
    std::string path(const std::string& name) const { return (m_dir / name).string(); }
    std::string programFolder() const { return path("program") + "/"; }
    void makeProgramFolderReadOnly() const
    {
        fs::permissions(m_dir / "program", fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read
            | fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    }
    static unsigned mode(const std::string& p)
    {
        struct stat info {};
        ::stat(p.c_str(), &info);
        return info.st_mode & 07777;
    }

    fs::path m_dir;
};

} // namespace

TEST_F(UserFiles, AWritableProgramFolderKeepsTheFilesBesideTheExecutable)
{
    ScopedEnv data("XDG_DATA_HOME", path("data").c_str());
    EXPECT_EQ(userFilesFolder(programFolder()), programFolder());
    EXPECT_EQ(userFilesFolder(path("program")), programFolder()); // the separator is added
    EXPECT_FALSE(fs::exists(path("data")));
}

TEST_F(UserFiles, AReadOnlyProgramFolderSendsThemToTheUsersDataFolder)
{
    // Also as root, who could write there anyway: a tree made read-only stays so.
    makeProgramFolderReadOnly();
    EXPECT_FALSE(folderIsWritable(programFolder()));
    {
        ScopedEnv data("XDG_DATA_HOME", path("data/deeper").c_str());
        EXPECT_EQ(userFilesFolder(programFolder()), path("data/deeper/quorvane") + "/");
        EXPECT_TRUE(fs::is_directory(path("data/deeper/quorvane")));
        EXPECT_EQ(mode(path("data/deeper/quorvane")), 0700u);
        EXPECT_EQ(mode(path("data/deeper")), 0700u); // missing parents too
        // A second start finds the folder there.
        EXPECT_EQ(userFilesFolder(programFolder()), path("data/deeper/quorvane") + "/");
    }
    {
        // Unset, empty or relative values fall back to ~/.local/share.
        ScopedEnv home("HOME", path("home").c_str());
        for (const char* value : {static_cast<const char*>(nullptr), "", "relative/data"}) {
            ScopedEnv data("XDG_DATA_HOME", value);
            EXPECT_EQ(userDataFolder(), path("home/.local/share/quorvane") + "/");
            EXPECT_EQ(userFilesFolder(programFolder()), path("home/.local/share/quorvane") + "/");
        }
        EXPECT_FALSE(fs::exists(m_dir / "program" / "relative"));
    }
}

TEST_F(UserFiles, WritableMeansAnExistingFolderThisUserMayWriteInto)
{
    EXPECT_TRUE(folderIsWritable(programFolder()));
    EXPECT_FALSE(folderIsWritable(path("missing")));
    std::FILE* file = std::fopen(path("plain").c_str(), "w");
    std::fclose(file);
    EXPECT_FALSE(folderIsWritable(path("plain")));
    // Someone else's folder counts by its "others" bits.
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(programFolder().c_str(), 12345, 12345), 0);
        ::chmod(programFolder().c_str(), 0775);
        EXPECT_FALSE(folderIsWritable(programFolder()));
        ::chmod(programFolder().c_str(), 0777);
        EXPECT_TRUE(folderIsWritable(programFolder()));
    }
}
