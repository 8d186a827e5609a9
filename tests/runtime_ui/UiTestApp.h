#pragma once

#include "runtime/ui/Application.h"
#include "runtime/ui/Dialogs.h"
#include "support/ScratchDir.h"

#include <string>
#include <vector>

namespace qv::test {

// One application object for the whole test program, with message boxes recorded.
inline TApplication& app()
{
    static int argc = 1;
    static ScratchDir exeFolder("quorvane-ui-test");
    static std::string program = exeFolder.file("quorvane");
    static char* argv[] = {program.data(), nullptr};
    // Never destroyed: Qt cannot be torn down during static destruction.
    static TApplication* application = new TApplication(argc, argv);
    return *application;
}

inline std::vector<MessageBoxCall>& recordedBoxes()
{
    static std::vector<MessageBoxCall> boxes;
    return boxes;
}

inline void recordMessageBoxes()
{
    recordedBoxes().clear();
    setMessageBoxHook([](const MessageBoxCall& call) {
        recordedBoxes().push_back(call);
        return int(IDOK);
    });
}

} // namespace qv::test
