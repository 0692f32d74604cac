#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

int main(int argc, char** argv) {
    // Unit tests never open a window or an audio device.
    setenv("ZERKON_HEADLESS", "1", 1);

    // CTest runs cases of one fixture as parallel processes, and fixtures name their scratch
    // folders after the fixture: give every process a temporary folder of its own.
    char tmpl[] = "/tmp/zerkon-test-XXXXXX";
    const char* own = mkdtemp(tmpl);
    if (own) {
        setenv("TMPDIR", own, 1);
        setenv("TEST_TMPDIR", own, 1);
    }

    ::testing::InitGoogleTest(&argc, argv);
    const int rc = RUN_ALL_TESTS();
    if (own) {
        std::error_code ec;
        std::filesystem::remove_all(own, ec);
    }
    return rc;
}
