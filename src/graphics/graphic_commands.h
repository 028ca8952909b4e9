// The graphic commands: loading graphics into layers and changing layers and sprites.
#pragma once

namespace qeli::script {
class CommandTable;
}

namespace qeli::graphics {

// graphic_commands.cpp, graphic_motion_commands.cpp, sprite_commands.cpp, draw_state_commands.cpp.
void registerGraphicCommands(script::CommandTable& table);
void registerGraphicMotionCommands(script::CommandTable& table);
void registerSpriteCommands(script::CommandTable& table);
void registerDrawStateCommands(script::CommandTable& table);

}  // namespace qeli::graphics
