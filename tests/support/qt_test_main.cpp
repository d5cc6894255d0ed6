#include <QApplication>
#include <gtest/gtest.h>
#include <optional>

// Widget tests share one application object. Listing the tests needs none, and must work
// where there is no window system at all.
int main(int argc, char* argv[]) {
    testing::InitGoogleTest(&argc, argv);
    // Death tests start afresh rather than fork a process that already runs the toolkit.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    std::optional<QApplication> app;
    if (!GTEST_FLAG_GET(list_tests)) {
        app.emplace(argc, argv);
    }
    return RUN_ALL_TESTS();
}
