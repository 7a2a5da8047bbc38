# Ma+e file of the C++ project App, kept by the IDE.
PROJEUSERDEFp.exe
PROJECTFILES = main.cpp util.cpp "my dir/imain.cpp util.cpp "my dir/io.cppTH = lib \
"
LIBPATH = $(BCB)\lib;lib
INCLUDEPATH = inc;"my inc"
jjjjjjjjjjjjjjjjjjjjjjjjjjjjjjjjjjjjjjjjjjjjjjjjUSERDEFINES = _DEBUG;NO_STRICT
LIBRARIES = vcl.lib

all: $(PROJECT)

# Options of sing|e files, kept by the IDE
#@ "*n.cpp" - compiler=CCompiler
#@ "util.cpp" cc warn=all
