// What the game does with the page around the canvas: the frame step on
// the browser's animation frames, the line of messages, captures offered as
// downloads, worlds added from the page, settings kept in the browser's
// storage, and the hooks a test drives the page with.
#pragma once

#include <string>

// The folders of the page's file system (glimb_pre.js makes them): the
// packed data files (the working folder), the worlds kept in the browser's
// storage (IndexedDB, mounted at /persist), and the folder the world list
// and captures use. Files added on the page arrive in /incoming.
constexpr const char* DATA_FOLDER = "/data";
constexpr const char* KEPT_WORLDS_FOLDER = "/persist/worlds";
constexpr const char* PLAYER_FOLDER = "/glimb";
// Where the progress file is kept, in the browser's storage.
constexpr const char* PROGRESS_FOLDER = "/persist/data/glimb";

// Waits, sleeping (Asyncify) on the browser's animation frames, until the
// next 16 ms step is due, and while a test holds the game. Hidden tabs get
// no animation frames, so the game pauses there.
void awaitFrameTurn();

// Sleeps until the browser's next animation frame (none come while the page
// is hidden).
void waitForPageFrame();

// Shows a line of text under the canvas (an error in its own colour).
void showPageMessage(const std::string& text, bool error);

// Offers the captures made since the last call as downloads.
void offerNewCaptures();

// Checks, keeps and lists the worlds that arrived from the page, and
// removes those the player asked to remove; the title menu's list is
// rebuilt when it shows.
void takeIncomingWorlds();

// Writes the bindings when they changed and has the browser's storage
// catch up with the file system.
void keepSettings();
void syncStorage();

// The page asks for the 640 x 480 display (the "letterbox" query).
bool pageAsksForLetterbox();

// The program has ended with this exit code.
void pageGameEnded(int code);
