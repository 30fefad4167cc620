# The two commands of the README. Both install what is missing first: `make run` only what
# building and running need, `make test` also what the tests use.
BUILD ?= build
DEMO_DB ?= demo.db
JOBS ?= $(shell nproc)
# The programs `make run` builds and starts: the plug-in, the command-line tool, the demo host.
RUN_TARGETS = morvane morvane_tool morvane-host

.PHONY: run test build bootstrap bootstrap-run bench clean

bootstrap-run:
	@scripts/bootstrap run

bootstrap:
	@scripts/bootstrap test

# A first configuration for running only: no tests or benchmarks, so GoogleTest and Google
# Benchmark need not be installed. `make test` switches them on in the same build folder.
$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DBUILD_TESTING=OFF -DMORVANE_BENCH=OFF

build: bootstrap
	cmake -S . -B $(BUILD) -G Ninja -DBUILD_TESTING=ON -DMORVANE_BENCH=ON
	cmake --build $(BUILD) -j $(JOBS)

run: bootstrap-run $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS) --target $(RUN_TARGETS)
	@[ -f $(DEMO_DB) ] || $(BUILD)/cli/morvane demo-db $(DEMO_DB)
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  $(BUILD)/host/morvane-host --db $(DEMO_DB); \
	else \
	  echo "No display: the demo host needs a desktop (or: xvfb-run -a $(BUILD)/host/morvane-host --db $(DEMO_DB), with Debian's xvfb)."; \
	  $(BUILD)/cli/morvane query --db $(DEMO_DB) "select top 10 c.fcode 客户编号,c.fabbrev 客户简称,c.fmathod 客户性质,count(*) 单数 from dt_client c join d_sale s on s.fclientcode=c.fcode group by c.fcode,c.fabbrev,c.fmathod order by count(*) desc"; \
	fi

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	bench/run-all $(BUILD)

clean:
	rm -rf $(BUILD)
