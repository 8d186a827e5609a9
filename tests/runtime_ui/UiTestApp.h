#pragma once

#include "runtime/ui/Application.h"
#include "runtime/ui/Dialogs.h"
#include "support/RecordedBoxes.h"
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
    static TApplication* application = new TApplication(argc, argv, recordingBoxes());
    return *application;
}

// Starts a test with no box recorded yet.
inline void recordMessageBoxes() { recordedBoxes().clear(); }

} // namespace qv::test
