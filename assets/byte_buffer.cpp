// Saving a finished byte buffer as a file.
#include "byte_buffer.h"

#include <fstream>
#include <stdexcept>

void saveFile(const std::string& bytes, const std::string& path)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) throw std::runtime_error("cannot write " + path);
}
