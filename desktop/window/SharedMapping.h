// Whether a part of the program's memory is shared with other processes.
// On X the window's picture is handed to the X server through shared
// memory when the server and Qt can arrange it, and otherwise kept in the
// program's own memory and sent over the connection.
#pragma once

// True when the address lies in a mapping the program shares (one marked
// "s" in the kernel's list of the program's mappings).
bool inSharedMapping(const void* address);
