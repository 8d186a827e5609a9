#pragma once

#include "app/main/MainForm.h"
#include "report/ui/ReportWindows.h"
#include "report/ui/TRPSetupForm.h"
#include "report/ui/TRpPreviewForm.h"
#include "runtime/core/RegionalSettings.h"
#include "runtime/ui/Application.h"
#include "runtime/ui/Dialogs.h"
#include "runtime/ui/Input.h"
#include "runtime/ui/Shell.h"
#include "runtime/ui/Timer.h"
#include "skin/dialogs/SkinFileDialog.h"
#include "support/RecordedBoxes.h"
#include "support/ScratchDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace qv::test {

// The folder the test program pretends to run from: info.ini and example.qvl live there.
inline const std::string& exeDir()
{
    // Death tests re-run this program; the child finds the parent's folder in the environment.
    static const std::string dir = [] {
        if (const char* inherited = std::getenv("QUORVANE_TEST_EXE_DIR"))
            return std::string(inherited);
        static ScratchDir scratch("quorvane-app-test");
        setenv("QUORVANE_TEST_EXE_DIR", scratch.folder().c_str(), 1);
        return scratch.folder();
    }();
    return dir;
}

inline TApplication& app()
{
    static std::string program = exeDir() + "quorvane";
    static int argc = 1;
    static char* argv[] = {program.data(), nullptr};
    // Never destroyed: Qt cannot be torn down during static destruction.
    static TApplication* application = new TApplication(argc, argv, recordingBoxes());
    return *application;
}

inline std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void writeFile(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

// A main window as the program creates it, with message boxes, shell requests
// and file dialogs answered by the test.
// While it lives, every Output Options window that opens is answered with OK, so a
// Report click runs on to its delivery.
class AcceptOutputOptions {
public:
    AcceptOutputOptions()
    {
        m_timer.setInterval(10);
        m_timer.onTimer = [this] {
            if (TRPSetupForm* setup = currentSetupWindow(); setup && setup != m_answered) {
                m_answered = setup;
                ++m_shown;
                sendClick(setup->bbtnOK, 10, 10);
            }
        };
        m_timer.setEnabled(true);
    }
    int shown() const { return m_shown; }

private:
    TTimer m_timer;
    TRPSetupForm* m_answered = nullptr;
    int m_shown = 0;
};

// Answers the main window's file dialogs as a user would: shows the folder of path,
// types its name (Open also selects it in the list) and confirms. An empty path
// cancels. check, when given, sees the window first.
inline void answerFileDialogs(TfrmMain& window, const std::string& path,
                              std::function<void(TbsSkinFileDialogForm&)> check = {})
{
    auto answer = [path, check](TbsSkinFileDialogForm& w) {
        if (check)
            check(w);
        if (path.empty()) {
            sendClick(w.cancelButton, 10, 10);
            return;
        }
        std::filesystem::path chosen(path);
        w.showFolder(chosen.parent_path().string());
        w.fileList.selectItem(w.fileList.indexOf(chosen.filename().string()));
        w.fileNameEdit.setText(chosen.filename().string());
        sendKeyStroke(w.fileNameEdit, VK_RETURN);
        if (w.modalResult() == mrNone)
            w.setModalResult(mrCancel);
    };
    window.OpenDialog1.onShown = answer;
    window.SaveDialog1.onShown = answer;
}

// While it lives, every Report Preview that opens is looked at (onShown) and closed with
// Esc, so a Report click returns.
class ClosePreviews {
public:
    explicit ClosePreviews(std::function<void(TRpPreviewForm&)> onShown = {}) : m_onShown(std::move(onShown))
    {
        m_timer.setInterval(10);
        m_timer.onTimer = [this] {
            TRpPreviewForm* preview = currentPreviewWindow();
            if (!preview || preview == m_closed || !preview->showing())
                return;
            m_closed = preview;
            ++m_shown;
            if (m_onShown)
                m_onShown(*preview);
            sendKeyStroke(preview->ScrollBox1, VK_ESCAPE);
        };
        m_timer.setEnabled(true);
    }
    int shown() const { return m_shown; }

private:
    std::function<void(TRpPreviewForm&)> m_onShown;
    TTimer m_timer;
    TRpPreviewForm* m_closed = nullptr;
    int m_shown = 0;
};

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        app();
        m_regional = std::make_unique<ScopedRegionalSettings>(RegionalSettings::posix());
        std::filesystem::remove(exeDir() + "info.ini");
        std::filesystem::remove(exeDir() + "example.qvl");
        boxes.clear();
    }

    void TearDown() override
    {
        form.reset();
        app().processMessages();
    }

    // Creates and shows the window the way start-up does.
    TfrmMain& start(const std::string& fileToOpen = {})
    {
        form = std::make_unique<TfrmMain>(fileToOpen, ui());
        TApplication::guard([&] { form->doCreate(); });
        form->showAndRaise();
        app().processMessages();
        return *form;
    }

    void calculate(const std::string& amount, const std::string& rate, const std::string& term)
    {
        form->txtAmount.setText(amount);
        form->txtRate.setText(rate);
        form->txtTerm.setText(term);
        sendClick(form->btnCal, 5, 5);
    }

    // The desktop, except that message boxes and what the windows open are only recorded.
    UiServices ui()
    {
        UiServices services = recordingBoxes();
        services.shellOpen = [this](const std::string& target) {
            opened.push_back(target);
            return true;
        };
        return services;
    }

    std::unique_ptr<TfrmMain> form;
    // The boxes of the window and of the application's error display, in order.
    std::vector<MessageBoxCall>& boxes = recordedBoxes();
    std::vector<std::string> opened;

private:
    std::unique_ptr<ScopedRegionalSettings> m_regional;
};

} // namespace qv::test
