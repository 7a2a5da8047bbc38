#pragma once
// The gallery categories of the seven packages and the answers their dialogs get in the
// idehost transcripts.

inline const char* const kProjects = "Quistor.Tolvane.New";
inline const char* const kFiles = "Quistor.Tolvane.NewFiles";
inline const char* const kActiveX = "Quistor.Tolvane.ActiveX";
inline const char* const kMultitier = "Quistor.Tolvane.Multitier";
inline const char* const kNimbrel = "Pelmor.QZApplicationWizard";
inline const char* const kNimbrelCpp = "Pelmor.QZApplicationWizard_KVT";

// A project (in --dir by default), then a form and a frame in it.
inline const char* const kNimbrelAnswers = "form.formAppWizard=butnOk\n"
                                           "form.formAppWizard.editProject=Shop\n"
                                           "form.formAppWizard.rgrpProject=StandAlone Application\n"
                                           "form.formFormWizard=Button1\n"
                                           "form.formFormWizard.rgrpForm=1\n"
                                           "form.formFrameWizard=Button1\n";
