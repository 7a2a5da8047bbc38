#include "QZDsnSmallEditors.h"

#include "QZRegister.h"
#include "host/FormDesigner.h"

String TQZControlAbout::GetVerb(int index)
{
    if (index != 0) return String();
    return String("Nimbrel 9.0 for ") + (QZRegister::GIsKVT ? "" : "Pendro 2007 / Ostrel Studio");
}

String TQZDsnTabControl::GetVerb(int index)
{
    switch (index) {
    case 0: return "Add page";
    case 1: return "Remove page";
    default: return String();
    }
}

void TQZDsnTabControl::ExecuteVerb(int index)
{
    auto* tabs = dynamic_cast<TQZControl*>(Component());
    if (!tabs) return;
    if (index == 0)
        AddPage(*tabs);
    else if (index == 1)
        RemovePage(*tabs);
    tabs->Invalidate();
}

TQZControl* TQZDsnTabControl::AddPage(TQZControl& tabs)
{
    const std::vector<TQZControl*> pages = tabs.Pages();
    auto taken = [&](const String& name) {
        for (const TQZControl* p : pages)
            if (SameText(p->Name(), name)) return true;
        return false;
    };
    String name;
    for (int n = 0;; ++n) {
        name = tabs.Name() + "Page" + IntToStr(n);
        if (!taken(name)) break;
    }
    auto* page = dynamic_cast<TQZControl*>(QZCreate(&qzc::TQZTabPage, tabs.Owner()));
    page->SetName(name);
    page->SetParent(&tabs);
    page->TabOrder = static_cast<int>(tabs.Pages().size()) - 1;
    page->SetCaption("Page" + IntToStr(page->TabOrder));
    page->SetBounds(0, 20, tabs.Width(), tabs.Height() - 20);
    page->SetAnchors(akLeft | akTop | akRight | akBottom);
    page->BringToFront();
    if (TFormDesigner* d = ActiveDesigner()) {
        d->Modified();
        d->SelectComponent(page);
    }
    return page;
}

void TQZDsnTabControl::RemovePage(TQZControl& tabs)
{
    const std::vector<TQZControl*> pages = tabs.Pages();
    const int count = static_cast<int>(pages.size());
    if (count == 0 || tabs.ActivePageIndex >= count || tabs.ActivePageIndex < 0) return;
    TQZControl* page = pages[static_cast<std::size_t>(tabs.ActivePageIndex)];
    // The tab control forgets the page: its active page stays within the pages left.
    if (tabs.ActivePageIndex >= count - 1) tabs.ActivePageIndex = std::max(0, count - 2);
    if (TFormDesigner* d = ActiveDesigner()) {
        std::vector<TComponent*> s = d->Selection();
        s.erase(std::remove(s.begin(), s.end(), page), s.end());
        d->SetSelection(s);
    }
    delete page;
    if (TFormDesigner* d = ActiveDesigner()) d->Modified();
}

TQZDesignerDestroyer::TQZDesignerDestroyer(TComponent* owner, TForm* form) : TComponent(owner), FForm(form)
{
    if (FForm) FForm->FreeNotification(this);
}

TQZDesignerDestroyer::~TQZDesignerDestroyer()
{
    if (FForm) {
        FForm->RemoveFreeNotification(this);
        FForm->Close();
    }
}

void TQZDesignerDestroyer::Notification(TComponent* c, TOperation op)
{
    TComponent::Notification(c, op);
    if (op == opRemove && c == FForm) FForm = nullptr;
}
