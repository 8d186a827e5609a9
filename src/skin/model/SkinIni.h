#pragma once

#include "runtime/core/GraphicTypes.h"
#include "runtime/core/IniFile.h"

#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// A skin's INI text held in memory, with the skin's integer syntax on top.
class TbsSkinIni : public IniText {
public:
    using IniText::IniText;

    // Decimal, or hexadecimal after "$" or "0x"; def when it does not parse.
    int readInteger(std::string_view section, std::string_view key, int def) const;
};

// Text alignment of labels and captions.
enum class TAlignment { LeftJustify, RightJustify, Center };
enum TbsMorphKind { mkDefault, mkGradient, mkLeftGradient, mkRightGradient, mkLeftSlide, mkRightSlide, mkPush };
enum TbsInactiveEffect { ieBrightness, ieDarkness, ieGrayScale, ieNoise, ieSplitBlur, ieInvert };
enum TbsStdCommand { cmClose, cmMaximize, cmMinimize, cmSysMenu, cmDefault, cmRollUp, cmMinimizeToTray };

// The value readers every section loader uses, over one section.
class TbsSectionReader {
public:
    TbsSectionReader(const TbsSkinIni& ini, std::string section)
        : m_section(std::move(section)), m_keys(ini.section(m_section))
    {
    }
    const std::string& section() const { return m_section; }

    std::string str(std::string_view key, std::string_view def = {}) const;
    int integer(std::string_view key, int def = 0) const;
    TColor color(std::string_view key, TColor def = 0) const { return static_cast<TColor>(integer(key, static_cast<int>(def))); }
    // Raise EConvertError for a missing or digit-free field.
    TRect rect(std::string_view key) const;
    TPoint point(std::string_view key) const;
    bool flag(std::string_view key) const;
    unsigned fontStyle(std::string_view key) const;
    TAlignment alignment(std::string_view key) const;
    TbsMorphKind morphKind(std::string_view key) const;
    TbsInactiveEffect inactiveEffect(std::string_view key) const;
    TbsStdCommand command(std::string_view key) const;
    // A count key, capped: a hostile count must not turn a load into a long loop.
    static constexpr int maxListCount = 65536;
    int listCount(std::string_view key) const;
    // "<name>count" entries, then the keys "0", "1", ...
    std::vector<std::string> nameList(const std::string& name) const;

private:
    // The value as written, or def when the key is missing.
    std::string_view valueOr(std::string_view key, std::string_view def) const;

    std::string m_section;
    // Found once; every key is then looked up in this section alone.
    const IniText::Section* m_keys;
};

// The text forms on their own, for the readers above and for tests.
TRect ReadSkinRect(std::string_view value);
TPoint ReadSkinPoint(std::string_view value);
bool ReadSkinBool(std::string_view value);
unsigned ReadSkinFontStyle(std::string_view value);
TAlignment ReadSkinAlignment(std::string_view value);
TbsMorphKind ReadSkinMorphKind(std::string_view value);
TbsInactiveEffect ReadSkinInactiveEffect(std::string_view value);
TbsStdCommand ReadSkinCommand(std::string_view value);
// "name:kind"; a text without ":" gives an empty name and kind.
std::pair<std::string, std::string> splitNameKind(const std::string& entry);

// The data classes a list section's kind words name: each listed kind makes its
// class under the entry's name; a kind not listed makes nothing.
template <class Base> class TbsDataKinds {
public:
    using Make = std::unique_ptr<Base> (*)(const std::string& name);
    template <class T> static std::unique_ptr<Base> make(const std::string& name) { return std::make_unique<T>(name); }

    TbsDataKinds(std::initializer_list<std::pair<const std::string, Make>> kinds) : m_kinds(kinds) {}
    std::unique_ptr<Base> create(const std::string& kind, const std::string& name) const
    {
        auto k = m_kinds.find(kind);
        return k == m_kinds.end() ? nullptr : k->second(name);
    }

private:
    std::map<std::string, Make> m_kinds;
};

} // namespace qv
