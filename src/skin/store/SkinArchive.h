#pragma once

#include "skin/store/ZlibStreams.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

constexpr int32_t skinArchiveVersion = 3;

class ESkinArchiveError : public Exception {
public:
    using Exception::Exception;
};

int32_t readInt32(TByteStream& stream);
void writeInt32(TByteStream& stream, int32_t value);

// One BMP file taken from a stream exactly to the end its own size field gives.
// Raises EStreamReadError when the stream is short and ESkinArchiveError when the bytes
// do not begin like a BMP or claim an impossible size.
std::string readBmpFile(TByteBuffer& stream);
// The same BMP in place: a view into the stream's bytes, valid while they are.
std::string_view takeBmpFile(TByteBuffer& stream);

// The inflated skin archive with its items located in place, not copied: the
// pictures and the INI text are views into the archive's bytes.
struct TbsSkinArchiveView {
    int32_t version = skinArchiveVersion;
    std::optional<std::string_view> mainPicture;
    std::optional<std::string_view> inactivePicture;
    std::optional<std::string_view> maskPicture;
    std::vector<std::string_view> activePictures;
    std::string_view iniText;

    // Reads the layout; a version above 3 stops after the version (nothing else is set).
    static TbsSkinArchiveView read(TByteBuffer& stream);
};

// The inflated skin archive, pictures kept as the BMP files they were stored as.
struct TbsSkinArchive {
    int32_t version = skinArchiveVersion;
    std::optional<std::string> mainPicture;
    std::optional<std::string> inactivePicture;
    std::optional<std::string> maskPicture;
    std::vector<std::string> activePictures;
    std::string iniText;

    // Reads the layout; a version above 3 stops after the version (nothing else is set).
    static TbsSkinArchive read(TByteBuffer& stream);
    // The layout as this program writes it: version 3, no obsolete pictures.
    std::string write() const;
};

} // namespace qv
