#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace qv::test {

// Reads the file layout by hand, independently of the converter.
struct ByteCursor {
    const std::vector<uint8_t>& bytes;
    size_t at = 0;

    uint8_t u8() { return bytes.at(at++); }
    int16_t i16()
    {
        int16_t v = static_cast<int16_t>(bytes.at(at) | (bytes.at(at + 1) << 8));
        at += 2;
        return v;
    }
    int32_t i32()
    {
        uint32_t v = bytes.at(at) | (bytes.at(at + 1) << 8) | (bytes.at(at + 2) << 16) | (uint32_t(bytes.at(at + 3)) << 24);
        at += 4;
        return static_cast<int32_t>(v);
    }
    float f32()
    {
        uint32_t bits = static_cast<uint32_t>(i32());
        float v;
        std::memcpy(&v, &bits, 4);
        return v;
    }
    std::string str()
    {
        size_t length = u8();
        if (length >= 0xC0)
            length = ((length << 8) | u8()) - 0xC000;
        std::string s(bytes.begin() + static_cast<long>(at), bytes.begin() + static_cast<long>(at + length));
        at += length;
        return s;
    }
};

struct ParsedHeader {
    int version = 0;
    std::string title;
    size_t pageCountOffset = 0;
    int pageCount = 0;
    int firstPage = 0;
    int lastPage = 0;
    float paperWidth = 0;
    float paperHeight = 0;
    int bin = 0;
    int copies = 0;
    int paperSize = 0;
    std::string outputName;
    size_t firstPageOffset = 0;
};

inline ParsedHeader parseHeader(const std::vector<uint8_t>& bytes)
{
    ByteCursor c { bytes };
    ParsedHeader h;
    c.u8();
    h.version = c.i16();
    h.title = c.str();
    h.pageCountOffset = c.at;
    h.pageCount = c.i16();
    h.firstPage = c.i16();
    h.lastPage = c.i16();
    h.paperWidth = c.f32();
    h.paperHeight = c.f32();
    for (int i = 0; i < 4; ++i)
        c.f32();
    c.u8();
    h.bin = c.i16();
    c.u8();
    c.u8();
    h.copies = c.i16();
    h.paperSize = c.i16();
    c.i16();
    c.i16();
    h.outputName = c.str();
    h.firstPageOffset = c.at;
    return h;
}

struct ParsedPage {
    size_t offset = 0;
    int32_t previous = 0;
    int32_t next = 0;
    int number = 0;
};

// Follows the page chain from the first page header.
inline std::vector<ParsedPage> parsePages(const std::vector<uint8_t>& bytes)
{
    std::vector<ParsedPage> pages;
    size_t at = parseHeader(bytes).firstPageOffset;
    while (at != 0 && pages.size() < 10000) {
        ByteCursor c { bytes, at };
        if (c.u8() != 80)
            break;
        ParsedPage page;
        page.offset = at;
        page.previous = c.i32();
        page.next = c.i32();
        page.number = c.i16();
        pages.push_back(page);
        at = static_cast<size_t>(page.next);
    }
    return pages;
}

} // namespace qv::test
