#include <QApplication>
#include <QDir>
#include <QFile>
#include <QThreadPool>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <thread>

namespace {

// Qt's threads are detached: waiting for one returns before the system thread has run its
// own ending, which frees the thread's state; a leak check that comes first finds it unreachable.
void letPooledThreadsEnd() {
    const auto pooledThreadRuns = [] {
        const QDir tasks(QStringLiteral("/proc/self/task"));
        for (const QString& task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            QFile name(tasks.filePath(task + QStringLiteral("/comm")));
            if (name.open(QIODevice::ReadOnly) && name.readAll().startsWith("Thread (pooled)")) {
                return true;
            }
        }
        return false;
    };
    for (int tries = 0; tries < 100 && pooledThreadRuns(); ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

} // namespace

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
    // The toolkit converts large images on the global pool: its threads, like those of the
    // window's own pool, are let end before the leak check at exit.
    QThreadPool::globalInstance()->waitForDone();
    letPooledThreadsEnd();
    return status;
}
