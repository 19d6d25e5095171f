# The two commands of the project; everything else is CMake presets.
.PHONY: test bootstrap real-hosts windows-tests demo package

FUZZ_SECONDS ?= 60

test: bootstrap
	cmake --preset release
	cmake --build --preset release
	ctest --preset release
	mkdir -p build/snapshots
	find build/release/snapshots -maxdepth 1 -type f -name '*.png' -exec cp {} build/snapshots/ \;
	scripts/real-hosts.sh build/release/QuorlinChorus.so
	scripts/windows-tests.sh
	find build/windows-tests/snapshots -maxdepth 1 -type f -name '*.png' -exec cp {} build/snapshots/ \;
	QUORLIN_PACKAGE_BUILD=build/release QUORLIN_WINDOWS_BUILD=build/windows-tests scripts/package.sh
	QUORLIN_PACKAGE_BUILD=build/release scripts/package-check.sh
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan
	cmake --preset tsan
	cmake --build --preset tsan
	ctest --preset tsan
	cmake --preset fuzz
	cmake --build --preset fuzz
	scripts/fuzz.sh $(FUZZ_SECONDS)

bootstrap:
	scripts/bootstrap.sh

# Qtractor's and Ardour's scanners load the plug-in; Ardour renders audio through it.
real-hosts: bootstrap
	cmake --preset release
	cmake --build --preset release --target QuorlinChorus
	scripts/real-hosts.sh build/release/QuorlinChorus.so

# The Windows DLL cross-built and tested under Wine, against the Linux build's audio.
windows-tests: bootstrap
	cmake --preset release
	cmake --build --preset release
	scripts/windows-tests.sh

# The built-in demo chord, dry and through the "Lush Chorus" factory preset. Needs only what
# building and rendering need.
demo:
	scripts/bootstrap.sh demo
	cmake --preset demo
	cmake --build --preset demo --target QuorlinChorus quorlin quorlin_factory_preset_files
	build/demo/quorlin process --dry --demo --tail 1 build/demo/demo-dry.wav
	build/demo/quorlin process --demo --preset "build/demo/presets/Lush Chorus.preset" --tail 1 \
		build/demo/demo-chorus.wav
	@echo
	@echo "Dry demo:       $(CURDIR)/build/demo/demo-dry.wav"
	@echo "Through chorus: $(CURDIR)/build/demo/demo-chorus.wav"

# The Debian package (quorlin-chorus_<version>_amd64.deb) and the Windows zip, in build/package.
package: bootstrap
	scripts/package.sh
