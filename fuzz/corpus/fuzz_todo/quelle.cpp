// TODO 2 -o ann -c ui: text
/* DONE: fertig */
int a = 1'000; const char* s = "/* no */"; R"x(// nein)x";
#include <a.h> // TODO: b
// c\
  weiter
