#pragma once

#include "report/components/DataBinding.h"
#include "report/components/DataObjects.h"
#include "report/components/ReportEnums.h"
#include "report/components/TRpControl.h"
#include "report/components/TRpFont.h"

namespace qv::report {

// Base of the bar codes: the text to encode and how the bars look.
class TRpBaseBarCode : public TRpControl, public TRpDataBinding {
    QV_RP_CLASS(TRpBaseBarCode)

public:
    QV_RP_MOVED(std::string, text, setText)
    QV_RP_VALUE(double, barHeight, setBarHeight)
    QV_RP_VALUE(double, barWidth, setBarWidth)
    QV_RP_VALUE(double, wideFactor, setWideFactor)
    QV_RP_VALUE(bool, printReadable, setPrintReadable)
    QV_RP_VALUE(bool, printChecksum, setPrintChecksum)
    QV_RP_VALUE(bool, useChecksum, setUseChecksum)
    QV_RP_VALUE(TRpJustify, barCodeJustify, setBarCodeJustify)
    QV_RP_VALUE(TRpBarCodeRotation, barCodeRotation, setBarCodeRotation)
    TRpFont& font() { return m_font; }
    const TRpFont& font() const { return m_font; }

protected:
    std::string m_text;
    double m_barHeight = 0.5;
    double m_barWidth = 0.01;
    double m_wideFactor = 3.0;
    bool m_printReadable = true;
    bool m_printChecksum = false;
    bool m_useChecksum = false;
    TRpJustify m_barCodeJustify = pjLeft;
    TRpBarCodeRotation m_barCodeRotation = Rot0;
    TRpFont m_font;
};

// A POSTNET bar code.
class TRpPostNetBarCode : public TRpBaseBarCode {
    QV_RP_CLASS_INHERITING(TRpPostNetBarCode, TRpBaseBarCode)
};

// An interleaved 2 of 5 bar code.
class TRpI2of5BarCode : public TRpBaseBarCode {
    QV_RP_CLASS_INHERITING(TRpI2of5BarCode, TRpBaseBarCode)
};

// A Code 39 bar code.
class TRpCode39BarCode : public TRpBaseBarCode {
    QV_RP_CLASS(TRpCode39BarCode)

public:
    QV_RP_VALUE(bool, extended, setExtended)

protected:
    bool m_extended = false;
};

// A Code 128 bar code.
class TRpCode128BarCode : public TRpBaseBarCode {
    QV_RP_CLASS_INHERITING(TRpCode128BarCode, TRpBaseBarCode)
};

// A UPC bar code.
class TRpUPCBarCode : public TRpBaseBarCode {
    QV_RP_CLASS_INHERITING(TRpUPCBarCode, TRpBaseBarCode)
};

// An EAN bar code.
class TRpEANBarCode : public TRpBaseBarCode {
    QV_RP_CLASS_INHERITING(TRpEANBarCode, TRpBaseBarCode)
};

} // namespace qv::report
