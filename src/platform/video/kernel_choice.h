#pragma once

namespace platform {

// Which versions of the pixel kernels run: the AVX2 ones when the processor has AVX2 and
// KESTREL_NO_AVX2 is not set (decided at the first call), else the baseline x86-64 ones. Both
// give the same pixels.
bool Avx2Kernels();

// Switches to the AVX2 kernels (only where the processor has them) or back to the baseline
// ones; for tests and benchmarks that run both paths.
void UseAvx2Kernels(bool on);
bool ProcessorHasAvx2();

}  // namespace platform
