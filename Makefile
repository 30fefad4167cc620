# The two commands of the README. Both install what is missing first.
BUILD ?= build
DEMO_DB ?= demo.db
JOBS ?= $(shell nproc)

.PHONY: run test build bootstrap bench clean

bootstrap:
	@scripts/bootstrap

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja

build: bootstrap $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@[ -f $(DEMO_DB) ] || $(BUILD)/cli/morvane demo-db $(DEMO_DB)
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  $(BUILD)/host/morvane-host --db $(DEMO_DB); \
	else \
	  echo "No display: the demo host needs a desktop (or: xvfb-run -a $(BUILD)/host/morvane-host --db $(DEMO_DB))."; \
	  $(BUILD)/cli/morvane query --db $(DEMO_DB) "select top 10 c.fcode 客户编号,c.fabbrev 客户简称,c.fmathod 客户性质,count(*) 单数 from dt_client c join d_sale s on s.fclientcode=c.fcode group by c.fcode,c.fabbrev,c.fmathod order by count(*) desc"; \
	fi

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	bench/run-all $(BUILD)

clean:
	rm -rf $(BUILD)
