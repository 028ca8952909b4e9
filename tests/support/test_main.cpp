// Test entry point: every test runs with the headless backend in virtual time, on the main thread.
#include <gtest/gtest.h>

#include "support/engine_fixture.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    qeli::testing::installHeadlessBackend();
    return RUN_ALL_TESTS();
}
