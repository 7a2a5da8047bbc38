#include "Idlenvoptions.h"

#include "host/Registry.h"

TIdlEnvironmentOptions* IdlEnvironmentOptions = nullptr;

namespace {

template <class F>
void EachField(TCORBAOptionValues& v, F f)
{
    f("ShowProjectUpdates", v.ShowProjectUpdates);
    f("VerifyIDLIncludes", v.VerifyIDLIncludes);
    f("FileSymbolCacheLimit", v.FileSymbolCacheLimit);
    f("IrName", v.IrName);
    f("IrReplaceDefinitions", v.IrReplaceDefinitions);
    f("AddIrName", v.AddIrName);
    f("IrStorageName", v.IrStorageName);
    f("IrConsole", v.IrConsole);
    f("UpdatesTypeWidth", v.UpdatesTypeWidth);
    f("UpdatesNameWidth", v.UpdatesNameWidth);
    f("UpdatesPanelWidth", v.UpdatesPanelWidth);
    f("UpdatesSizeable", v.UpdatesSizeable);
    f("UpdatesHeight", v.UpdatesHeight);
    f("UpdatesWidth", v.UpdatesWidth);
}

struct TReader {
    const TRegistry& Reg;
    String Key;
    void operator()(const char* n, bool& b) const { b = Reg.ReadBool(Key, n, b); }
    void operator()(const char* n, int& i) const { i = Reg.ReadInteger(Key, n, i); }
    void operator()(const char* n, String& s) const { s = Reg.ReadString(Key, n, s); }
};

struct TWriter {
    TRegistry& Reg;
    String Key;
    void operator()(const char* n, bool& b) const { Reg.WriteBool(Key, n, b); }
    void operator()(const char* n, int& i) const { Reg.WriteInteger(Key, n, i); }
    void operator()(const char* n, String& s) const { Reg.WriteString(Key, n, s); }
};

}  // namespace

String TIdlEnvironmentOptions::KeyPath() { return String(rkBaseRegKey) + "\\CORBA"; }

TIdlEnvironmentOptions::TIdlEnvironmentOptions()
{
    if (TRegistry().KeyExists(KeyPath())) Load();
    FModified = true;
}

void TIdlEnvironmentOptions::Load()
{
    // From the defaults, so values missing from the registry do not keep an edit.
    CORBA = TCORBAOptionValues{};
    TRegistry reg;
    EachField(CORBA, TReader{reg, KeyPath()});
}

void TIdlEnvironmentOptions::LoadOptions()
{
    Load();
    FModified = false;
}

void TIdlEnvironmentOptions::SaveOptions() const
{
    TRegistry reg;
    TCORBAOptionValues v = CORBA;
    EachField(v, TWriter{reg, KeyPath()});
}

void TIdlEnvironmentOptions::CORBAOptionsChange(bool deferChanges)
{
    if (deferChanges) {
        FModified = true;
    } else if (OnChange) {
        OnChange();
    }
}

TCORBAOptions::~TCORBAOptions()
{
    if (FPending) FOptions.LoadOptions();
}

void TCORBAOptions::Broadcast(int msg, int wParam)
{
    if (msg == WM_COMMAND && wParam == 1) {
        FPending = false;
        FOptions.SaveOptions();
    }
}
