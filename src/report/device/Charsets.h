#pragma once

namespace qv {

// The character set a font of the default set (1) is drawn with, from the user's locale
// id and, failing that, the system code page; 1 when neither has one.
int defaultCharsetFor(int localeId, int codePage);

// The user's locale as a platform locale id (ru_RU is 1049), 0 when unknown, and the code
// page of its character encoding (CP1251 is 1251), 0 for encodings without one (UTF-8).
int userLocaleId();
int userCodePage();
int userDefaultCharset();

} // namespace qv
