// The title picture shown at start for 100 steps; then the menu.
#pragma once

#include "zp/ViewObject.h"

// Steps that the splash screen stays up (3.3 seconds at 33 ms a step).
const int SPLASH_SCREEN_STEPS = 100;

class SplashScreen : public zp::ViewObject {
public:
    SplashScreen();
    ~SplashScreen() override;

    // Counts steps; on the last one the splash screen leaves and the menu starts.
    int eventHandler(const zp::Event* p_e) override;
    // The plain sprite, not the counter a view object would show.
    void draw() override;

private:
    int countdown;
};
