#!/usr/bin/env bash
# Builds the game and the tests again with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-asan/ and runs every test there (headless), LeakSanitizer on. Any finding fails the test
# it shows in; tests/sanitizer/lsan.supp lists the leaks inside system libraries that are not ours.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$root" -B "$root/build-asan" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVESTRUNE_SANITIZE=ON -DVESTRUNE_BENCH=OFF >/dev/null
cmake --build "$root/build-asan" -j "$(nproc)"

# Blocks of dynamic thread-local storage are not scanned (intercept_tls_get_addr=0): the leak
# checker's walk of glibc's table of them crashes once the GL driver has loaded its modules.
export ASAN_OPTIONS=detect_leaks=1:intercept_tls_get_addr=0
export UBSAN_OPTIONS=print_stacktrace=1
export LSAN_OPTIONS=suppressions=$root/tests/sanitizer/lsan.supp:print_suppressions=0
xvfb-run -a -s "-screen 0 1280x1024x24" \
  ctest --test-dir "$root/build-asan" --output-on-failure -j "$(nproc)" --timeout 600
