#include "skin/store/SkinArchive.h"

#include <cstring>

namespace qv {

namespace {

// 14-byte file header and the smallest DIB header.
constexpr int64_t bmpMinimumSize = 14 + 12;

std::optional<std::string_view> takeFlaggedBmp(TByteBuffer& stream)
{
    char flag = 0;
    stream.readBuffer(&flag, 1);
    if (flag != 0)
        return std::nullopt;
    return takeBmpFile(stream);
}

std::optional<std::string> copied(const std::optional<std::string_view>& bmp)
{
    return bmp ? std::optional<std::string>(*bmp) : std::nullopt;
}

void writeFlaggedBmp(TByteStream& stream, const std::optional<std::string>& bmp)
{
    char flag = bmp ? 0 : 1;
    stream.write(&flag, 1);
    if (bmp)
        stream.write(bmp->data(), static_cast<int64_t>(bmp->size()));
}

} // namespace

int32_t readInt32(TByteStream& stream)
{
    unsigned char b[4];
    stream.readBuffer(b, 4);
    return static_cast<int32_t>(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24);
}

void writeInt32(TByteStream& stream, int32_t value)
{
    auto v = static_cast<uint32_t>(value);
    unsigned char b[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
        static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
    stream.write(b, 4);
}

std::string_view takeBmpFile(TByteBuffer& stream)
{
    unsigned char header[6];
    int64_t const start = stream.position();
    stream.readBuffer(header, sizeof header);
    if (header[0] != 'B' || header[1] != 'M')
        throw ESkinArchiveError("Bitmap image is not valid");
    uint32_t size = uint32_t(header[2]) | uint32_t(header[3]) << 8 | uint32_t(header[4]) << 16 | uint32_t(header[5]) << 24;
    if (size < bmpMinimumSize || size > 0x7FFFFFFF)
        throw ESkinArchiveError("Bitmap image is not valid");
    if (size - sizeof header > static_cast<uint64_t>(stream.size() - stream.position()))
        throw EStreamReadError();
    stream.setPosition(start + size);
    return std::string_view(stream.bytes()).substr(static_cast<size_t>(start), size);
}

std::string readBmpFile(TByteBuffer& stream) { return std::string(takeBmpFile(stream)); }

TbsSkinArchiveView TbsSkinArchiveView::read(TByteBuffer& stream)
{
    TbsSkinArchiveView archive;
    archive.version = readInt32(stream);
    if (archive.version > skinArchiveVersion)
        return archive;
    archive.mainPicture = takeFlaggedBmp(stream);
    archive.inactivePicture = takeFlaggedBmp(stream);
    archive.maskPicture = takeFlaggedBmp(stream);
    if (archive.version == 2) {
        takeFlaggedBmp(stream);
        takeFlaggedBmp(stream);
    }
    int32_t count = readInt32(stream);
    if (count < 0)
        throw ESkinArchiveError("Skin archive holds a negative picture count");
    // Every picture takes at least its headers, so a count beyond that is a lie
    // and must not reserve memory.
    if (count > (stream.size() - stream.position()) / bmpMinimumSize)
        throw EStreamReadError();
    archive.activePictures.reserve(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i)
        archive.activePictures.push_back(takeBmpFile(stream));
    archive.iniText = std::string_view(stream.bytes()).substr(static_cast<size_t>(stream.position()));
    return archive;
}

TbsSkinArchive TbsSkinArchive::read(TByteBuffer& stream)
{
    TbsSkinArchiveView const view = TbsSkinArchiveView::read(stream);
    TbsSkinArchive archive;
    archive.version = view.version;
    archive.mainPicture = copied(view.mainPicture);
    archive.inactivePicture = copied(view.inactivePicture);
    archive.maskPicture = copied(view.maskPicture);
    archive.activePictures.assign(view.activePictures.begin(), view.activePictures.end());
    archive.iniText = view.iniText;
    return archive;
}

std::string TbsSkinArchive::write() const
{
    TByteBuffer out;
    writeInt32(out, skinArchiveVersion);
    writeFlaggedBmp(out, mainPicture);
    writeFlaggedBmp(out, inactivePicture);
    writeFlaggedBmp(out, maskPicture);
    writeInt32(out, static_cast<int32_t>(activePictures.size()));
    for (const auto& bmp : activePictures)
        out.write(bmp.data(), static_cast<int64_t>(bmp.size()));
    out.write(iniText.data(), static_cast<int64_t>(iniText.size()));
    return out.bytes();
}

} // namespace qv
