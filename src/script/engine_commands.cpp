// The engine's command table: every subsystem gives the handlers of the commands it owns.
#include "app/system_commands.h"
#include "graphics/graphic_commands.h"
#include "script/command_table.h"
#include "script/script_commands.h"

namespace qeli::script {

const CommandTable& engineCommandTable() {
    static const CommandTable table = [] {
        CommandTable t;
        app::registerSystemCommands(t);
        registerValueCommands(t);
        registerControlFlowCommands(t);
        registerTimedWaitCommands(t);
        graphics::registerGraphicCommands(t);
        graphics::registerGraphicMotionCommands(t);
        graphics::registerSpriteCommands(t);
        graphics::registerDrawStateCommands(t);
        return t;
    }();
    return table;
}

}  // namespace qeli::script
