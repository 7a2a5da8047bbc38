IDLFILES = x.idl
IDLGENFILES = x_s.cc x_c.cc
IDLCFLAGS = -boa

all: app.exe
x_s.cc: x.idl
    $(KROTEX) $(IDLCFLAGS) $?

