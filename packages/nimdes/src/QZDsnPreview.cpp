#include "QZDsnPreview.h"

#include <algorithm>
#include <cstdlib>

#include "host/CppProject.h"
#include "host/ModuleServices.h"
#include "host/Registry.h"
#include "rtl/Files.h"
#include "rtl/Resources.h"
#include "zub/Dialogs.h"

namespace {
RTL_RESOURCESTRING(RSIE55OrLater, "The form preview needs Internet Explorer 5.5 or later.");
RTL_RESOURCESTRING(RSFormPreviewError, "The form preview library QZPreviewMgr could not be loaded.");
RTL_RESOURCESTRING(RSEmptyWorkAreaPath, "The work area path is empty: there is no temporary folder.");
RTL_RESOURCESTRING(rsPreviewHTML, "Preview");

std::unique_ptr<TQZDesignerLibrary> gLibrary;
std::vector<TQZFormPreviewGenerator*> gGenerators;

String Escape(const String& s)
{
    String out;
    for (char c : s) switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    return out;
}

void RenderControls(const TControl& parent, String& html, int depth)
{
    for (int i = 0; i < parent.ControlCount(); ++i) {
        const TControl* c = parent.Controls(i);
        const String indent(static_cast<std::size_t>(depth) * 2, ' ');
        html += indent + "<div id=\"" + Escape(c->Name()) + "\" class=\"" + Escape(QZClassNameOf(c)) +
                "\" style=\"position:absolute;left:" + IntToStr(c->Left()) + "px;top:" + IntToStr(c->Top()) +
                "px;width:" + IntToStr(c->Width()) + "px;height:" + IntToStr(c->Height()) + "px\">" +
                Escape(c->Caption());
        if (c->ControlCount() > 0) {
            html += "\n";
            RenderControls(*c, html, depth + 1);
            html += indent;
        }
        html += "</div>\n";
    }
}

int LeadingNumber(const String& s)
{
    std::size_t n = 0;
    while (n < s.size() && std::isdigit(static_cast<unsigned char>(s[n]))) ++n;
    return n == 0 ? -1 : StrToIntDef(s.substr(0, n), -1);
}
}  // namespace

void LoadDesignerLibrary(std::unique_ptr<TQZDesignerLibrary>& library, const String& name,
                         const String& error)
{
    if (library) return;
    try {
        library = std::make_unique<TQZDesignerLibrary>(name);
    } catch (const EFOpenError&) {
        throw Exception(error);
    }
}

bool BrowserVersionOK(const String& version, const String& build, bool allowBuild)
{
    const auto dot = version.find('.');
    const int major = LeadingNumber(version);
    const int minor = dot != String::npos && dot + 1 < version.size() &&
                              std::isdigit(static_cast<unsigned char>(version[dot + 1]))
                          ? version[dot + 1] - '0'
                          : -1;
    if (major > 5 || (major == 5 && minor >= 5)) return true;
    return allowBuild && StrToIntDef(Trim(build), -1) >= 54134;
}

bool BrowserRecentEnough(bool allowBuild)
{
    const String key = "SOFTWARE\\Microsoft\\Internet Explorer";
    TRegistry reg;
    if (!reg.KeyExists(key)) return false;
    return BrowserVersionOK(reg.ReadString(key, "Version", ""), reg.ReadString(key, "Build", ""), allowBuild);
}

String WorkArea()
{
    const char* tmp = std::getenv("TMPDIR");
    const String temp = tmp && *tmp ? tmp : "/tmp";
    if (temp.empty()) throw Exception(RSEmptyWorkAreaPath);
    const String area = IncludeTrailingPathDelimiter(IncludeTrailingPathDelimiter(temp) + "Nimbrel");
    if (!ForceDirectories(area)) throw EInOutError("Cannot create the folder " + area);
    return area.substr(0, std::min<std::size_t>(area.size(), 255));
}

String PreviewOutputDir(const String& outputDir, const String& projectFile)
{
    String out = outputDir;
    const String projectDir = ExtractFilePath(projectFile);
    const auto p = out.find("$(");
    const auto q = out.find(')');
    if (out.empty()) {
        out = projectDir;
    } else if (p != String::npos && q != String::npos && q > p) {
        const char* v = std::getenv(out.substr(p + 2, q - p - 2).c_str());
        out = String(v ? v : "") + out.substr(q + 1);
    } else if (!((out.size() > 1 && out[1] == ':') || out[0] == '\\' || out[0] == '/')) {
        out = IncludeTrailingPathDelimiter(projectDir) + out;
    }
    std::replace(out.begin(), out.end(), '\\', '/');
    return IncludeTrailingPathDelimiter(out);
}

String RenderFormHTML(TComponent* form, int browser, const String& path)
{
    (void)browser;
    // The render's folders follow the project's output folder; without a project, the work area.
    String output = path;
    if (auto project = ActiveProject())
        if (auto cpp = CppProjectOf(project.get()))
            output = PreviewOutputDir(cpp->GetOption("OutputDir"), project->FileName());
    const String cache = IncludeTrailingPathDelimiter(output) + "Cache";
    if (!ForceDirectories(cache)) throw EInOutError("Cannot create the folder " + cache);
    String html = "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>" +
                  Escape(form->Name()) + "</title>\n</head>\n<body>\n";
    if (auto* root = dynamic_cast<TControl*>(form)) RenderControls(*root, html, 1);
    return html + "</body>\n</html>\n";
}

TQZFormPreviewGenerator::TQZFormPreviewGenerator(TComponent* form, const String& workArea)
    : TComponent(form->Owner()), FForm(form)
{
    FWindow = static_cast<IHTMLLayoutMgr*>(gLibrary->GetManager(nullptr));
    try {
        FWindow->SetDestroyNotify(
            [](void* self) { static_cast<TQZFormPreviewGenerator*>(self)->Destroying(); }, this);
        GeneratePreviewHTML(workArea);
        FWindow->SetWorkArea(workArea.c_str());
        FWindow->SetHost(nullptr, "");
        FWindow->Show();
    } catch (...) {
        // A generator that failed is no generator: its window goes, nothing is registered.
        ReleaseWindow();
        throw;
    }
    gGenerators.push_back(this);
}

TQZFormPreviewGenerator::~TQZFormPreviewGenerator()
{
    std::erase(gGenerators, this);
    ReleaseWindow();
}

void TQZFormPreviewGenerator::ReleaseWindow()
{
    if (!FWindow) return;
    FWindow->SetDestroyNotify(nullptr, nullptr);
    FWindow->Close();
    void* w = FWindow;
    FWindow = nullptr;
    gLibrary->ReleaseManager(w);
}

int TQZFormPreviewGenerator::Count() { return static_cast<int>(gGenerators.size()); }

void TQZFormPreviewGenerator::GeneratePreviewHTML(const String& workArea)
{
    AtomicWriteFile(IncludeTrailingPathDelimiter(workArea) + "index.html",
                    RenderFormHTML(FForm, 1, workArea));
}

void TQZFormPreviewGenerator::Destroying()
{
    if (!TComponent::Destroying()) delete this;
}

TQZFormPreviewGenerator* RunPreview(TComponent* form)
{
    if (!BrowserRecentEnough(false)) {
        MessageDlg(RSIE55OrLater, mtError, mbOK);
        return nullptr;
    }
    const String area = WorkArea();
    LoadDesignerLibrary(gLibrary, "QZPreviewMgr", RSFormPreviewError);
    return new TQZFormPreviewGenerator(form, area);
}

String TQZPreviewForm::GetVerb(int index) { return index == 0 ? String(rsPreviewHTML) : String(); }

void TQZPreviewForm::ExecuteVerb(int index)
{
    if (index == 0) RunPreview(Component());
}

namespace QZDsnPreview {
int UseCount = 0;
void Initialization() {}
void Finalization()
{
    while (!gGenerators.empty()) delete gGenerators.back();
    gLibrary.reset();
}
}  // namespace QZDsnPreview
