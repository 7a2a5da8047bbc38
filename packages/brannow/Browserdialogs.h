#pragma once
// The open-file dialog with a tree-view panel on its right and a file-type filter built from
// the registered source factories.
#include <vector>

#include "Pluggableviewer.h"
#include "zub/Forms.h"
#include "zub/StdCtrls.h"

// "(none)"
extern const char* const sNoPreview;

class TOpenBrowserDialog : public TComponent {
public:
    explicit TOpenBrowserDialog(TComponent* AOwner);
    ~TOpenBrowserDialog() override;
    void AddType(const TIntfPtr<IPluggableSourceFactory>& factory);
    // Builds the filter and runs the dialog; true when the user chose a file.
    bool Execute();
    // Adds the current source to the panel's tree (nothing without one).
    void Refresh();

    String Filter;
    int FilterIndex = 1;  // 1-based, as file dialogs count
    String FileName;
    // The dialog window: the standard controls' part and the panel on its right.
    TForm* Window() const { return FWindow; }
    TControl* PicturePanel;
    TLabel* PictureLabel;
    TPluggableTreeView* TreeView;
    // The user selected another file (called by the dialog window).
    void SelectionChanged();
    TIntfPtr<IPluggableSourceFactory> CurrentFactory() const { return FFactory; }

    // Width of the standard controls of the dialog window.
    static constexpr int kStandardWidth = 420;

private:
    void WindowShow();
    TForm* FWindow;
    std::vector<TIntfPtr<IPluggableSourceFactory>> FFactories;
    TIntfPtr<IPluggableSourceFactory> FFactory;
    TIntfPtr<IPluggableSource> FSource;
};
