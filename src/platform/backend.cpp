// Holds the installed backend.
#include "platform/backend.h"

#include <cstdio>
#include <cstdlib>


namespace qeli::platform {

namespace {
std::unique_ptr<Backend> g_backend;
}

void installBackend(std::unique_ptr<Backend> backend) { g_backend = std::move(backend); }
bool hasBackend() { return g_backend != nullptr; }
std::unique_ptr<Backend> uninstallBackend() { return std::move(g_backend); }

Backend& backend() {
    if (!g_backend) {
        std::fputs("qeli: no platform backend installed\n", stderr);
        std::abort();
    }
    return *g_backend;
}

}  // namespace qeli::platform
