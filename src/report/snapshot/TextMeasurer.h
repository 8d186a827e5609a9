#pragma once

#include "report/snapshot/SnapshotFormat.h"

#include <string_view>

namespace qv::snapshot {

// Measures text for the writer, in inches. The page writer records these
// widths (block texts, the font sample), so the device that measures decides
// where block texts land.
class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    virtual double textWidth(const TRvFont& font, std::string_view text) const = 0;
    // How far the font reaches below its baseline, in inches. By default the descent of
    // the metric-compatible face that stands in for the font's name.
    virtual double descent(const TRvFont& font) const;
};

// Stand-in for a screen-resolution device when no real one is supplied: glyph
// advances of the metric-compatible faces, rounded to 96 dpi pixels per glyph.
class ScreenMetricsMeasurer final : public TextMeasurer {
public:
    double textWidth(const TRvFont& font, std::string_view text) const override;
};

} // namespace qv::snapshot
