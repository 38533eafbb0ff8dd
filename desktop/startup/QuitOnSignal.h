// Ends the program cleanly when the system asks it to: SIGTERM (a session
// logging out, a service manager, kill) or SIGINT (Ctrl+C in the terminal
// that started it) leaves every event loop, so main() returns 0 with the
// window, the game and the sound torn down in order.
#pragma once

// Call once, after the application exists.
void quitOnSignals();
