#pragma once
// Whether new archive text from an update may replace dorov_zahlen.txt: it must hold draw lines,
// only whole draws where it differs from the archive, and no fewer draws than the archive holds
// now as the program reads it, so neither route can empty, shorten or overwrite the user's
// archive with a page or a file that is not one.
#include <cstdint>
#include <string_view>
#include <vector>

#include "rtl/Classes.h"

// A draw line as the archive reader takes it: a date dd.mm.yy (blanks or tabs before it), then
// behind "," six numbers 1..49 and the extra number 0..49, each behind a "," with blanks or tabs
// around it; whatever follows the extra number (",3,111111", "<br>", " (Mittwoch)") is the line's
// own.
bool ist_Ziehungszeile(std::string_view zeile);

// How many lines of the text (LF or CR LF) or of the list are draw lines.
int Anzahl_Ziehungen(std::string_view text);
int Anzahl_Ziehungen(const TStrings& zeilen);

// Why the bytes of an archive file are not in the archive's format (UTF-16, NUL bytes, lines
// ended by CR alone), in the user's words, naming datei; empty when they are.
String Formatfehler_des_Archivs(std::string_view bytes, const String& datei);

enum class TArchivurteil {
    gut,  // may replace the archive
    ohne_Ziehungen,  // holds no draw line
    unvollstaendig,  // its last draw, or a draw the archive lacks, is not whole
    weniger_Ziehungen,  // holds fewer draws than the archive
    Archiv_unlesbar,  // the archive's draws cannot be counted
};

struct TArchivpruefung {
    TArchivurteil urteil = TArchivurteil::gut;
    int neu = 0;  // draws in the new text, as the archive reader counts them
    int alt = 0;  // draws in the archive now
    String zeile;  // unvollstaendig: the draw line that is not whole
    String grund;  // unvollstaendig: what it lacks; Archiv_unlesbar: why the archive cannot be counted
};

// The new text's lines against the archive file (a missing archive holds no draws; one that
// cannot be read or is not in its format cannot be counted and is kept).
TArchivpruefung pruefe_neues_Archiv(std::string_view text, const String& archivdatei);
TArchivpruefung pruefe_neues_Archiv(const TStrings& zeilen, const String& archivdatei);

// The refusal in the user's words, the new text named by quelle ("Die Ergebnisseite"); empty
// for gut.
String Einwand(const TArchivpruefung& p, const String& quelle);

// Whether the bytes of a text-mode transfer are the whole remote file of groesse bytes (as the
// server stores it): the same count, or one more per line when the server stores CR LF and the
// transfer delivered LF. groesse -1 (unknown) cannot be checked and counts as whole.
bool ist_ganz_uebertragen(std::int64_t groesse, std::string_view bytes);

// Empty when a downloaded archive may replace archivdatei; else the reason it may not, in the
// user's words: the transfer broke off, the file holds no or broken draws, or fewer than the
// archive, or the archive cannot be counted.
String Einwand_gegen_Download(std::int64_t groesse, std::string_view bytes, const String& archivdatei);
