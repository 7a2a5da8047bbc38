#pragma once
// Type-library texts written by hand, and the GUIDs they show as "*".
#include "rtl/SysUtils.h"
#include "testsupport/Pattern.h"

// GUIDs are drawn anew; the golden texts show them as "*".
inline String WithoutGuids(const String& text)
{
    return ReplacePattern(text, "uuid\\([0-9A-F-]{36}\\)", "uuid(*)");
}

// The library of a new ActiveX library Project1, up to its first type.
inline const char* const kProject1LibraryHead =
    "// Type library Project1\n"
    "[uuid(*), version(1.0), helpstring(\"Project1 Library\")]\n"
    "library Project1\n"
    "{\n"
    "  [uuid(*), version(4.1), lcid(0)] importlib(\"stdzub.tlb\");\n";

// What the COM object Orders adds.
inline const char* const kOrdersTypes =
    "\n"
    "  [uuid(*), version(1.0), helpstring(\"Interface for Orders Object\")]\n"
    "  interface IOrders: IUnknown\n"
    "  {\n"
    "  };\n"
    "\n"
    "  [uuid(*), version(1.0), helpstring(\"Orders Object\")]\n"
    "  coclass Orders\n"
    "  {\n"
    "    [default] interface IOrders;\n"
    "  };\n";
