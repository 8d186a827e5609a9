#include "report/device/Charsets.h"
#include "runtime/core/Text.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <clocale>
#include <cstdlib>
#include <string>
#include <utility>

namespace qv {

namespace {

constexpr std::array<std::pair<int, int>, 18> charsetByLocale = {{
    {1025, 178}, {1028, 136}, {1029, 238}, {1032, 161}, {1037, 177}, {1038, 238},
    {1041, 128}, {1042, 129}, {1045, 238}, {1048, 238}, {1049, 204}, {1050, 238},
    {1051, 238}, {1054, 222}, {1055, 162}, {1060, 238}, {1066, 163}, {2052, 134},
}};

constexpr std::array<std::pair<int, int>, 12> charsetByCodePage = {{
    {874, 222}, {932, 128}, {936, 134}, {949, 129}, {950, 136}, {1250, 238},
    {1251, 204}, {1253, 161}, {1254, 162}, {1255, 177}, {1256, 178}, {1257, 186},
}};

// POSIX locale names (language_TERRITORY) of the locale ids above, and a few common others.
constexpr std::array<std::pair<const char*, int>, 24> localeIds = {{
    {"ar_SA", 1025}, {"zh_TW", 1028}, {"cs_CZ", 1029}, {"el_GR", 1032}, {"he_IL", 1037},
    {"hu_HU", 1038}, {"ja_JP", 1041}, {"ko_KR", 1042}, {"pl_PL", 1045}, {"ro_RO", 1048},
    {"ru_RU", 1049}, {"hr_HR", 1050}, {"sk_SK", 1051}, {"th_TH", 1054}, {"tr_TR", 1055},
    {"sl_SI", 1060}, {"vi_VN", 1066}, {"zh_CN", 2052}, {"en_US", 1033}, {"de_DE", 1031},
    {"fr_FR", 1036}, {"es_ES", 3082}, {"it_IT", 1040}, {"en_GB", 2057},
}};

std::string userLocaleName()
{
    const char* name = std::setlocale(LC_CTYPE, nullptr);
    std::string locale = name ? name : "";
    if (locale.empty() || locale == "C" || locale == "POSIX") {
        for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
            const char* value = std::getenv(variable);
            if (value && *value) {
                locale = value;
                break;
            }
        }
    }
    return locale;
}

} // namespace

int defaultCharsetFor(int localeId, int codePage)
{
    for (auto [id, charset] : charsetByLocale) {
        if (id == localeId)
            return charset;
    }
    for (auto [page, charset] : charsetByCodePage) {
        if (page == codePage)
            return charset;
    }
    return 1;
}

int userLocaleId()
{
    std::string locale = userLocaleName();
    std::string base = locale.substr(0, locale.find_first_of(".@"));
    for (auto [name, id] : localeIds) {
        if (base == name)
            return id;
    }
    // A language without its territory takes the language's main locale.
    std::string language = base.substr(0, base.find('_'));
    for (auto [name, id] : localeIds) {
        if (language.size() == 2 && std::string(name).compare(0, 2, language) == 0)
            return id;
    }
    return 0;
}

int userCodePage()
{
    std::string locale = userLocaleName();
    auto dot = locale.find('.');
    if (dot == std::string::npos)
        return 0;
    std::string codeset = upper(locale.substr(dot + 1, locale.find('@', dot) - dot - 1));
    for (const char* prefix : {"CP", "WINDOWS-", "WINDOWS"}) {
        std::string p = prefix;
        if (codeset.compare(0, p.size(), p) == 0)
            return std::atoi(codeset.c_str() + p.size());
    }
    if (codeset == "EUCJP" || codeset == "EUC-JP" || codeset == "SJIS" || codeset == "SHIFT_JIS")
        return 932;
    if (codeset == "GB2312" || codeset == "GBK" || codeset == "GB18030")
        return 936;
    if (codeset == "EUCKR" || codeset == "EUC-KR")
        return 949;
    if (codeset == "BIG5")
        return 950;
    return 0;
}

int userDefaultCharset() { return defaultCharsetFor(userLocaleId(), userCodePage()); }

} // namespace qv
