#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace qv::report {

// The block compression of project files: LZW over bytes, 9- to 13-bit codes packed
// most significant bit first, code 256 clears the table, 257 ends the data.
std::vector<std::uint8_t> lzwCompress(std::span<const std::uint8_t> input);

// Raises ERpException "Hash Table overflow." when the data would overfill the table and
// EReadError when it is not a code stream at all or expands beyond maxOutput bytes.
std::vector<std::uint8_t> lzwDecompress(std::span<const std::uint8_t> input, std::size_t maxOutput = SIZE_MAX);

} // namespace qv::report
