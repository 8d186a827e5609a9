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
    TRpJustify fontJustify() const { return m_fontJustify; }
    void setFontJustify(TRpJustify value) { m_fontJustify = value; }
    TRpFontMaster* fontMirror() const { return m_fontMirror.get(); }
    void setFontMirror(TRpFontMaster* value) { m_fontMirror = value; }
    std::int32_t color() const { return m_color; }
    void setColor(std::int32_t value) { m_color = value; }

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

    const std::string& text() const { return m_text; }
    void setText(std::string value) { m_text = std::move(value); }
    int rotation() const { return m_rotation; }
    void setRotation(int value) { m_rotation = value; }
    bool truncate() const { return m_truncate; }
    void setTruncate(bool value) { m_truncate = value; }

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

    TRpBaseDataView* lookupDataView() const { return m_lookupDataView.get(); }
    void setLookupDataView(TRpBaseDataView* value) { m_lookupDataView = value; }
    const std::string& lookupField() const { return m_lookupField; }
    void setLookupField(std::string value) { m_lookupField = std::move(value); }
    const std::string& lookupDisplay() const { return m_lookupDisplay; }
    void setLookupDisplay(std::string value) { m_lookupDisplay = std::move(value); }
    const std::string& lookupInvalid() const { return m_lookupInvalid; }
    void setLookupInvalid(std::string value) { m_lookupInvalid = std::move(value); }

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
    const std::string& text() const { return m_text; }
    void setText(std::string value) { m_text = std::move(value); }
    bool expandParent() const { return m_expandParent; }
    void setExpandParent(bool value) { m_expandParent = value; }

protected:
    std::string m_text;
    bool m_expandParent = false;
};

// A memo whose content comes from a data field.
class TRpDataMemo : public TRpMemo, public TRpDataBinding {
    QV_RP_CLASS(TRpDataMemo)
};

} // namespace qv::report
