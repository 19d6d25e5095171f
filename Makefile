# The two commands of the project; everything else is CMake presets.
.PHONY: test bootstrap real-hosts windows-tests demo

FUZZ_SECONDS ?= 60

test: bootstrap
	cmake --preset release
	cmake --build --preset release
	ctest --preset release
	scripts/real-hosts.sh build/release/QuorlinChorus.so
	scripts/windows-tests.sh
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

# The built-in demo chord, dry and through the "Lush Chorus" factory preset.
demo: bootstrap
	cmake --preset release
	cmake --build --preset release --target QuorlinChorus quorlin quorlin_factory_preset_files
	mkdir -p build/demo
	build/release/quorlin process --dry --demo --tail 1 build/demo/demo-dry.wav
	build/release/quorlin process --demo --preset "build/release/presets/Lush Chorus.preset" --tail 1 \
		build/demo/demo-chorus.wav
	@echo
	@echo "Dry demo:       $(CURDIR)/build/demo/demo-dry.wav"
	@echo "Through chorus: $(CURDIR)/build/demo/demo-chorus.wav"
