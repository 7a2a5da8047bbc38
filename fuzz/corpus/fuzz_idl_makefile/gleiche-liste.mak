IDLFILES = a.idl "sub dir/b.idl"
IDLCFLAGS = -boa

all: app.exe
a_s.cc: a.idl
    $(KROTEX) $(IDLCFLAGS) $?

docs.html: a.idl
    idl2html a.idl
