# Make file of the C++ project App, kept by the IDE.
PROJECT = App.exe
PROJECTFILES = main.cpp util.cpp "my dir/io.cpp"
LIBPATH = $(BCB)\lib;lib
INCLUDEPATH = inc;"my inc"
USERDEFINES = _DEBUG;NO_STRICT
LIBRARIES = vcl.lib

all: $(PROJECT)

# Options of single files, kept by the IDE
#@ "*" compiler opt=-O2
#@ "main.cpp" - compiler=CCompiler
#@ "util.cpp" cc warn=all
