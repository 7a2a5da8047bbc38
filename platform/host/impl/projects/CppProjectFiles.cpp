#include <pugixml.hpp>

#include "hostimpl/CppProjectModel.h"
#include "host/MakeFile.h"
#include "rtl/Files.h"

namespace hostimpl {

struct TCppProjectModel::TXmlDoc {
    pugi::xml_document Doc;
};

bool TCppProjectModel::RemoveFileEntry(const String& file, const String& kind)
{
    if (!Xml) return false;
    pugi::xml_node list = Xml->Doc.child("PROJECT").child("FILELIST");
    bool removed = false;
    for (pugi::xml_node e = list.first_child(); e;) {
        pugi::xml_node next = e.next_sibling();
        // the items' own elements are the model's
        if (!SameText(e.name(), "FILE") && SameText(e.name(), kind) &&
            SameFileName(FromFile(e.attribute("FILENAME").value()), Full(file))) {
            list.remove_child(e);
            removed = true;
        }
        e = next;
    }
    return removed;
}

// Here, where the XML document is known.
TCppProjectModel::TCppProjectModel(String fileName, TCppProjectForm form, String personality)
    : FFileName(ExpandFileName(fileName)), FForm(form), FPersonality(std::move(personality))
{
    FDirectory = IncludeTrailingPathDelimiter(ExtractFilePath(FFileName));
}

TCppProjectModel::~TCppProjectModel() = default;

namespace {

const char* const CRLF = "\r\n";
const char* const kOptionLine = "#@ ";
// The project options and the make-file macros that hold them.
const std::pair<const char*, const char*> kOptionMacros[] = {{"LibPath", "LIBPATH"},
                                                             {"IncludePath", "INCLUDEPATH"},
                                                             {"Defines", "USERDEFINES"},
                                                             {"Libraries", "LIBRARIES"}};
// The order of the macros the host writes.
const char* const kMacroOrder[] = {"PROJECT",   "PROJECTFILES", "LIBPATH",     "INCLUDEPATH", "USERDEFINES",
                                   "LIBRARIES", "IDLFILES",     "IDLGENFILES", "IDLCFLAGS"};

String Rel(TCppProjectModel& m, const String& file) { return m.Stored(file); }

String Quoted(const String& s) { return "\"" + s + "\""; }

}  // namespace

String MakeMacroFollowsImpl(const String& name)
{
    String prev;
    for (const char* n : kMacroOrder) {
        if (name == n) return prev;
        prev = n;
    }
    return prev;
}

void WriteMakeMacros(TCppProjectModel& m)
{
    TMakeFileText t(m.MakeFileText());
    if (t.Text().empty()) {
        const String name = ChangeFileExt(ExtractFileName(m.FileName()), "");
        t.Text() = "# Make file of the C++ project " + name + ", kept by the IDE." + CRLF +
                   "PROJECT = " + name + ".exe" + CRLF + CRLF + "all: $(PROJECT)" + CRLF + CRLF;
    }
    String files;
    for (const auto& i : m.ItemList()) files += (files.empty() ? "" : " ") + FixFileSpaces(Rel(m, i.File));
    t.SetMacro("PROJECTFILES", files, MakeMacroFollows("PROJECTFILES"));
    for (const auto& [option, macro] : kOptionMacros) {
        const String v = m.GetOption(option);
        if (!v.empty() || t.HasMacro(macro)) t.SetMacro(macro, v, MakeMacroFollows(macro));
    }
    for (const auto& [name, value] : m.MacroList()) t.SetMacro(name, value, MakeMacroFollows(name));
    m.SetMakeFileText(t.Text());
}

void SaveMakeFile(TCppProjectModel& m)
{
    TMakeFileText t(m.MakeFileText());
    // the IDL rules may have set macros: the model takes them over
    for (const auto& [name, value] : t.Macros()) {
        bool option = name == "PROJECT" || name == "PROJECTFILES";
        for (const auto& om : kOptionMacros) option = option || name == om.second;
        if (!option) m.SetMakeSym(name, value);
    }
    String text;
    for (const auto& l : TMakeFileText::SplitLines(t.Text()))
        if (l.Text.rfind(kOptionLine, 0) != 0 && l.Text != "# Options of single files, kept by the IDE")
            text += t.Text().substr(l.Start, l.End - l.Start);
    TMakeFileText out(text);
    out.EnsureLineEnd();
    String block;
    auto line = [&](const String& file, const String& set, const String& name, const String& value) {
        // one line each, read back at its quotes, first blank and first "="
        if (file.find_first_of("\"\n") != String::npos || set.empty() ||
            set.find_first_of(" \n") != String::npos || name.find_first_of("=\n") != String::npos ||
            value.find('\n') != String::npos)
            throw Exception("The option " + set + " " + name + " of " + file +
                            " holds a line break or a character that a make file cannot store there");
        block += kOptionLine + Quoted(file) + " " + set + " " + name + "=" + value + CRLF;
    };
    for (const auto& [set, values] : m.ProjectSets())
        for (const auto& [n, v] : values) line("*", set, n, v);
    for (const auto& i : m.ItemList()) {
        if (!i.Compiler.empty()) line(Rel(m, i.File), "-", "compiler", i.Compiler);
        for (const auto& [set, values] : i.Sets)
            for (const auto& [n, v] : values) line(Rel(m, i.File), set, n, v);
    }
    if (!block.empty()) out.Text() += String("# Options of single files, kept by the IDE") + CRLF + block;
    m.SetMakeFileText(out.Text());
    AtomicWriteFile(m.FileName(), out.Text());
}

void LoadMakeFile(TCppProjectModel& m)
{
    const TMakeFileText t(ReadFileBytes(m.FileName()));
    for (const auto& [name, value] : t.Macros()) {
        if (name == "PROJECT") continue;
        if (name == "PROJECTFILES") {
            for (const String& w : MacroWords(value))
                if (!w.empty()) m.ItemList().emplace_back(m.FromFile(w));  // a lone quote names no file
            continue;
        }
        bool option = false;
        for (const auto& [o, macro] : kOptionMacros)
            if (name == macro) {
                m.SetOption(o, value);
                option = true;
            }
        if (!option) m.SetMakeSym(name, value);
    }
    for (const auto& l : TMakeFileText::SplitLines(t.Text())) {
        if (l.Text.rfind(kOptionLine, 0) != 0) continue;
        // #@ "file" set name=value
        const String rest = l.Text.substr(3);
        const auto close = rest.find('"', 1);
        if (rest.empty() || rest[0] != '"' || close == String::npos) continue;
        const String file = rest.substr(1, close - 1);
        const String tail = TrimLeft(rest.substr(close + 1));
        const auto blank = tail.find(' '), eq = tail.find('=');
        if (blank == String::npos || eq == String::npos || eq < blank) continue;
        const String set = tail.substr(0, blank), name = tail.substr(blank + 1, eq - blank - 1),
                     value = tail.substr(eq + 1);
        if (file == "*") {
            m.ProjectSets()[set][name] = value;
        } else if (set == "-" && name == "compiler") {
            m.SetItemCompiler(file, value);
        } else if (m.HasItem(file)) {
            m.SetOptionValue(file, set, name, value);
        }
    }
    m.SetMakeFileText(t.Text());
}

namespace {

void RemoveChildren(pugi::xml_node parent, const char* name)
{
    while (pugi::xml_node c = parent.child(name)) parent.remove_child(c);
}

pugi::xml_node Section(pugi::xml_node root, const char* name)
{
    pugi::xml_node s = root.child(name);
    return s ? s : root.append_child(name);
}

void SetAttr(pugi::xml_node n, const char* name, const String& value)
{
    pugi::xml_attribute a = n.attribute(name);
    if (!a) a = n.append_attribute(name);
    a.set_value(value.c_str());
}

void WriteSets(pugi::xml_node parent, const TCppProjectModel::TSets& sets)
{
    RemoveChildren(parent, "OPTIONSET");
    for (const auto& [set, values] : sets) {
        pugi::xml_node s = parent.append_child("OPTIONSET");
        s.append_attribute("name") = set.c_str();
        for (const auto& [n, v] : values) {
            pugi::xml_node o = s.append_child("OPTION");
            o.append_attribute("name") = n.c_str();
            o.append_attribute("value") = v.c_str();
        }
    }
}

void ReadSets(pugi::xml_node parent, TCppProjectModel::TSets& sets)
{
    for (pugi::xml_node s : parent.children("OPTIONSET"))
        for (pugi::xml_node o : s.children("OPTION"))
            sets[s.attribute("name").value()][o.attribute("name").value()] = o.attribute("value").value();
}

}  // namespace

void SaveXmlProject(TCppProjectModel& m)
{
    if (!m.Xml) {
        m.Xml = std::make_unique<TCppProjectModel::TXmlDoc>();
        pugi::xml_node decl = m.Xml->Doc.append_child(pugi::node_declaration);
        decl.append_attribute("version") = "1.0";
        decl.append_attribute("encoding") = "utf-8";
    }
    pugi::xml_document& doc = m.Xml->Doc;
    pugi::xml_node root = doc.child("PROJECT");
    if (!root) root = doc.append_child("PROJECT");
    pugi::xml_node macros = Section(root, "MACROS");
    RemoveChildren(macros, "MACRO");
    for (const auto& [n, v] : m.MacroList()) {
        pugi::xml_node x = macros.append_child("MACRO");
        x.append_attribute("name") = n.c_str();
        x.append_attribute("value") = v.c_str();
    }
    pugi::xml_node options = Section(root, "OPTIONS");
    RemoveChildren(options, "OPTION");
    for (const auto& [n, v] : m.Options()) {
        pugi::xml_node x = options.append_child("OPTION");
        x.append_attribute("name") = n.c_str();
        x.append_attribute("value") = v.c_str();
    }
    WriteSets(Section(root, "OPTIONSETS"), m.ProjectSets());
    pugi::xml_node list = Section(root, "FILELIST");
    // elements of items that are gone go; the others are updated in place
    for (pugi::xml_node f = list.child("FILE"); f;) {
        pugi::xml_node next = f.next_sibling("FILE");
        const String name = f.attribute("FILENAME").value();
        bool kept = false;
        for (const auto& i : m.ItemList()) kept = kept || (!i.XmlName.empty() && i.XmlName == name);
        if (!kept) list.remove_child(f);
        f = next;
    }
    for (auto& i : m.ItemList()) {
        pugi::xml_node f;
        for (pugi::xml_node x : list.children("FILE"))
            if (!i.XmlName.empty() && i.XmlName == x.attribute("FILENAME").value()) f = x;
        if (!f) f = list.append_child("FILE");
        i.XmlName = Rel(m, i.File);
        SetAttr(f, "FILENAME", i.XmlName);
        if (!i.Compiler.empty())
            SetAttr(f, "COMPILER", i.Compiler);
        else
            f.remove_attribute("COMPILER");
        WriteSets(f, i.Sets);
        RemoveChildren(f, "GENFILE");
        for (const String& g : i.GenFiles) f.append_child("GENFILE").append_attribute("FILENAME") = g.c_str();
        RemoveChildren(f, "VALUE");
        for (const auto& [n, v] : i.Values) {
            pugi::xml_node x = f.append_child("VALUE");
            x.append_attribute("name") = n.c_str();
            x.append_attribute("value") = v.c_str();
        }
    }
    pugi::xml_node uses = Section(root, "USES");
    RemoveChildren(uses, "ENTRY");
    for (const auto& u : m.UsesList()) {
        pugi::xml_node x = uses.append_child("ENTRY");
        x.append_attribute("FILENAME") = Rel(m, u.FileName).c_str();
        x.append_attribute("COMPILER") = u.Compiler.c_str();
        x.append_attribute("KIND") = u.Kind;
        if (!u.FormName.empty()) x.append_attribute("FORMNAME") = u.FormName.c_str();
        if (u.CorbaImpl) {
            String idl;
            for (const String& f : u.IdlFiles) idl += (idl.empty() ? "" : " ") + FixFileSpaces(Rel(m, f));
            x.append_attribute("CORBAIMPL") = "1";
            x.append_attribute("IDLFILES") = idl.c_str();
        }
    }
    struct TWriter : pugi::xml_writer {
        String Text;
        void write(const void* data, size_t size) override
        {
            Text.append(static_cast<const char*>(data), size);
        }
    } w;
    doc.save(w, "  ", pugi::format_indent, pugi::encoding_utf8);
    AtomicWriteFile(m.FileName(), w.Text);
}

void LoadXmlProject(TCppProjectModel& m)
{
    auto x = std::make_unique<TCppProjectModel::TXmlDoc>();
    const String text = ReadFileBytes(m.FileName());
    const pugi::xml_parse_result r =
        x->Doc.load_buffer(text.data(), text.size(), pugi::parse_default | pugi::parse_declaration);
    if (!r)
        throw EHostError(m.FileName() + ": " + r.description() + " at byte " +
                         IntToStr(static_cast<int>(r.offset)));
    pugi::xml_node root = x->Doc.child("PROJECT");
    if (!root) throw EHostError(m.FileName() + " is no project file (no PROJECT element)");
    for (pugi::xml_node n : root.child("MACROS").children("MACRO"))
        m.SetMakeSym(n.attribute("name").value(), n.attribute("value").value());
    for (pugi::xml_node n : root.child("OPTIONS").children("OPTION"))
        m.SetOption(n.attribute("name").value(), n.attribute("value").value());
    ReadSets(root.child("OPTIONSETS"), m.ProjectSets());
    for (pugi::xml_node f : root.child("FILELIST").children("FILE")) {
        TCppProjectModel::TItem i;
        i.XmlName = f.attribute("FILENAME").value();
        if (i.XmlName.empty()) continue;
        i.File = m.FromFile(i.XmlName);
        i.Compiler = f.attribute("COMPILER").value();
        ReadSets(f, i.Sets);
        for (pugi::xml_node g : f.children("GENFILE")) i.GenFiles.push_back(g.attribute("FILENAME").value());
        for (pugi::xml_node v : f.children("VALUE"))
            i.Values.emplace_back(v.attribute("name").value(), v.attribute("value").value());
        m.ItemList().push_back(std::move(i));
    }
    for (pugi::xml_node u : root.child("USES").children("ENTRY")) {
        TUsesEntry e{m.FromFile(u.attribute("FILENAME").value()), u.attribute("COMPILER").value(),
                     u.attribute("KIND").as_int()};
        e.FormName = u.attribute("FORMNAME").value();
        e.CorbaImpl = u.attribute("CORBAIMPL").as_bool();
        for (const String& w : MacroWords(u.attribute("IDLFILES").value()))
            e.IdlFiles.push_back(m.FromFile(w));
        m.UsesList().push_back(std::move(e));
    }
    m.Xml = std::move(x);
}

}  // namespace hostimpl

String MakeMacroFollows(const String& name) { return hostimpl::MakeMacroFollowsImpl(name); }
