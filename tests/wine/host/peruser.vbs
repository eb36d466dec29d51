' Registration for the current user only (regsvr32 /i:user /n), checked by
' reading the keys it writes, then unregistered. The per-machine
' registration of the test prefix is renewed at the end. The server is the
' one the per-machine registration names.

Dim dll, clsid, classes, rc, o, missing
classes = "HKCU\Software\Classes\"

Function TryRead(path)
  On Error Resume Next
  Err.Clear
  TryRead = Shell.RegRead(path)
  If Err.Number <> 0 Then TryRead = Null
  Err.Clear
End Function

clsid = TryRead("HKLM\Software\Classes\topaline3.kovar3\CLSID\")
Check Not IsNull(clsid), "the per-machine registration holds the ProgID"
dll = TryRead("HKLM\Software\Classes\CLSID\" & clsid & "\InprocServer32\")
Check Not IsNull(dll), "the per-machine registration names the server"
dll = "" & dll

rc = Shell.Run("regsvr32 /s /i:user /n """ & dll & """", 0, True)
Check rc = 0, "regsvr32 /i:user /n succeeds (exit code " & rc & ")"
Check TryRead(classes & "topaline3.kovar3\CLSID\") = clsid, "per user: ProgID -> class"
Check TryRead(classes & "topaline3.kovar3\") = "kovar3 Objet", "per user: ProgID description"
Check TryRead(classes & "CLSID\" & clsid & "\") = "kovar3 Objet", "per user: class description"
Check LCase(TryRead(classes & "CLSID\" & clsid & "\InprocServer32\")) = LCase(dll), "per user: the server's path"
Check TryRead(classes & "CLSID\" & clsid & "\InprocServer32\ThreadingModel") = "Apartment", "per user: threading model"
Check TryRead(classes & "CLSID\" & clsid & "\ProgID\") = "topaline3.kovar3", "per user: class -> ProgID"
Check Not IsNull(TryRead(classes & "CLSID\" & clsid & "\TypeLib\")), "per user: class -> type library"

rc = Shell.Run("regsvr32 /s /u /i:user /n """ & dll & """", 0, True)
Check rc = 0, "regsvr32 /u /i:user /n succeeds (exit code " & rc & ")"
Check IsNull(TryRead(classes & "topaline3.kovar3\CLSID\")), "per user: the ProgID is gone"
Check IsNull(TryRead(classes & "CLSID\" & clsid & "\InprocServer32\")), "per user: the class is gone"
Check TryRead("HKLM\Software\Classes\topaline3.kovar3\CLSID\") = clsid, "the per-machine entries are untouched"

' An unknown DllInstall command line is refused.
rc = Shell.Run("regsvr32 /s /i:nobody /n """ & dll & """", 0, True)
Check rc <> 0, "regsvr32 /i:nobody /n is refused"

' Wine registers a per-user type library for the whole machine, so renew
' the per-machine registration for the tests that follow.
rc = Shell.Run("regsvr32 /s """ & dll & """", 0, True)
Check rc = 0, "regsvr32 (per machine) succeeds again"
Set o = CreateObject("topaline3.kovar3")
Check o.resultat = 0, "the object is still created by its ProgID"

Finish
