#pragma once

namespace ink {
// Waits the given number of seconds while the user interface processes its
// pending events (timer ticks, clicks and component events run inside).
void waitSeconds(double seconds);
}
