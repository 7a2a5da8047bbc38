#pragma once
// Hand-written expected texts of the generated units (line ends written as LF here, CR LF in
// the files).
#include "rtl/SysUtils.h"

namespace golden {

inline String CRLF(const char* text)
{
    String r;
    for (const char* p = text; *p; ++p) {
        if (*p == '\n') r += '\r';
        r += *p;
    }
    return r;
}

inline const char* const Dash =
    "//---------------------------------------------------------------------------";

// Form header of unit Unit1, form Form1, ancestor Form.
inline const char* const FormHeader =
    R"(//---------------------------------------------------------------------------
#ifndef Unit1H
#define Unit1H
//---------------------------------------------------------------------------
#include <Classes.hpp>
#include <Controls.hpp>
#include <StdCtrls.hpp>
#include <Forms.hpp>
//---------------------------------------------------------------------------
class TForm1 : public TForm
{
__published:	// IDE-managed Components
private:	// User declarations
public:		// User declarations
	__fastcall TForm1(TComponent* Owner);
};
//---------------------------------------------------------------------------
extern PACKAGE TForm1 *Form1;
//---------------------------------------------------------------------------
#endif
)";

inline const char* const FormSource =
    R"(//---------------------------------------------------------------------------
#include <zub.h>
#pragma hdrstop

#include "Unit1.h"
//---------------------------------------------------------------------------
#pragma package(smart_init)
#pragma resource "*.zfm"
TForm1 *Form1;
//---------------------------------------------------------------------------
__fastcall TForm1::TForm1(TComponent* Owner)
	: TForm(Owner)
{
}
//---------------------------------------------------------------------------
)";

inline const char* const FormFile = R"(object Form1: TForm1
end
)";

// Frame of unit Unit2, frame Frame1.
inline const char* const FrameHeader =
    R"(//---------------------------------------------------------------------------
#ifndef Unit2H
#define Unit2H
//---------------------------------------------------------------------------
#include <Classes.hpp>
#include <Controls.hpp>
#include <StdCtrls.hpp>
#include <Forms.hpp>
//---------------------------------------------------------------------------
class TFrame1 : public TFrame
{
__published:	// IDE-managed Components
private:	// User declarations
public:		// User declarations
	__fastcall TFrame1(TComponent* Owner);
};
//---------------------------------------------------------------------------
extern PACKAGE TFrame1 *Frame1;
//---------------------------------------------------------------------------
#endif
)";

inline const char* const FrameSource =
    R"(//---------------------------------------------------------------------------
#include <zub.h>
#pragma hdrstop

#include "Unit2.h"
//---------------------------------------------------------------------------
#pragma package(smart_init)
#pragma resource "*.zfm"
TFrame1 *Frame1;
//---------------------------------------------------------------------------
__fastcall TFrame1::TFrame1(TComponent* Owner)
	: TFrame(Owner)
{
}
//---------------------------------------------------------------------------
)";

// Data module unit Unit1.
inline const char* const DataModuleHeader =
    R"(//---------------------------------------------------------------------------
#ifndef Unit1H
#define Unit1H
//---------------------------------------------------------------------------
#include <Classes.hpp>
#include <Controls.hpp>
#include <StdCtrls.hpp>
#include <Forms.hpp>
//---------------------------------------------------------------------------
class TDataModule1 : public TDataModule
{
__published:	// IDE-managed Components
private:	// User declarations
public:		// User declarations
	__fastcall TDataModule1(TComponent* Owner);
};
//---------------------------------------------------------------------------
extern PACKAGE TDataModule1 *DataModule1;
//---------------------------------------------------------------------------
#endif
)";

inline const char* const DataModuleSource =
    R"(//---------------------------------------------------------------------------
#include <zub.h>
#pragma hdrstop

#include "Unit1.h"
//---------------------------------------------------------------------------
#pragma package(smart_init)
#pragma resource "*.zfm"
TDataModule1 *DataModule1;
//---------------------------------------------------------------------------
__fastcall TDataModule1::TDataModule1(TComponent* Owner)
	: TDataModule(Owner)
{
}
//---------------------------------------------------------------------------
)";

// Project1 with the form the application starts with: the host names the unit and creates its form.
inline const char* const ProjectSourceOneForm =
    R"(//---------------------------------------------------------------------------
#include <zub.h>
#pragma hdrstop
//---------------------------------------------------------------------------
USEFORM("Unit1.cpp", Form1);
//---------------------------------------------------------------------------
WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
	try
	{
		Application->Initialize();
		SetApplicationMainFormOnTaskBar(Application, true);
		Application->CreateForm(__classid(TForm1), &Form1);
		Application->Run();
	}
	catch (Exception &exception)
	{
		Application->ShowException(&exception);
	}
	catch (...)
	{
		try
		{
			throw Exception("");
		}
		catch (Exception &exception)
		{
			Application->ShowException(&exception);
		}
	}
	return 0;
}
//---------------------------------------------------------------------------
)";

// Project1 after "ZUB Forms Application" and then "Form".
inline const char* const ProjectSourceTwoForms =
    R"(//---------------------------------------------------------------------------
#include <zub.h>
#pragma hdrstop
//---------------------------------------------------------------------------
USEFORM("Unit1.cpp", Form1);
USEFORM("Unit2.cpp", Form2);
//---------------------------------------------------------------------------
WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
	try
	{
		Application->Initialize();
		SetApplicationMainFormOnTaskBar(Application, true);
		Application->CreateForm(__classid(TForm1), &Form1);
		Application->CreateForm(__classid(TForm2), &Form2);
		Application->Run();
	}
	catch (Exception &exception)
	{
		Application->ShowException(&exception);
	}
	catch (...)
	{
		try
		{
			throw Exception("");
		}
		catch (Exception &exception)
		{
			Application->ShowException(&exception);
		}
	}
	return 0;
}
//---------------------------------------------------------------------------
)";

// Thread unit Unit1, class TWorker, no name.
inline const char* const ThreadHeader =
    R"(//---------------------------------------------------------------------------
#ifndef Unit1H
#define Unit1H
//---------------------------------------------------------------------------
#include <Classes.hpp>
//---------------------------------------------------------------------------
class TWorker : public TThread
{
protected:
	void __fastcall Execute();
public:
	__fastcall TWorker(bool CreateSuspended);
};
//---------------------------------------------------------------------------
#endif
)";

inline const char* const ThreadSource =
    R"(//---------------------------------------------------------------------------
#include <zub.h>
#pragma hdrstop

#include "Unit1.h"
#pragma package(smart_init)
//---------------------------------------------------------------------------
//   Note: the methods and properties of ZUB objects may only be used in a
//   method that is called through Synchronize, for example:
//
//      Synchronize(&UpdateCaption);
//
//   where UpdateCaption could look like this:
//
//      void __fastcall TWorker::UpdateCaption()
//      {
//        Form1->Caption = "Updated in a thread";
//      }
//---------------------------------------------------------------------------

__fastcall TWorker::TWorker(bool CreateSuspended)
	: TThread(CreateSuspended)
{
}
//---------------------------------------------------------------------------
void __fastcall TWorker::Execute()
{
	//---- Place thread code here ----
}
//---------------------------------------------------------------------------
)";

// Thread unit Unit1, class TWorker, named: the name's text is given by the test.
inline const char* const NamedThreadHeader =
    R"(//---------------------------------------------------------------------------
#ifndef Unit1H
#define Unit1H
//---------------------------------------------------------------------------
#include <Classes.hpp>
//---------------------------------------------------------------------------
class TWorker : public TThread
{
private:
	typedef struct tagTHREADNAME_INFO
	{
		DWORD dwType;     // must be 0x1000
		LPCSTR szName;    // the thread's name
		DWORD dwThreadID; // -1=caller thread
		DWORD dwFlags;    // must be zero
	} THREADNAME_INFO;
	void SetName();
protected:
	void __fastcall Execute();
public:
	__fastcall TWorker(bool CreateSuspended);
};
//---------------------------------------------------------------------------
#endif
)";

inline const char* const NamedThreadSource =
    R"(//---------------------------------------------------------------------------
#include <zub.h>
#pragma hdrstop

#include "Unit1.h"
#pragma package(smart_init)
//---------------------------------------------------------------------------
//   Note: the methods and properties of ZUB objects may only be used in a
//   method that is called through Synchronize, for example:
//
//      Synchronize(&UpdateCaption);
//
//   where UpdateCaption could look like this:
//
//      void __fastcall TWorker::UpdateCaption()
//      {
//        Form1->Caption = "Updated in a thread";
//      }
//---------------------------------------------------------------------------

__fastcall TWorker::TWorker(bool CreateSuspended)
	: TThread(CreateSuspended)
{
}
//---------------------------------------------------------------------------
void TWorker::SetName()
{
	THREADNAME_INFO info;
	info.dwType = 0x1000;
	info.szName = "@NAME@";
	info.dwThreadID = -1;
	info.dwFlags = 0;

	__try
	{
		RaiseException(0x406D1388, 0, sizeof(info) / sizeof(DWORD), (DWORD*)&info);
	}
	__except (EXCEPTION_CONTINUE_EXECUTION)
	{
	}
}
//---------------------------------------------------------------------------
void __fastcall TWorker::Execute()
{
	SetName();
	//---- Place thread code here ----
}
//---------------------------------------------------------------------------
)";

}  // namespace golden
