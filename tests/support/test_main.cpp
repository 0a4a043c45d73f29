#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
  // Tests never wait on a display or a user, however they are started.
  setenv("KESTREL_HEADLESS", "1", 1);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
