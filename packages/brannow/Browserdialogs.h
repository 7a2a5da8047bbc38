#pragma once
// The host's open-file dialog with a tree-view panel on its right and a file-type filter built
// from the registered source factories.
#include <vector>

#include "Pluggableviewer.h"
#include "host/FileDialogs.h"
#include "zub/StdCtrls.h"

// "(none)"
extern const char* const sNoPreview;

class TOpenBrowserDialog : public TOpenDialog {
public:
    explicit TOpenBrowserDialog(TComponent* AOwner);
    ~TOpenBrowserDialog() override;
    void AddType(const TIntfPtr<IPluggableSourceFactory>& factory);
    // Builds the filter from the factories and runs the dialog; true when the user chose a file.
    bool Execute();
    // Adds the current source to the panel's tree (nothing without one).
    void Refresh();

    TControl* PicturePanel;
    TLabel* PictureLabel;
    TPluggableTreeView* TreeView;
    TIntfPtr<IPluggableSourceFactory> CurrentFactory() const { return FFactory; }

    static constexpr int kPanelWidth = 220;

private:
    void WindowShow();
    void SelectionChanged();
    std::vector<TIntfPtr<IPluggableSourceFactory>> FFactories;
    TIntfPtr<IPluggableSourceFactory> FFactory;
    TIntfPtr<IPluggableSource> FSource;
};
