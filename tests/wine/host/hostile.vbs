' Inputs a careless or hostile host script sends, each refused with a
' failing status while every exchange value stays as it was and the next
' call works: a record element that is an array nested thousands deep, an
' indexed property put, an argument too many to lance, and command 18 when
' quenta.exe is missing from the installation folder.

Dim o, hr, i, deep, p, a, install
Set o = CreateObject("topaline3.kovar3")
install = InstallPath()

' Calls that must fail; each returns Err.Number and keeps the description.
Function TryIndexedPut(obj)
  On Error Resume Next
  Err.Clear
  obj.AXPoints(0) = "x"
  TryIndexedPut = Err.Number
  LastError = Err.Description
  Err.Clear
End Function

Function TryLanceTwoArguments(obj)
  On Error Resume Next
  Err.Clear
  obj.lance "25", "x"
  TryLanceTwoArguments = Err.Number
  LastError = Err.Description
  Err.Clear
End Function

' 1. A point number that is an array nested 5000 deep (with the product's
' labels: the points list's labels are not in the small file of these tests).
Shell.RegWrite ProductKey & "installpath", "C:\topaline test", "REG_SZ"
deep = 7
For i = 1 To 5000
  deep = Array(deep)
Next
o.AXPoints = Array("h1", deep, 1.5, 2.5, 3.5, "desc")
hr = TryLance(o, "1")
Check hr = E_UNEXPECTED, "a nested array as a point number fails lance ""1"" (got " & Hex8(hr) & ")"
Check InStr(LastError, "AXPoints, element 1: Could not convert an array") = 1, "the description says where and why: " & LastError
WScript.Echo "nested point number: " & LastError
p = o.AXPoints
Check UBound(p) = 5, "AXPoints keeps its six elements"
Check p(0) = "h1" And p(5) = "desc", "AXPoints keeps its values"
Check IsArray(p(1)), "the nested element is still there"
Shell.RegWrite ProductKey & "installpath", install, "REG_SZ"

' 3. An indexed put: refused, the points array untouched.
o.AXPoints = Array("h1", 12, 1.5, 2.5, 3.5, "desc")
hr = TryIndexedPut(o)
Check hr <> 0, "o.AXPoints(0) = ""x"" fails"
WScript.Echo "indexed put: " & Hex8(hr) & " " & LastError
Check IsArray(o.AXPoints), "AXPoints is still an array"
p = o.AXPoints
Check UBound(p) = 5, "AXPoints keeps its six elements after the indexed put"
Check p(0) = "h1" And p(1) = 12, "AXPoints keeps its values after the indexed put"

' 4. lance with a second argument: refused before anything runs, so
' resultat keeps the answer of the question before it.
AnswerBox "Message Topaline", "yes", install & "\box.txt"
hr = TryLance(o, "19")
Check hr = 0 And o.resultat = 1, "the question answered Yes gives resultat 1 (got " & Hex8(hr) & ")"
hr = TryLanceTwoArguments(o)
Check hr <> 0, "lance with two arguments fails"
WScript.Echo "lance with two arguments: " & Hex8(hr) & " " & LastError
Check o.resultat = 1, "lance with two arguments did not run (resultat kept)"

' 5. quenta.exe missing: the call fails and says which program and why.
Shell.RegWrite ProductKey & "installpath", "C:\topaline en", "REG_SZ"
o.alldata = Array("12")
hr = TryLance(o, "18")
Check hr = E_UNEXPECTED, "lance ""18"" without quenta.exe fails (got " & Hex8(hr) & ")"
Check InStr(LastError, "C:\topaline en\quenta.exe") > 0, "the description names the program: " & LastError
WScript.Echo "quenta.exe missing: " & LastError
a = o.alldata
Check UBound(a) = 0 And a(0) = "12", "alldata is left as it was"
Shell.RegWrite ProductKey & "installpath", install, "REG_SZ"

' And the server goes on.
hr = TryLance(o, "25")
Check hr = 0, "lance works after all of these (got " & Hex8(hr) & " " & LastError & ")"

Finish
