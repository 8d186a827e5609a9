#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qv {

// One entry of a folder as the file dialogs show it.
struct TShellItem {
    std::string name;
    std::string path;
    bool folder = false;
    std::int64_t size = 0;
    // The details columns: type name ("File folder", "QVL File"), size and date texts.
    std::string typeName;
    std::string sizeText;
    std::string modifiedText;
};

// A line of the folder selector: a place or a folder on the way to the shown one.
struct TShellPlace {
    std::string name;
    std::string path;
    int indent = 0;
};

// The column the details view shows for a folder: caption, width in characters.
struct TShellColumn {
    std::string caption;
    int chars = 10;
    bool rightAligned = false;
};

// Absolute, without "." and ".." parts and without a trailing separator (the root keeps its "/").
std::string shellNormalPath(const std::string& path);
// "" for the root.
std::string shellParentFolder(const std::string& folder);
std::string shellJoin(const std::string& folder, const std::string& name);
std::string shellFileNameOf(const std::string& path);
bool shellFolderExists(const std::string& path);
bool shellFileExists(const std::string& path);
bool shellEntryExists(const std::string& path);
std::string shellHomeFolder();

// Sub-folders and files of folder (hidden entries left out), folders first, then by
// name without regard to case. Raises "Error setting path: "<folder>"" when the folder
// does not exist or is no folder, with the reason on a second line when it exists but
// cannot be read.
std::vector<TShellItem> shellListFolder(const std::string& folder);
// The details columns this layer knows for a folder; none, so callers use their own.
std::vector<TShellColumn> shellDetailColumns(const std::string& folder);
// Home, the root and every folder from the root down to current, indented by depth.
std::vector<TShellPlace> shellPlaces(const std::string& current);
// Creates one folder; the runtime's I/O error when it cannot.
void shellCreateFolder(const std::string& path);

} // namespace qv
