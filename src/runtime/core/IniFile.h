#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qv {

// The sections and keys of an INI text, parsed once: "[section]" headers (the name
// ends at the first "]"), "key=value" lines, ";" comments, lines ended by CR LF, LF
// or CR. Names are compared without regard to case, the first of two equal keys
// wins, and values are trimmed of spaces and tabs but otherwise kept as written.
class IniText {
public:
    explicit IniText(std::string_view text);

    bool hasSection(const std::string& section) const;
    bool hasKey(const std::string& section, const std::string& key) const;
    std::optional<std::string> find(const std::string& section, const std::string& key) const;
    std::string readString(const std::string& section, const std::string& key, const std::string& defaultValue) const
    {
        return find(section, key).value_or(defaultValue);
    }

private:
    using Keys = std::unordered_map<std::string, std::string>;
    // By lower-case name.
    std::unordered_map<std::string, Keys> m_sections;
};

// A Windows-style INI file on disk, read with the rules of IniText. Every write
// rewrites the file through a temporary file.
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
