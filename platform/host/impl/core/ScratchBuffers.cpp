#include "hostimpl/ScratchBuffers.h"

#include <algorithm>

#include "rtl/Files.h"

namespace hostimpl {

std::vector<TEditBuffer*>& ScratchBuffers()
{
    static std::vector<TEditBuffer*> list;
    return list;
}

bool ScratchBufferNameTaken(const String& unitName)
{
    for (TEditBuffer* b : ScratchBuffers())
        if (SameText(ChangeFileExt(ExtractFileName(b->FileName()), ""), unitName)) return true;
    return false;
}

}  // namespace hostimpl

TEditBuffer::TEditBuffer(const String& fileName) : FFileName(fileName)
{
    hostimpl::ScratchBuffers().push_back(this);
}

TEditBuffer::~TEditBuffer() { std::erase(hostimpl::ScratchBuffers(), this); }
