#pragma once

#include "report/snapshot/Stream.h"
#include "report/snapshot/TRvNDRWriter.h"

#include <string>
#include <vector>

namespace qv {

// Printer settings a run copies into its page writer.
class TSystemPrinter : public TPageSettings {
public:
    double ScaleX = 100.0;
    double ScaleY = 100.0;
    std::string StatusFormat = "Printing page %p";
    std::vector<std::string> StatusText;
    bool Collate = false;
    TBKMode TextBKMode = TBKMode::bkTransparent;

    int TabShade() const { return m_tabShade; }
    void SetTabShade(int value);
    TPrintUnits Units() const { return m_units; }
    // Also sets the units factor of the chosen unit.
    void SetUnits(TPrintUnits units);
    double UnitsFactor() const { return m_unitsFactor; }
    // A positive factor also picks the matching unit (unUser for none); others are ignored.
    void SetUnitsFactor(double factor);

private:
    int m_tabShade = 0;
    TPrintUnits m_units = TPrintUnits::unInch;
    double m_unitsFactor = 1.0;
};

enum class TMarginMethod { mmScaled, mmFixed };
enum class TRulerType { rtNone, rtHorizCm, rtHorizIn, rtVertCm, rtVertIn, rtBothCm, rtBothIn };
enum class TFormState { wsNormal, wsMinimized, wsMaximized };

// Settings handed to the preview window.
class TSystemPreview {
public:
    int FormWidth = 615;
    int FormHeight = 450;
    TFormState FormState = TFormState::wsNormal;
    double GridHoriz = 0;
    double GridVert = 0;
    snapshot::TRvPen GridPen;
    TMarginMethod MarginMethod = TMarginMethod::mmFixed;
    double MarginPercent = 0;
    int PagesWide = 1;
    int PagesHigh = 1;
    int PageInc = 1;
    TRulerType RulerType = TRulerType::rtNone;
    int ZoomInc = 10;

    double ZoomFactor() const { return m_zoomFactor; }
    // Kept within 10 to 200.
    void SetZoomFactor(double value);
    bool Monochrome() const { return m_monochrome; }
    // Refused while shadows are in effect.
    void SetMonochrome(bool value);
    int ShadowDepth() const { return m_shadowDepth; }
    // Refused while monochrome is in effect.
    void SetShadowDepth(int value);

private:
    double m_zoomFactor = 100.0;
    bool m_monochrome = false;
    int m_shadowDepth = 0;
};

// Where the snapshot of a run is kept.
class TSystemFiler {
public:
    TAccuracyMethod AccuracyMethod = TAccuracyMethod::amPositioning;
    std::string FileName;
    std::string StatusFormat = "Generating page %p";
    std::vector<std::string> StatusText;
    TStreamMode StreamMode = TStreamMode::smMemory;
    TStream* Stream = nullptr; // the caller's stream for smUser, not owned
};

} // namespace qv
