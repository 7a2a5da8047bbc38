#pragma once
// How idehost and the tests reach the host's own side. libhost.so publishes only the api; the
// functions of HostImpl.h, TraitObjects.h and IDEServicesImpl.h stay hidden in it and are handed
// out as one table through a single entry point. The host_impl library (linked by idehost and the
// tests) defines the same functions as calls through this table.
#include "host/Export.h"
#include "hostimpl/HostImpl.h"
#include "hostimpl/IDEServicesImpl.h"
#include "hostimpl/StateListing.h"
#include "hostimpl/TraitObjects.h"

// Every function of the table; a function added to one of the headers above joins it here.
#define HOSTIMPL_CONTROL(X)                                                                                  \
    X(StartHost)                                                                                             \
    X(StopHost)                                                                                              \
    X(HostRunning)                                                                                           \
    X(SetProjectFolder)                                                                                      \
    X(ProjectFolder)                                                                                         \
    X(SetDesignPaint)                                                                                        \
    X(ReceivedFiles)                                                                                         \
    X(ClearReceivedFiles)                                                                                    \
    X(GalleryEntries)                                                                                        \
    X(RunGalleryItem)                                                                                        \
    X(GalleryItemAvailable)                                                                                  \
    X(InheritProjectForm)                                                                                    \
    X(ProjFormTemplateClass)                                                                                 \
    X(RegisteredClassCount)                                                                                  \
    X(ClassGroup)                                                                                            \
    X(ShowMainForm)                                                                                          \
    X(MainFormShown)                                                                                         \
    X(SetZubDesignerActive)                                                                                  \
    X(SetCompilerState)                                                                                      \
    X(SetDialogAnswer)                                                                                       \
    X(ClearDialogAnswers)                                                                                    \
    X(LoadDialogAnswers)                                                                                     \
    X(SetTraitSupported)                                                                                     \
    X(RemoveResidue)                                                                                         \
    X(GalleryHandlerCount)                                                                                   \
    X(GalleryCategoryCount)                                                                                  \
    X(SetTraitObject)                                                                                        \
    X(TraitObject)                                                                                           \
    X(ClearTraitObjects)                                                                                     \
    X(SetTemplateDirectory)                                                                                  \
    X(TemplateDirectory)                                                                                     \
    X(HostStateListing)                                                                                      \
    X(NewCppProject)                                                                                         \
    X(EditFile)                                                                                              \
    X(RunProjectCommand)                                                                                     \
    X(RunMessagesCommand)                                                                                    \
    X(RunBrowseCommand)                                                                                      \
    X(RunComponentCommand)                                                                                   \
    X(RunTypeLibCommand)                                                                                     \
    X(RunToDoCommand)

namespace hostimpl {

struct THostControl {
    // Tells a table of another build of the host from this one.
    unsigned Size;
#define HOSTIMPL_CONTROL_MEMBER(name) decltype(&hostimpl::name) name;
    HOSTIMPL_CONTROL(HOSTIMPL_CONTROL_MEMBER)
#undef HOSTIMPL_CONTROL_MEMBER
};

}  // namespace hostimpl

extern "C" HOST_API const hostimpl::THostControl* QuistorHostControl();
