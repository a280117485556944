// The active-object list: adding, removing and freeing nodes, and the
// spawning, update and drawing of the objects (still to come: until then
// spawner tiles stay in the map and objects neither move nor show).
#include "game/play/objects.h"

#include "game/handlers.h"

ActiveObject* activeObjects = nullptr;

ActiveObject* addObject(int32_t x, int32_t y, int32_t kind, int32_t animDir) {
  activeObjects = new ActiveObject{x, y, animDir, 0, kind, activeObjects};
  return activeObjects;
}

void removeObjectAt(int32_t position) {
  ActiveObject** link = &activeObjects;
  for (int32_t p = 0; p < position && *link; p++) link = &(*link)->next;
  if (ActiveObject* node = *link) {
    *link = node->next;
    delete node;
  }
}

void freeObjects() {
  while (activeObjects) {
    ActiveObject* next = activeObjects->next;
    delete activeObjects;
    activeObjects = next;
  }
}

void spawnScan(int32_t) {}

void updateObjects() {}

void drawObjects() {}
