#include "runtime/core/Format.h"

namespace qv {

namespace {

constexpr std::size_t echoLimit = 80;

bool continuationByte(unsigned char c) { return (c & 0xC0) == 0x80; }

} // namespace

std::string echoedInput(const std::string& text)
{
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string out;
    std::size_t shown = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto const c = static_cast<unsigned char>(text[i]);
        if (!continuationByte(c) && shown++ == echoLimit) {
            out += "\xE2\x80\xA6";
            break;
        }
        if (c < 0x20 || c == 0x7F) {
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 0xF];
            continue;
        }
        out += static_cast<char>(c);
    }
    return out;
}

} // namespace qv
