#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/video/kernel_choice.h"

namespace kerneltest {

// A case's kernel path, baseline or AVX2; the processor's own choice comes back when it ends.
class PathChoice {
 public:
  PathChoice() = default;
  PathChoice(const PathChoice&) = delete;
  PathChoice& operator=(const PathChoice&) = delete;
  ~PathChoice() {
    if (chosen_) platform::UseAvx2Kernels(saved_);
  }
  // False, with nothing chosen, when AVX2 is asked for on a processor without it.
  bool Choose(bool avx2) {
    if (avx2 && !platform::ProcessorHasAvx2()) return false;
    if (!chosen_) saved_ = platform::Avx2Kernels();
    chosen_ = true;
    platform::UseAvx2Kernels(avx2);
    return true;
  }

 private:
  bool chosen_ = false, saved_ = false;
};

// A case run on the baseline (false) or the AVX2 (true) kernel path. Cases for AVX2 skip on a
// processor without it.
class KernelPaths : public testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    if (!choice_.Choose(GetParam())) GTEST_SKIP() << "no AVX2 on this processor";
    ASSERT_EQ(platform::Avx2Kernels(), GetParam());
  }

 private:
  PathChoice choice_;
};

inline std::string PathName(const testing::TestParamInfo<bool>& info) { return info.param ? "Avx2" : "Baseline"; }

}  // namespace kerneltest
