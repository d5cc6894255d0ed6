#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    // As the program's toolkit does on start: the environment's locale takes effect, so runs
    // under a comma locale exercise what a Lithuanian or German desktop would; a run that asks
    // for a locale this machine lacks would test nothing of the kind.
    if (std::setlocale(LC_ALL, "") == nullptr && std::getenv("LC_ALL") != nullptr) {
        std::fprintf(stderr, "the locale asked for is not installed: run scripts/install-deps\n");
        return 1;
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
