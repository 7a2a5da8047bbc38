#include "Browserdialogs.h"

const char* const sNoPreview = "(none)";

TOpenBrowserDialog::TOpenBrowserDialog(TComponent* AOwner) : TOpenDialog(AOwner)
{
    ExtraWidth = kPanelWidth;
    PicturePanel = new TControl(this);
    PicturePanel->SetName("PicturePanel");
    PictureLabel = new TLabel(this);
    PictureLabel->SetName("PictureLabel");
    PictureLabel->SetParent(PicturePanel);
    PictureLabel->SetAutoSize(false);
    PictureLabel->SetCaption("");
    TreeView = new TPluggableTreeView(this);
    TreeView->SetParent(PicturePanel);
    TreeView->SetReadOnly(true);
    OnShow = [this](TObject*) { WindowShow(); };
    OnSelectionChange = [this](TObject*) { SelectionChanged(); };
}

TOpenBrowserDialog::~TOpenBrowserDialog()
{
    // The tree goes with the dialog: the source's nodes must go first.
    FSource.reset();
    FFactory.reset();
    if (TreeView) TreeView->Clear();
}

void TOpenBrowserDialog::AddType(const TIntfPtr<IPluggableSourceFactory>& factory)
{
    if (factory) FFactories.push_back(factory);
}

bool TOpenBrowserDialog::Execute()
{
    Filter.clear();
    for (std::size_t i = 0; i < FFactories.size(); ++i) {
        String f;
        FFactories[i]->GetFilter(f);
        if (i) Filter += "|";
        Filter += f;
    }
    return TOpenDialog::Execute();
}

void TOpenBrowserDialog::WindowShow()
{
    TForm* w = Window();
    PicturePanel->SetParent(w);
    PicturePanel->SetBounds(kStandardWidth, 0, w->ClientWidth() - kStandardWidth, w->ClientHeight());
    // the label at the top inside the panel's border of 6
    PictureLabel->SetBounds(6, 6, PicturePanel->Width() - 12, 13);
    TreeView->SetBounds(0, 33, PicturePanel->Width() - 10, PicturePanel->Height() - 33 - 20);
}

void TOpenBrowserDialog::SelectionChanged()
{
    FFactory.reset();
    TreeView->Clear();
    PictureLabel->SetCaption(sNoPreview);
    if (FileName.empty()) return;
    FSource.reset();
    const int i = FilterIndex - 1;
    if (i < 0 || i >= static_cast<int>(FFactories.size())) return;
    FFactory = FFactories[static_cast<std::size_t>(i)];
    FFactory->CanLoad(FileName);
}

void TOpenBrowserDialog::Refresh()
{
    if (FSource) TreeView->Add(FSource);
}
