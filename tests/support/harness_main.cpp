#include <gtest/gtest.h>

#include "support/harness.h"

int main(int argc, char** argv) {
  harness::setupEnvironment();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
