#pragma once
// The form preview: the form rendered to HTML as index.html in the work area, shown in the
// framework's preview window (library "QZPreviewMgr", loaded on first use).
#include "QZDesignerIntf.h"
#include "QZRuntime.h"
#include "host/ComponentEditors.h"

// Whether the browser of that version (and build) is recent enough: above 5, or 5 with a minor
// digit of 5 or more; with the build allowed, else a build of at least 54134.
bool BrowserVersionOK(const String& version, const String& build, bool allowBuild);
// The same for the installed browser (the host's registry); false without its key.
bool BrowserRecentEnough(bool allowBuild);
// Loads the framework's designer library of that name into library when it is not loaded yet;
// the error's message when it cannot.
void LoadDesignerLibrary(std::unique_ptr<TQZDesignerLibrary>& library, const String& name,
                         const String& error);
// The temporary folder followed by "Nimbrel/", made when missing.
String WorkArea();
// Where the project's output goes for the render: OutputDir (one $(NAME) macro at its start
// taken from the environment; absolute as it is; relative below the project file's folder; empty:
// the project file's folder), with a trailing delimiter.
String PreviewOutputDir(const String& outputDir, const String& projectFile);
// The form as HTML: every control an element with its name as id.
String RenderFormHTML(TComponent* form, int browser, const String& path);

class TQZFormPreviewGenerator : public TComponent {
public:
    // Owned by the form's owner; shows the preview window at once.
    TQZFormPreviewGenerator(TComponent* form, const String& workArea);
    ~TQZFormPreviewGenerator() override;
    void GeneratePreviewHTML(const String& workArea);
    // The window's destroy notification.
    void Destroying();
    IHTMLLayoutMgr* Window() const { return FWindow; }
    static int Count();

private:
    // Closes and releases the window; its destroy notification no longer reaches this generator.
    void ReleaseWindow();
    TComponent* FForm;
    IHTMLLayoutMgr* FWindow = nullptr;
};

// The form's preview after the browser check; nullptr when the check refused.
TQZFormPreviewGenerator* RunPreview(TComponent* form);

class TQZPreviewForm : public TComponentEditor {
public:
    using TComponentEditor::TComponentEditor;
    int GetVerbCount() override { return 1; }
    String GetVerb(int index) override;
    void ExecuteVerb(int index) override;
};

namespace QZDsnPreview {
extern int UseCount;
void Initialization();
// Closes every preview window, then lets the library go.
void Finalization();
}  // namespace QZDsnPreview
