IDLFILES = ) $(I
a_s.cc: a.idl
 a.idl "sub ÿÿÿÿÿÿÿÿÿÿÿÿÿÿÿÿÿÿÿÿÿÿÿÿÿÿÿÿÿÿÿdiridl
  LES = a.idl "sub   $(KROTEX) $(I
a_s.cc: a.idl
    $DLCF