# The two everyday commands. Both install what the machine lacks (apt-get).
.PHONY: run test clean

run:
	bash scripts/run.sh

test:
	bash scripts/test.sh

clean:
	rm -rf build .demo
