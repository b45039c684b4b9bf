# make run   - install what is missing, build in release mode, open the demo in tarn
#              (without a display: the headless demo with tarn-cli)
# make test  - install what is missing, build with ASan and UBSan, run every test
# make bench - install what is missing, build and run the benchmarks in release mode
# make fuzz  - install clang, build the libFuzzer harnesses and run each over its seeds
JOBS ?= 2
ASAN_DIR := build/asan
RELEASE_DIR := build/release
FUZZ_DIR := build/fuzz
FUZZERS := subtitles recovery clips decode phrases
DEMO := res/demo/demo.wav

.PHONY: deps test run bench fuzz clean

deps:
	@scripts/install-deps.sh

test: deps
	cmake -S . -B $(ASAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTARN_SANITIZE=ON
	cmake --build $(ASAN_DIR) -j $(JOBS)
	scripts/with-sound-server.sh ctest --test-dir $(ASAN_DIR) --output-on-failure -j $(JOBS)

run: deps
	cmake -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release
	cmake --build $(RELEASE_DIR) -j $(JOBS) --target tarn tarn-cli
	@if [ -n "$${DISPLAY:-}$${WAYLAND_DISPLAY:-}" ]; then \
		$(RELEASE_DIR)/tarn $(DEMO); \
	else \
		echo "No display (DISPLAY and WAYLAND_DISPLAY are unset): running the headless demo with tarn-cli."; \
		scripts/headless-demo.sh $(RELEASE_DIR)/tarn-cli $(DEMO); \
	fi

bench: deps
	cmake -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release
	cmake --build $(RELEASE_DIR) -j $(JOBS) --target tarn_bench tarn_paint_bench tarn_align_accuracy tarn-cli
	$(RELEASE_DIR)/tarn_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	$(RELEASE_DIR)/tarn_paint_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	bench/open-vs-sox.sh $(RELEASE_DIR)/tarn-cli
	bench/phrases-vs-sox.sh $(RELEASE_DIR)
	bench/import-vs-ffmpeg.sh $(RELEASE_DIR)/tarn-cli
	bench/clips-vs-ffmpeg.sh $(RELEASE_DIR)/tarn-cli
	bench/align-accuracy.sh $(RELEASE_DIR)
	bench/cards-vs-clips.sh $(RELEASE_DIR)/tarn-cli

fuzz:
	@scripts/install-deps.sh fuzz
	cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
		-DCMAKE_CXX_COMPILER=clang++-14 -DTARN_FUZZ=ON
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target tarn_fuzzers
	fuzz/make-seeds.sh $(FUZZ_DIR)/seeds
	for f in $(FUZZERS); do fuzz/run.sh $(FUZZ_DIR) $$f -runs=0 || exit 1; done

clean:
	rm -rf build
