#include <QApplication>
#include <gtest/gtest.h>
#include <optional>

// Widget tests share one application object. Listing the tests needs none, and must work
// where there is no window system at all.
int main(int argc, char* argv[]) {
    testing::InitGoogleTest(&argc, argv);
    std::optional<QApplication> app;
    if (!GTEST_FLAG_GET(list_tests)) {
        app.emplace(argc, argv);
    }
    return RUN_ALL_TESTS();
}
