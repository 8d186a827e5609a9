#pragma once

#include "skin/controls/SkinControl.h"
#include "skin/model/SkinControlData.h"

#include <functional>
#include <optional>

namespace qv {

// A pair of arrow buttons side by side: the right one raises Position by
// Increment, the left one lowers it, both within Min..Max. Drawn from an
// "updown" section: its normal picture fitted to the control, the button under
// the mouse or pressed in its own picture.
class TbsSkinUpDown : public TbsSkinControl {
public:
    explicit TbsSkinUpDown(TWinControl* parent);

    int Min() const { return m_min; }
    void setMin(int min);
    int Max() const { return m_max; }
    void setMax(int max);
    int Position() const { return m_position; }
    // Clamped to Min..Max; OnChange follows only a move the user made.
    void setPosition(int position);
    int Increment() const { return m_increment; }
    void setIncrement(int increment) { m_increment = increment; }

    enum class Part { None, Down, Up };
    // The button at a client point; the left half lowers, the right half raises.
    Part partAt(int x, int y) const;
    TRect partRect(Part part) const;

    std::function<void()> onChange;

protected:
    void bindSection() override;
    void drawDefaultLook(Canvas& canvas) override;
    void drawSkinLook(Canvas& canvas) override;
    void mouseDown(MouseButton button, unsigned shift, int x, int y) override;
    void mouseUp(MouseButton button, unsigned shift, int x, int y) override;
    void mouseMove(unsigned shift, int x, int y) override;
    void mouseLeave() override;

private:
    void step(Part part);
    void setHot(Part part);

    std::optional<TbsDataSkinUpDownControl> m_section;
    int m_min = 0;
    int m_max = 100;
    int m_position = 0;
    int m_increment = 1;
    Part m_hot = Part::None;
    Part m_pressed = Part::None;
};

} // namespace qv
