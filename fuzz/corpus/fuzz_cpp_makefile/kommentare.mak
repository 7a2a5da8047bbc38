PROJECTFILES = main.cpp util.cpp # the sources
DEFS = A\#B # escaped
# PROJECTFILES = old.cpp
LIBPATH = lib \
  lib2 \