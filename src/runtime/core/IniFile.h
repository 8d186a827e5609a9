#pragma once

#include <string>
#include <vector>

namespace qv {

// A Windows-style INI file: "[section]" headers, "key=value" lines, names compared
// without regard to case. Every write rewrites the file through a temporary file.
class IniFile {
public:
    static constexpr std::size_t valueBufferSize = 2048;

    explicit IniFile(std::string path) : m_path(std::move(path)) {}

    const std::string& path() const { return m_path; }
    // The value, trimmed and unquoted, cut to what a 2048-character buffer holds;
    // defaultValue when the file, section or key is missing or unreadable.
    std::string readString(const std::string& section, const std::string& key, const std::string& defaultValue) const;
    // Raises EIniFileException "Unable to write to %s" when the file cannot be written.
    void writeString(const std::string& section, const std::string& key, const std::string& value) const;

    // Parsing and editing of the text alone, for tests and fuzzing.
    static std::string lookup(const std::string& text, const std::string& section, const std::string& key,
        const std::string& defaultValue);
    static std::string withValue(const std::string& text, const std::string& section, const std::string& key,
        const std::string& value);

private:
    std::string m_path;
};

} // namespace qv
