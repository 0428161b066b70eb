# The one entry point. `make` builds everything into dist/; `make test` runs every test; `make run` starts
# the installer under Wine; `make screenshot` renders its window to docs/screenshot.png.
# PAYLOAD=folder packs other payload files (Kelvora.exe, KelvoraV3DLL.dll, iKeyAPI.dll, eKalit.dll).

JOBS ?= $(shell nproc)
BUILD := build
PAYLOAD ?=
PAYLOAD_FLAG := $(if $(PAYLOAD),-DKELVORA_PAYLOAD_DIR=$(abspath $(PAYLOAD)),)
CMAKE_COMMON := -G Ninja -DCMAKE_BUILD_TYPE=Release

.PHONY: all deps native windows sanitize test run screenshot clean

all: deps native windows

deps:
	@scripts/install-deps.sh

native:
	@cmake -S . -B $(BUILD)/native $(CMAKE_COMMON) >/dev/null
	@cmake --build $(BUILD)/native -j $(JOBS)

windows:
	@cmake -S . -B $(BUILD)/win $(CMAKE_COMMON) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake $(PAYLOAD_FLAG) >/dev/null
	@cmake --build $(BUILD)/win -j $(JOBS)

# Native tests and fuzz targets again under AddressSanitizer and UBSan, built with clang.
sanitize:
	@CC=clang CXX=clang++ cmake -S . -B $(BUILD)/sanitize $(CMAKE_COMMON) -DKELVORA_SANITIZE=ON -DKELVORA_FUZZ=ON \
	  -DKELVORA_DIST_DIR=$(CURDIR)/$(BUILD)/sanitize/dist >/dev/null
	@cmake --build $(BUILD)/sanitize -j $(JOBS)

test: deps native windows sanitize
	ctest --test-dir $(BUILD)/native --output-on-failure
	ctest --test-dir $(BUILD)/sanitize --output-on-failure
	scripts/wine-session.sh ctest --test-dir $(BUILD)/win --output-on-failure

run: deps windows
	scripts/run-installer.sh

screenshot: deps windows
	scripts/screenshot.sh docs/screenshot.png

clean:
	rm -rf $(BUILD) dist
