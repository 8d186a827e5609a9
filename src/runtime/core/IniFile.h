#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qv {

// Names hashed and compared without regard to the case of ASCII letters, so that a
// lookup needs no lower-case copy of the name it looks for.
struct NoCaseHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const;
};
struct NoCaseEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
};
template <class T> using NoCaseMap = std::unordered_map<std::string, T, NoCaseHash, NoCaseEqual>;

// The sections and keys of an INI text, parsed once: "[section]" headers (the name
// ends at the first "]"), "key=value" lines, ";" comments, lines ended by CR LF, LF
// or CR. Names are compared without regard to case, the first of two equal keys
// wins, and values are trimmed of spaces and tabs but otherwise kept as written.
class IniText {
public:
    // The keys of one section.
    class Section {
    public:
        // The value of key, or null when the section has none.
        const std::string* find(std::string_view key) const;

    private:
        friend class IniText;
        NoCaseMap<std::string> m_keys;
    };

    explicit IniText(std::string_view text);

    // The section of that name, or null.
    const Section* section(std::string_view name) const;
    bool hasSection(std::string_view section) const { return this->section(section) != nullptr; }
    bool hasKey(std::string_view section, std::string_view key) const { return value(section, key) != nullptr; }
    // The value, or null when the section or key is missing.
    const std::string* value(std::string_view section, std::string_view key) const;
    std::optional<std::string> find(std::string_view section, std::string_view key) const;
    std::string readString(std::string_view section, std::string_view key, std::string_view defaultValue) const
    {
        const std::string* found = value(section, key);
        return found ? *found : std::string(defaultValue);
    }

private:
    NoCaseMap<Section> m_sections;
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
