#pragma once
// Registration of the package with the host and what its unload takes back.
namespace QZRegister {
extern int UseCount;
void Initialization();
void Finalization();
// True when the host is the C++ product (its program name holds "KVT" in any case).
extern bool GIsKVT;
bool HostIsKVT(const char* programFileName);
}  // namespace QZRegister

extern "C" void QZRegister_Register();
