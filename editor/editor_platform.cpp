// The platform the editor's core talks to: a do-nothing one until the user
// interface installs its own.
#include "editor/editor_platform.h"

namespace gle {

static EditorPlatform gNoPlatform;
static EditorPlatform* gPlatform = &gNoPlatform;

EditorPlatform& editorPlatform() { return *gPlatform; }

void setEditorPlatform(EditorPlatform* platform) { gPlatform = platform ? platform : &gNoPlatform; }

}  // namespace gle
