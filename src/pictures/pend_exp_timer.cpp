// "pend exp" and its timer: once started, every tick beeps and draws one circle of random radius
// in the middle of Picture1.
#include "pictures/picture_commands.h"

namespace stepwise {

namespace {

constexpr float centreX = 500.0f;   // the middle of the 1000 x 1000 user scale set at start-up
constexpr float centreY = 500.0f;
constexpr float largestRadius = 500.0f;

}  // namespace

// Enabling a running timer changes nothing: the front end keeps the one timer and its interval.
void cmd_pend_exp_Click(Platform& platform) { platform.enableTimer(ControlId::tmr_pend_exp, pendExpIntervalMs); }

// The radius is in horizontal user units (the front end measures it along the box's width, so the
// circle stays round in pixels). As r < 1 the circle always fits the box's width; the box is
// wider than high, so large circles run past its top and bottom edges and are clipped there.
// The circles are drawn onto the box's kept surface, so they survive repaints, and they are not
// part of the box's assigned picture.
void tmr_pend_exp_Timer(Platform& platform) {
    platform.beep();
    const float r = platform.nextRandom();
    const float radius = r * largestRadius;
    platform.drawCircle(ControlId::Picture1, centreX, centreY, radius);
}

}  // namespace stepwise
