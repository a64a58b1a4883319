// The 32-bit build must compute in true double precision, as the native build does: the
// x87 unit's 80-bit intermediates change truncated positions.
#include <gtest/gtest.h>

namespace {

TEST(FloatingPoint, TruncatesAsTrueDoublePrecisionDoes) {
  // volatile: computed when the test runs, by the code the compiler makes for the program.
  volatile double ten = 10, pitch = 123, whole = 4, two = 2, three = 3;
  const double width = ten + pitch * (whole + two / three);
  EXPECT_EQ(static_cast<int>(width), 584);  // 583 with x87 excess precision
}

}  // namespace
