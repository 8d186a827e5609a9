#include "report/project/Lzw.h"

#include "report/project/ReportErrors.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

namespace qv::report {

namespace {

constexpr int ClearCode = 256;
constexpr int EndCode = 257;
constexpr int FirstFreeCode = 258;
constexpr int MinWidth = 9;
constexpr int MaxWidth = 13;
constexpr int LastCode = (1 << MaxWidth) - 1;

class BitWriter {
public:
    explicit BitWriter(std::vector<std::uint8_t>& out)
        : m_out(out)
    {
    }

    void put(int code, int width)
    {
        m_buffer = (m_buffer << width) | std::uint32_t(code);
        m_bits += width;
        while (m_bits >= 8) {
            m_bits -= 8;
            m_out.push_back(std::uint8_t(m_buffer >> m_bits));
        }
    }

    void flush()
    {
        if (m_bits > 0)
            m_out.push_back(std::uint8_t(m_buffer << (8 - m_bits)));
        m_bits = 0;
    }

private:
    std::vector<std::uint8_t>& m_out;
    std::uint32_t m_buffer = 0;
    int m_bits = 0;
};

class BitReader {
public:
    explicit BitReader(std::span<const std::uint8_t> in)
        : m_in(in)
    {
    }

    // False when fewer than width bits are left.
    bool get(int width, int& code)
    {
        if (bitsLeft() < std::size_t(width))
            return false;
        while (m_bufferBits < width) {
            m_buffer = (m_buffer << 8) | m_in[m_nextByte++];
            m_bufferBits += 8;
        }
        m_bufferBits -= width;
        code = int((m_buffer >> m_bufferBits) & ((1u << width) - 1));
        m_bitPosition += std::size_t(width);
        return true;
    }

    std::size_t bitsLeft() const { return m_in.size() * 8 - m_bitPosition; }

private:
    std::span<const std::uint8_t> m_in;
    std::size_t m_bitPosition = 0;
    std::size_t m_nextByte = 0;
    std::uint32_t m_buffer = 0;
    int m_bufferBits = 0;
};

// Maps (prefix code, byte) to the code of that string; open addressing, reset on clear.
class StringTable {
public:
    StringTable() { clear(); }

    void clear() { m_keys.fill(Empty); }

    int find(int prefix, std::uint8_t byte) const
    {
        auto key = keyOf(prefix, byte);
        for (auto slot = hash(key);; slot = (slot + 1) & Mask) {
            if (m_keys[slot] == Empty)
                return -1;
            if (m_keys[slot] == key)
                return m_codes[slot];
        }
    }

    void add(int prefix, std::uint8_t byte, int code)
    {
        auto key = keyOf(prefix, byte);
        auto slot = hash(key);
        while (m_keys[slot] != Empty)
            slot = (slot + 1) & Mask;
        m_keys[slot] = key;
        m_codes[slot] = std::uint16_t(code);
    }

private:
    static constexpr std::size_t Size = 16384;
    static constexpr std::size_t Mask = Size - 1;
    static constexpr std::uint32_t Empty = UINT32_MAX;

    static std::uint32_t keyOf(int prefix, std::uint8_t byte) { return (std::uint32_t(prefix) << 8) | byte; }
    static std::size_t hash(std::uint32_t key) { return (key * 2654435761u >> 18) & Mask; }

    std::array<std::uint32_t, Size> m_keys;
    std::array<std::uint16_t, Size> m_codes;
};

} // namespace

std::vector<std::uint8_t> lzwCompress(std::span<const std::uint8_t> input)
{
    std::vector<std::uint8_t> out;
    out.reserve(input.size() / 2 + 16);
    BitWriter bits(out);
    auto table = std::make_unique<StringTable>();
    int width = MinWidth;
    int nextCode = FirstFreeCode;
    int prefix = -1;

    bits.put(ClearCode, width);
    for (auto byte : input) {
        if (prefix < 0) {
            prefix = byte;
            continue;
        }
        int found = table->find(prefix, byte);
        if (found >= 0) {
            prefix = found;
            continue;
        }
        bits.put(prefix, width);
        int added = nextCode++;
        table->add(prefix, byte, added);
        if (added == (1 << width))
            ++width;
        if (width == MaxWidth && added == LastCode) {
            bits.put(ClearCode, width);
            table->clear();
            width = MinWidth;
            nextCode = FirstFreeCode;
        }
        prefix = byte;
    }
    if (prefix >= 0)
        bits.put(prefix, width);
    // The decoder adds its entry for the last data code before it reads the end code, so
    // when that entry reaches the top of the width it already reads one bit wider.
    int lastAdded = nextCode - 1;
    int endWidth = nextCode > FirstFreeCode && lastAdded == (1 << width) - 1 ? width + 1 : width;
    bits.put(EndCode, endWidth);
    bits.flush();
    return out;
}

// Every string in the table is a stretch of the output already written: the previous
// output followed by the first byte of the one after it. So a code is kept as the place
// and length of that stretch and decoding copies bytes instead of walking prefix chains.
std::vector<std::uint8_t> lzwDecompress(std::span<const std::uint8_t> input, std::size_t maxOutput)
{
    struct Stretch {
        std::size_t offset;
        std::size_t length;
    };
    std::vector<Stretch> table(1 << MaxWidth);
    std::vector<std::uint8_t> out;
    std::size_t used = 0;
    auto reserve = [&](std::size_t length) {
        if (length > maxOutput - used)
            throw EReadError("Compressed block too large");
        if (used + length > out.size())
            out.resize(std::max({ out.size() * 2, used + length, std::size_t(4096) }));
    };

    BitReader bits(input);
    int width = MinWidth;
    int nextCode = FirstFreeCode;
    int previous = -1;
    Stretch previousOutput { 0, 0 };

    int code = 0;
    while (bits.get(width, code)) {
        if (code == EndCode)
            break;
        // An encoder that writes the end code at the narrower width leaves it followed by
        // padding only; read that as the end, not as data.
        if ((code >> 1) == EndCode && (code & 1) == 0 && bits.bitsLeft() < 8)
            break;
        if (code == ClearCode) {
            width = MinWidth;
            nextCode = FirstFreeCode;
            previous = -1;
            continue;
        }
        Stretch output { used, 0 };
        if (code < 256) {
            reserve(1);
            out[used++] = std::uint8_t(code);
            output.length = 1;
        } else if (previous < 0) {
            throw EReadError("Invalid compressed data");
        } else if (code < nextCode) {
            auto source = table[code];
            reserve(source.length);
            std::memcpy(out.data() + used, out.data() + source.offset, source.length);
            used += source.length;
            output.length = source.length;
        } else {
            reserve(previousOutput.length + 1);
            std::memcpy(out.data() + used, out.data() + previousOutput.offset, previousOutput.length);
            used += previousOutput.length;
            out[used++] = out[previousOutput.offset];
            output.length = previousOutput.length + 1;
        }
        if (previous >= 0) {
            int added = nextCode;
            if (added == LastCode && width == MaxWidth)
                throw ERpException("Hash Table overflow.");
            table[added] = { previousOutput.offset, previousOutput.length + 1 };
            ++nextCode;
            if (added == (1 << width) - 1)
                ++width;
        }
        previous = code;
        previousOutput = output;
    }
    out.resize(used);
    return out;
}

} // namespace qv::report
