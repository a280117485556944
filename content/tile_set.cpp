// The tile table: name and class of every tile number, and the class table file.
#include "content/tile_set.h"

namespace {

std::array<TileInfo, TILE_COUNT> build() {
  std::array<TileInfo, TILE_COUNT> t{};
  auto put = [&](int n, uint16_t c, const char* name) { t[n] = {c, name}; };
  put(T_EMPTY, CLASS_NONE, "empty");
  const char* walkRight[] = {"player walking right 1", "player walking right 2", "player walking right 3",
                             "player walking right 4"};
  const char* walkLeft[] = {"player walking left 4", "player walking left 3", "player walking left 2",
                            "player walking left 1"};
  for (int i = 0; i < 4; ++i) put(1 + i, CLASS_NONE, walkRight[i]);
  for (int i = 0; i < 4; ++i) put(5 + i, CLASS_NONE, walkLeft[i]);
  put(T_WALKER_LEFT, CLASS_NONE, "walker (starts left)");
  put(T_WALKER_MID, CLASS_NONE, "walker step");
  put(T_WALKER_RIGHT, CLASS_NONE, "walker (starts right)");
  put(T_WALKER_FLAT, CLASS_NONE, "flattened walker");
  put(T_SPIKY_LEFT, CLASS_NONE, "spiky walker left (starts left)");
  put(T_SPIKY_LEFT_2, CLASS_NONE, "spiky walker left step");
  put(T_SPIKY_RIGHT, CLASS_NONE, "spiky walker right (starts right)");
  put(T_SPIKY_RIGHT_2, CLASS_NONE, "spiky walker right step");
  put(T_CHECKPOINT, CLASS_CHECKPOINT, "checkpoint flag");
  put(T_CHECKPOINT_RISING, CLASS_NONE, "checkpoint flag rising");
  put(T_CHECKPOINT_REACHED, CLASS_NONE, "checkpoint reached");
  put(T_BUMP, CLASS_SOLID, "bump block");
  put(T_GRASS, CLASS_SOLID, "grass ground");
  put(T_FALLING_FLOOR, CLASS_SOLID, "falling floor");
  put(T_BRICK, CLASS_SOLID, "stone brick");
  put(T_WATER_SURFACE, CLASS_WATER, "water surface");
  put(T_LAVA_SURFACE, CLASS_DEADLY, "lava surface");
  put(T_EXTRA_LIFE, CLASS_NONE, "extra life");
  put(27, CLASS_NONE, "bush top left");
  put(28, CLASS_NONE, "bush top right");
  put(47, CLASS_NONE, "bush bottom left");
  put(48, CLASS_NONE, "bush bottom right");
  for (int i = 0; i < 4; ++i) put(29 + i, CLASS_SOLID, "floating island top");
  for (int i = 0; i < 4; ++i) put(49 + i, CLASS_SOLID, "floating island bottom");
  put(T_FLOATER_LEFT, CLASS_NONE, "floater (starts left)");
  put(T_FLOATER_RIGHT, CLASS_NONE, "floater (starts right)");
  put(35, CLASS_NONE, "floater bursting 1");
  put(36, CLASS_NONE, "floater bursting 2");
  put(37, CLASS_NONE, "floater bursting 3");
  put(T_GATE_CLOSED, CLASS_SOLID, "gate closed");
  put(T_GRASS_LEFT, CLASS_SOLID, "grass ground left end");
  put(T_BREAKABLE, CLASS_SOLID, "breakable block");
  put(T_EARTH, CLASS_SOLID, "earth");
  put(T_GRASS_RIGHT, CLASS_SOLID, "grass ground right end");
  put(43, CLASS_SOLID, "bridge left");
  put(44, CLASS_SOLID, "bridge right");
  put(T_EARTH_LEFT, CLASS_SOLID, "earth left side");
  put(T_EARTH_RIGHT, CLASS_SOLID, "earth right side");
  put(T_FISH_LEFT, CLASS_NONE, "fish left (starts left, leaves water)");
  put(T_FISH_LEFT_2, CLASS_NONE, "fish left swimming");
  put(T_FISH_RIGHT, CLASS_NONE, "fish right (starts right, leaves water)");
  put(T_FISH_RIGHT_2, CLASS_NONE, "fish right swimming");
  put(T_FLOATER_MID, CLASS_NONE, "floater drifting");
  put(T_GATE_SPAWN, CLASS_SOLID, "lever gate (closed at lever left)");
  put(T_INVERSE_GATE_SPAWN, CLASS_NONE, "lever gate (open at lever left)");
  put(T_CRATE, CLASS_SOLID, "wooden crate");
  put(T_BACK_ROCK, CLASS_NONE, "cave wall (backdrop)");
  put(T_WATERFALL, CLASS_WATER, "waterfall");
  put(63, CLASS_SOLID, "stone slab left");
  put(64, CLASS_SOLID, "stone slab right");
  put(T_START_RIGHT, CLASS_NONE, "player start facing right / standing right");
  put(T_COIN, CLASS_PICKUP, "coin");
  put(T_START_LEFT, CLASS_NONE, "player start facing left / standing left");
  put(T_GATE_OPEN, CLASS_NONE, "gate open");
  put(70, CLASS_SOLID, "pipe left");
  put(71, CLASS_SOLID, "pipe right");
  put(T_TORCH, CLASS_NONE, "torch");
  put(T_TORCH_EDITOR, CLASS_NONE, "torch (editor mark, becomes torch)");
  put(T_DIFFICULTY_EASY, CLASS_SOLID, "gate closed on Easy, else open");
  put(T_DIFFICULTY_NORMAL, CLASS_SOLID, "gate closed on Normal, else open");
  put(T_DIFFICULTY_HARD, CLASS_SOLID, "gate closed on Hard, else open");
  put(T_LEVER_LEFT, CLASS_NONE, "lever left");
  put(T_LEVER_MIDDLE, CLASS_NONE, "lever moving");
  put(T_LEVER_RIGHT, CLASS_NONE, "lever right");
  put(T_BUMP_1, CLASS_SOLID, "bump block rising");
  put(81, CLASS_NONE, "door top left");
  put(82, CLASS_NONE, "door top right");
  put(101, CLASS_NONE, "door bottom left");
  put(102, CLASS_NONE, "door bottom right");
  put(83, CLASS_EXIT, "exit top left");
  put(84, CLASS_EXIT, "exit top right");
  put(103, CLASS_EXIT, "exit bottom left");
  put(104, CLASS_EXIT, "exit bottom right");
  put(T_WATER, CLASS_WATER, "water");
  put(T_BELL, CLASS_SIDE_TRIGGER, "bell");
  put(T_BELL_SWING, CLASS_NONE, "bell swinging (becomes bell)");
  put(T_CRUMBLING, CLASS_CRUMBLING, "rotten planks (crumble after passing)");
  put(T_GATE_HALF, CLASS_NONE, "gate half open");
  put(90, CLASS_NONE, "vines left");
  put(91, CLASS_NONE, "vines right");
  put(T_INVERSE_EASY, CLASS_NONE, "gate open on Easy, else closed");
  put(T_INVERSE_NORMAL, CLASS_NONE, "gate open on Normal, else closed");
  put(T_INVERSE_HARD, CLASS_NONE, "gate open on Hard, else closed");
  put(95, CLASS_NONE, "cloud top left");
  put(96, CLASS_NONE, "cloud top right");
  put(115, CLASS_NONE, "cloud bottom left");
  put(116, CLASS_NONE, "cloud bottom right");
  put(98, CLASS_SOLID, "pipe mouth top left");
  put(99, CLASS_SOLID, "pipe mouth top right");
  put(118, CLASS_SOLID, "pipe mouth bottom left");
  put(119, CLASS_SOLID, "pipe mouth bottom right");
  put(T_BUMP_2, CLASS_SOLID, "bump block up");
  put(T_BELL_RUNG, CLASS_NONE, "bell rung");
  put(106, CLASS_NONE, "fence left");
  put(107, CLASS_NONE, "fence right");
  put(T_ICE, CLASS_SOLID, "ice block");
  put(T_GEM, CLASS_PICKUP, "gem");
  put(110, CLASS_SOLID, "girder left");
  put(111, CLASS_SOLID, "girder right");
  put(112, CLASS_NONE, "flowers left");
  put(113, CLASS_NONE, "flowers right");
  put(T_SIGNPOST, CLASS_NONE, "signpost");
  put(T_BACK_WALL, CLASS_NONE, "castle wall (backdrop)");
  put(T_BUMP_3, CLASS_SOLID, "bump block falling back");
  for (int i = 0; i < 4; ++i) put(121 + i, CLASS_NONE, i == 0 ? "runner right (starts moving left)" : "runner right");
  put(T_RUNNER_STUNNED, CLASS_NONE, "runner stunned");
  put(T_RUNNER_WAKING, CLASS_NONE, "runner waking");
  for (int i = 0; i < 5; ++i) put(T_ROCK + i, CLASS_SOLID, "rock");
  put(135, CLASS_NONE, "pebbles left");
  put(136, CLASS_NONE, "pebbles right");
  put(T_LAVA, CLASS_DEADLY, "lava");
  for (int i = 141; i <= 144; ++i) put(i, CLASS_NONE, i == 144 ? "runner left (starts moving right)" : "runner left");
  put(T_SPIKES, CLASS_DEADLY, "spikes");
  put(T_CEILING_SPIKES, CLASS_DEADLY, "ceiling spikes");
  put(T_CHAIN, CLASS_NONE, "chain");
  put(T_FONT_FULL_STOP, CLASS_NONE, "large font full stop");
  put(180, CLASS_SOLID, "falling floor cracking");
  put(181, CLASS_SOLID, "falling floor breaking");
  put(182, CLASS_NONE, "falling floor falling");
  put(183, CLASS_NONE, "falling floor gone");
  put(200, CLASS_SOLID, "breakable block cracking");
  put(201, CLASS_SOLID, "breakable block breaking");
  put(202, CLASS_NONE, "breakable block bursting");
  put(203, CLASS_NONE, "breakable block dust");
  static const char* letters[26] = {"letter A", "letter B", "letter C", "letter D", "letter E", "letter F", "letter G",
                                    "letter H", "letter I", "letter J", "letter K", "letter L", "letter M", "letter N",
                                    "letter O", "letter P", "letter Q", "letter R", "letter S", "letter T", "letter U",
                                    "letter V", "letter W", "letter X", "letter Y", "letter Z"};
  for (int i = 0; i < 26; ++i) {
    int frame = i < 10 ? 184 + i : i < 16 ? 204 + (i - 10) : 220 + (i - 16);
    put(frame, CLASS_NONE, letters[i]);
  }
  put(T_FONT_EXCLAMATION, CLASS_NONE, "large font exclamation mark");
  return t;
}

}  // namespace

const std::array<TileInfo, TILE_COUNT>& tileInfo() {
  static const std::array<TileInfo, TILE_COUNT> table = build();
  return table;
}

std::array<uint8_t, 2 * TILE_COUNT> classTableBytes() {
  std::array<uint8_t, 2 * TILE_COUNT> bytes{};
  for (int i = 0; i < TILE_COUNT; ++i) {
    bytes[2 * i] = uint8_t(tileInfo()[i].tileClass & 0xFF);
    bytes[2 * i + 1] = uint8_t(tileInfo()[i].tileClass >> 8);
  }
  return bytes;
}
