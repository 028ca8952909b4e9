#include <gtest/gtest.h>

#include "platform/instance_lock.h"

namespace qeli::platform {
namespace {

TEST(InstanceLock, OneHolderPerNameUntilReleased) {
    auto first = InstanceLock::acquire("Global\\QeliSystemRunning-/games/a");
    ASSERT_TRUE(first);
    EXPECT_FALSE(InstanceLock::acquire("Global\\QeliSystemRunning-/games/a"));
    auto other = InstanceLock::acquire("Global\\QeliSystemRunning-/games/b");
    EXPECT_TRUE(other);
    first.reset();
    EXPECT_TRUE(InstanceLock::acquire("Global\\QeliSystemRunning-/games/a"));
}

}  // namespace
}  // namespace qeli::platform
