#include "desktop/window/SharedMapping.h"

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>

// Each line of /proc/self/maps begins "start-end perms", the addresses in
// hex and the fourth letter of perms "s" for shared, "p" for private.
bool inSharedMapping(const void* address) {
    const auto at = reinterpret_cast<std::uintptr_t>(address);
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line)) {
        std::istringstream fields(line);
        std::uintptr_t start = 0;
        std::uintptr_t end = 0;
        char dash = 0;
        std::string perms;
        if (!(fields >> std::hex >> start >> dash >> end >> perms) || perms.size() < 4) continue;
        if (at >= start && at < end) return perms[3] == 's';
    }
    return false;
}

bool SharedPictureCheck::shared(const void* bits, std::size_t bytes) {
    if (bits != bits_ || bytes != bytes_) {
        shared_ = ask_(bits);
        bits_ = bits;
        bytes_ = bytes;
    }
    return shared_;
}
