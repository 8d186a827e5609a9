#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// Reads a file whole. Anything but a regular file (a device, a pipe, a socket) is
// refused, and so is a file longer than maxBytes, each with an error that names the
// file and says why: a hostile name can neither block the program nor fill its memory.
// Otherwise the runtime's I/O error.
std::string readRegularFile(const std::string& path, std::uint64_t maxBytes);

// A text file read whole: lines end in CR LF (a lone LF or CR is accepted too),
// bytes are kept as they are, and reading past the end yields empty lines.
class TextFileReader {
public:
    // Raises the errors of readRegularFile.
    TextFileReader(const std::string& path, std::uint64_t maxBytes);
    static TextFileReader fromBytes(std::string bytes);

    std::string readLine() { return std::string(readLineView()); }
    // The next line where it lies in the reader, so valid as long as the reader.
    std::string_view readLineView();
    bool atEnd() const { return m_next >= m_lines.size(); }
    std::size_t lineCount() const { return m_lines.size(); }

private:
    explicit TextFileReader(std::string bytes);

    // Where each line lies in the bytes: a file of many short lines is split once,
    // and each line copied only when it is read.
    struct LineSpan {
        std::size_t begin;
        std::size_t size;
    };
    std::string m_bytes;
    std::vector<LineSpan> m_lines;
    std::size_t m_next = 0;
};

// Collects lines ending in CR LF and replaces the target in one step: the text goes
// to a temporary file in the same folder that is renamed over the target, so a
// failed write never destroys the previous file.
class TextFileWriter {
public:
    explicit TextFileWriter(std::string path) : m_path(std::move(path)) {}

    void writeLine(const std::string& line);
    const std::string& text() const { return m_text; }
    // Raises the runtime's I/O error; the target is untouched when it does.
    void commit() const;

private:
    std::string m_path;
    std::string m_text;
};

// Writes bytes to path through a temporary file renamed over it; a device or a pipe is
// written to instead, and a symbolic link keeps pointing at the replaced file.
void replaceFileAtomically(const std::string& path, const std::string& bytes);

} // namespace qv
