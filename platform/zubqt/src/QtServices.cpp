#include "zubqt/QtServices.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QMessageBox>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QTextDocument>
#include <map>

#include "Common.h"
#include "rtl/Files.h"

using namespace zubqt;

namespace {

// One printer for the print dialog and the jobs, so a job goes where the dialog said.
QPrinter& SharedPrinter()
{
    // Kept to the end of the process: it must not be destroyed after the Qt application.
    static QPrinter* printer = new QPrinter(QPrinter::HighResolution);
    return *printer;
}

}  // namespace

// ---- dialogs

int TQtDialogs::MessageBox(const TDialogRequest& r)
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (r.Type) {
    case mtWarning: icon = QMessageBox::Warning; break;
    case mtError: icon = QMessageBox::Critical; break;
    case mtInformation: icon = QMessageBox::Information; break;
    case mtConfirmation: icon = QMessageBox::Question; break;
    case mtCustom: break;
    }
    QMessageBox box(icon, Q(r.Title), Q(r.Text), QMessageBox::NoButton, QApplication::activeWindow());
    std::map<QAbstractButton*, int> results;
    auto add = [&](TMsgDlgButtons b, const char* text, QMessageBox::ButtonRole role, int result) {
        if (r.Buttons & b) results[box.addButton(text, role)] = result;
    };
    add(mbYes, "&Ja", QMessageBox::YesRole, mrYes);
    add(mbNo, "&Nein", QMessageBox::NoRole, mrNo);
    add(mbOK, "OK", QMessageBox::AcceptRole, mrOk);
    add(mbCancel, "Abbrechen", QMessageBox::RejectRole, mrCancel);
    if (results.empty()) results[box.addButton("OK", QMessageBox::AcceptRole)] = mrOk;
    const int escape = (r.Buttons & mbCancel) ? mrCancel : (r.Buttons & mbNo) ? mrNo : mrOk;
    for (auto& [b, res] : results)
        if (res == escape) box.setEscapeButton(b);
    RunQtModal([&] { box.exec(); });
    auto it = results.find(box.clickedButton());
    return it == results.end() ? escape : it->second;
}

bool TQtDialogs::PrintDialog()
{
    QPrintDialog dialog(&SharedPrinter(), QApplication::activeWindow());
    dialog.setWindowTitle("Drucken");
    int result = QDialog::Rejected;
    RunQtModal([&] { result = dialog.exec(); });
    return result == QDialog::Accepted;
}

// ---- clipboard

bool TQtClipboard::GetText(String& text)
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasText()) return false;
    text = Z(data->text());
    return true;
}

bool TQtClipboard::SetText(const String& text)
{
    QGuiApplication::clipboard()->setText(Q(text));
    return true;
}

// ---- printer

void TQtPrinter::Print(const TPrintJob& job)
{
    QPrinter& printer = SharedPrinter();
    printer.setDocName(Q(job.Title));
    const bool toPdf = printer.outputFileName().isEmpty() && QPrinterInfo::availablePrinters().isEmpty();
    if (toPdf) {
        QString name = Q(job.Title).trimmed();
        for (QChar& ch : name)
            if (ch == '/' || ch == '\\' || ch.category() == QChar::Other_Control) ch = '_';
        if (name.isEmpty()) name = "Ausdruck";
        printer.setOutputFileName(QDir::current().filePath(name + ".pdf"));
    }
    QTextDocument doc;
    QFont font("DejaVu Sans Mono");
    font.setPointSize(10);
    doc.setDefaultFont(font);
    QStringList lines;
    for (const String& l : job.Lines) lines << Q(l);
    doc.setPlainText(lines.join('\n'));
    doc.print(&printer);
    if (toPdf) printer.setOutputFileName(QString());
}

// ---- shell

TQtShell::TQtShell(TLauncher launcher) : FLauncher(std::move(launcher))
{
    if (!FLauncher)
        FLauncher = [](const String& program, const std::vector<String>& arguments) {
            QStringList args;
            for (const String& a : arguments) args << Q(a);
            return QProcess::startDetached(Q(program), args);
        };
}

int TQtShell::Execute(const TShellRequest& r)
{
    constexpr int FileNotFound = 2, NoAssociation = 31, Started = 42;
    if (!r.Verb.empty() && !SameText(r.Verb, "open")) return NoAssociation;
    String target = r.File;
    const bool address = target.find("://") != String::npos || SameText(target.substr(0, 7), "mailto:");
    if (!address) {
        if (target.empty()) return FileNotFound;
        String path = target;
        std::replace(path.begin(), path.end(), '\\', '/');
        if (path[0] != '/') {
            String base = r.Directory.empty() ? GetCurrentDir() : r.Directory;
            path = IncludeTrailingPathDelimiter(ResolvePath(base)) + path;
        }
        path = ResolvePath(path);
        if (!FileExists(path) && !DirectoryExists(path)) return FileNotFound;
        target = path;
    }
    return FLauncher("xdg-open", {target}) ? Started : NoAssociation;
}
