#pragma once
// Whether new archive text from an update may replace dorov_zahlen.txt: it must hold draw lines,
// and no fewer of them than the archive holds now, so neither route can empty, shorten or
// overwrite the user's archive with a page or a file that is not one.
#include <cstdint>
#include <string_view>

#include "rtl/Classes.h"

// A draw line as the archive reader takes it: a date dd.mm.yy (blanks or tabs before it), then
// behind "," six numbers 1..49 and the extra number 0..49, each behind a "," with blanks or tabs
// around it; whatever follows the extra number (",3,111111", "<br>", " (Mittwoch)") is the line's
// own.
bool ist_Ziehungszeile(std::string_view zeile);

// How many lines of the text (LF or CR LF) or of the list are draw lines.
int Anzahl_Ziehungen(std::string_view text);
int Anzahl_Ziehungen(const TStrings& zeilen);

enum class TArchivurteil {
    gut,  // may replace the archive
    ohne_Ziehungen,  // holds no draw line
    weniger_Ziehungen,  // holds fewer draws than the archive
};

struct TArchivpruefung {
    TArchivurteil urteil = TArchivurteil::gut;
    int neu = 0;  // draws in the new text
    int alt = 0;  // draws in the archive now
};

// The new text's draws against those of the archive file (a missing or unreadable archive
// holds none).
TArchivpruefung pruefe_neues_Archiv(int neue_Ziehungen, const String& archivdatei);

// Whether the bytes of a text-mode transfer are the whole remote file of groesse bytes (as the
// server stores it): the same count, or one more per line when the server stores CR LF and the
// transfer delivered LF. groesse -1 (unknown) cannot be checked and counts as whole.
bool ist_ganz_uebertragen(std::int64_t groesse, std::string_view bytes);

// Empty when a downloaded archive may replace archivdatei; else the reason it may not, in the
// user's words: the transfer broke off, the file holds no draws, or fewer than the archive.
String Einwand_gegen_Download(std::int64_t groesse, std::string_view bytes, const String& archivdatei);
