#include "report/components/ReportEnums.h"

namespace qv::report {

const EnumType UnitsType { { "unInch", "unMM", "unCM", "unPoint", "unUser" } };
const EnumType CollateType { { "pcFalse", "pcTrue", "pcDefault" } };
const EnumType DuplexType { { "pdSimplex", "pdHorizontal", "pdVertical", "pdDefault" } };
const EnumType ResolutionType { { "prDraft", "prLow", "prMedium", "prHigh", "prDefault" } };
const EnumType OrientationType { { "poPortrait", "poLandScape", "poDefault" } };
const EnumType GotoModeType { { "gmGotoDone", "gmGotoNotDone", "gmCallEach" } };
const EnumType DisplayOnType { { "doParent", "doAll", "doPreviewOnly", "doPrinterOnly" } };
const EnumType PrintLocationType { { "plBodyHeader", "plGroupHeader", "plRowHeader", "plMaster", "plDetail", "plRowFooter", "plGroupFooter", "plBodyFooter" } };
const EnumType PrintOccurrenceType { { "poFirst", "poNewPage", "poNewColumn" } };
const EnumType PositionModeType { { "pmOffset", "pmOverlay", "pmAbsolute" } };
const EnumType JustifyType { { "pjCenter", "pjLeft", "pjRight", "pjBlock" } };
const EnumType FontStyleType { { "fsBold", "fsItalic", "fsUnderline", "fsStrikeOut" } };
const EnumType FontPitchType { { "fpDefault", "fpVariable", "fpFixed" } };
const EnumType PenStyleType { { "psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame" } };
const EnumType LineWidthTypeType { { "wtPoints", "wtPixels" } };
const EnumType FillStyleType { { "fsSolid", "fsClear", "fsHorizontal", "fsVertical", "fsFDiagonal", "fsBDiagonal", "fsCross", "fsDiagCross", "fsNone" } };
const EnumType CalcTypeType { { "ctCount", "ctSum", "ctMin", "ctMax", "ctAverage" } };
const EnumType DisplayTypeType { { "dtNumericFormat", "dtDateTimeFormat" } };
const EnumType CalcFunctionType { { "cfNone", "cfTrunc", "cfFrac", "cfRound", "cfNeg", "cfAbs", "cfSin", "cfCos", "cfArcTan", "cfSqr", "cfSqrt", "cfInc", "cfDec", "cfRandom", "cfRound1", "cfRound2", "cfRound3", "cfRound4", "cfRound5", "cfSecsToTime", "cfMinsToTime", "cfHoursToTime", "cfTimeToSecs", "cfTimeToMins", "cfTimeToHours", "cfPercent" } };
const EnumType CalcOperatorType { { "coAdd", "coSub", "coMul", "coDiv", "coMod", "coExp", "coGreater", "coLesser", "coAverage" } };
const EnumType BarCodeRotationType { { "Rot0", "Rot90", "Rot180", "Rot270" } };

} // namespace qv::report
