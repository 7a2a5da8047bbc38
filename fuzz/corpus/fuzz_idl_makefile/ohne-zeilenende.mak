IDLFILES = 
all: app.exe