' Command 18 starts InstallPath\quenta.exe (here a stand-in that writes its
' parameter string to cmdline.txt) with element 0 of alldata as text.

Dim o, hr, out, sample, expected, i
Set o = CreateObject("topaline3.kovar3")
out = InstallPath() & "\cmdline.txt"

sample = Array(Array("12"), Array(4567, "ignored"), Array("65874 2"))
expected = Array("12", "4567", "65874 2")
For i = 0 To UBound(sample)
  DeleteIfThere out
  o.alldata = sample(i)
  hr = TryLance(o, "18")
  Check hr = 0, "lance ""18"" succeeds (got " & Hex8(hr) & " " & LastError & ")"
  Check o.resultat = 0, "lance ""18"" leaves resultat 0"
  Check WaitForFile(out, 15), "quenta.exe was started from the installation folder"
  Pause 200
  Check ReadUnicode(out) = expected(i), "quenta.exe got the parameter string """ & expected(i) & """ (got """ & ReadUnicode(out) & """)"
Next
out = o.alldata
Check UBound(out) = 0 And out(0) = "65874 2", "alldata is left as it was"

Finish
