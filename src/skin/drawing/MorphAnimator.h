#pragma once

#include <functional>
#include <memory>

namespace qv {

class TTimer;

// How an object takes a new active state: fading over the morph steps, or
// showing its new image at once.
enum class TbsMorphTransition { Fade, Jump };

// Where a fade between an object's normal and active image stands. Counted in
// whole steps, so a fade takes as many ticks out as in and ends exactly on its
// image.
class TbsMorph {
public:
    static constexpr int steps = 5;

    // 0 shows the normal image, 1 the active one; between them the two are blended.
    double factor() const { return m_step / double(steps); }
    // Strictly between the two images: the blended picture is drawn.
    bool blending() const { return m_step > 0 && m_step < steps; }
    bool atActive() const { return m_step == steps; }
    bool atNormal() const { return m_step == 0; }
    bool reached(bool active) const { return m_step == end(active); }
    // One step towards the active or the normal image; false when it is already there.
    bool stepTowards(bool active);
    // Shows the image at once, ending any fade.
    void jumpTo(bool active) { m_step = end(active); }

private:
    static int end(bool active) { return active ? steps : 0; }
    int m_step = 0;
};

// Runs the fades of one control on a single timer of morphInterval ms. Each
// tick calls the control's step, which moves each of its fading objects one
// step (TbsMorph::stepTowards), repaints what moved, and answers whether any
// object has still to reach its image; the timer stops on the tick the last
// one arrives, so an idle control leaves no timer running.
class TbsMorphAnimator {
public:
    static constexpr int morphInterval = 20;

    explicit TbsMorphAnimator(std::function<bool()> step);
    ~TbsMorphAnimator();
    TbsMorphAnimator(const TbsMorphAnimator&) = delete;
    TbsMorphAnimator& operator=(const TbsMorphAnimator&) = delete;

    // Runs the timer; a fade already running keeps its rhythm.
    void start();
    void stop();
    bool running() const;

private:
    void tick();

    std::function<bool()> m_step;
    // Made at the first fade: most controls never fade.
    std::unique_ptr<TTimer> m_timer;
};

} // namespace qv
