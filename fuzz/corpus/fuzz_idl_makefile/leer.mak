IDLFILES = 
IDLCFLAGS = -boa

all: x
