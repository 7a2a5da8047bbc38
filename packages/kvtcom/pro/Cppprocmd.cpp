#include "Cppprocmd.h"

TIntfPtr<IQModuleCreator> TCppNewComObject::GetUnitCreator() {
    return TIntfPtr<IQModuleCreator>(new TCppCOMObjectCreator(FileName, CoClassName, Instancing, ThreadingModel,
                                                              Description, Events, InterfaceName, Dual));
}

std::unique_ptr<TComObjectExpert> ShowAutoObjectExpert(const String& caption, int helpContext) {
    std::unique_ptr<TComObjectExpert> d = caption.empty() ? std::make_unique<TAutoObjectCppExpert>()
                                                          : std::make_unique<TAutoObjectCppExpert>(caption);
    d->HelpContext = helpContext;
    if (d->ShowModal() != 1) return nullptr;
    return d;
}

std::unique_ptr<TComObjectExpert> TCppNewAutoObject::ShowExpert() { return ShowAutoObjectExpert("", 1403); }

TIntfPtr<IQModuleCreator> TCppNewAutoObject::GetUnitCreator() {
    return TIntfPtr<IQModuleCreator>(
        new TCppAutoObjectCreator(FileName, CoClassName, Instancing, ThreadingModel, Description, Events, "", true));
}
