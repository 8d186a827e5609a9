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
    const std::string& text() const { return m_text; }
    void setText(std::string value) { m_text = std::move(value); }
    double barHeight() const { return m_barHeight; }
    void setBarHeight(double value) { m_barHeight = value; }
    double barWidth() const { return m_barWidth; }
    void setBarWidth(double value) { m_barWidth = value; }
    double wideFactor() const { return m_wideFactor; }
    void setWideFactor(double value) { m_wideFactor = value; }
    bool printReadable() const { return m_printReadable; }
    void setPrintReadable(bool value) { m_printReadable = value; }
    bool printChecksum() const { return m_printChecksum; }
    void setPrintChecksum(bool value) { m_printChecksum = value; }
    bool useChecksum() const { return m_useChecksum; }
    void setUseChecksum(bool value) { m_useChecksum = value; }
    TRpJustify barCodeJustify() const { return m_barCodeJustify; }
    void setBarCodeJustify(TRpJustify value) { m_barCodeJustify = value; }
    TRpBarCodeRotation barCodeRotation() const { return m_barCodeRotation; }
    void setBarCodeRotation(TRpBarCodeRotation value) { m_barCodeRotation = value; }
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
    bool extended() const { return m_extended; }
    void setExtended(bool value) { m_extended = value; }

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
