// `qeli-tool graphic`: information about a picture, and taking a graphic container apart and
// putting one together.
#pragma once

namespace qeli::tools {

// argv[0] is "graphic"; returns the process exit code.
int runGraphicCommand(int argc, char** argv);

}  // namespace qeli::tools
