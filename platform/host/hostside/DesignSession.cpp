#include "hostimpl/DesignSession.h"

#include <map>
#include <ostream>

#include "host/ComponentEditors.h"
#include "host/FormDesigner.h"
#include "host/Palette.h"
#include "host/ToolsAPI.h"
#include "rtl/Files.h"
#include "zub/Layout.h"
#include "host/PropertyEditors.h"
#include "zub/Forms.h"

namespace hostimpl {

struct TDesignSession::TImpl {
    std::unique_ptr<TForm> Form;
    std::unique_ptr<TFormDesigner> Designer;
    std::map<TComponent*, TComponentClass> Classes;
    std::map<TComponent*, String> ClassNames;  // as the layout or the palette named them
    std::map<std::pair<TComponent*, String>, String> Values;  // what the inspector holds
    std::map<std::pair<TComponent*, String>, String> LayoutTexts;  // one-line values of the layout
    std::map<std::pair<TComponent*, String>, String> Names;  // the properties' names as written

    ~TImpl()
    {
        // The components' code lives in their packages: they go before any package does.
        if (ActiveDesigner() == Designer.get()) SetActiveDesigner(nullptr);
        Designer.reset();
        Form.reset();
    }

    void Open()
    {
        if (Form) return;
        Form = std::make_unique<TForm>(nullptr);
        Form->SetName("DesignForm");
        Designer = std::make_unique<TFormDesigner>(Form.get());
        SetActiveDesigner(Designer.get());
    }

    TComponent* Find(const String& name)
    {
        TComponent* c = Form ? Form->FindComponent(name) : nullptr;
        if (!c) throw Exception("No component " + name + " on the form");
        return c;
    }

    TComponentClass ClassOf(TComponent* c)
    {
        auto it = Classes.find(c);
        if (it == Classes.end()) throw Exception(c->Name() + " was not placed from the palette");
        return it->second;
    }

    // A class of the palette or a registered class; nullptr when none has the name.
    static TComponentClass FindClass(const String& name)
    {
        if (TComponentClass c = GetComponentClass(name)) return c;
        for (const TPalettePage& p : PalettePages())
            for (TComponentClass c : p.Classes)
                if (SameText(c->ClassName, name)) return c;
        return nullptr;
    }
    static TComponentClass PaletteClass(const String& name)
    {
        if (TComponentClass c = FindClass(name)) return c;
        throw Exception("No palette class " + name);
    }

    // The form of a layout file becomes the designed form.
    void Design(const std::vector<String>& a, std::ostream& out)
    {
        if (a.size() != 1) throw Exception("design needs a layout file");
        const String text = ReadFileBytes(a[0]);
        Classes.clear();
        ClassNames.clear();
        if (ActiveDesigner() == Designer.get()) SetActiveDesigner(nullptr);
        Designer.reset();
        Form.reset();
        Open();
        ReadLayout(Form.get(), text, [](const String& name) -> TComponentFactory {
            TComponentClass c = FindClass(name);
            return c ? c->Create : nullptr;
        });
        // Which class each component was made of, from its "object NAME: CLASS" line, and the
        // one-line property values it was given, as the inspector would show them typed.
        Values.clear();
        LayoutTexts.clear();
        Names.clear();
        TStringList lines;
        lines.SetText(text);
        std::vector<TComponent*> objects;
        for (int i = 0; i < lines.Count(); ++i) {
            const String l = Trim(lines[i]);
            if (l == "end") {
                if (!objects.empty()) objects.pop_back();
                continue;
            }
            const auto colon = l.find(':');
            if (l.rfind("object ", 0) == 0 && colon != String::npos) {
                TComponent* c = Form->FindComponent(Trim(l.substr(7, colon - 7)));
                TComponentClass cls = FindClass(Trim(l.substr(colon + 1)));
                if (c && cls) Classes[c] = cls;
                if (c) ClassNames[c] = Trim(l.substr(colon + 1));
                objects.push_back(c);
                continue;
            }
            const auto eq = l.find(" = ");
            if (objects.empty() || !objects.back() || eq == String::npos) continue;
            const String value = Trim(l.substr(eq + 3));
            if (value.empty() || value.find_first_of("('[{+#") != String::npos) continue;
            const String prop = Trim(l.substr(0, eq));
            LayoutTexts[{objects.back(), UpperCase(prop)}] = value;
            Names[{objects.back(), UpperCase(prop)}] = prop;
        }
        out << "designing " << Form->Name() << " (" << Form->ComponentCount() << " components)\n";
    }

    void Place(const std::vector<String>& a, std::ostream& out)
    {
        if (a.size() < 2 || a.size() > 3) throw Exception("place needs CLASS NAME [PARENT]");
        TComponentClass cls = PaletteClass(a[0]);
        if (!cls->Create) throw Exception(String(cls->ClassName) + " makes no objects");
        Open();
        auto* parent = a.size() == 3 ? dynamic_cast<TControl*>(Find(a[2])) : Form.get();
        if (!parent) throw Exception(a[2] + " holds no controls");
        std::unique_ptr<TComponent> c(cls->Create(Form.get()));
        c->SetName(a[1]);
        if (auto* ctl = dynamic_cast<TControl*>(c.get())) {
            ctl->SetParent(parent);
            ctl->SetBounds(8, 8, 300, 200);
        }
        Classes[c.get()] = cls;
        ClassNames[c.get()] = cls->ClassName;
        Designer->SelectComponent(c.get());
        out << "placed " << a[1] << ": " << cls->ClassName << "\n";
        c.release();
    }

    void Property(const std::vector<String>& a, std::ostream& out)
    {
        if (a.size() < 3 || a.size() > 4) throw Exception("property needs NAME PROP TYPE [VALUE]");
        TComponent* c = Find(a[0]);
        const TTypeInfo* type = nullptr;
        for (const TPropertyEditorEntry& e : PropertyEditorEntries())
            if (SameText(e.PropertyType->Name, a[2])) type = e.PropertyType;
        TPropertyEditorClass editorClass = type ? FindPropertyEditor(type, ClassOf(c), a[1]) : nullptr;
        if (!editorClass) throw Exception("No property editor for " + a[2] + " " + a[1] + " of " + a[0]);
        const auto key = std::make_pair(c, UpperCase(a[1]));
        Names.emplace(key, a[1]);
        int modified = 0;
        TPropertyTarget t;
        t.Selection = {c};
        t.PropName = a[1];
        t.GetValue = [this, key] { return Values[key]; };
        t.SetValue = [this, key](const String& v) { Values[key] = v; };
        // VALUE is typed into the inspector; without one, the value the layout gave it is there.
        auto layout = LayoutTexts.find(key);
        const bool typed = a.size() == 4;
        if (typed || (!Values.count(key) && layout != LayoutTexts.end())) {
            std::unique_ptr<TPropertyEditor> typing(editorClass->Create(t));
            typing->SetValue(typed ? a[3] : layout->second);
        }
        t.OnModified = [this, &modified] {
            ++modified;
            Designer->Modified();
        };
        std::unique_ptr<TPropertyEditor> editor(editorClass->Create(t));
        if (!(editor->GetAttributes() & paDialog))
            throw Exception(String(editorClass->ClassName) + " has no dialog");
        editor->Edit();
        out << a[0] << "." << a[1] << " = " << editor->GetValue()
            << (modified ? " (modified)" : " (unchanged)") << "\n";
    }

    void Verb(const std::vector<String>& a, std::ostream& out)
    {
        if (a.empty() || a.size() > 2) throw Exception("verb needs NAME [INDEX]");
        TComponent* c = Find(a[0]);
        TComponentEditorClass editorClass = FindComponentEditor(ClassOf(c));
        if (!editorClass) throw Exception("No component editor for " + a[0]);
        std::unique_ptr<TComponentEditor> editor(editorClass->Create(c));
        if (a.size() == 1) {
            for (int i = 0; i < editor->GetVerbCount(); ++i) out << i << " " << editor->GetVerb(i) << "\n";
            return;
        }
        const int i = StrToInt(a[1]);
        if (i < 0 || i >= editor->GetVerbCount()) throw Exception("No verb " + a[1] + " of " + a[0]);
        out << a[0] << ": " << editor->GetVerb(i) << "\n";
        editor->ExecuteVerb(i);
        ListForm(out);
    }

    // The object inspector as the user sees it: whether it is up and, for a single selected
    // component, its properties sorted by name (the layout's one-line values, typed ones over them).
    void Inspector(const std::vector<String>& a, std::ostream& out)
    {
        if (!a.empty()) throw Exception("inspector takes no arguments");
        if (!RequireService<IQInspectorServices>("object inspector")->InspectorShowing()) {
            out << "object inspector: not shown\n";
            return;
        }
        out << "object inspector: shown\n";
        TFormDesigner* designer = ActiveDesigner();
        const std::vector<TComponent*> selection =
            designer ? designer->Selection() : std::vector<TComponent*>();
        if (selection.size() != 1) {
            out << "  "
                << (selection.empty() ? String("nothing") : IntToStr(static_cast<int>(selection.size())))
                << " selected\n";
            return;
        }
        TComponent* c = selection.front();
        auto cls = ClassNames.find(c);
        out << "  " << c->Name() << (cls == ClassNames.end() ? String() : ": " + cls->second) << "\n";
        std::map<String, String> shown{{"NAME", c->Name()}};
        for (const auto& [key, value] : LayoutTexts)
            if (key.first == c) shown[key.second] = value;
        for (const auto& [key, value] : Values)
            if (key.first == c) shown[key.second] = value;
        for (const auto& [upper, value] : shown) {
            auto name = Names.find({c, upper});
            out << "    " << (name == Names.end() ? String("Name") : name->second) << " = " << value << "\n";
        }
    }

    void ListForm(std::ostream& out)
    {
        for (int i = 0; i < Form->ComponentCount(); ++i) {
            TComponent* c = Form->Components(i);
            out << "  " << c->Name();
            if (auto* ctl = dynamic_cast<TControl*>(c); ctl && ctl->Parent() && ctl->Parent() != Form.get())
                out << " in " << ctl->Parent()->Name() << " \"" << ctl->Caption() << "\"";
            out << "\n";
        }
        const auto& s = Designer->Selection();
        out << "  selected: " << (s.empty() ? String("-") : s.front()->Name()) << "\n";
    }
};

TDesignSession::TDesignSession() : F(std::make_unique<TImpl>()) {}
TDesignSession::~TDesignSession() = default;

bool TDesignSession::IsCommand(const String& cmd)
{
    const String c = LowerCase(cmd);
    return c == "design" || c == "place" || c == "property" || c == "verb" || c == "inspector";
}

bool TDesignSession::Run(const String& cmd, const std::vector<String>& args, std::ostream& out)
{
    const String c = LowerCase(cmd);
    if (c == "design")
        F->Design(args, out);
    else if (c == "place")
        F->Place(args, out);
    else if (c == "property")
        F->Property(args, out);
    else if (c == "verb")
        F->Verb(args, out);
    else if (c == "inspector")
        F->Inspector(args, out);
    else
        return false;
    return true;
}

}  // namespace hostimpl
