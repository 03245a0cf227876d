# Korvant: the two commands a new machine needs are `make demo` and `make test`.
BUILD      ?= build
BUILD_TYPE ?= RelWithDebInfo
CMAKE_ARGS ?=
FUZZ_SECONDS ?= 15
PREFIX     ?= /usr/local

.PHONY: all deps configure build install test run demo docs-pictures bench sanitize tsan fuzz fuzz-build fuzz-long lint format format-check clean \
	package package-check

all: build

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_ARGS) > /dev/null

build: configure
	@cmake --build $(BUILD)

# The programs, the samples, the menu entry and its icon under PREFIX.
install: build
	@cmake --install $(BUILD) --prefix $(PREFIX)

test: build
	@cd $(BUILD) && ctest --output-on-failure

run: build
	@cd $(BUILD)/run && ./korvant

# The tracks of a shipped North Atlantic message on the sample data, as PNG and
# PDF, in out/: only the programs and the sample data are built.
# At an hour of the eastbound set's validity: the 2016 message read today
# would otherwise say NOT YET VALID, taking its days for next February's.
DEMO_TRACKS = --tracks tracks/nat-20160210.html --time "04Z 11/02/2016" --layer routeBearings=on \
	--layer routeDistances=on --layer ownStations=off
DEMO_TARGETS = korvant korvant-plot sample_data
PLOT = cd $(BUILD)/run && ../bin/korvant-plot
demo: configure
	@cmake --build $(BUILD) --target $(DEMO_TARGETS)
	@mkdir -p out
	@$(PLOT) $(DEMO_TRACKS) -o $(CURDIR)/out/demo-nat.png
	@$(PLOT) $(DEMO_TRACKS) -o $(CURDIR)/out/demo-nat.pdf
	@$(PLOT) --procedure PS1/deparr/EGLL/KORV1J.27R --layer waypointData=on \
	  --layer ownStations=off --layer ps1Sta=on -o $(CURDIR)/out/demo-sid.png
	@$(PLOT) $(DEMO_TRACKS) \
	  --route-string "KJFK DCT MERIT HFD PUT BOS KANNI DCT NICSO NATS LIMRI DCT GISTI UL9 EGLL" \
	  -o $(CURDIR)/out/demo-route.png 2> /dev/null
	@$(PLOT) $(DEMO_TRACKS) --print-pdf $(CURDIR)/out/demo-print.pdf
	@echo "wrote out/demo-nat.png, out/demo-nat.pdf, out/demo-sid.png, out/demo-route.png and out/demo-print.pdf"

# The README's pictures in docs/, made afresh at a clock held still
# (KORVANT_NOW, UTC) with paths named from the run folder: a second run
# changes nothing.
DOCS_CLOCK = TZ=UTC KORVANT_NOW=1455163200
docs-pictures: demo
	@cd $(BUILD)/run && $(DOCS_CLOCK) ../bin/korvant-plot $(DEMO_TRACKS) -o $(CURDIR)/docs/demo-nat.png
	@cd $(BUILD)/run && $(DOCS_CLOCK) ../bin/korvant-plot $(DEMO_TRACKS) --layer declutter=off \
	  -o $(CURDIR)/docs/demo-nat-declutter-no.png
	@cd $(BUILD)/run && $(DOCS_CLOCK) ../bin/korvant-plot --procedure PS1/deparr/EGLL/KORV1J.27R \
	  --layer waypointData=on --layer ownStations=off --layer ps1Sta=on -o $(CURDIR)/docs/demo-sid.png
	@cd $(BUILD)/run && $(DOCS_CLOCK) ../bin/korvant-plot $(DEMO_TRACKS) --layer ownWaypoints=off --fly-track C \
	  --etops 120 --etops-airports EINN,BIKF,BGSF,CYQX,LPLA,EGPF -o $(CURDIR)/docs/demo-etops.png
	@mkdir -p out/docs-navdata && cp $(BUILD)/run/KORVANT.CTL $(BUILD)/run/KORVANT.DAT out/docs-navdata/ && \
	  echo "NavDataDir    $(abspath $(BUILD))/run/XPNAV/" >> out/docs-navdata/KORVANT.CTL
	@cd $(BUILD)/run && $(DOCS_CLOCK) ../bin/korvant-plot --folder $(CURDIR)/out/docs-navdata --centre KJFK --range 50 \
	  --layer navDataAirways=on --layer navDataNavaids=on --layer ownStations=off \
	  -o $(CURDIR)/docs/demo-departure-50nm.png
	@cd $(BUILD)/run && $(DOCS_CLOCK) ../bin/korvant-plot --folder $(CURDIR)/out/docs-navdata $(DEMO_TRACKS) \
	  --layer navDataAirways=on --layer navDataNavaids=on -o $(CURDIR)/docs/demo-nat-navdata.png
	@cd $(BUILD)/run && $(DOCS_CLOCK) QT_QPA_PLATFORM=offscreen ./korvant --open tracks/nat-20160210.html \
	  --screenshot $(CURDIR)/docs/screenshot.png 2> /dev/null
	@cd $(BUILD)/run && $(DOCS_CLOCK) ../bin/korvant-plot $(DEMO_TRACKS) --print-pdf $(CURDIR)/out/docs-print.pdf
	@pdftoppm -png -r 80 -singlefile out/docs-print.pdf docs/printed-page
	@echo "wrote the README's pictures in docs/"

# The benchmarks, then the whole process's memory at each reader's limit
# against its budget (scripts/memory-budgets.sh).
bench: build
	@for b in $(BUILD)/bench/korvant_bench_*; do echo "== $$b"; $$b --benchmark_min_time=0.2; done
	@echo "== memory of the whole process"; scripts/memory-budgets.sh $(BUILD)

sanitize: deps
	@cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKORVANT_SANITIZE=ON -DKORVANT_BENCH=OFF > /dev/null
	@cmake --build build-sanitize
	@cd build-sanitize && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure

# The tests under ThreadSanitizer. Qt's libraries are not instrumented: what
# it reports from inside them alone is left out (tests/tsan.supp).
tsan: deps
	@cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANT_TSAN=ON -DKORVANT_BENCH=OFF > /dev/null
	@cmake --build build-tsan
	@cd build-tsan && TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$(CURDIR)/tests/tsan.supp" \
	  ctest -j2 --output-on-failure

fuzz-build: deps
	@cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANT_FUZZ=ON \
	  -DCMAKE_CXX_COMPILER=clang++ -DKORVANT_PUGIXML_SOURCE=$$(scripts/pugixml-source.sh build-fuzz/pugixml) > /dev/null
	@cmake --build build-fuzz

# Every target briefly (FUZZ_SECONDS, 15); fuzz-long for FUZZ_SECONDS each
# when given, else 600. FUZZ_TARGETS names a few targets instead of all.
fuzz: fuzz-build
	@scripts/run-fuzz.sh $(FUZZ_SECONDS) $(FUZZ_TARGETS)

fuzz-long: fuzz-build
	@scripts/run-fuzz.sh $(if $(filter command line environment,$(origin FUZZ_SECONDS)),$(FUZZ_SECONDS),600) \
	  $(FUZZ_TARGETS)

# The C++ files the format rules cover.
FORMAT_FILES = $(shell git ls-files 'src/*.cpp' 'src/*.h' 'tools/*.cpp' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp')

format: deps
	@clang-format -i $(FORMAT_FILES)

format-check: deps
	@clang-format --dry-run --Werror $(FORMAT_FILES) && echo "format-check: $(words $(FORMAT_FILES)) files formatted"

# A Debian package of the programs, the samples, the manual pages and the
# desktop listing: out/korvant_VERSION_ARCH.deb, packed from the build the
# tests ran on (optimised and hardened as Debian builds, see CMakeLists.txt;
# stripped when packed), so nothing is compiled twice.
package: build
	@rm -f $(BUILD)/korvant_*.deb
	@# A staging folder left by an earlier run ends up inside the new package.
	@rm -rf $(BUILD)/_CPack_Packages
	@cd $(BUILD) && cpack -G DEB > cpack.log || { cat cpack.log; exit 1; }
	@mkdir -p out && rm -f out/korvant_*.deb && cp $(BUILD)/korvant_*.deb out/
	@ls out/korvant_*.deb

# The package installed into a scratch root and used: its plotter on its
# samples, its manual pages, lintian and the AppStream listing.
package-check: package
	@scripts/package-check.sh out/korvant_*.deb

# clang-tidy with .clang-tidy over src/ and tools/, from the build's compile commands.
lint: configure
	@run-clang-tidy -p $(BUILD) -quiet '^$(CURDIR)/(src|tools)/' > $(BUILD)/lint.log 2>&1 \
	  || { grep -E 'warning:|error:' $(BUILD)/lint.log | sort -u; exit 1; }
	@echo "lint: clean"

clean:
	rm -rf $(BUILD) build-sanitize build-tsan build-fuzz build-package out
