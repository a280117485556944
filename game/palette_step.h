// The palette step of every frame: a running fade of currentPalette, the
// instant restore of the game palette, or the colour cycling of targetPalette.
#pragma once

// One frame's palette work, chosen by fadeMode.
void paletteStep();

// Advances the running fade by one step (fadeMode has FADE_RUNNING).
void fadeStep();

// The colour cycling: every odd frame outside the intro, the blue of two of
// the entries 248-253 is set to 0 and 127 by cyclePhase.
void cycleColours();
