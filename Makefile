# make run   - install what is missing, build in release mode, open the demo in tarn
#              (without a display: the headless demo with tarn-cli)
# make test  - install what is missing, build with ASan and UBSan, run every test
# make bench - install what is missing, build and run the benchmarks in release mode
JOBS ?= 2
ASAN_DIR := build/asan
RELEASE_DIR := build/release
DEMO := res/demo/demo.wav

.PHONY: deps test run bench clean

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
	cmake --build $(RELEASE_DIR) -j $(JOBS) --target tarn_bench tarn_paint_bench tarn-cli
	$(RELEASE_DIR)/tarn_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	$(RELEASE_DIR)/tarn_paint_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	bench/open-vs-sox.sh $(RELEASE_DIR)/tarn-cli
	bench/phrases-vs-sox.sh $(RELEASE_DIR)
	bench/import-vs-ffmpeg.sh $(RELEASE_DIR)/tarn-cli
	bench/clips-vs-ffmpeg.sh $(RELEASE_DIR)/tarn-cli

clean:
	rm -rf build
