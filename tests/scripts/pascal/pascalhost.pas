{ A host built with the runtime family of the real one: its thread runs with
  the x87 control word that runtime sets ($1332: overflow, zero divide and
  invalid operation unmasked), and an x87 exception it meets becomes an
  exception of its own.  Loads the module, imports one invoice, and prints
  what it saw: the export's result, every error the module reported, whether
  the control word is still its own, and how many more files it has open
  after the call than before.
    pascalhost MODULE OUTPUT INVOICE }
program pascalhost;

{$mode objfpc}{$H+}

uses
  SysUtils, dynlibs;

type
  TRegister = function(host, a, b, c: LongInt): Pointer; cdecl;
  TCallback = procedure(lib: Pointer; callback: Pointer; id: LongInt); cdecl;
  TRelease = procedure(lib: Pointer); cdecl;
  TImport = function(lib: Pointer; context: LongInt; output, invoice: PChar): LongInt; cdecl;

function OnParameter(host, context: LongInt; name, answer: PChar): LongInt; cdecl;
begin
  if StrComp(name, 'CzyKategoryzacja') = 0 then StrCopy(answer, 'Nie')
  else StrCopy(answer, '23');
  Result := 0;
end;

function OnError(host, context: LongInt; text: PChar): LongInt; cdecl;
begin
  WriteLn('error: ', text);
  Result := 0;
end;

function OpenFiles: Integer;
var
  entry: TSearchRec;
begin
  Result := 0;
  if FindFirst('/proc/self/fd/*', faAnyFile, entry) = 0 then
  begin
    repeat
      if (entry.Name <> '.') and (entry.Name <> '..') then Inc(Result);
    until FindNext(entry) <> 0;
    FindClose(entry);
  end;
end;

var
  module: TLibHandle;
  lib: Pointer;
  hostword: Word;
  before: Integer;
  answer: LongInt;
begin
  module := LoadLibrary(ParamStr(1));
  if module = NilHandle then begin WriteLn('cannot load ', ParamStr(1)); Halt(2); end;
  hostword := Get8087CW;
  lib := TRegister(GetProcAddress(module, 'VEXDLLRejestrujBiblioteke'))(1, 0, 0, 0);
  TCallback(GetProcAddress(module, 'VEXDLLRejestrujCallback'))(lib, @OnParameter, 6);
  TCallback(GetProcAddress(module, 'VEXDLLRejestrujCallback'))(lib, @OnError, 7);
  before := OpenFiles;
  try
    answer := TImport(GetProcAddress(module, 'VEXDLLEdiImportujDokument'))(lib, 1,
      PChar(ParamStr(2)), PChar(ParamStr(3)));
    WriteLn('result: ', answer);
  except
    on E: Exception do WriteLn('the host caught ', E.ClassName, ': ', E.Message);
  end;
  WriteLn('files left open: ', OpenFiles - before);
  if (Get8087CW and $1F3F) = (hostword and $1F3F) then WriteLn('control word: kept')
  else WriteLn('control word: changed');
  TRelease(GetProcAddress(module, 'VEXDLLZwolnijBiblioteke'))(lib);
  UnloadLibrary(module);
end.
