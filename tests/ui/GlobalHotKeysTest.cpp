#include "ui/platform/GlobalHotKeys.h"

#include <gtest/gtest.h>

TEST(GlobalHotKeysTest, WithoutAnXServerEveryRegistrationFailsQuietly) {
    // The window tests run offscreen, where there is no X connection to grab keys on.
    TGlobalHotKeys hotKeys;
    EXPECT_FALSE(TGlobalHotKeys::IsAvailable());
    EXPECT_FALSE(hotKeys.Register(1, 0x0354));
    EXPECT_FALSE(hotKeys.IsRegistered(1));
    hotKeys.Unregister(1);
    hotKeys.UnregisterAll();
}
