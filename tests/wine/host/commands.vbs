' lance with unknown and malformed command strings, a missing labels file
' and a configuration value of the wrong type: successes return at once, failures carry E_UNEXPECTED and a
' description, and nothing is shown.

Dim o, c, hr, install
Set o = CreateObject("topaline3.kovar3")
install = InstallPath()

For Each c In Array("25", "-1", "17", "20")
  hr = TryLance(o, c)
  Check hr = 0, "lance """ & c & """ succeeds (got " & Hex8(hr) & " " & LastError & ")"
  Check o.resultat = 0, "lance """ & c & """ leaves resultat 0"
Next

For Each c In Array("x", "", "1.5", "99999999999")
  hr = TryLance(o, c)
  Check hr = E_UNEXPECTED, "lance """ & c & """ fails with E_UNEXPECTED (got " & Hex8(hr) & ")"
  Check Len(LastError) > 0, "lance """ & c & """ gives a description"
  WScript.Echo "lance """ & c & """: " & LastError
Next

' Command 18 needs alldata as an array.
o.alldata = Empty
hr = TryLance(o, "18")
Check hr = E_UNEXPECTED, "lance ""18"" with alldata empty fails (got " & Hex8(hr) & ")"
WScript.Echo "lance ""18"" with alldata empty: " & LastError
o.alldata = "12"
hr = TryLance(o, "18")
Check hr = E_UNEXPECTED, "lance ""18"" with alldata a scalar fails (got " & Hex8(hr) & ")"

' The labels file cannot be found.
Shell.RegWrite ProductKey & "installpath", "C:\no such folder", "REG_SZ"
hr = TryLance(o, "25")
Check hr = E_UNEXPECTED, "a missing labels file fails the call (got " & Hex8(hr) & ")"
Check InStr(LastError, "language.lng") > 0, "the description names the labels file: " & LastError
WScript.Echo "missing labels file: " & LastError
Shell.RegWrite ProductKey & "installpath", install, "REG_SZ"

' "langue" stored as a number.
Shell.RegWrite ProductKey & "langue", 1, "REG_DWORD"
hr = TryLance(o, "25")
Check hr = E_UNEXPECTED, "a REG_DWORD langue fails the call (got " & Hex8(hr) & ")"
Check InStr(LastError, "langue") > 0, "the description names the value: " & LastError
WScript.Echo "REG_DWORD langue: " & LastError
Shell.RegWrite ProductKey & "langue", "fr", "REG_SZ"

' And everything works again once the configuration is sound.
hr = TryLance(o, "25")
Check hr = 0, "lance works again after the configuration is repaired (got " & Hex8(hr) & " " & LastError & ")"

Finish
