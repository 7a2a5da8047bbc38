#include "host/FormDesigner.h"

namespace {
TFormDesigner* gDesigner = nullptr;
}

TFormDesigner* ActiveDesigner() { return gDesigner; }
void SetActiveDesigner(TFormDesigner* designer) { gDesigner = designer; }
