# The two commands a newcomer needs are `make run` and `make test`; the rest
# serve CI and maintenance. Everything builds with CMake under build/.

BUILD      := build/release
TEST_BUILD := build/test
ASAN_BUILD := build/asan
JOBS       ?= $(shell nproc)
# Warnings stop the build only when asked: CI sets WERROR=ON, so that a newer
# compiler's new warnings never break a user's build.
WERROR     ?= OFF
# ccache, when there, serves a rebuild of unchanged sources from any clone:
# paths below the clone count from it, and the build folder is not hashed.
CCACHE     := $(shell command -v ccache)
export CCACHE_BASEDIR   := $(CURDIR)
export CCACHE_NOHASHDIR := 1
CMAKE_GEN  := cmake -S . -Wno-dev -DLOMIRA_WERROR=$(WERROR) $(if $(CCACHE),-DCMAKE_CXX_COMPILER_LAUNCHER=$(CCACHE))

.PHONY: run test test-fresh test-sanitize deps bench fuzz package screenshots format check-format check-windows clean
.PHONY: windows screenshots-windows

deps:
	@scripts/install-deps.sh

# Builds the librarian's program and starts it on a sample catalogue in demo/.
run: deps
	@$(CMAKE_GEN) -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j$(JOBS) --target Lomira LomiraView lomira-catalogue
	@mkdir -p demo
	@[ -f demo/Zelkor.dat ] || $(BUILD)/lomira-catalogue import data/sample-catalogue.csv demo/Zelkor.dat
	@cp -f $(BUILD)/ZELKOR.HLP demo/
	cd demo && ../$(BUILD)/Lomira

# Builds everything and runs every test headless.
test: deps
	@$(CMAKE_GEN) -B $(TEST_BUILD) -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(TEST_BUILD) -j$(JOBS)
	cd $(TEST_BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

# The two commands above on a bare Debian 12 (debootstrap's minbase plus git
# and make), from a clone of the commit under test; needs root or sudo.
test-fresh:
	scripts/test-fresh.sh

# The same tests under AddressSanitizer, LeakSanitizer and
# UndefinedBehaviorSanitizer; tests/lsan.supp names the leaks of other libraries.
# A test that fails runs once more before it counts: the real-window tests
# time their answers, and the sanitizers make every step three to ten times
# slower on a loaded machine.
test-sanitize: deps
	@$(CMAKE_GEN) -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DLOMIRA_SANITIZE=ON >/dev/null
	@cmake --build $(ASAN_BUILD) -j$(JOBS)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j$(JOBS) --repeat until-pass:2

check-format:
	@files=$$(git ls-files '*.cpp' '*.h'); clang-format --dry-run --Werror $$files

format:
	@clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build demo

# Under Wine: the raw Windows calls (files named win*_win.cpp) in a Qt-free
# driver, the whole test suite built for Windows, and the setup program with
# the real programs driven by keys beside the Linux build.
check-windows: windows
	tests/windows/run.sh build/windows
	tests/windows/suite.sh $(WINDOWS_BUILD)
	@$(CMAKE_GEN) -B $(TEST_BUILD) -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(TEST_BUILD) -j$(JOBS) --target Lomira lomira-catalogue
	tests/windows/setup.sh $(WINDOWS_BUILD) $(TEST_BUILD)

# The three programs for 64-bit Windows, statically linked, with the setup
# program and a portable zip, in build/windows-release. They link against the
# SDK that scripts/build-windows-sdk.sh builds once outside the clone (most of
# an hour the first time on two cores); a Linux build of the catalogue tool is
# the yardstick for the Windows one.
WINDOWS_BUILD := build/windows-release
windows: deps
	@scripts/install-deps.sh --extra
	@scripts/build-windows-sdk.sh
	@sdk=$$(scripts/build-windows-sdk.sh --path); \
	  fresh=$$(grep -qsx "LOMIRA_WINDOWS_SDK:[A-Z]*=$$sdk" $(WINDOWS_BUILD)/CMakeCache.txt || echo --fresh); \
	  PKG_CONFIG_LIBDIR=$$sdk/lib/pkgconfig $(CMAKE_GEN) -B $(WINDOWS_BUILD) $$fresh -G Ninja -DCMAKE_BUILD_TYPE=Release \
	    -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/windows-toolchain.cmake -DLOMIRA_WINDOWS_SDK=$$sdk \
	    -DCMAKE_PREFIX_PATH=$$sdk -DCMAKE_CROSSCOMPILING_EMULATOR=$(CURDIR)/tests/windows/wine-run.sh >/dev/null
	@nice -n 5 cmake --build $(WINDOWS_BUILD) -j$(JOBS)
	@cmake --build $(WINDOWS_BUILD) --target windows-setup

# A Debian package of both programs and the catalogue tool. The About box's contact lines are set
# afresh each time: as given (make package LOMIRA_EMAIL=...), else the defaults
# that the README describes.
ABOUT_SETTINGS := $(foreach v,LOMIRA_WEB_ADDRESS LOMIRA_VIEW_WEB_ADDRESS LOMIRA_EMAIL LOMIRA_RIGHTS_HOLDER,-U $(v) $(if $($(v)),-D$(v)="$($(v))"))
package: deps
	@$(CMAKE_GEN) -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(ABOUT_SETTINGS) >/dev/null
	@cmake --build $(BUILD) -j$(JOBS) --target Lomira LomiraView lomira-catalogue lomira-catalogue-man
	cd $(BUILD) && cpack -G DEB

# The README's screenshots, taken from real windows in a virtual X server.
screenshots: deps
	@scripts/install-deps.sh --extra
	@$(CMAKE_GEN) -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j$(JOBS) --target lomira-screenshots lomira-catalogue
	@rm -rf $(BUILD)/shots && mkdir -p $(BUILD)/shots
	@$(BUILD)/lomira-catalogue import data/sample-catalogue.csv $(BUILD)/shots/Zelkor.dat
	xvfb-run -a -s "-screen 0 1024x768x24" env QT_QPA_PLATFORM=xcb \
	  $(BUILD)/lomira-screenshots $(BUILD)/shots docs/screenshots
	@for f in docs/screenshots/*.png; do convert "$$f" -strip -colors 64 "$$f"; done

# The README's screenshots of the Windows programs, installed and run under Wine.
screenshots-windows: windows
	tests/windows/screenshots.sh $(WINDOWS_BUILD) docs/screenshots

# Times the searches on generated catalogues of 10,000 to 1,000,000 records,
# offscreen and on a real X server, and the catalogue tool's csv export and
# check; docs/performance.md records the figures.
bench: deps
	@$(CMAKE_GEN) -B build/bench -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build build/bench -j$(JOBS) --target lomira_bench_generate lomira_bench lomira_bench_test lomira_bench_transfer lomira_bench_loans lomira_bench_xml_feed
	bench/run-bench.sh build/bench

# libFuzzer over the catalogue reader and writer and over the import's readers
# (xlsx, ods, xls, csv, MARC, MARCXML), FUZZ_SECONDS each (clang, installed
# when missing); CI runs it short, from a fixed seed: make fuzz
# FUZZ_SECONDS=10 FUZZ_SEED=1.
fuzz:
	FUZZ_SEED=$(FUZZ_SEED) fuzz/build.sh $(or $(FUZZ_SECONDS),60)
