// How the graphic loader reports a picture it cannot use: a missing file is logged to `error.log`,
// a file that cannot be decoded asks the player whether to retry.
#pragma once

#include <string_view>

namespace qeli::files {

enum class GraphicKind { Ordinary, AlphaMask };

// Appends "Graphic Access Error[name]" (or "AlphaGraphic ...") to error.log in the current folder.
void logGraphicAccessError(std::string_view name, GraphicKind kind);

// The "File Access Error" box with code 1001 (alpha masks: 1002). True when the player chose Retry;
// Abort ends the process.
bool askRetryAfterDecodeFailure(std::string_view name, GraphicKind kind = GraphicKind::Ordinary);

}  // namespace qeli::files
