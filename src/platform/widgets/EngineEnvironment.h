#pragma once

namespace ink {
// Must run before the QApplication is created: prepares the web engine for
// this desktop (no sandbox when running as root, no GPU or background
// network traffic, which the editor never needs), and says up front that
// there is no session bus where none can be found (see SessionBus.h).
void prepareWebEngineEnvironment();

// Must run after the QApplication is created and before any web view: where
// the only OpenGL is a software one, windows are drawn with the software
// scene graph (typing and idle cost a tenth of compositing them with
// software OpenGL); hardware OpenGL is kept where there is a graphics card.
// A backend the user chose in the environment is left alone. Returns the
// backend in use, "software" or "opengl".
const char* chooseSceneGraphBackend();
}
