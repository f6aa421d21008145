# The README's two commands: `make demo` and `make test`.
BUILD_DIR := build
JOBS := $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps program-deps configure build test sanitize tsan fuzz demo package bench clean

all: build

# Every Debian package of tools/debian-packages.txt: the program's and the tests'.
deps:
	@tools/install-deps.sh all

# Only the packages that build and run the program.
program-deps:
	@tools/install-deps.sh program

CONFIGURE := cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release >/dev/null

configure: program-deps
	@$(CONFIGURE)

# Everything; the tests join the build once their packages are there.
build: deps
	@$(CONFIGURE)
	@cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# The whole test suite built with AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: deps
	@cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVANE_SANITIZE=ON >/dev/null
	@cmake --build build-sanitize -j $(JOBS)
	@cd build-sanitize && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
		ctest --output-on-failure -j $(JOBS)

# The conversion and window tests built with ThreadSanitizer: rendering and saving
# on several threads (four, also on fewer cores), and the window rendering pages.
TSAN_TESTS := Threads|Golden|CreateSaveAs|RenderTest|RenderGlyph|InternalAA|Supersample|Save|XbfWriter|CCompile|OutputBuffer|FontViewTest|DocumentTest|NewFontTest|FlashSize|PreviewTest|MainWindowTest
tsan: deps
	@cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_FLAGS=-fsanitize=thread \
		-DCMAKE_CXX_FLAGS=-fsanitize=thread -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread >/dev/null
	@cmake --build build-tsan -j $(JOBS) --target Morvane morvane_tests morvane_shell_tests
	@cd build-tsan && MORVANE_THREADS=4 TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:suppressions=$(CURDIR)/tools/tsan.supp \
		ctest --output-on-failure -j $(JOBS) -R '$(TSAN_TESTS)'

# The libFuzzer targets, each run for FUZZ_SECONDS (default 60).
fuzz: deps
	@tools/run-fuzzers.sh $(or $(FUZZ_SECONDS),60)

# Only the program: no tests, no benchmarks.
demo: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target Morvane
	@tools/demo.sh $(BUILD_DIR)/Morvane

# The Debian package of the program, built by cpack into build/: only the program
# and its window module are built for it.
package: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target Morvane
	@cd $(BUILD_DIR) && cpack -G DEB >/dev/null
	@ls $(BUILD_DIR)/morvane_*.deb

bench: build
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target benchmarks
	@tools/run-benchmarks.sh $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR) build-sanitize build-tsan build-fuzz demo-out
