# The one entry point. `make` builds everything into dist/; `make test` runs every test; `make run` starts
# the installer under Wine; `make screenshot` renders its window, folder dialog, system menu, first prompt and
# a skinned system message box, and the skin viewer's window, to docs/.
# PAYLOAD=folder packs other payload files (Kelvora.exe, KelvoraV3DLL.dll, iKeyAPI.dll, eKalit.dll); without it
# the build packs the stand-ins again. `make bench-installer` compares the installer with NSIS (ROUNDS=n).
# The Windows programs are 32-bit (build/win, copied to dist/); build/win64 holds the same code for x86-64,
# which Wine runs instead where its 32-bit part (wine32) could not be installed.

JOBS ?= $(shell nproc)
BUILD := build
PAYLOAD ?=
ROUNDS ?= 30
# Always given, so that a build without PAYLOAD does not keep the folder of an earlier one in its cache.
PAYLOAD_FLAG := -DKELVORA_PAYLOAD_DIR=$(if $(PAYLOAD),$(abspath $(PAYLOAD)))
CMAKE_COMMON := -G Ninja -DCMAKE_BUILD_TYPE=Release

# configure(folder, toolchain, further arguments): a folder configured for another toolchain starts afresh,
# since CMake keeps the compilers of an existing cache.
define configure
	@[ "$$(sed -n 's/^CMAKE_TOOLCHAIN_FILE:[A-Z]*=//p' $(1)/CMakeCache.txt 2>/dev/null)" = $(CURDIR)/$(2) ] || \
	  rm -rf $(1)/CMakeCache.txt $(1)/CMakeFiles
	@cmake -S . -B $(1) $(CMAKE_COMMON) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/$(2) $(3) >/dev/null
endef

.PHONY: all deps native windows-payload windows windows64 wine-build sanitize test run screenshot bench-installer clean

all: deps native windows

deps:
	@scripts/install-deps.sh

native:
	@cmake -S . -B $(BUILD)/native $(CMAKE_COMMON) >/dev/null
	@cmake --build $(BUILD)/native -j $(JOBS)

# The 32-bit build configured and its payload packed; the configuration says which payload.
windows-payload:
	$(call configure,$(BUILD)/win,cmake/mingw-w64-i686.cmake,$(PAYLOAD_FLAG))
	@cmake --build $(BUILD)/win -j $(JOBS) --target installer_payload_packed

windows: windows-payload
	@cmake --build $(BUILD)/win -j $(JOBS)

windows64:
	$(call configure,$(BUILD)/win64,cmake/mingw-w64-x86_64.cmake,$(PAYLOAD_FLAG))
	@cmake --build $(BUILD)/win64 -j $(JOBS)

# The build that Wine here runs: the 32-bit one, or the x86-64 one when Wine has no 32-bit part.
wine-build: windows
	@[ "$$(scripts/wine-build-dir.sh)" = "$(CURDIR)/$(BUILD)/win" ] || $(MAKE) --no-print-directory windows64

# Native tests and fuzz targets again under AddressSanitizer and UBSan, built with clang.
sanitize:
	@CC=clang CXX=clang++ cmake -S . -B $(BUILD)/sanitize $(CMAKE_COMMON) -DKELVORA_SANITIZE=ON -DKELVORA_FUZZ=ON \
	  -DKELVORA_DIST_DIR=$(CURDIR)/$(BUILD)/sanitize/dist >/dev/null
	@cmake --build $(BUILD)/sanitize -j $(JOBS)

test: deps native windows sanitize wine-build
	ctest --test-dir $(BUILD)/native --output-on-failure
	ctest --test-dir $(BUILD)/sanitize --output-on-failure
	scripts/windows-tests.sh

run: deps wine-build
	scripts/run-installer.sh

screenshot: deps wine-build
	scripts/screenshot.sh docs/screenshot.png --menu docs/menu.png --folder-dialog docs/folderdialog.png \
	  --prompt docs/prompt.png --msgbox docs/msgbox.png
	scripts/screenshot.sh docs/skinview.png tools/skinview/skinview.exe

bench-installer: deps native windows wine-build
	bench/installer/run.sh $(ROUNDS)

clean:
	rm -rf $(BUILD) dist
