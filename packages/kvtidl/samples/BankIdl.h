#pragma once
// The IDL file the C++ project tests and the browse benchmark build on.

inline const char* const kBankIdl = "module Bank {\n"
                                    "  struct Money { long units; short cents; };\n"
                                    "  interface Account {\n"
                                    "    readonly attribute Money balance;\n"
                                    "    void deposit(in Money amount);\n"
                                    "  };\n"
                                    "};\n";
