#include "runtime/core/Exception.h"
#include "runtime/shell/ShellFolders.h"
#include "runtime/shell/ShellPatterns.h"
#include "support/ScratchDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace qv;

namespace {

TEST(ShellFolders, PatternsMatchWildcardsWithoutRegardToCase)
{
    EXPECT_TRUE(shellMatchesPattern("myloan.qvl", "*.qvl"));
    EXPECT_TRUE(shellMatchesPattern("MYLOAN.QVL", "*.qvl"));
    EXPECT_FALSE(shellMatchesPattern("myloan.qvl.txt", "*.qvl"));
    EXPECT_TRUE(shellMatchesPattern("a.b.qvl", "*.qvl"));
    EXPECT_TRUE(shellMatchesPattern("loan1.qvl", "loan?.qvl"));
    EXPECT_FALSE(shellMatchesPattern("loan12.qvl", "loan?.qvl"));
    EXPECT_TRUE(shellMatchesPattern("x", "*"));
    EXPECT_TRUE(shellMatchesPattern("abcabd", "*abd"));
    EXPECT_FALSE(shellMatchesPattern("", "?"));
    EXPECT_TRUE(shellMatchesPattern("*zz", "*z")); // a "*" in the name is a plain letter

    EXPECT_EQ(shellMaskPatterns("*.qvl;notes|*.txt;"), (std::vector<std::string>{"*.qvl", "*.txt"}));
    EXPECT_TRUE(shellMatchesMask("README", "*.*"));
    EXPECT_FALSE(shellMatchesMask("README", "*"));
    EXPECT_TRUE(shellMatchesMask("b.TXT", "*.qvl|*.txt"));
}

TEST(ShellFolders, PathsPlacesAndListing)
{
    EXPECT_EQ(shellNormalPath("/a/b/../c/"), "/a/c");
    EXPECT_EQ(shellParentFolder("/a/c"), "/a");
    EXPECT_EQ(shellParentFolder("/a"), "/");
    EXPECT_EQ(shellParentFolder("/"), "");
    EXPECT_EQ(shellJoin("/", "x"), "/x");
    EXPECT_EQ(shellJoin("/a", "x"), "/a/x");

    std::vector<TShellPlace> places = shellPlaces("/usr/share");
    ASSERT_EQ(places.size(), 4u);
    EXPECT_EQ(places[1].path, "/");
    EXPECT_EQ(places[2].name, "usr");
    EXPECT_EQ(places[3].path, "/usr/share");
    EXPECT_EQ(places[3].indent, 2);

    test::ScratchDir dir("quorvane-shell-test");
    std::filesystem::create_directory(dir.path() / "b-folder");
    std::ofstream(dir.path() / "A.qvl") << "12345";
    std::ofstream(dir.path() / ".hidden") << "";
    std::filesystem::create_symlink(dir.path() / "nothing", dir.path() / "dangling");
    std::vector<TShellItem> items = shellListFolder(dir.path().string());
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].name, "b-folder");
    EXPECT_TRUE(items[0].folder);
    EXPECT_EQ(items[0].typeName, "File folder");
    EXPECT_EQ(items[1].path, dir.file("A.qvl"));
    EXPECT_EQ(items[1].size, 5);
    EXPECT_EQ(items[1].sizeText, "1 KB");
    EXPECT_EQ(items[1].typeName, "QVL File");
    EXPECT_FALSE(items[1].modifiedText.empty());
    EXPECT_THROW(shellListFolder(dir.file("A.qvl")), Exception);
}

} // namespace
