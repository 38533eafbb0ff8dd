// Whether a part of the program's memory is shared with other processes.
// On X the window's picture is handed to the X server through shared
// memory when the server and Qt can arrange it, and otherwise kept in the
// program's own memory and sent over the connection.
#pragma once

#include <cstddef>

// True when the address lies in a mapping the program shares (one marked
// "s" in the kernel's list of the program's mappings).
bool inSharedMapping(const void* address);

// Whether the window's picture is shared, asked of the kernel once per
// picture: the picture changes only when the window is resized, and
// reading the list of mappings costs more than drawing a frame. A new
// picture may come where an old one was, so a picture is known by its
// address and its size.
class SharedPictureCheck {
public:
    using Ask = bool (*)(const void* address);
    explicit SharedPictureCheck(Ask ask = inSharedMapping) : ask_(ask) {}

    bool shared(const void* bits, std::size_t bytes);

private:
    Ask ask_;
    const void* bits_ = nullptr;
    std::size_t bytes_ = 0;
    bool shared_ = false;
};
