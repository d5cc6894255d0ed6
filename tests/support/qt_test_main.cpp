#include <QApplication>
#include <QThreadPool>
#include <clocale>
#include <cstdio>
#include <cstdlib>
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
        // A run under a comma locale this machine lacks would test nothing of the kind.
        if (std::getenv("LC_ALL") != nullptr && std::setlocale(LC_ALL, "") == nullptr) {
            std::fprintf(stderr,
                         "the locale asked for is not installed: run scripts/install-deps\n");
            return 1;
        }
        app.emplace(argc, argv);
    }
    const int status = RUN_ALL_TESTS();
    // The toolkit converts large images on the global pool, which may still be ending a thread
    // at exit, where the leak check would find that thread's state unreachable.
    QThreadPool::globalInstance()->waitForDone();
    return status;
}
