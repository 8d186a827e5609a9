#pragma once

#include <functional>
#include <memory>
#include <string>

namespace qv {

// Tells when entries of one folder are added, removed or renamed. The notice
// arrives on the user-interface thread from the message loop.
class TShellFolderWatcher {
public:
    TShellFolderWatcher();
    ~TShellFolderWatcher();
    TShellFolderWatcher(const TShellFolderWatcher&) = delete;
    TShellFolderWatcher& operator=(const TShellFolderWatcher&) = delete;

    // Watches folder instead of the previous one; "" stops watching.
    void watch(const std::string& folder);
    const std::string& folder() const { return m_folder; }

    std::function<void()> onChange;

private:
    class Impl;
    std::unique_ptr<Impl> m_impl;
    std::string m_folder;
};

} // namespace qv
