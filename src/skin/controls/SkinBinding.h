#pragma once

#include "runtime/graphics/Canvas.h"
#include "skin/model/SkinSection.h"

#include <optional>
#include <string>

namespace qv {

// What every skinned control keeps about its skin: the model, the section name,
// the bound section (-1 for none) and the fonts and sizes used without one.
class TbsSkinBinding {
public:
    explicit TbsSkinBinding(std::string skinDataName);

    TbsSkinData* skinData() const { return m_skinData; }
    void setSkinData(TbsSkinData* data) { m_skinData = data; }
    const std::string& skinDataName() const { return m_skinDataName; }
    void setSkinDataName(const std::string& name) { m_skinDataName = name; }

    // No model or an empty model: -1; otherwise the section of that name.
    int bind();
    int sectionIndex() const { return m_sectionIndex; }
    bool hasSection() const { return m_sectionIndex >= 0; }
    // Forget the section and its picture references until the next bind, as a skin change begins.
    void forget()
    {
        m_sectionIndex = -1;
        m_pieces.forget();
    }
    // The bound section as a T; null when none is bound or it is of another class.
    template <class T> const T* section() const
    {
        return hasSection() ? dynamic_cast<const T*>(&m_skinData->skinControl(m_sectionIndex)) : nullptr;
    }
    // A copy of the bound section as a T, for a control that keeps the fields.
    template <class T> std::optional<T> sectionCopy() const
    {
        const T* s = section<T>();
        return s ? std::optional<T>(*s) : std::nullopt;
    }
    // Piece fields, mode, picture and mask of the bound section.
    const TbsSkinSectionPieces& pieces() const { return m_pieces; }
    // Text is set in the model's string table's character set when it has one.
    int charset(const Font& fallback) const;

    Font defaultFont;
    bool useSkinFont = true;
    int defaultWidth = 0;
    int defaultHeight = 0;

private:
    TbsSkinData* m_skinData = nullptr;
    std::string m_skinDataName;
    int m_sectionIndex = -1;
    TbsSkinSectionPieces m_pieces;
};

// A skinned control as its form's frame sees it when it relays the model's
// change notices: it drops its section as a skin change begins and binds anew
// once the skin has changed.
class TbsSkinNoticeListener {
public:
    virtual ~TbsSkinNoticeListener() = default;
    virtual TbsSkinData* SkinData() const = 0;
    // The bound section, -1 for none.
    virtual int sectionIndex() const = 0;
    virtual void skinChangeBegins() = 0;
    virtual void skinChanged() = 0;
    virtual void skinChangeEnded() {}
};

// The default font of the skinned controls: Arial, 14 pixels, black.
Font skinDefaultFont();
// A section's font; the character set stays that of fallback.
Font skinFont(const TbsSkinFontFields& fields, const Font& fallback);

} // namespace qv
