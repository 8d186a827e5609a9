#pragma once

namespace qv::product {

inline constexpr const char* name = "Quorvane";
inline constexpr const char* version = "1.31";
// The product's domain reversed: names the desktop entry, the icons and the
// metadata, and tells the desktop which entry the windows belong to.
inline constexpr const char* applicationId = "com.quorvane.Quorvane";
inline constexpr const char* webSite = "https://quorvane.com/";
inline constexpr const char* contactAddress = "support@quorvane.com";
// The help page installed beside the executable.
inline constexpr const char* helpPage = "quorvane-help.html";
inline constexpr const char* helpCommandLine = "hh.exe loan.chm";

} // namespace qv::product
