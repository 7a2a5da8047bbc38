IDLFILES = a.idl "sub dir/b.idl"
IDLCVLAGS = -b/a

all: app.exe
a_s.cc: a.idl
    $(KROTEX) $(IDLCF