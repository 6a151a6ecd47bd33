#!/usr/bin/env bash
# The player's threads under ThreadSanitizer: the sound, fault and soak tests,
# built by clang with -fsanitize=thread into build-tsan (only those tests and
# what they link). A race or a lock-order inversion fails the run; the
# suppressions in tests/support/tsan.supp name library frames only.
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
# The test set brings clang and its runtimes, ThreadSanitizer's among them.
kelvaro_install_packages

SECONDS=0
BUILD=$KELVARO_ROOT/build-tsan
CXX=clang++ cmake -S "$KELVARO_ROOT" -B "$BUILD" -G Ninja -DKELVARO_SANITIZE_THREADS=ON -DKELVARO_BUILD_BENCH=OFF \
  >/dev/null
cmake --build "$BUILD" --target sound_cues_test wave_image_test fault_test soak_test
ctest --test-dir "$BUILD" --output-on-failure -j "$(nproc)" \
  -R '^(Module1|Playback|NoSound|SdlLibrary|WaveImage|Fault|ServerGone|Soak|IdleRepaint)\.'
echo "ThreadSanitizer build and tests: ${SECONDS} s"
