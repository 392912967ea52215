# Build, run and test the payment order editor.
#   make run    install what is missing, build, and open the editor on the demo data folder
#   make test   install what is missing, build, run every test, then again under ASan + UBSan
#   make bench  build and print the benchmark figures (opening orders, saving an address book,
#               importing the directory of BIKs, reading an invoice's QR code, reading a
#               statement and the orders' states)
#   make package  build a Debian package, build/vemo_VERSION_ARCH.deb (apt install ./build/vemo_*.deb)

PACKAGES := qt6-base-dev libgl-dev cmake ninja-build g++ make fonts-urw-base35 fonts-liberation2 \
            qt6-translations-l10n libarchive-dev libzxing-dev libpoppler-qt6-dev pkgconf
TEST_PACKAGES := poppler-utils
PACKAGE_TOOLS := dpkg-dev  # dpkg-shlibdeps, which finds the package's library dependencies

BUILD_TYPE ?= RelWithDebInfo
DEMO_DIR := demo
CTEST := QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2

.PHONY: deps test-deps build build-asan run test bench package clean

deps:
	@scripts/install-deps.sh $(PACKAGES)

test-deps:
	@scripts/install-deps.sh $(PACKAGES) $(TEST_PACKAGES)

build: deps
	cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)
	cmake --build build

build-asan: test-deps
	cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVEMO_SANITIZE=ON
	cmake --build build-asan

run: build
	scripts/make-demo-data.sh $(DEMO_DIR)
	cd $(DEMO_DIR) && ../build/vemo

test: test-deps build build-asan
	cd build && $(CTEST)
	cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 $(CTEST)

bench: build
	build/bench/bench_orders
	build/bench/bench_save
	build/bench/bench_bik
	build/bench/bench_qr
	build/bench/bench_statement

package: build
	@scripts/install-deps.sh $(PACKAGE_TOOLS)
	cd build && cpack

clean:
	rm -rf build build-asan
