#pragma once

#include "runtime/ui/Dialogs.h"
#include "runtime/ui/PopupMenu.h"
#include "runtime/ui/Shell.h"

#include <functional>
#include <string>

namespace qv {

// What the windows ask of the desktop besides drawing. The application owns one and
// hands it to the windows it creates; a test hands a window its own, with fakes,
// naming only the services it fakes (the others start empty).
struct UiServices {
    // The short warning sound of a refused keystroke.
    std::function<void()> beep{};
    // Opens a web address, a "Mailto:" address or a file; false when nothing could.
    std::function<bool(const std::string& target)> shellOpen{};
    // Shows the sub-items of items as a pop-up menu at a screen point and runs the chosen one.
    std::function<void(TMenuItem& items, TPoint screen)> popupMenu{};
    // The file a file dialog's user picks, or nothing for Cancel; may set its filterIndex.
    std::function<std::optional<std::string>(TFileDialog& dialog)> chooseFile{};
    // Shows a message box and answers the button that closed it (IDOK, IDYES, ...).
    std::function<int(const MessageBoxCall& call)> messageBox{};
};

// The desktop's own services, for the program and for tools without fakes.
inline UiServices desktopUiServices()
{
    UiServices services;
    services.beep = systemBeep;
    services.shellOpen = qv::shellOpen;
    services.popupMenu = qv::popupMenu;
    services.chooseFile = chooseFileOnDesktop;
    services.messageBox = messageBoxOnDesktop;
    return services;
}

} // namespace qv
