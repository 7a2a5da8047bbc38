PROJECT = Bank.exe
PROJECTFILES = bank.idl teller.idl bank_c.cc bank_s.cc
IDLFILES = bank.idl teller.idl
IDLGENFILES = bank_s.cc bank_c.cc
IDLCFLAGS = -boa -I inc -root_dir gen

!if !$d(KROTEX)
KROTEX = krotex
!endif

all: $(PROJECT)

bank_s.cc: bank.idl
    $(KROTEX) $(IDLCFLAGS) $?

bank_c.cc: bank.idl
    $(KROTEX) $(IDLCFLAGS) $?

# Options of single files, kept by the IDE
#@ "teller.idl" krotex switches=-boa -src_suffix cpp
#@ "bank_c.cc" - compiler=CCompiler
