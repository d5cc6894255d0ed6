#include <clocale>
#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    // As the program's toolkit does on start: the environment's locale takes effect, so runs
    // under a comma locale exercise what a Lithuanian or German desktop would.
    std::setlocale(LC_ALL, "");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
