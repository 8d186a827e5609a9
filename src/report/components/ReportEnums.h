#pragma once

#include "report/components/PublishedProperty.h"

#include <cstdint>

namespace qv::report {

enum TRpUnits { unInch, unMM, unCM, unPoint, unUser };
extern const EnumType UnitsType;
enum TRpCollate { pcFalse, pcTrue, pcDefault };
extern const EnumType CollateType;
enum TRpDuplex { pdSimplex, pdHorizontal, pdVertical, pdDefault };
extern const EnumType DuplexType;
enum TRpResolution { prDraft, prLow, prMedium, prHigh, prDefault };
extern const EnumType ResolutionType;
enum TRpOrientation { poPortrait, poLandScape, poDefault };
extern const EnumType OrientationType;
enum TRpGotoMode { gmGotoDone, gmGotoNotDone, gmCallEach };
extern const EnumType GotoModeType;
enum TRpDisplayOn { doParent, doAll, doPreviewOnly, doPrinterOnly };
extern const EnumType DisplayOnType;
enum TRpPrintLocation { plBodyHeader, plGroupHeader, plRowHeader, plMaster, plDetail, plRowFooter, plGroupFooter, plBodyFooter };
extern const EnumType PrintLocationType;
enum TRpPrintOccurrence { poFirst, poNewPage, poNewColumn };
extern const EnumType PrintOccurrenceType;
enum TRpPositionMode { pmOffset, pmOverlay, pmAbsolute };
extern const EnumType PositionModeType;
enum TRpJustify { pjCenter, pjLeft, pjRight, pjBlock };
extern const EnumType JustifyType;
enum TRpFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
extern const EnumType FontStyleType;
enum TRpFontPitch { fpDefault, fpVariable, fpFixed };
extern const EnumType FontPitchType;
enum TRpPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
extern const EnumType PenStyleType;
enum TRpLineWidthType { wtPoints, wtPixels };
extern const EnumType LineWidthTypeType;
enum TRpFillStyle { fsSolid, fsClear, fsHorizontal, fsVertical, fsFDiagonal, fsBDiagonal, fsCross, fsDiagCross, fsNone };
extern const EnumType FillStyleType;
enum TRpCalcType { ctCount, ctSum, ctMin, ctMax, ctAverage };
extern const EnumType CalcTypeType;
enum TRpDisplayType { dtNumericFormat, dtDateTimeFormat };
extern const EnumType DisplayTypeType;
enum TRpCalcFunction { cfNone, cfTrunc, cfFrac, cfRound, cfNeg, cfAbs, cfSin, cfCos, cfArcTan, cfSqr, cfSqrt, cfInc, cfDec, cfRandom, cfRound1, cfRound2, cfRound3, cfRound4, cfRound5, cfSecsToTime, cfMinsToTime, cfHoursToTime, cfTimeToSecs, cfTimeToMins, cfTimeToHours, cfPercent };
extern const EnumType CalcFunctionType;
enum TRpCalcOperator { coAdd, coSub, coMul, coDiv, coMod, coExp, coGreater, coLesser, coAverage };
extern const EnumType CalcOperatorType;
enum TRpBarCodeRotation { Rot0, Rot90, Rot180, Rot270 };
extern const EnumType BarCodeRotationType;

// The bit mask of a set of enumeration members.
template<class... E>
constexpr std::uint32_t setOf(E... members)
{
    return (0u | ... | (1u << unsigned(members)));
}

} // namespace qv::report
