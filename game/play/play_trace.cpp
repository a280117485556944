// Play's fields of the per-frame trace: the player, the view, time and air,
// the jump, the levers, and the active objects in list order.
#include "game/handlers.h"
#include "game/play/play.h"
#include "game/trace.h"

void writePlayTrace(TraceLine& line) {
  line.field("playerX", playerX);
  line.field("playerY", playerY);
  line.field("scrollX", scrollX);
  line.field("scrollY", scrollY);
  line.field("timeLeft", timeLeft);
  line.field("airLeft", airLeft);
  line.field("jumpStep", jumpStep);
  line.field("leverState", leverState);
  std::string objects = "[";
  for (const ActiveObject* node = activeObjects; node; node = node->next) {
    if (objects.size() > 1) objects += ',';
    objects += TraceLine::object({{"kind", node->kind}, {"x", node->x}, {"y", node->y}, {"animDir", node->animDir}});
  }
  line.rawField("objects", objects + "]");
}
