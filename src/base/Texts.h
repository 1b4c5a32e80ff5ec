// Every non-ASCII text the module shows or writes, as Windows-1250 bytes.
// Each carries its readable form in a comment.  Keep texts here, never as
// UTF-8 literals: the host reads single-byte Windows-1250 only.
//
// Windows-1250 letters used below: a-ogonek B9, c-acute E6, e-ogonek EA,
// l-stroke B3, n-acute F1, o-acute F3, s-acute 9C, z-acute 9F, z-dot BF.
#ifndef EDIHAL_BASE_TEXTS_H
#define EDIHAL_BASE_TEXTS_H

namespace edihal::texts {

// --- Identity -------------------------------------------------------------
inline constexpr char kFormatName[] = "Halvo - XML";
inline constexpr char kModuleName[] = "EDI_Halvo_XML";

// --- Exception guard ------------------------------------------------------
// Nieznany wyjątek
inline constexpr char kUnknownException[] = "Nieznany wyj\xB9tek";

// --- Parameter descriptions -----------------------------------------------
inline constexpr char kDescImportFolder[] = "Katalog importu";
// Początek nazwy pliku importu
inline constexpr char kDescImportPrefix[] = "Pocz\xB9tek nazwy pliku importu";
// Lista plików importu
inline constexpr char kDescImportList[] = "Lista plik\xF3w importu";
// Czy przypisywać asortyment wg kategorii
inline constexpr char kDescCategorisation[] = "Czy przypisywa\xE6 asortyment wg kategorii";

// --- Import selection list ------------------------------------------------
// tworzenie listy plików na podstawie zawartości katalogu
inline constexpr char kListProgressTitle[] =
    "tworzenie listy plik\xF3w na podstawie zawarto\x9C"
    "ci katalogu";
inline constexpr char kListProgressScanning[] = "analiza katalogu...";
// The file-dialog filter of the list, around the host's file-name prefix:
// its description, then (after the prefix) the rest of the first pair and
// the two fixed pairs.
inline constexpr char kListFilterLead[] = "Pliki EDI HalX (";
inline constexpr char kListFilterPattern[] = "*.xml";
inline constexpr char kListFilterMiddle[] = "*.xml)|";
inline constexpr char kListFilterTail[] =
    "|Wszystkie pliki XML (*.xml)|*.xml|Wszystkie pliki (*.*)|*.*";
// (more texts of the selection list go here)

// --- Import ---------------------------------------------------------------
inline constexpr char kMissingInvoice[] = "Brak pliku ";
// A number that cannot be read, as the clerk sees it:
//   Błędna liczba "TEXT" w znaczniku <TAG>, wiersz N pliku PATH
// Błędna liczba "
inline constexpr char kBadNumber[] =
    "B\xB3\xEA"
    "dna liczba \"";
inline constexpr char kBadNumberInTag[] = "\" w znaczniku ";
inline constexpr char kBadNumberAtLine[] = ", wiersz ";
inline constexpr char kBadNumberOfFile[] = " pliku ";
// Iloczyn spoza zakresu liczb: "A" * "B" w znaczniku <TAG>, wiersz N
// pliku PATH (the pieces after the second value are those above).
inline constexpr char kProductOutOfRange[] = "Iloczyn spoza zakresu liczb: \"";
inline constexpr char kProductTimes[] = "\" * \"";
// Zabrakło pamięci podczas czytania pliku PATH
inline constexpr char kOutOfMemoryReading[] =
    "Zabrak\xB3o pami\xEA"
    "ci podczas czytania pliku ";
// Zabrakło pamięci
inline constexpr char kOutOfMemory[] =
    "Zabrak\xB3o pami\xEA"
    "ci";
// (more texts of the invoice import go here)

// --- What a reading of an invoice finds ---------------------------------
// The import refuses an invoice it cannot read whole, before it writes a
// record:
//   Faktura PATH nie została zaimportowana. Wiersz N: FINDING. ADVICE
inline constexpr char kRefusedInvoice[] = "Faktura ";
inline constexpr char kRefusedAtLine[] =
    " nie zosta\xB3"
    "a zaimportowana. Wiersz ";
// Plik jest niekompletny albo uszkodzony: pobierz go ponownie.
inline constexpr char kRefusedIncomplete[] =
    "Plik jest niekompletny albo uszkodzony: pobierz go ponownie.";
// Moduł wymaga pliku z jednym elementem w wierszu: poproś hurtownię o taki plik.
inline constexpr char kRefusedLayout[] =
    "Modu\xB3 wymaga pliku z jednym elementem w wierszu: popro\x9C hurtowni\xEA o taki plik.";
// What makes the import refuse an invoice, as vexhost check shows it too.
// Kilka elementów w jednym wierszu
inline constexpr char kFindingSeveralElements[] = "Kilka element\xF3w w jednym wierszu";
// Cała faktura w jednym wierszu
inline constexpr char kFindingWholeInvoiceOnOneLine[] =
    "Ca\xB3"
    "a faktura w jednym wierszu";
// Pozycja otwarta w wierszu N nie jest zamknięta przed następną
inline constexpr char kFindingBlockOpenAt[] = "Pozycja otwarta w wierszu ";
inline constexpr char kFindingNotClosedBeforeNext[] = " nie jest zamkni\xEAta przed nast\xEApn\xB9";
// ... nie jest zamknięta do końca pliku
inline constexpr char kFindingNotClosedAtEnd[] =
    " nie jest zamkni\xEAta do ko\xF1"
    "ca pliku";
// Znacznik zamykający bez otwierającego: </ART_SALE>
inline constexpr char kFindingCloseWithoutOpen[] =
    "Znacznik zamykaj\xB9"
    "cy bez otwieraj\xB9"
    "cego: ";
// Element <NAME> otwarty w wierszu N nie jest zamknięty do końca pliku
inline constexpr char kFindingElement[] = "Element <";
inline constexpr char kFindingElementOpenAt[] = "> otwarty w wierszu ";
inline constexpr char kFindingElementNotClosed[] =
    " nie jest zamkni\xEAty do ko\xF1"
    "ca pliku";
// W pliku nie ma żadnego elementu
inline constexpr char kFindingNoElement[] =
    "W pliku nie ma \xBF"
    "adnego elementu";
// What loses nothing, shown by vexhost check only.
// Nieznana litera stawki VAT "E": pozycja dostanie stawkę poprzedniej
inline constexpr char kFindingUnknownVat[] = "Nieznana litera stawki VAT \"";
inline constexpr char kFindingUnknownVatTail[] = "\": pozycja dostanie stawk\xEA poprzedniej";
// Kodowanie "X" nie jest przekodowywane: polskie litery będą błędne
inline constexpr char kFindingUnknownEncoding[] = "Kodowanie \"";
inline constexpr char kFindingUnknownEncodingTail[] =
    "\" nie jest przekodowywane: polskie litery b\xEA"
    "d\xB9 b\xB3\xEA"
    "dne";
// Bajty niepoprawne w kodowaniu X
inline constexpr char kFindingInvalidBytes[] = "Bajty niepoprawne w kodowaniu ";
// Grupa 1/2/3 nie ma asortymentu w plikach kategoryzacji: import zapyta w oknie
inline constexpr char kFindingNoAssortment[] = "Grupa ";
inline constexpr char kFindingNoAssortmentTail[] =
    " nie ma asortymentu w plikach kategoryzacji: import zapyta w oknie";

// --- Categorisation -------------------------------------------------------
// Nie można wczytać pliku (followed by the side file, its full path and why)
inline constexpr char kCannotLoadSideFile[] = "Nie mo\xBFna wczyta\xE6 pliku ";

// --- Export ---------------------------------------------------------------
// Eksport dokumentu nie jest obsługiwany w tym formacie EDI
inline constexpr char kExportRefused[] =
    "Eksport dokumentu nie jest obs\xB3ugiwany w tym formacie EDI";
// Podaj nazwę dla pliku EDI
inline constexpr char kExportPrompt[] = "Podaj nazw\xEA dla pliku EDI";
// File-dialog filter around the export prefix P:
// "Pliki EDI HalX XML (" P "*.xml)|" P "*.xml|Wszystkie pliki XML ...".
inline constexpr char kExportFilterHead[] = "Pliki EDI HalX XML (";
inline constexpr char kExportFilterMiddle[] = "*.xml)|";
inline constexpr char kExportFilterTail[] =
    "*.xml|Wszystkie pliki XML (*.xml)|*.xml|Wszystkie pliki (*.*)|*.*";
// Raised when the host gives no export folder.
inline constexpr char kExportFolderMissing[] =
    "Nie podano katalogu eksportu (parametr KatalogExp jest pusty)";
// (more texts of the export go here)

// --- Assortment dialog ----------------------------------------------------
// Wybór asortymentu
inline constexpr char kDialogCaption[] = "Wyb\xF3r asortymentu";
inline constexpr char kDialogProductLabel[] = "Towar:";
inline constexpr char kDialogAssortmentLabel[] = "Asortyment:";
inline constexpr char kDialogAccept[] = "Akceptuj";
// The same dialog on a text terminal:
// Enter - akceptuj zaznaczony (>), numer - wybierz, q - zamknij bez wyboru:
inline constexpr char kTerminalPrompt[] =
    "Enter - akceptuj zaznaczony (>), numer - wybierz, q - zamknij bez wyboru: ";
// (brak asortymentów)
inline constexpr char kTerminalNoAssortments[] = "(brak asortyment\xF3w)";
// Nie ma takiej pozycji.
inline constexpr char kTerminalNoSuchEntry[] = "Nie ma takiej pozycji.";
// (more texts of the dialog go here)

// --- File and folder errors -----------------------------------------------
// Nie można otworzyć pliku
inline constexpr char kCannotOpenFile[] = "Nie mo\xBFna otworzy\xE6 pliku ";
// Błąd odczytu pliku
inline constexpr char kCannotReadFile[] =
    "B\xB3\xB9"
    "d odczytu pliku ";
// Błąd zapisu pliku
inline constexpr char kCannotWriteFile[] =
    "B\xB3\xB9"
    "d zapisu pliku ";
// Nie można utworzyć katalogu o pustej nazwie
inline constexpr char kEmptyFolderName[] = "Nie mo\xBFna utworzy\xE6 katalogu o pustej nazwie";

// Reasons that follow a file error after ": ".
// nie ma takiego pliku ani katalogu
inline constexpr char kReasonNotFound[] = "nie ma takiego pliku ani katalogu";
// brak dostępu
inline constexpr char kReasonAccessDenied[] = "brak dost\xEApu";
// to jest katalog, a nie plik
inline constexpr char kReasonIsFolder[] = "to jest katalog, a nie plik";
// plik jest używany przez inny program
inline constexpr char kReasonInUse[] = "plik jest u\xBFywany przez inny program";
// brak miejsca na dysku
inline constexpr char kReasonDiskFull[] = "brak miejsca na dysku";
// niepoprawna nazwa pliku
inline constexpr char kReasonBadName[] = "niepoprawna nazwa pliku";
// błąd systemu nr (followed by the system's error number)
inline constexpr char kReasonSystemError[] =
    "b\xB3\xB9"
    "d systemu nr ";

}  // namespace edihal::texts

#endif  // EDIHAL_BASE_TEXTS_H
