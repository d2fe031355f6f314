#pragma once

namespace ink {
// Must run before the QApplication is created: prepares the web engine for
// this desktop (no sandbox when running as root, no GPU or background
// network traffic, which the editor never needs).
void prepareWebEngineEnvironment();
}
