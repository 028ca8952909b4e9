#include "script/script_record.h"

namespace qeli::script {

void ScriptRecord::setTables(CompiledScript script) {
    code = std::move(script.code);
    tokens = std::move(script.tokens);
    data = std::move(script.data);
    data.push_back(0);
    temporaries.assign(static_cast<size_t>(std::max(script.temporaryCount, 0)), Temporary{});
}

}  // namespace qeli::script
