#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    // Unit tests never open a window or an audio device.
    setenv("ZERKON_HEADLESS", "1", 1);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
