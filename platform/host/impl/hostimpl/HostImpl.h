#pragma once
// The host's own side: what idehost and the tests use to run and inspect the host. Packages
// never include this.
#include <functional>
#include <iosfwd>
#include <vector>

#include "host/Gallery.h"
#include "host/Hooks.h"
#include "host/IDEControl.h"
#include "host/PersonalityServices.h"
#include "rtl/Resources.h"

class TControl;

namespace hostimpl {

// Starts the host's services (QuistorIDEServices answers from now on) with the folder new
// modules and projects go to; StopHost closes every module and ends them.
void StartHost(const String& projectFolder);
void StopHost();
bool HostRunning();

class THostSession {
public:
    explicit THostSession(const String& projectFolder) { StartHost(projectFolder); }
    ~THostSession() { StopHost(); }
    THostSession(const THostSession&) = delete;
    THostSession& operator=(const THostSession&) = delete;
};

void SetProjectFolder(const String& folder);
String ProjectFolder();  // with a trailing delimiter

// The design-time paint the host offers its packages (SaveDesignPictureJpeg): the host's side
// draws, the library has no pictures of its own. StartHost sets it.
using TDesignPaint = void (*)(TControl* control, const String& jpegFile);
void SetDesignPaint(TDesignPaint paint);

// Every file the module services received, in order.
struct TReceivedFile {
    String FileName;
    String Text;
};
std::vector<TReceivedFile> ReceivedFiles();
void ClearReceivedFiles();

// Gallery as the user sees it.
struct TGalleryEntry {
    int Handle;
    String CategoryId, Caption, IconName, Id;
    int Kind;
    const TGalleryItemClass* ItemClass;
    String Description;
    // The library that registered the item: its icon is the RT_ICON resource IconName there.
    HMODULE Module = nullptr;
};
std::vector<TGalleryEntry> GalleryEntries();
// Picks an item: EHostError for an unknown category, an unknown caption (letter case ignored)
// or an item that is not visible now. False when the item ended silently (EAbort).
bool RunGalleryItem(const String& categoryId, const String& caption);
// Whether the item of that handle can run now (what the gallery shows as not available).
bool GalleryItemAvailable(int handle);
// Selects the registered project-form class of the personality for the ancestor form.
bool InheritProjectForm(const String& personality, const String& ancestorName);
const TGalleryItemClass* ProjFormTemplateClass(const String& personality);
int RegisteredClassCount();
String ClassGroup(const String& className);  // the group a class was put in, "" when none

// The host's main window is there: MainFormCreated fires now, and the loader fires it for each
// package it loads from then on (right after the package's registration).
void ShowMainForm();
bool MainFormShown();

void SetZubDesignerActive(bool active);
enum class TCompilerState { None, Idle, Busy };
void SetCompilerState(TCompilerState state);

// Dialog answers: "thread.class", "thread.name", "thread.cancel" ("true" cancels); the COM
// dialog's "com.*" (they set the controls of its form); any modal form: "form.FORM.CONTROL" =
// value (an edit's text, "true" or "false" for a check box, an item's index or caption for a
// radio group, list or combo box) and "form.FORM" = the name of the button that closes it. A
// form with no "form.FORM" answer is cancelled.
void SetDialogAnswer(const String& key, const String& value);
void ClearDialogAnswers();
// "key=value" lines; blank lines and lines starting with "#" are skipped.
void LoadDialogAnswers(const String& fileName);

// Personality traits the host offers (the C++ personality supports the project document trait
// at start).
void SetTraitSupported(const String& personality, const TGUID& trait, bool supported);

// Removes what points into a module that is being unloaded (inModule tells whether an address
// belongs to it): hooks are reset to the host's values, gallery handlers, project-form classes,
// registered classes and event handlers are dropped. Returns a description of each.
std::vector<String> RemoveResidue(const std::function<bool(const void*)>& inModule);

// A new C++ project (make file for ".mak", else XML), made the active one; nothing is written.
TIntfPtr<IQProject> NewCppProject(const String& fileName);
// idehost's commands for C++ projects: project new|open|add|remove|rename|switches|set|option|
// compile|build|save|show ... (see README.md); messages: the message view, one a line.
// FILE as an open editor holds it with `text`, its changes not saved (the open module's buffer,
// or a module opened for it).
void EditFile(const String& fileName, const String& text);
void RunProjectCommand(std::vector<String> args, std::ostream& out);
void RunMessagesCommand(std::ostream& out);
// browse FILE: the IDL symbols of a header or of an IDL file's generated header; component CLASS
// UNIT: what the component browser shows of a class (properties, methods, events).
void RunBrowseCommand(std::vector<String> args, std::ostream& out);
void RunComponentCommand(std::vector<String> args, std::ostream& out);
// idehost's typelib command: dump (the active project's type library as text) | save.
void RunTypeLibCommand(std::vector<String> args, std::ostream& out);
// idehost's todo command: the to-do list of the files given (relative to the host's folder) or,
// with none, of the active project.
void RunToDoCommand(std::vector<String> args, std::ostream& out);

// Counts for tests.
int GalleryHandlerCount();
int GalleryCategoryCount();  // the categories packages added (not the host's own)

}  // namespace hostimpl
