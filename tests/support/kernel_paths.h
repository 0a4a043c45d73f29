#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/video/kernel_choice.h"

namespace kerneltest {

// A case run on the baseline (false) or the AVX2 (true) kernel path; the processor's own choice
// comes back afterwards. Cases for AVX2 skip on a processor without it.
class KernelPaths : public testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    saved_ = platform::Avx2Kernels();
    if (GetParam() && !platform::ProcessorHasAvx2()) GTEST_SKIP() << "no AVX2 on this processor";
    platform::UseAvx2Kernels(GetParam());
    ASSERT_EQ(platform::Avx2Kernels(), GetParam());
  }
  void TearDown() override { platform::UseAvx2Kernels(saved_); }

 private:
  bool saved_ = false;
};

inline std::string PathName(const testing::TestParamInfo<bool>& info) { return info.param ? "Avx2" : "Baseline"; }

}  // namespace kerneltest
