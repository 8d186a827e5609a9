#pragma once

#include "report/components/DataBinding.h"
#include "report/components/DataObjects.h"
#include "report/components/TRpControl.h"
#include "report/components/TRpFont.h"

namespace qv::report {

// A shared font that text controls take through FontMirror.
class TRpFontMaster : public TRpReportComponent {
    QV_RP_CLASS(TRpFontMaster)

public:
    TRpFont& font() { return m_font; }
    const TRpFont& font() const { return m_font; }

protected:
    TRpFont m_font;
};

// Base of controls that print text in a font.
class TRpTextControl : public TRpControl {
    QV_RP_CLASS(TRpTextControl)

public:
    TRpFont& font() { return m_font; }
    const TRpFont& font() const { return m_font; }
    QV_RP_VALUE(TRpJustify, fontJustify, setFontJustify)
    QV_RP_REFERENCE(TRpFontMaster, fontMirror, setFontMirror)
    QV_RP_VALUE(std::int32_t, color, setColor)

protected:
    TRpFont m_font;
    TRpJustify m_fontJustify = pjLeft;
    RpRef<TRpFontMaster> m_fontMirror;
    std::int32_t m_color = 0;
};

// A single line of text.
class TRpText : public TRpTextControl {
    QV_RP_CLASS(TRpText)

public:
    TRpText() { m_width = 1.0; }

    QV_RP_MOVED(std::string, text, setText)
    QV_RP_VALUE(int, rotation, setRotation)
    QV_RP_VALUE(bool, truncate, setTruncate)

protected:
    std::string m_text;
    int m_rotation = 0;
    bool m_truncate = false;
};

// A text whose content is a data-field expression.
class TRpDataText : public TRpText, public TRpDataBinding {
    QV_RP_CLASS(TRpDataText)

public:
    TRpDataText() { m_truncate = true; }

    QV_RP_REFERENCE(TRpBaseDataView, lookupDataView, setLookupDataView)
    QV_RP_MOVED(std::string, lookupField, setLookupField)
    QV_RP_MOVED(std::string, lookupDisplay, setLookupDisplay)
    QV_RP_MOVED(std::string, lookupInvalid, setLookupInvalid)

protected:
    RpRef<TRpBaseDataView> m_lookupDataView;
    std::string m_lookupField;
    std::string m_lookupDisplay;
    std::string m_lookupInvalid;
};

// Text over several lines within the control's rectangle.
class TRpMemo : public TRpTextControl {
    QV_RP_CLASS(TRpMemo)

public:
    QV_RP_MOVED(std::string, text, setText)
    QV_RP_VALUE(bool, expandParent, setExpandParent)

protected:
    std::string m_text;
    bool m_expandParent = false;
};

// A memo whose content comes from a data field.
class TRpDataMemo : public TRpMemo, public TRpDataBinding {
    QV_RP_CLASS(TRpDataMemo)
};

} // namespace qv::report
