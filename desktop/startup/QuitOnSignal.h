// Ends the program cleanly when the system asks it to: SIGTERM (a session
// logging out, a service manager, kill) or SIGINT (Ctrl+C in the terminal
// that started it) leaves every event loop, so the program ends with
// status 0 as when its window closes.
#pragma once

// Call once, after the application exists.
void quitOnSignals();
