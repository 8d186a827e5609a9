#include "chart/ChartPen.h"

#include "runtime/core/RegionalSettings.h"

namespace qv {

Font defaultChartFont()
{
    Font font;
    font.name = "Arial";
    font.size = 8;
    font.color = clBlack;
    if (languageNeedsNativeFont(regionalSettings().uiLanguage)) {
        Font const ui = platformUiFont();
        font.name = ui.name;
        font.size = ui.size;
    }
    return font;
}

} // namespace qv
