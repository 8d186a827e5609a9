#pragma once

#include "skin/store/ZlibStreams.h"

#include <string>
#include <vector>

namespace qv {

// The whole skin, one zlib stream, carried inside the program.
class TbsCompressedStoredSkin {
public:
    // An inflated archive above this is refused: no skin comes near it, and a
    // small stream must not be able to exhaust memory.
    static constexpr int64_t archiveLimit = 64 * 1024 * 1024;

    TbsCompressedStoredSkin() = default;
    ~TbsCompressedStoredSkin();
    TbsCompressedStoredSkin(const TbsCompressedStoredSkin&) = delete;
    TbsCompressedStoredSkin& operator=(const TbsCompressedStoredSkin&) = delete;

    std::string Description;
    // Labels at run time: the INI and the compressed file the store was built from.
    std::string FileName;
    std::string CompressedFileName;

    bool IsEmpty() const { return m_compressed.size() == 0; }
    // Inflates the whole stream and appends it to target. Raises EDecompressionError
    // "compression error" for corrupt data and "Skin archive is too large" beyond archiveLimit.
    void ExtractArchive(TByteBuffer& target);

    // The "CompressedData" property: replaced whole when read, emitted whole when written.
    void setCompressedData(std::string bytes);
    const std::string& compressedData() const { return m_compressed.bytes(); }

    // Deflates an archive at the highest level into the store.
    void compressArchive(const std::string& archive);
    // A compressed skin file: int32 version, int32 length, that many bytes of zlib
    // stream. A version above 3 leaves the store empty. Raises EStreamReadError when short.
    void importCompressedFile(const std::string& fileBytes);
    std::string compressedFileBytes() const;

    // A reference to this store held elsewhere (a model's) becomes null when the store goes.
    void addReference(TbsCompressedStoredSkin** reference);
    void removeReference(TbsCompressedStoredSkin** reference);

private:
    TByteBuffer m_compressed;
    std::vector<TbsCompressedStoredSkin**> m_references;
};

} // namespace qv
