#include "runtime/shell/ShellFolders.h"

#include "runtime/core/DateTime.h"
#include "runtime/core/Exception.h"
#include "runtime/core/FileErrors.h"
#include "runtime/core/Text.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <sys/stat.h>

namespace qv {

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

std::string typeNameOf(const QFileInfo& info)
{
    if (info.isDir())
        return "File folder";
    std::string suffix = info.suffix().toUpper().toStdString();
    return suffix.empty() ? "File" : suffix + " File";
}

// Whole kilobytes, rounded up, as desktop file lists show sizes.
std::string sizeTextOf(std::int64_t bytes) { return std::to_string((bytes + 1023) / 1024) + " KB"; }

std::string modifiedTextOf(const QFileInfo& info)
{
    QDateTime when = info.lastModified();
    if (!when.isValid())
        return "";
    QDate d = when.date();
    return dateToStr(encodeDate(d.year(), d.month(), d.day())) + " " + when.time().toString("hh:mm").toStdString();
}

Exception pathError(const std::string& folder, const std::string& reason = {})
{
    std::string text = "Error setting path: \"" + folder + "\"";
    if (!reason.empty())
        text += "\r" + reason;
    return Exception(text);
}

} // namespace

std::string shellNormalPath(const std::string& path)
{
    if (path.empty())
        return QDir::currentPath().toStdString();
    return QDir::cleanPath(QFileInfo(q(path)).absoluteFilePath()).toStdString();
}

std::string shellParentFolder(const std::string& folder)
{
    std::string clean = shellNormalPath(folder);
    if (clean == "/")
        return "";
    size_t slash = clean.find_last_of('/');
    return slash == 0 ? "/" : clean.substr(0, slash);
}

std::string shellJoin(const std::string& folder, const std::string& name)
{
    if (!folder.empty() && folder.back() == '/')
        return folder + name;
    return folder + "/" + name;
}

std::string shellFileNameOf(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool shellFolderExists(const std::string& path) { return !path.empty() && QFileInfo(q(path)).isDir(); }
bool shellFileExists(const std::string& path) { return !path.empty() && QFileInfo(q(path)).isFile(); }
bool shellEntryExists(const std::string& path)
{
    struct stat st;
    return !path.empty() && ::lstat(path.c_str(), &st) == 0;
}

std::string shellHomeFolder() { return QDir::homePath().toStdString(); }

std::vector<TShellItem> shellListFolder(const std::string& folder)
{
    QFileInfo info(q(folder));
    if (folder.empty() || !info.isDir())
        throw pathError(folder);
    QDir dir(q(folder));
    if (!info.isReadable() || !info.isExecutable() || !dir.isReadable())
        throw pathError(folder, "File access denied");
    errno = 0;
    QFileInfoList entries = dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::NoSort);
    std::vector<TShellItem> items;
    items.reserve(static_cast<size_t>(entries.size()));
    for (const QFileInfo& e : entries) {
        // A link whose target is gone is neither file nor folder to the user.
        if (!e.exists())
            continue;
        TShellItem item;
        item.name = e.fileName().toStdString();
        item.path = shellJoin(shellNormalPath(folder), item.name);
        item.folder = e.isDir();
        item.size = item.folder ? 0 : e.size();
        item.typeName = typeNameOf(e);
        item.sizeText = item.folder ? "" : sizeTextOf(item.size);
        item.modifiedText = modifiedTextOf(e);
        items.push_back(std::move(item));
    }
    std::sort(items.begin(), items.end(), [](const TShellItem& a, const TShellItem& b) {
        if (a.folder != b.folder)
            return a.folder;
        std::string la = lower(a.name), lb = lower(b.name);
        return la != lb ? la < lb : a.name < b.name;
    });
    return items;
}

std::vector<TShellColumn> shellDetailColumns(const std::string&) { return {}; }

std::vector<TShellPlace> shellPlaces(const std::string& current)
{
    std::vector<TShellPlace> places;
    places.push_back({"Home", shellHomeFolder(), 0});
    places.push_back({"/", "/", 0});
    std::vector<std::string> chain;
    for (std::string f = shellNormalPath(current); !f.empty() && f != "/"; f = shellParentFolder(f))
        chain.push_back(f);
    int depth = 1;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        places.push_back({shellFileNameOf(*it), *it, depth++});
    return places;
}

void shellCreateFolder(const std::string& path)
{
    if (::mkdir(path.c_str(), 0777) != 0)
        throw ioError(errno, path);
}

} // namespace qv
