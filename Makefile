# The two everyday commands. Both install what the machine lacks (apt-get).
.PHONY: run run-linux test clean

run:
	bash scripts/run.sh

run-linux:
	bash scripts/run-linux.sh

test:
	bash scripts/test.sh

clean:
	rm -rf build .demo
