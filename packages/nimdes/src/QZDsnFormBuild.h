#pragma once
// The package's forms are built in code: a control with its name, parent and bounds.
#include "zub/Controls.h"

template <class T>
T* Make(TComponent* owner, TControl* parent, const char* name, int left, int top, int width, int height)
{
    auto* c = new T(owner);
    c->SetName(name);
    c->SetParent(parent);
    c->SetBounds(left, top, width, height);
    return c;
}
