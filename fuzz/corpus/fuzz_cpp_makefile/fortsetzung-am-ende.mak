PROJECT=FILES = ma= Æib \
  =ib1 \