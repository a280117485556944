// Worlds a player adds in the browser: a file dropped on the page or chosen
// in its file picker is checked as the game checks a world, kept in the
// folder the browser's storage holds, and linked into the folder the world
// select page lists.
#pragma once

#include <string>
#include <string_view>

// The name a world file is kept under: its own name without any folder, with
// every character other than letters, digits, space, '.', '-', '_', '(' and
// ')' made '_'. Empty, with the reason in `why`, for a name that does not
// end in ".glw" or is longer than WORLD_NAME_MAX.
constexpr size_t WORLD_NAME_MAX = 120;
std::string keptWorldName(std::string_view fileName, std::string& why);

// Takes the file at `incoming`, which arrived as `fileName`: when the game
// can play it, it is kept in `storeFolder` under its kept name (replacing a
// world kept under that name) and linked into `listFolder`. `message` tells
// the player what was done, or why the world was refused. The incoming file
// is removed either way.
bool addWorld(const std::string& incoming, std::string_view fileName, const std::string& storeFolder,
              const std::string& listFolder, std::string& message);

// Links every world kept in `storeFolder` into `listFolder` (at start-up).
// Returns how many it linked.
int linkKeptWorlds(const std::string& storeFolder, const std::string& listFolder);

// Removes the kept world `name` and its link; false with `message` when
// there is no such world.
bool removeWorld(std::string_view name, const std::string& storeFolder, const std::string& listFolder,
                 std::string& message);
