#pragma once

#include "runtime/ui/UiServices.h"

#include <vector>

namespace qv::test {

// The message boxes of a test program, each answered at once with OK. The program's
// one application and the windows its tests make show their boxes here instead of on
// the desktop; a test clears the list before it acts.
inline std::vector<MessageBoxCall>& recordedBoxes()
{
    static std::vector<MessageBoxCall> boxes;
    return boxes;
}

// The list emptied, for a test about to act.
inline std::vector<MessageBoxCall>& clearedBoxes()
{
    recordedBoxes().clear();
    return recordedBoxes();
}

// The services given, with message boxes recorded instead of shown.
inline UiServices recordingBoxes(UiServices services = desktopUiServices())
{
    services.messageBox = [](const MessageBoxCall& call) {
        recordedBoxes().push_back(call);
        return int(IDOK);
    };
    return services;
}

} // namespace qv::test
