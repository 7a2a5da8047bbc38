/* TODO 9 -o "a b" -c "c d": offen
#warning isn't
