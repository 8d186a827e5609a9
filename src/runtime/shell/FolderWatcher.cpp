#include "runtime/shell/FolderWatcher.h"

#include <QFileSystemWatcher>
#include <QObject>

namespace qv {

class TShellFolderWatcher::Impl {
public:
    QFileSystemWatcher watcher;
};

TShellFolderWatcher::TShellFolderWatcher() : m_impl(std::make_unique<Impl>())
{
    QObject::connect(&m_impl->watcher, &QFileSystemWatcher::directoryChanged, [this](const QString&) {
        if (onChange)
            onChange();
    });
}

TShellFolderWatcher::~TShellFolderWatcher() = default;

void TShellFolderWatcher::watch(const std::string& folder)
{
    if (folder == m_folder)
        return;
    if (!m_impl->watcher.directories().isEmpty())
        m_impl->watcher.removePaths(m_impl->watcher.directories());
    m_folder = folder;
    // A folder that cannot be watched (gone, no rights, no watches left) simply sends no notices.
    if (!folder.empty())
        m_impl->watcher.addPath(QString::fromStdString(folder));
}

} // namespace qv
