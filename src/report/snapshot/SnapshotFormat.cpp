#include "report/snapshot/SnapshotFormat.h"

#include <cstdio>
#include <cstring>

namespace qv::snapshot {

std::string reportVariablePlaceholder(int number)
{
    char digits[8];
    std::snprintf(digits, sizeof digits, "%02d", number % 100);
    return std::string(1, kPlaceholderStart) + kReportVariableTag + digits;
}

std::string namedVariablePlaceholder(const std::string& name)
{
    return std::string(1, kPlaceholderStart) + kNamedVariableTag + kVariableNameStart + name + kVariableNameEnd;
}

void ByteWriter::int16(int16_t value)
{
    auto v = static_cast<uint16_t>(value);
    byte(static_cast<uint8_t>(v & 0xFF));
    byte(static_cast<uint8_t>(v >> 8));
}

void ByteWriter::int32(int32_t value)
{
    auto v = static_cast<uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        byte(static_cast<uint8_t>((v >> shift) & 0xFF));
}

void ByteWriter::float32(float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    int32(static_cast<int32_t>(bits));
}

std::string wholeCharacterPrefix(const std::string& text, size_t limit)
{
    if (text.size() <= limit)
        return text;
    size_t cut = limit;
    // Back off over UTF-8 continuation bytes so no character is split.
    while (cut > 0 && (static_cast<uint8_t>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return text.substr(0, cut);
}

std::string encodableString(const std::string& text)
{
    return wholeCharacterPrefix(text, kMaxString);
}

void ByteWriter::string(const std::string& text)
{
    std::string stored = encodableString(text);
    size_t length = stored.size();
    if (length <= kMaxShortString) {
        byte(static_cast<uint8_t>(length));
    } else {
        uint16_t coded = static_cast<uint16_t>(length + 0xC000);
        byte(static_cast<uint8_t>(coded >> 8));
        byte(static_cast<uint8_t>(coded & 0xFF));
    }
    raw(stored.data(), stored.size());
}

void ByteWriter::raw(const void* data, size_t count)
{
    auto p = static_cast<const uint8_t*>(data);
    m_bytes.insert(m_bytes.end(), p, p + count);
}

const FontFlag* fontFlagOf(uint8_t code)
{
    for (const FontFlag& flag : kFontFlags) {
        if (flag.code == code)
            return &flag;
    }
    return nullptr;
}

} // namespace qv::snapshot
