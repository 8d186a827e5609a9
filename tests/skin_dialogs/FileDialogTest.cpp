#include "runtime/core/Exception.h"
#include "runtime/shell/ShellFolders.h"
#include "runtime/ui/AccessibleQuery.h"
#include "runtime/ui/Application.h"
#include "runtime/ui/Dialogs.h"
#include "runtime/ui/Input.h"
#include "runtime/ui/Timer.h"
#include "skin/controls/SkinBinding.h"
#include "skin/dialogs/DialogTexts.h"
#include "skin/dialogs/SkinFileDialog.h"
#include "skin/model/SkinData.h"
#include "skin/store/CompressedStoredSkin.h"
#include "support/RecordedBoxes.h"
#include "support/ScratchDir.h"
#include "support/SkipOrFailInCi.h"

#include "skin/quorvane/QuorvaneSkin.h"
#include "support/OwnSkin.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace qv;
using qv::test::ScratchDir;
using qv::test::recordedBoxes;
using qv::test::recordingBoxes;
namespace fs = std::filesystem;

namespace {

TApplication& app()
{
    static int argc = 1;
    static ScratchDir exeFolder("quorvane-dialog-test");
    static std::string program = exeFolder.file("quorvane");
    static char* argv[] = {program.data(), nullptr};
    static TApplication* application = new TApplication(argc, argv, recordingBoxes());
    return *application;
}

using qv::test::ownSkin;

void touch(const fs::path& path) { std::ofstream(path) << "x"; }

std::vector<std::string> names(const TbsSkinFileListView& list)
{
    std::vector<std::string> out;
    for (int i = 0; i < list.itemCount(); ++i)
        out.push_back(list.item(i).name);
    return out;
}

TPoint centre(const TRect& r) { return TPoint{r.left + r.width() / 2, r.top + r.height() / 2}; }

void clickItem(TbsSkinFileListView& list, const std::string& name)
{
    int index = list.indexOf(name);
    ASSERT_GE(index, 0) << name;
    TPoint p = centre(list.itemRect(index));
    sendClick(list, p.x, p.y);
}

// A folder tree of loan files and others, and the window of a dialog over it.
class FileDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        app();
        fs::create_directory(root.path() / "sub");
        fs::create_directory(root.path() / "Other");
        touch(root.path() / "a.qvl");
        touch(root.path() / "b.qvl");
        touch(root.path() / "UPPER.QVL");
        touch(root.path() / "notes.txt");
        touch(root.path() / "sub" / "inner.qvl");
        boxes.clear();
    }
    void TearDown() override
    {
        app().processMessages();
    }

    // The window as a run builds it, shown without waiting.
    TbsSkinFileDialogForm& window(TbsFileDialogMode mode = TbsFileDialogMode::Open)
    {
        m_window = std::make_unique<TbsSkinFileDialogForm>(mode, &ownSkin(), ui);
        m_window->filterSelector.setFilter("Quorvel files|*.qvl");
        m_window->fileList.setMask(m_window->filterSelector.mask());
        m_window->showFolder(root.path().string());
        m_window->showAndRaise();
        app().processMessages();
        return *m_window;
    }

    // Runs the dialog; script drives the window, and a run it leaves open is cancelled.
    bool run(TbsSkinOpenDialog& dialog, const std::function<void(TbsSkinFileDialogForm&)>& script)
    {
        dialog.onShown = [&](TbsSkinFileDialogForm& w) {
            script(w);
            if (w.modalResult() == mrNone)
                w.setModalResult(mrCancel);
        };
        return dialog.Execute(ui);
    }

    std::string path(const std::string& name) const { return (root.path() / name).string(); }

    ScratchDir root{"quorvane-dialog-tree"};
    // The desktop, with message boxes recorded; the dialog's and the application's
    // boxes land in one list, in order.
    UiServices ui = recordingBoxes();
    std::vector<MessageBoxCall>& boxes = recordedBoxes();
    std::unique_ptr<TbsSkinFileDialogForm> m_window;
};

TEST_F(FileDialogTest, FilterSplitsIntoDescriptionsWithTheirPatterns)
{
    TbsSkinFileDialogForm& w = window();
    ASSERT_EQ(w.filterSelector.itemCount(), 1);
    EXPECT_EQ(w.filterSelector.item(0).text, "Quorvel files");
    EXPECT_EQ(w.filterSelector.mask(), "*.qvl");

    w.filterSelector.setFilter("Loans|*.qvl|Text|*.txt;*.csv|Dangling");
    ASSERT_EQ(w.filterSelector.itemCount(), 2);
    EXPECT_EQ(w.filterSelector.patternAt(1), "*.txt;*.csv");
    EXPECT_EQ(w.filterSelector.ItemIndex(), 0);
    w.filterSelector.setItemIndex(-1);
    EXPECT_EQ(w.filterSelector.mask(), "*.txt;*.csv"); // nothing selected: the last item
    w.filterSelector.setFilter("");
    EXPECT_EQ(w.filterSelector.mask(), "*.*");
}

TEST_F(FileDialogTest, ListShowsFoldersFirstThenFilesMatchingTheMask)
{
    TbsSkinFileDialogForm& w = window();
    EXPECT_EQ(names(w.fileList), (std::vector<std::string>{"Other", "sub", "a.qvl", "b.qvl", "UPPER.QVL"}));
    EXPECT_EQ(w.fileList.focusedItem(), 0);

    w.fileList.setMask("*.qvl;*.txt");
    EXPECT_EQ(w.fileList.itemCount(), 6);
    // Patterns without a "." are not used.
    w.fileList.setMask("notes|*.txt");
    EXPECT_EQ(names(w.fileList), (std::vector<std::string>{"Other", "sub", "notes.txt"}));
    w.fileList.setMask("*.*");
    EXPECT_EQ(w.fileList.itemCount(), 6);

    // Choosing another file type re-reads the list with its pattern.
    w.filterSelector.setFilter("Loans|*.qvl|Text|*.txt");
    w.filterSelector.setFocus();
    sendKeyStroke(w.filterSelector, VK_DOWN);
    EXPECT_EQ(w.filterSelector.ItemIndex(), 1);
    EXPECT_EQ(w.fileList.mask(), "*.txt");
    EXPECT_EQ(names(w.fileList).back(), "notes.txt");
}

TEST_F(FileDialogTest, TypedPatternSetsTheMaskWithoutChangingTheFileType)
{
    TbsSkinFileDialogForm& w = window();
    w.fileNameEdit.setText("*.txt");
    sendKeyStroke(w.fileNameEdit, VK_RETURN);
    EXPECT_EQ(w.fileList.mask(), "*.txt");
    EXPECT_EQ(names(w.fileList).back(), "notes.txt");
    EXPECT_EQ(w.filterSelector.ItemIndex(), 0);
    EXPECT_EQ(w.filterSelector.mask(), "*.qvl");
    EXPECT_EQ(w.modalResult(), mrNone);
}

TEST_F(FileDialogTest, NavigationByDoubleClickKeysBackUpAndTypedPaths)
{
    TManualTimerClock clock; // two presses at one instant are a double click
    TbsSkinFileDialogForm& w = window();
    std::string top = root.path().string();
    int changes = 0;
    w.onFolderChange = [&] { ++changes; };

    clickItem(w.fileList, "sub");
    clickItem(w.fileList, "sub");
    EXPECT_EQ(w.fileList.folder(), path("sub"));
    EXPECT_EQ(names(w.fileList), (std::vector<std::string>{"inner.qvl"}));
    EXPECT_EQ(w.folderSelector.chosenFolder(), path("sub"));
    EXPECT_GE(changes, 1);

    w.fileList.setFocus();
    sendKeyStroke(w.fileList, VK_BACK);
    EXPECT_EQ(w.fileList.folder(), top);
    EXPECT_EQ(w.history(), (std::vector<std::string>{top, path("sub"), top}));

    // Enter on a folder opens it; Back returns to where the user was.
    w.fileList.setFocusedItem(w.fileList.indexOf("Other"));
    sendKeyStroke(w.fileList, VK_RETURN);
    EXPECT_EQ(w.fileList.folder(), path("Other"));
    w.goBack();
    EXPECT_EQ(w.fileList.folder(), top);
    w.goBack();
    EXPECT_EQ(w.fileList.folder(), path("sub"));

    // Up goes to the parent; the folder selector lists the way down to the shown folder.
    sendClick(w.upButton, 5, 5);
    EXPECT_EQ(w.fileList.folder(), top);
    ASSERT_GE(w.folderSelector.itemCount(), 3);
    EXPECT_EQ(w.folderSelector.folderAt(w.folderSelector.itemCount() - 1), top);
    EXPECT_EQ(w.folderSelector.folderAt(1), "/");

    // A typed folder path is shown; a path that names no folder does nothing.
    w.fileNameEdit.setText(path("sub") + "/");
    sendKeyStroke(w.fileNameEdit, VK_RETURN);
    EXPECT_EQ(w.fileList.folder(), path("sub"));
    w.fileNameEdit.setText(path("nowhere/x.qvl"));
    sendKeyStroke(w.fileNameEdit, VK_RETURN);
    EXPECT_EQ(w.fileList.folder(), path("sub"));
    EXPECT_EQ(w.modalResult(), mrNone);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(FileDialogTest, SaveJoinsTheFolderWithTheTypedNameAndTheFilterExtension)
{
    TbsSkinSaveDialog save;
    save.setFilter("Quorvel files|*.qvl");
    save.setInitialDir(root.path().string());
    auto typeAndSave = [&](const std::string& typed) {
        return run(save, [&](TbsSkinFileDialogForm& w) {
            EXPECT_EQ(w.caption(), "Save file");
            EXPECT_EQ(w.confirmButton.Caption(), "&Save");
            w.fileNameEdit.setText(typed);
            sendKeyStroke(w.fileNameEdit, VK_RETURN);
        });
    };
    ASSERT_TRUE(typeAndSave("myloan"));
    EXPECT_EQ(save.FileName(), path("myloan.qvl"));
    // The proposed name's folder is where the next run starts.
    ASSERT_TRUE(typeAndSave("MYLOAN.QVL"));
    EXPECT_EQ(save.FileName(), path("MYLOAN.QVL"));
    ASSERT_TRUE(typeAndSave("myloan.txt"));
    EXPECT_EQ(save.FileName(), path("myloan.txt.qvl"));

    // An existing file is taken without a question; nothing on disk is touched by the dialog.
    ASSERT_TRUE(typeAndSave("a"));
    EXPECT_EQ(save.FileName(), path("a.qvl"));
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(fs::file_size(path("a.qvl")), 1u);
    EXPECT_FALSE(fs::exists(path("myloan.qvl")));

    // A typed folder name opens that folder instead of choosing it as the file.
    ASSERT_TRUE(run(save, [&](TbsSkinFileDialogForm& w) {
        w.fileNameEdit.setText("sub");
        sendKeyStroke(w.fileNameEdit, VK_RETURN);
        EXPECT_EQ(w.fileList.folder(), path("sub"));
        EXPECT_EQ(w.modalResult(), mrNone);
        w.fileNameEdit.setText("deeper");
        sendClick(w.confirmButton, 10, 10);
    }));
    EXPECT_EQ(save.FileName(), path("sub/deeper.qvl"));
}

// Keys as the window system delivers them: Return, keypad Enter and a typed
// newline (the Linefeed key) confirm; Esc cancels.
TEST_F(FileDialogTest, EnterKeysConfirmAndEscapeCancelsFromTheWindowsKeyboard)
{
    TbsSkinSaveDialog save;
    save.setFilter("Quorvel files|*.qvl");
    save.setInitialDir(root.path().string());
    int scripts = 0;
    ASSERT_TRUE(run(save, [&](TbsSkinFileDialogForm& w) {
        ++scripts;
        app().processMessages();
        sendWindowChars(w.fileNameEdit, "typed\n");
    }));
    EXPECT_EQ(save.FileName(), path("typed.qvl"));
    ASSERT_TRUE(run(save, [&](TbsSkinFileDialogForm& w) {
        ++scripts;
        app().processMessages();
        sendWindowChars(w.fileNameEdit, "returned");
        sendWindowKeyStroke(w.fileNameEdit, VK_RETURN);
    }));
    EXPECT_EQ(save.FileName(), path("returned.qvl"));
    EXPECT_FALSE(run(save, [&](TbsSkinFileDialogForm& w) {
        ++scripts;
        app().processMessages();
        sendWindowChars(w.fileNameEdit, "dropped");
        sendWindowKeyStroke(w.fileNameEdit, VK_ESCAPE);
        EXPECT_EQ(w.modalResult(), mrCancel);
    }));
    EXPECT_EQ(save.FileName(), path("returned.qvl"));
    EXPECT_EQ(scripts, 3);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(FileDialogTest, OpenNeedsAnExistingFileSelectedInTheList)
{
    TbsSkinOpenDialog open;
    open.setFilter("Quorvel files|*.qvl");
    open.setFileName(path("b.qvl"));
    bool confirmed = run(open, [&](TbsSkinFileDialogForm& w) {
        EXPECT_EQ(w.fileList.folder(), root.path().string());
        EXPECT_EQ(w.fileNameEdit.text(), "b.qvl");
        // A name typed with nothing selected in the list does nothing.
        sendKeyStroke(w.fileNameEdit, VK_RETURN);
        sendClick(w.confirmButton, 10, 10);
        EXPECT_EQ(w.modalResult(), mrNone);
        clickItem(w.fileList, "a.qvl");
        EXPECT_EQ(w.fileNameEdit.text(), "a.qvl");
        // A file that has gone keeps the dialog open, says so and reads the list again.
        fs::remove(path("a.qvl"));
        sendClick(w.confirmButton, 10, 10);
        EXPECT_EQ(w.modalResult(), mrNone);
        EXPECT_EQ(w.fileList.indexOf("a.qvl"), -1);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_NE(boxes[0].text.find(path("a.qvl")), std::string::npos);
        clickItem(w.fileList, "UPPER.QVL");
        sendClick(w.confirmButton, 10, 10);
    });
    ASSERT_TRUE(confirmed);
    EXPECT_EQ(open.FileName(), path("UPPER.QVL"));
    EXPECT_EQ(open.Files(), std::vector<std::string>{path("UPPER.QVL")});

    // A name typed over the selection opens that file, not the selected one.
    ASSERT_TRUE(run(open, [&](TbsSkinFileDialogForm& w) {
        clickItem(w.fileList, "UPPER.QVL");
        w.fileNameEdit.setText("b.qvl");
        sendKeyStroke(w.fileNameEdit, VK_RETURN);
    }));
    EXPECT_EQ(open.FileName(), path("b.qvl"));

    // Without the existence check a typed name is taken as it is.
    open.setCheckFileExists(false);
    ASSERT_TRUE(run(open, [&](TbsSkinFileDialogForm& w) {
        w.fileNameEdit.setText("new.qvl");
        sendKeyStroke(w.fileNameEdit, VK_RETURN);
    }));
    EXPECT_EQ(open.FileName(), path("new.qvl"));
}

TEST_F(FileDialogTest, DoubleClickOnAFileConfirmsEscapeAndCancelLeaveFileNameAlone)
{
    TManualTimerClock clock;
    TbsSkinOpenDialog open;
    open.setFilter("Quorvel files|*.qvl");
    open.setInitialDir(path("sub"));
    ASSERT_TRUE(run(open, [&](TbsSkinFileDialogForm& w) {
        clickItem(w.fileList, "inner.qvl");
        clickItem(w.fileList, "inner.qvl");
    }));
    EXPECT_EQ(open.FileName(), path("sub/inner.qvl"));

    EXPECT_FALSE(run(open, [&](TbsSkinFileDialogForm& w) {
        clickItem(w.fileList, "inner.qvl");
        sendKeyStroke(w.fileNameEdit, VK_ESCAPE);
        EXPECT_EQ(w.modalResult(), mrCancel);
    }));
    EXPECT_FALSE(run(open, [&](TbsSkinFileDialogForm& w) {
        w.fileList.setFocus();
        sendKeyStroke(w.fileList, VK_ESCAPE);
        EXPECT_EQ(w.modalResult(), mrCancel);
    }));
    EXPECT_FALSE(run(open, [&](TbsSkinFileDialogForm& w) {
        w.goUp();
        clickItem(w.fileList, "a.qvl");
        sendClick(w.cancelButton, 10, 10);
        EXPECT_EQ(w.modalResult(), mrCancel);
    }));
    EXPECT_EQ(open.FileName(), path("sub/inner.qvl"));
}

TEST_F(FileDialogTest, SizeFilterIndexAndViewStyleAreRememberedBetweenRuns)
{
    TbsSkinOpenDialog open;
    open.setFilter("Loans|*.qvl|Text|*.txt");
    open.setInitialDir(root.path().string());
    EXPECT_FALSE(run(open, [&](TbsSkinFileDialogForm& w) {
        EXPECT_EQ(w.clientWidth(), 450);
        EXPECT_EQ(w.clientHeight(), 290);
        EXPECT_TRUE(w.viewMenuItem(TbsViewStyle::vsList).checked());
        w.setClientSize(600, 400);
        w.filterSelector.setFocus();
        sendKeyStroke(w.filterSelector, VK_DOWN);
        w.viewMenuItem(TbsViewStyle::vsReport).click();
    }));
    EXPECT_EQ(open.DialogWidth(), 600);
    EXPECT_EQ(open.DialogHeight(), 400);
    EXPECT_EQ(open.FilterIndex(), 2);
    EXPECT_EQ(open.viewStyle(), TbsViewStyle::vsReport);
    EXPECT_FALSE(run(open, [&](TbsSkinFileDialogForm& w) {
        EXPECT_EQ(w.clientWidth(), 600);
        EXPECT_EQ(w.clientHeight(), 400);
        EXPECT_EQ(w.fileList.mask(), "*.txt");
        EXPECT_EQ(w.viewStyle(), TbsViewStyle::vsReport);
        EXPECT_TRUE(w.viewMenuItem(TbsViewStyle::vsReport).checked());
        EXPECT_FALSE(w.viewMenuItem(TbsViewStyle::vsList).checked());
        // The controls follow the size: buttons at the right, the list between the bars.
        EXPECT_EQ(w.confirmButton.left(), 600 - 80);
        EXPECT_EQ(w.bottomPanel.top(), 400 - 80);
        EXPECT_EQ(w.viewMenuButton.left() + w.viewMenuButton.width(), 600);
        w.setClientSize(500, 300);
    }));
    EXPECT_EQ(open.DialogWidth(), 500);
    EXPECT_EQ(open.DialogHeight(), 300);
}

namespace {

// Root reads every folder whatever its rights. While this lives a root process is the
// ordinary user "nobody" (root stays its saved identity, to come back to), and the tree
// it is given belongs to that user; any other process stays who it is.
class AsAnOrdinaryUser {
public:
    explicit AsAnOrdinaryUser(const fs::path& tree)
    {
        if (::geteuid() != 0)
            return;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(tree))
            ::lchown(entry.path().c_str(), nobody, nobody);
        ::lchown(tree.c_str(), nobody, nobody);
        m_switched = ::setresgid(nobody, nobody, 0) == 0 && ::setresuid(nobody, nobody, 0) == 0;
    }
    ~AsAnOrdinaryUser()
    {
        if (m_switched && ::setresuid(0, 0, 0) == 0)
            ::setresgid(0, 0, 0);
    }
    AsAnOrdinaryUser(const AsAnOrdinaryUser&) = delete;
    AsAnOrdinaryUser& operator=(const AsAnOrdinaryUser&) = delete;

private:
    static constexpr uid_t nobody = 65534;
    bool m_switched = false;
};

} // namespace

TEST_F(FileDialogTest, UnreadableFolderGivesAMessageAndTheDialogStaysWhereItWas)
{
    TbsSkinFileDialogForm& w = window();
    AsAnOrdinaryUser user(root.path());
    std::string locked = path("sub");
    ::chmod(locked.c_str(), 0);
    bool readable = ::access(locked.c_str(), R_OK | X_OK) == 0;
    if (readable) {
        ::chmod(locked.c_str(), 0755);
        SKIP_OR_FAIL_IN_CI("a folder without rights is still readable (root could not become an ordinary user)");
    }
    try {
        w.showFolder(locked);
        ADD_FAILURE() << "no error";
    } catch (const std::exception& e) {
        EXPECT_EQ(std::string(e.what()), "Error setting path: \"" + locked + "\"\rFile access denied");
    }
    EXPECT_EQ(w.fileList.folder(), root.path().string());
    EXPECT_EQ(w.folderSelector.chosenFolder(), root.path().string());

    // From the user's double click the error reaches the message box; the list stays usable.
    TManualTimerClock clock;
    clickItem(w.fileList, "sub");
    clickItem(w.fileList, "sub");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find("Error setting path"), std::string::npos);
    EXPECT_EQ(w.fileList.folder(), root.path().string());
    clickItem(w.fileList, "Other");
    clickItem(w.fileList, "Other");
    EXPECT_EQ(w.fileList.folder(), path("Other"));

    // A folder the user may not write to refuses a new folder with the I/O error.
    ::chmod(path("Other").c_str(), 0555);
    EXPECT_THROW(w.newFolder(), EInOutError);
    ::chmod(path("Other").c_str(), 0755);
    ::chmod(locked.c_str(), 0755);
    EXPECT_TRUE(fs::exists(path("sub/inner.qvl")));
}

TEST_F(FileDialogTest, MissingFolderRaisesTheSetPathError)
{
    TbsSkinFileDialogForm& w = window();
    EXPECT_THROW(
        {
            try {
                w.showFolder(path("gone"));
            } catch (const Exception& e) {
                EXPECT_EQ(e.message(), "Error setting path: \"" + path("gone") + "\"");
                throw;
            }
        },
        Exception);
    EXPECT_EQ(w.fileList.folder(), root.path().string());
}

TEST_F(FileDialogTest, NewFolderTakesTheFirstFreeNameAndLeavesExistingOnesAlone)
{
    TbsSkinFileDialogForm& w = window();
    touch(root.path() / "New Folder (2)"); // a file already has the second name
    sendClick(w.newFolderButton, 5, 5);
    sendClick(w.newFolderButton, 5, 5);
    EXPECT_TRUE(fs::is_directory(path("New Folder")));
    EXPECT_TRUE(fs::is_regular_file(path("New Folder (2)")));
    EXPECT_TRUE(fs::is_directory(path("New Folder (3)")));
    EXPECT_EQ(w.fileList.indexOf("New Folder (3)"), w.fileList.focusedItem());
    EXPECT_TRUE(w.fileList.isSelected(w.fileList.focusedItem()));
    EXPECT_GE(w.fileList.indexOf("New Folder"), 0);
    // Folders list before every file, the new ones among them.
    EXPECT_TRUE(w.fileList.item(w.fileList.indexOf("New Folder (3)")).folder);
    EXPECT_LT(w.fileList.indexOf("New Folder (3)"), w.fileList.indexOf("a.qvl"));
}

TEST_F(FileDialogTest, ChangesOnDiskRefreshTheList)
{
    TbsSkinFileDialogForm& w = window();
    touch(root.path() / "late.qvl");
    // The system queues the notice as the file is made, and the next passes of the message
    // loop deliver it; F5 reads the folder at once as well.
    for (int pass = 0; pass < 10 && w.fileList.indexOf("late.qvl") < 0; ++pass)
        app().processMessages();
    EXPECT_GE(w.fileList.indexOf("late.qvl"), 0);

    touch(root.path() / "later.qvl");
    w.fileList.setFocus();
    sendKeyStroke(w.fileList, VK_F5);
    EXPECT_GE(w.fileList.indexOf("later.qvl"), 0);

    // The shown folder vanishing: the list moves to the nearest folder left and says why.
    w.showFolder(path("Other"));
    fs::remove(path("Other"));
    sendKeyStroke(w.fileList, VK_F5);
    EXPECT_EQ(w.fileList.folder(), root.path().string());
    ASSERT_FALSE(boxes.empty());
    EXPECT_NE(boxes.back().text.find(path("Other")), std::string::npos);
}

TEST_F(FileDialogTest, DetailsColumnsAndScrollBarsEnabledOnlyWhenNeeded)
{
    TbsSkinFileDialogForm& w = window();
    EXPECT_FALSE(w.hScrollBar.enabled());
    EXPECT_FALSE(w.vScrollBar.enabled());
    w.setViewStyle(TbsViewStyle::vsReport);
    ASSERT_EQ(w.fileList.columns().size(), 4u);
    const char* captions[] = {"Name", "Size", "Type", "Modified"};
    const int chars[] = {25, 10, 10, 14};
    Bitmap probe(1, 1);
    probe.canvas().font = skinFont(
        dynamic_cast<const TbsDataSkinListView&>(ownSkin().skinControl(ownSkin().FindSkinControl("listview"))).Font,
        Font());
    int x = probe.canvas().textWidth("X");
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(w.fileList.columns()[i].caption, captions[i]);
        EXPECT_EQ(w.fileList.columns()[i].width, chars[i] * x);
    }
    EXPECT_TRUE(w.fileList.columns()[1].rightAligned);
    EXPECT_EQ(w.fileList.headerRect(0).top, 0);
    EXPECT_GT(w.fileList.itemRect(0).top, w.fileList.headerRect(0).bottom - 1);
    // The columns are wider than the list: the horizontal bar comes on.
    EXPECT_TRUE(w.hScrollBar.enabled());
    EXPECT_FALSE(w.vScrollBar.enabled());

    for (int i = 0; i < 40; ++i)
        touch(root.path() / ("many" + std::to_string(i) + ".qvl"));
    w.fileList.refresh();
    EXPECT_TRUE(w.vScrollBar.enabled());
    // Moving the focus mark to the end scrolls it into view, and the bar follows.
    w.fileList.setFocus();
    sendKeyStroke(w.fileList, VK_END);
    TRect last = w.fileList.itemRect(w.fileList.itemCount() - 1);
    EXPECT_LE(last.bottom, w.fileList.height());
    EXPECT_EQ(w.vScrollBar.Position(), w.fileList.scrollY());
    EXPECT_GT(w.fileList.scrollY(), 0);

    w.setViewStyle(TbsViewStyle::vsList);
    EXPECT_TRUE(w.hScrollBar.enabled());
    EXPECT_FALSE(w.vScrollBar.enabled());
    w.setViewStyle(TbsViewStyle::vsIcon);
    EXPECT_FALSE(w.hScrollBar.enabled());
    EXPECT_TRUE(w.vScrollBar.enabled());
}

TEST_F(FileDialogTest, ArrowKeysFollowTheLayoutOfEachView)
{
    for (int i = 0; i < 30; ++i)
        touch(root.path() / ("loan" + std::to_string(10 + i) + ".qvl"));
    TbsSkinFileDialogForm& w = window();
    TbsSkinFileListView& list = w.fileList;
    list.refresh();
    list.setFocus();
    // List: items run down a column, then into the next one.
    sendKeyStroke(list, VK_DOWN);
    EXPECT_EQ(list.focusedItem(), 1);
    EXPECT_TRUE(list.isSelected(1));
    int perColumn = list.itemRect(1).top > list.itemRect(0).top ? (list.height() / list.rowHeight()) : 1;
    sendKeyStroke(list, VK_RIGHT);
    EXPECT_EQ(list.focusedItem(), 1 + perColumn);
    EXPECT_EQ(list.itemRect(1 + perColumn).top, list.itemRect(1).top);
    EXPECT_GT(list.itemRect(1 + perColumn).left, list.itemRect(1).left);
    // Large icons: items run along a row.
    w.setViewStyle(TbsViewStyle::vsIcon);
    sendKeyStroke(list, VK_HOME);
    sendKeyStroke(list, VK_RIGHT);
    EXPECT_EQ(list.focusedItem(), 1);
    EXPECT_EQ(list.itemRect(1).top, list.itemRect(0).top);
    int perRow = list.width() / list.itemRect(0).width();
    sendKeyStroke(list, VK_DOWN);
    EXPECT_EQ(list.focusedItem(), 1 + perRow);
    // Details: Up and Down only; the end scrolls into view.
    w.setViewStyle(TbsViewStyle::vsReport);
    sendKeyStroke(list, VK_RIGHT);
    EXPECT_EQ(list.focusedItem(), 1 + perRow);
    sendKeyStroke(list, VK_END);
    EXPECT_EQ(list.focusedItem(), list.itemCount() - 1);
    EXPECT_LE(list.itemRect(list.itemCount() - 1).bottom, list.height());
    EXPECT_EQ(w.fileNameEdit.text(), list.item(list.itemCount() - 1).name);
    // Dragging the scroll bar moves the list with it.
    w.vScrollBar.setPosition(0);
    EXPECT_EQ(list.scrollY(), 0);
    EXPECT_EQ(list.itemRect(0).top, list.headerRect(0).bottom);
}

TEST_F(FileDialogTest, MultiSelectionCollectsEverySelectedFile)
{
    TbsSkinOpenDialog open;
    open.setFilter("Quorvel files|*.qvl");
    open.setInitialDir(root.path().string());
    open.setMultiSelection(true);
    int notices = 0;
    open.onFolderChange = [&] { ++notices; };
    ASSERT_TRUE(run(open, [&](TbsSkinFileDialogForm& w) {
        clickItem(w.fileList, "a.qvl");
        int index = w.fileList.indexOf("UPPER.QVL");
        w.fileList.setFocus();
        sendKeyStroke(w.fileList, VK_END, ssShift);
        EXPECT_EQ(w.fileList.selCount(), 3);
        EXPECT_EQ(w.fileList.focusedItem(), index);
        // Setting FileName while the window shows puts the name into the edit.
        open.setFileName(path("b.qvl"));
        EXPECT_EQ(w.fileNameEdit.text(), "b.qvl");
        // Enter in the list confirms with the selected file.
        sendKeyStroke(w.fileList, VK_RETURN);
    }));
    EXPECT_EQ(open.FileName(), path("b.qvl"));
    EXPECT_EQ(open.Files(), (std::vector<std::string>{path("a.qvl"), path("b.qvl"), path("UPPER.QVL")}));
    EXPECT_GE(notices, 2);
}

TEST_F(FileDialogTest, FolderSelectorListAndViewMenuWorkFromKeysAndMouse)
{
    TbsSkinFileDialogForm& w = window();
    w.folderSelector.setFocus();
    sendKeyStroke(w.folderSelector, VK_F4);
    ASSERT_TRUE(w.folderSelector.droppedDown());
    TbsSkinDropDownList& list = *w.folderSelector.dropDownList();
    EXPECT_EQ(list.hotItem(), w.folderSelector.itemCount() - 1);
    sendKeyStroke(list, VK_ESCAPE);
    EXPECT_FALSE(w.folderSelector.droppedDown());
    EXPECT_EQ(w.modalResult(), mrNone); // Esc closed the list, not the dialog
    EXPECT_EQ(w.fileList.folder(), root.path().string());
    sendKeyStroke(w.folderSelector, VK_F4);
    sendKeyStroke(list, VK_UP);
    sendKeyStroke(list, VK_RETURN);
    EXPECT_FALSE(w.folderSelector.droppedDown());
    EXPECT_EQ(w.fileList.folder(), root.path().parent_path().string());
    // A click on a line of the open list shows that folder.
    sendMouseDown(w.folderSelector, 5, 5);
    ASSERT_TRUE(w.folderSelector.droppedDown());
    TPoint top = centre(list.itemRect(1));
    sendMouseUp(list, top.x, top.y);
    EXPECT_EQ(w.fileList.folder(), "/");

    sendMouseDown(w.viewMenuButton, 5, 5);
    ASSERT_TRUE(w.viewMenuButton.menuOpen());
    TbsSkinMenu& menu = w.viewMenuButton.menuEngine();
    ASSERT_EQ(menu.level(0).itemCount(), 4);
    EXPECT_EQ(menu.level(0).item(3).caption(), "Details");
    menu.choose(menu.level(0), 3);
    EXPECT_FALSE(w.viewMenuButton.menuOpen());
    EXPECT_FALSE(w.viewMenuButton.pressed());
    EXPECT_EQ(w.viewStyle(), TbsViewStyle::vsReport);
    EXPECT_TRUE(w.viewMenuItem(TbsViewStyle::vsReport).checked());
    EXPECT_FALSE(w.viewMenuItem(TbsViewStyle::vsList).checked());
}

TEST_F(FileDialogTest, TextsComeFromTheStringTableWhenTheModelHasOne)
{
    TbsSkinData model;
    EXPECT_EQ(dialogText(&model, "MSG_BTN_OPEN", "&Open"), "&Open");
    TbsResourceStrData strings;
    strings.ResStrings = {"MSG_BTN_OPEN=&Ouvrir", "FLV_LOOKIN=Regarder dans : "};
    model.setResourceStrData(&strings);
    EXPECT_EQ(dialogText(&model, "MSG_BTN_OPEN", "&Open"), "&Ouvrir");
    EXPECT_EQ(dialogText(&model, "MSG_BTN_CANCEL", "Cancel"), "Cancel");
    TbsSkinFileDialogForm w(TbsFileDialogMode::Open, &model, ui);
    EXPECT_EQ(w.confirmButton.Caption(), "&Ouvrir");
    EXPECT_EQ(w.lookInLabel.Caption(), "Regarder dans : ");
    model.setResourceStrData(nullptr);
}

} // namespace

TEST_F(FileDialogTest, ARunsWindowWearsTheSkinnedFrameWithoutCaptionButtons)
{
    TbsSkinOpenDialog open;
    open.setSkinData(&ownSkin());
    open.setCtrlSkinData(&ownSkin());
    open.setDialogMinWidth(300);
    open.setDialogMinHeight(200);
    open.setInitialDir(root.path().string());
    EXPECT_FALSE(run(open, [&](TbsSkinFileDialogForm& w) {
        EXPECT_EQ(w.skinForm.SkinData(), &ownSkin());
        EXPECT_EQ(w.skinForm.MenusSkinData(), &ownSkin());
        EXPECT_EQ(w.skinForm.BorderIcons(), 0u);
        EXPECT_EQ(w.skinForm.MinWidth(), 300);
        EXPECT_EQ(w.skinForm.MinHeight(), 200);
        // The frame's borders sit around the client area the dialog asked for.
        EXPECT_EQ(w.clientWidth(), 450);
        EXPECT_EQ(w.clientHeight(), 290);
        TRect margins = w.skinForm.clientMargins();
        EXPECT_EQ(margins.left, 7);
        EXPECT_EQ(margins.top, 30);
    }));
}

TEST_F(FileDialogTest, ScreenReaderReadsTheEntriesAsAListAndFollowsTheSelection)
{
    TbsSkinFileDialogForm& w = window();
    TAccessibleNode list = accessibleTree(w.fileList);
    EXPECT_EQ(list.role, "list");
    EXPECT_EQ(list.name, "") << "no label stands before the list";
    ASSERT_EQ(list.children.size(), 5u);
    EXPECT_EQ(list.children[2].role, "list item");
    EXPECT_EQ(list.children[2].name, "a.qvl");

    TAccessibleEventLog log;
    ASSERT_TRUE(accessibleDoAction(w.fileList, {3}, TAccessibleAction::Press));
    EXPECT_EQ(w.fileList.focusedItem(), 3);
    EXPECT_TRUE(accessibleTree(w.fileList).children[3].has(asSelected));
    EXPECT_FALSE(accessibleTree(w.fileList).children[2].has(asSelected));
    EXPECT_TRUE(log.contains("selection-within", ""));

    // Another folder's entries are read anew.
    w.fileList.setFolder(path("sub"));
    list = accessibleTree(w.fileList);
    ASSERT_EQ(list.children.size(), 1u);
    EXPECT_EQ(list.children[0].name, "inner.qvl");
}

TEST_F(FileDialogTest, ScreenReaderFindsTheBoxesTheNameFieldAndThePictureButtonsByName)
{
    TbsSkinFileDialogForm& w = window();
    TAccessibleNode tree = accessibleTree(w);
    const TAccessibleNode* lookIn = tree.find("combo box", "Look in");
    ASSERT_NE(lookIn, nullptr);
    EXPECT_EQ(lookIn->actions, std::vector<std::string>{"open"});
    EXPECT_NE(lookIn->value, "");
    EXPECT_NE(tree.find("combo box", "File type"), nullptr);
    EXPECT_NE(tree.find("text", "File name"), nullptr);
    EXPECT_NE(tree.find("push button", "Up One Level"), nullptr);
    EXPECT_NE(tree.find("list"), nullptr);
}
