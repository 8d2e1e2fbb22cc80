# make run   - install what is missing, build, start the program
# make test  - the same set-up plus the test tools, then every test, then the unit tests again
#              built with the address and undefined-behaviour sanitizers (in $(ASAN_BUILD))
# make memcheck [CYCLES=200] - the secondary windows opened and closed under valgrind
# make package - the Debian package eigo-exam_<version>_<arch>.deb, made by cpack in $(BUILD)
BUILD     ?= build
JOBS      ?= $(shell nproc)
FUZZ_TIME ?= 60
ASAN_BUILD ?= build-asan
CYCLES    ?= 200

.PHONY: run test build configure fuzz clean format memcheck

# The program alone (its sound module comes with it): tests, tools and benchmarks wait for make test.
run:
	@scripts/setup.sh run
	@$(MAKE) --no-print-directory configure
	@cmake --build $(BUILD) --target eigo-exam -j $(JOBS)
	@scripts/run.sh $(BUILD)/eigo-exam

test:
	@scripts/setup.sh test
	@$(MAKE) --no-print-directory build
	cd $(BUILD) && ctest --output-on-failure -j1
	@tests/sanitizers/run.sh $(ASAN_BUILD) $(JOBS)

configure:
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

memcheck:
	@scripts/setup.sh memcheck
	@$(MAKE) --no-print-directory build
	@tests/memcheck/run.sh $(BUILD)/memcheck_driver $(CYCLES)

fuzz:
	@scripts/setup.sh fuzz
	@scripts/fuzz.sh $(FUZZ_TIME)

# Only the program is compiled; cpack stages it with the package's own layout.
.PHONY: package
package:
	@scripts/setup.sh package
	@$(MAKE) --no-print-directory configure
	@cmake --build $(BUILD) --target eigo-exam -j $(JOBS)
	@cd $(BUILD) && cpack

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)

# make monkey [SEED=1] [EVENTS=5000] - random events from the seed against the exam window
# in-process, with its invariants checked after each, then against the real program under Xvfb
SEED   ?= 1
EVENTS ?= 5000
.PHONY: monkey
monkey:
	@scripts/setup.sh test
	@$(MAKE) --no-print-directory configure
	@cmake --build $(BUILD) --target tst_monkey eigo-exam e2e_xclient -j $(JOBS)
	MONKEY_SEED=$(SEED) MONKEY_EVENTS=$(EVENTS) QT_QPA_PLATFORM=offscreen \
		$(BUILD)/tst_monkey randomEventsKeepInvariants
	tests/e2e/monkey.sh $(BUILD)/eigo-exam $(BUILD)/e2e_xclient $(SEED) $(EVENTS)
