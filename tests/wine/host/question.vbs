' Command 19: the yes/no question of label 740, answered through the real
' message box by the driver program (it finds the box by its caption and
' clicks a button, as a person would).

Dim a, b, hr, report, shown, expected
Set a = CreateObject("topaline3.kovar3")
Set b = CreateObject("topaline3.kovar3")
report = InstallPath() & "\box.txt"
expected = "text=Faut-il vraiment continuer ? (" & Chr(233) & "tape suivante)"

AnswerBox "Message Topaline", "yes", report
hr = TryLance(a, "19")
Check hr = 0, "lance ""19"" answered Yes succeeds (got " & Hex8(hr) & " " & LastError & ")"
Check a.resultat = 1, "Yes sets resultat to 1"
Check b.resultat = 1, "resultat is shared by the objects"
Check WaitForFile(report, 5), "the driver saw the box"
shown = ReadUnicode(report)
Check InStr(shown, expected) > 0, "the box shows label 740: " & shown
Check InStr(shown, "buttons=&Yes,&No" & vbCrLf) > 0, "the box has the buttons Yes and No: " & shown

AnswerBox "Message Topaline", "no", report
hr = TryLance(b, "19")
Check hr = 0, "lance ""19"" answered No succeeds (got " & Hex8(hr) & ")"
Check a.resultat = 0, "No leaves resultat 0 (reset at the start of the call)"

AnswerBox "Message Topaline", "yes", report
hr = TryLance(a, "19")
Check a.resultat = 1, "Yes again gives 1"
hr = TryLance(a, "25")
Check a.resultat = 0, "the next call resets resultat to 0"

Finish
