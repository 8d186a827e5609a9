#pragma once

#include <string>

namespace qv {

// A skin as a folder: SKIN.INI and the BMP files its [PICTURES] section names.
// Both raise Exception with a message that names the file or section at fault.

// The inflated archive built from such a folder: version 3, the frame pictures,
// the listed active pictures and the INI lines joined by CR LF. A folder whose
// SKIN.INI lacks [VERSION], [PICTURES], [FORMINFO], [SKINOBJECTS] or [SKINCONTROLS] is refused.
std::string packSkinFolder(const std::string& dir);

// Writes archive.bin (the archive byte for byte), SKIN.INI and every picture as a
// BMP under its [PICTURES] name; returns the number of files written.
int exportSkinArchive(const std::string& archive, const std::string& dir);

} // namespace qv
