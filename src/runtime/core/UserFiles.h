#pragma once

#include <string>

namespace qv {

// Where the program keeps the files it writes for the user (example.qvl, info.ini):
// beside the executable when that folder is writable (a build tree, a portable
// copy), otherwise the user's data folder. Always ends with a separator.
std::string userFilesFolder(const std::string& programFolder);

// $XDG_DATA_HOME/quorvane/, or ~/.local/share/quorvane/ when that is unset or not
// an absolute path; not created.
std::string userDataFolder();

// True when the folder's permission bits let this process's user write into it
// and it is not on a read-only file system. Root's power to override the bits is
// deliberately ignored: a tree made read-only stays read-only for the program.
bool folderIsWritable(const std::string& folder);

// Creates the folder and missing parents with owner-only permissions. Raises the
// runtime's I/O error when it cannot.
void createPrivateFolder(const std::string& folder);

} // namespace qv
