# make run   - install dependencies, build, start Ravelo on its bundled default data
# make test  - install dependencies, build, run every test
# make bench - build and run the benchmarks
# make tsan / make asan - run the tests in a ThreadSanitizer / AddressSanitizer build
# make window-asan - the program under AddressSanitizer through its window tests (tray, dialogs,
#                    toolbar, a read-only and a full program folder)
# make format - apply .clang-format to the C++ sources
# make format-check - fail, naming the files, where a C++ source differs from .clang-format
# make fuzz   - build the fuzz targets with clang and run each for FUZZ_SECONDS (default 300),
#              FUZZ_JOBS of them at a time (default 1)
BUILD   ?= build
JOBS    ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: deps configure build test run bench tsan asan window-asan format format-check fuzz clean

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS) $(CTEST_FLAGS)

# Only the program and what its folder needs (the help file), not the packages and the tests.
run: configure
	@cmake --build $(BUILD) -j $(JOBS) --target ravelo $(if $(shell command -v chmcmd),ravelo_help)
	@scripts/run-ravelo $(BUILD)

# A benchmark whose results differ from the plain ones fails, after the others have run.
bench: build
	@status=0; for b in $(BUILD)/bench/*_bench; do if [ -x "$$b" ]; then "$$b" || status=1; fi; done; exit $$status

# The Qt view and the on-screen smoke test stay out of the ThreadSanitizer run: Qt itself is not
# built with it.
tsan:
	@$(MAKE) test BUILD=build-tsan CMAKE_FLAGS="-DRAVELO_SANITIZE=thread -DCMAKE_BUILD_TYPE=Debug" CTEST_FLAGS="-LE 'zubqt|smoke|window'"

asan:
	@$(MAKE) test BUILD=build-asan CMAKE_FLAGS="-DRAVELO_SANITIZE=address -DCMAKE_BUILD_TYPE=Debug"

# The real program under AddressSanitizer, driven through its windows: the tray path, the dialogs
# and the toolbar. Builds only the program in build-asan (the tree `make asan` uses).
window-asan: deps
	@cmake -S . -B build-asan -G Ninja -DRAVELO_SANITIZE=address -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build build-asan -j $(JOBS) --target ravelo
	@ctest --test-dir build-asan --output-on-failure -j $(JOBS) -L window -R 'tray|dialoge|toolbar|schreibschutz'

# Applies .clang-format to every C++ source. Left as they are: the layouts in *.zfm.h, and files
# that are data to the code (fuzz corpora, wizard templates, test fixtures whose lines tests name).
# One clang-format version for everyone: another one formats some constructs differently.
CLANG_FORMAT ?= clang-format-14
FORMAT_FILES = git ls-files -z '*.cpp' '*.h' ':!:*.zfm.h' ':!:fuzz/corpus/**' ':!:**/templates/**' \
  ':!:**/fixtures/**'
format: deps
	@$(FORMAT_FILES) | xargs -0 $(CLANG_FORMAT) -i

format-check: deps
	@bad=$$($(FORMAT_FILES) | xargs -0 $(CLANG_FORMAT) --dry-run 2>&1 \
	  | sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: warning: .*/\1/p' | sort -u); \
	if [ -n "$$bad" ]; then echo "format-check: these files differ from .clang-format (make format):"; \
	  echo "$$bad"; exit 1; fi

# libFuzzer with ASan and UBSan, in a clang build tree of its own; each target starts from its
# seed corpus in fuzz/corpus and stops at the first crash (kept in build-fuzz/crashes).
FUZZ_SECONDS ?= 300
FUZZ_JOBS ?= 1
fuzz: deps
	@CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -G Ninja -DRAVELO_FUZZ=ON \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build build-fuzz -j $(JOBS) --target fuzz_targets
	@scripts/run-fuzz build-fuzz $(FUZZ_SECONDS) $(FUZZ_JOBS)

clean:
	rm -rf build build-tsan build-asan build-fuzz
