# tessaly_baseline_tests(TARGET [FILTER pattern])
#
# Registers the GoogleTest program TARGET a second time, with the prefix
# "baseline.", run as on an SSE2-only processor: our pixel kernels in their
# plain variant, Qt and the C library told to use none of their faster
# variants. Tests that compare pixels must pass both ways, so that what they
# compare does not depend on the processor they run on.
set(TESSALY_BASELINE_ENVIRONMENT
  "TESSALY_PIXEL_KERNELS=plain"
  "QT_NO_CPU_FEATURE=avx512f avx2 fma avx sse4.2 sse4.1 ssse3 sse3"
  "GLIBC_TUNABLES=glibc.cpu.hwcaps=-AVX512F,-AVX2,-FMA,-FMA4,-AVX,-SSE4_2,-SSE4_1,-SSSE3")

function(tessaly_baseline_tests target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "FILTER" "")
  set(extra)
  if(arg_FILTER)
    set(extra TEST_FILTER ${arg_FILTER})
  endif()
  gtest_discover_tests(${target} TEST_PREFIX baseline. ${extra}
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;${TESSALY_BASELINE_ENVIRONMENT}" TIMEOUT 600
    DISCOVERY_TIMEOUT 30)
endfunction()
