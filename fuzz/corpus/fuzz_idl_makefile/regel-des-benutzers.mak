IDLFILES = x.idl
IDLGENFILES = x_s.cc x_czcc
IDLCFLAGS = -boa

all: a.idl
IDLGENFILES.idl
    $(KRIDLFILEIGFCDLLAS%) $?

