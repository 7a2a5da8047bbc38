A = 1
A := $(A) 2
B ?= x
B ?= y
C = $(A) ${C} $(C
x.o: x.c
	cc -c x.c
