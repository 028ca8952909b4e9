// `qeli-tool script`: compile source text to `.qls`, check source text and print every message of the
// compiler, list a compiled script.
#pragma once

namespace qeli::tools {

// argv[0] is "script", argv[1] the action; returns the process exit code.
int runScriptCommand(int argc, char** argv);

}  // namespace qeli::tools
