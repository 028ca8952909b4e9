#include "app/single_instance.h"

#include "platform/text_encoding.h"

namespace qeli::app {

std::string singleInstanceName(std::string_view currentDirectory) {
    std::string name = "Global\\QeliSystemRunning-";
    std::string directory(currentDirectory);
    for (size_t i = 0; i < directory.size(); ++i) {
        if (platform::isCp932LeadByte(static_cast<uint8_t>(directory[i]))) ++i;
        else if (directory[i] == '\\') directory[i] = '_';
    }
    if (name.size() + directory.size() >= kInstanceNameLength)
        directory = directory.substr(directory.size() - (kInstanceNameLength - name.size()));
    return name + directory;
}

}  // namespace qeli::app
