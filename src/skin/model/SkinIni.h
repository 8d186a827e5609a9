#pragma once

#include "runtime/core/GraphicTypes.h"
#include "runtime/core/IniFile.h"

#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace qv {

// A skin's INI text held in memory, with the skin's integer syntax on top.
class TbsSkinIni : public IniText {
public:
    using IniText::IniText;

    // Decimal, or hexadecimal after "$" or "0x"; def when it does not parse.
    int readInteger(const std::string& section, const std::string& key, int def) const;
};

// Text alignment of labels and captions.
enum class TAlignment { LeftJustify, RightJustify, Center };
enum TbsMorphKind { mkDefault, mkGradient, mkLeftGradient, mkRightGradient, mkLeftSlide, mkRightSlide, mkPush };
enum TbsInactiveEffect { ieBrightness, ieDarkness, ieGrayScale, ieNoise, ieSplitBlur, ieInvert };
enum TbsStdCommand { cmClose, cmMaximize, cmMinimize, cmSysMenu, cmDefault, cmRollUp, cmMinimizeToTray };

// The value readers every section loader uses, over one section.
class TbsSectionReader {
public:
    TbsSectionReader(const TbsSkinIni& ini, std::string section) : m_ini(ini), m_section(std::move(section)) {}
    const std::string& section() const { return m_section; }

    std::string str(const std::string& key, const std::string& def = "") const;
    int integer(const std::string& key, int def = 0) const;
    TColor color(const std::string& key, TColor def = 0) const { return static_cast<TColor>(integer(key, static_cast<int>(def))); }
    // Raise EConvertError for a missing or digit-free field.
    TRect rect(const std::string& key) const;
    TPoint point(const std::string& key) const;
    bool flag(const std::string& key) const;
    unsigned fontStyle(const std::string& key) const;
    TAlignment alignment(const std::string& key) const;
    TbsMorphKind morphKind(const std::string& key) const;
    TbsInactiveEffect inactiveEffect(const std::string& key) const;
    TbsStdCommand command(const std::string& key) const;
    // A count key, capped: a hostile count must not turn a load into a long loop.
    static constexpr int maxListCount = 65536;
    int listCount(const std::string& key) const;
    // "<name>count" entries, then the keys "0", "1", ...
    std::vector<std::string> nameList(const std::string& name) const;

private:
    const TbsSkinIni& m_ini;
    std::string m_section;
};

// The text forms on their own, for the readers above and for tests.
TRect ReadSkinRect(const std::string& value);
TPoint ReadSkinPoint(const std::string& value);
bool ReadSkinBool(const std::string& value);
unsigned ReadSkinFontStyle(const std::string& value);
TAlignment ReadSkinAlignment(const std::string& value);
TbsMorphKind ReadSkinMorphKind(const std::string& value);
TbsInactiveEffect ReadSkinInactiveEffect(const std::string& value);
TbsStdCommand ReadSkinCommand(const std::string& value);
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
