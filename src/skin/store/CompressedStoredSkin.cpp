#include "skin/store/CompressedStoredSkin.h"
#include "skin/store/SkinArchive.h"

#include <algorithm>

namespace qv {

TbsCompressedStoredSkin::~TbsCompressedStoredSkin()
{
    for (auto* reference : m_references)
        *reference = nullptr;
}

void TbsCompressedStoredSkin::addReference(TbsCompressedStoredSkin** reference) { m_references.push_back(reference); }

void TbsCompressedStoredSkin::removeReference(TbsCompressedStoredSkin** reference) { std::erase(m_references, reference); }

void TbsCompressedStoredSkin::ExtractArchive(TByteBuffer& target)
{
    // Pictures deflated at level 9 come back about eleven times larger; room for
    // that up front spares the copies of a buffer grown step by step.
    constexpr int64_t expectedRatio = 16;
    target.reserve(target.size() + std::min(archiveLimit, m_compressed.size() * expectedRatio));
    m_compressed.setPosition(0);
    TDecompressionStream inflater(m_compressed);
    char buffer[TCustomZlibStream::blockSize];
    int64_t total = 0;
    while (int64_t got = inflater.read(buffer, sizeof buffer)) {
        total += got;
        if (total > archiveLimit)
            throw EDecompressionError("Skin archive is too large");
        target.write(buffer, got);
    }
}

void TbsCompressedStoredSkin::setCompressedData(std::string bytes) { m_compressed = TByteBuffer(std::move(bytes)); }

void TbsCompressedStoredSkin::compressArchive(const std::string& archive)
{
    m_compressed.clear();
    TByteBuffer source(archive);
    source.setPosition(0);
    {
        TCompressionStream deflater(TCompressionLevel::Max, m_compressed);
        char buffer[TCustomZlibStream::blockSize];
        while (int64_t got = source.read(buffer, sizeof buffer))
            deflater.write(buffer, got);
    }
}

void TbsCompressedStoredSkin::importCompressedFile(const std::string& fileBytes)
{
    m_compressed.clear();
    TByteBuffer file(fileBytes);
    int32_t version = readInt32(file);
    if (version > skinArchiveVersion)
        return;
    int32_t length = readInt32(file);
    if (length < 0 || length > file.size() - file.position())
        throw EStreamReadError();
    setCompressedData(fileBytes.substr(static_cast<size_t>(file.position()), static_cast<size_t>(length)));
}

std::string TbsCompressedStoredSkin::compressedFileBytes() const
{
    TByteBuffer out;
    writeInt32(out, skinArchiveVersion);
    writeInt32(out, static_cast<int32_t>(m_compressed.size()));
    out.write(m_compressed.bytes().data(), m_compressed.size());
    return out.bytes();
}

} // namespace qv
