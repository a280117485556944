// The frame handlers the loop dispatches to, and the hooks through which play
// and the front end release their state at exit and add fields to the trace.
#pragma once

class TraceLine;

// One frame each, no loop of their own; they draw into backBuffer and ask for
// another screen through pendingState and fadeMode.
void runIntro();            // STATE_INTRO (game/front/intro.cpp)
void runTitleMenu();        // STATE_TITLE_MENU (game/front/title_menu.cpp)
void runLevelIntro();       // STATE_LEVEL_INTRO (game/front/level_intro.cpp)
void runCongratulations();  // STATE_CONGRATULATIONS (game/front/congratulations.cpp)
void runPlayFrame();        // STATE_LEVEL_DONE and above (game/play/play_frame.cpp)

// Exit: frees the active-object list, then the level's cell arrays.
void freeObjects();
void freeLevelCells();

// Trace hooks: each adds its area's fields to the frame's trace line
// (play: playerX, scrollX, objects ...; front end: menuPage, menuCursor ...).
void writePlayTrace(TraceLine& line);
void writeFrontTrace(TraceLine& line);
