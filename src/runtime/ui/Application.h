#pragma once

#include "runtime/graphics/Bitmap.h"
#include "runtime/ui/UiServices.h"

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace qv {

class TForm;

// The process's one application object: its windows, its message loop and the
// default handling of every error that leaves an event handler.
class TApplication {
public:
    // argv[0] names the executable; the program looks for its files beside it. The
    // default error display shows its boxes through services.messageBox.
    TApplication(int& argc, char** argv, UiServices services = desktopUiServices());
    ~TApplication();
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    static TApplication& instance();
    static bool exists();

    const std::string& title() const { return m_title; }
    void setTitle(const std::string& title) { m_title = title; }
    const std::string& exeName() const { return m_exeName; }
    // The executable's folder with its trailing separator.
    const std::string& exeDir() const { return m_exeDir; }

    // The name of the program's desktop entry without ".desktop": the window
    // system learns from it which entry, and so which icon, the windows belong to.
    // Takes effect for windows created afterwards.
    void setDesktopFileName(const std::string& name);
    // The picture every window shows in task bars and window switchers, given at
    // several sizes so that none has to be scaled.
    void setIcon(const std::vector<Bitmap>& sizes);

    // Creates a form, runs its creation handler (an error there is shown and
    // creation goes on) and keeps it for the life of the application. The
    // first form created is the main form.
    template <class F, class... Args> F& createForm(Args&&... args)
    {
        auto form = std::make_unique<F>(std::forward<Args>(args)...);
        F& ref = *form;
        adoptForm(std::move(form));
        return ref;
    }
    TForm* mainForm() const { return m_mainForm; }
    const std::vector<std::unique_ptr<TForm>>& forms() const { return m_forms; }

    // Shows the main form and runs the message loop until the main form closes
    // or termination is requested. Returns at once when already terminated.
    void run();
    // Ends the message loop once the current handler returns.
    void terminate();
    // SIGTERM, SIGHUP or SIGINT arrived: closes the main window as its close
    // button does (a second signal ends the process at once).
    void endRequested();
    bool terminated() const { return m_terminated; }
    // Handles pending messages and frees the widgets of controls destroyed since
    // the last pass; call it from outside event handlers.
    void processMessages();

    // The default error display: a message box with the error's text, titled
    // with the application's title, error icon.
    void showException(const std::exception& error);
    void showException(const std::string& message);

    // Runs fn; an error leaving it goes to the default error display. Returns
    // false when fn raised.
    static bool guard(const std::function<void()>& fn);

private:
    void adoptForm(std::unique_ptr<TForm> form);

    class Impl;
    std::unique_ptr<Impl> m_impl;
    UiServices m_ui;
    std::string m_title = "Quorvane";
    std::string m_exeName;
    std::string m_exeDir;
    std::vector<std::unique_ptr<TForm>> m_forms;
    TForm* m_mainForm = nullptr;
    bool m_terminated = false;
};

} // namespace qv
