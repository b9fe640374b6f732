# The two commands a fresh machine needs: `make demo` and `make test`.
JOBS ?= $(shell nproc)
BUILD ?= build
CMAKE_FLAGS ?=

.PHONY: all setup build demo test asan tsan bench fuzz faults clean windows windows-test

all: build

setup:
	@bash scripts/setup.sh

$(BUILD)/CMakeCache.txt:
	@bash scripts/setup.sh
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)

build: $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

demo: build
	@mkdir -p out
	$(BUILD)/bin/vlam render -o out/vlam_####.png
	@echo "Frames written to $(CURDIR)/out/"

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# Address and undefined-behaviour sanitizers over the whole suite.
asan:
	@bash scripts/setup.sh
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVLAM_SANITIZER=asan
	cmake --build build-asan -j $(JOBS)
	cd build-asan && LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp ctest --output-on-failure -j $(JOBS)

# Thread sanitizer over the suite (the multi-threaded render paths).
tsan:
	@bash scripts/setup.sh
	cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVLAM_SANITIZER=tsan
	cmake --build build-tsan -j $(JOBS)
	cd build-tsan && TSAN_OPTIONS=halt_on_error=1 ctest --output-on-failure -j $(JOBS)

# Every host function the module calls during five commands, failed in turn
# (first and last call), under the address and undefined-behaviour build.
faults:
	@bash scripts/setup.sh
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVLAM_SANITIZER=asan
	cmake --build build-asan -j $(JOBS) --target vlam VlamModule
	JOBS=$(JOBS) bash scripts/fault-sweep.sh build-asan

bench:
	@bash scripts/setup.sh
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DVLAM_BUILD_BENCH=ON -DVLAM_BUILD_TESTS=OFF
	cmake --build build-bench -j $(JOBS)

fuzz:
	@bash scripts/setup.sh
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVLAM_BUILD_FUZZ=ON -DVLAM_SANITIZER=asan
	cmake --build build-fuzz -j $(JOBS)

# The Windows x64 module and tool, cross-compiled with mingw-w64:
# build-windows/Vlam.aex and build-windows/vlam.exe.
windows:
	@bash scripts/setup.sh windows
	cmake -S . -B build-windows -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake $(CMAKE_FLAGS)
	cmake --build build-windows -j $(JOBS)

# The Windows build under wine64 against the Linux build's results.
windows-test: windows build
	@bash scripts/setup.sh wine
	bash scripts/windows-test.sh

clean:
	rm -rf build build-asan build-tsan build-bench build-fuzz build-windows out
