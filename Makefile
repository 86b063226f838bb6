# The two everyday commands, the Linux program's, and the benchmark. All
# install what the machine lacks (apt-get).
.PHONY: run run-linux test bench clean

run:
	bash scripts/run.sh

run-linux:
	bash scripts/run-linux.sh

test:
	bash scripts/test.sh

# The program's figures beside their baselines; no test, no timed assertion.
bench:
	bash scripts/bench.sh

clean:
	rm -rf build .demo
