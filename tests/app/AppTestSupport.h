#pragma once

#include "app/main/MainForm.h"
#include "report/ui/ReportWindows.h"
#include "report/ui/TRPSetupForm.h"
#include "report/ui/TRpPreviewForm.h"
#include "runtime/core/MainThreadCall.h"
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

// While it lives, check runs at every pass of the message loop, a modal window's loop
// included: a window the test waits for is answered as soon as it shows, however slow
// the machine, with no time passing for it.
class EveryLoopPass {
public:
    explicit EveryLoopPass(std::function<void()> check) : m_state(std::make_shared<State>())
    {
        m_state->check = std::move(check);
        next(m_state);
    }
    ~EveryLoopPass() { m_state->alive = false; }
    EveryLoopPass(const EveryLoopPass&) = delete;
    EveryLoopPass& operator=(const EveryLoopPass&) = delete;

private:
    struct State {
        std::function<void()> check;
        bool alive = true;
    };
    // Queued before the check runs, so a loop the check itself starts still sees it.
    static void next(std::shared_ptr<State> state)
    {
        postToMainThread([state] {
            if (!state->alive)
                return;
            next(state);
            TApplication::guard(state->check);
        });
    }
    std::shared_ptr<State> m_state;
};

// While it lives, every window find() names is answered once it shows, at the next pass
// of the message loop (its own modal loop included).
template <class Window> class AnswerEachShown {
public:
    AnswerEachShown(Window* (*find)(), std::function<void(Window&)> answer)
        : m_find(find), m_answer(std::move(answer))
    {
    }
    int shown() const { return m_shown; }

private:
    Window* (*m_find)();
    std::function<void(Window&)> m_answer;
    Window* m_answered = nullptr;
    int m_shown = 0;
    EveryLoopPass m_watch{[this] {
        Window* window = m_find();
        if (!window || !window->showing()) {
            m_answered = nullptr;
            return;
        }
        if (window == m_answered)
            return;
        m_answered = window;
        ++m_shown;
        m_answer(*window);
    }};
};

// While it lives, every Output Options window that opens is answered with OK, so a
// Report click runs on to its delivery.
class AcceptOutputOptions : public AnswerEachShown<TRPSetupForm> {
public:
    AcceptOutputOptions()
        : AnswerEachShown(currentSetupWindow, [](TRPSetupForm& setup) { sendClick(setup.bbtnOK, 10, 10); })
    {
    }
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
class ClosePreviews : public AnswerEachShown<TRpPreviewForm> {
public:
    explicit ClosePreviews(std::function<void(TRpPreviewForm&)> onShown = {})
        : AnswerEachShown(currentPreviewWindow, [onShown = std::move(onShown)](TRpPreviewForm& preview) {
            if (onShown)
                onShown(preview);
            sendKeyStroke(preview.ScrollBox1, VK_ESCAPE);
        })
    {
    }
};

// A main window as the program creates it, with message boxes, shell requests
// and file dialogs answered by the test.
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
