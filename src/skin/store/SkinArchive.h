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

// The inflated skin archive's items over a kind of bytes: views for the load, which
// locates them in place, or owned copies for whoever edits and writes an archive.
template <class Bytes>
struct TbsSkinArchiveItems {
    int32_t version = skinArchiveVersion;
    std::optional<Bytes> mainPicture;
    std::optional<Bytes> inactivePicture;
    std::optional<Bytes> maskPicture;
    std::vector<Bytes> activePictures;
    Bytes iniText;
};

// The pictures and the INI text as views into the archive's bytes, valid while they are.
struct TbsSkinArchiveView : TbsSkinArchiveItems<std::string_view> {
    // Reads the layout; a version above 3 stops after the version (nothing else is set).
    static TbsSkinArchiveView read(TByteBuffer& stream);
};

// The pictures kept as the BMP files they were stored as.
struct TbsSkinArchive : TbsSkinArchiveItems<std::string> {
    // As the view reads it, copied.
    static TbsSkinArchive read(TByteBuffer& stream);
    // The layout as this program writes it: version 3, no obsolete pictures.
    std::string write() const;
};

} // namespace qv
