// `--screenshot-dir`: the frame as a PNG file whenever the game waits for the player to look at it,
// numbered in order (screenshot-0001.png, ...), so that tests can compare pictures.
#pragma once

#include <string>

#include "graphics/surface.h"

namespace qeli::app {

class Screenshots {
public:
    explicit Screenshots(std::string directory) : m_directory(std::move(directory)) {}
    // Writes the frame; false (with a line on stderr) when the file cannot be written.
    bool take(const graphics::Surface& frame);
    int taken() const { return m_count; }

private:
    std::string m_directory;
    int m_count = 0;
};

}  // namespace qeli::app
