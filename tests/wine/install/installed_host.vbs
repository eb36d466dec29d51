' A host script against the server the machine package installed: the
' object by its ProgID, an exchange value copied in and out, and command 16
' run through its real window (a box ticked, Apply) with the section read
' back; a malformed command fails with its description.
Dim o, p, shown
Set o = CreateObject("topaline3.kovar3")
o.AXPoints = Array("1F", "12", 1.5, 2.5, 3.5, "borne")
p = o.AXPoints
Check UBound(p) = 5, "AXPoints comes back as put"
Check TryLance(o, "x") = E_UNEXPECTED, "lance ""x"" fails with E_UNEXPECTED"
WScript.Echo "lance ""x"": " & LastError
shown = RunDialog(o, "16", Array("form=Options du programme", "click=showbox", "click=btAppliquer", "closed"))
Check o.resultat = 1, "Apply of command 16 gives resultat 1 (got " & o.resultat & ")"
Check Setting("options", "showbox") = "1", "the installed options section holds the ticked box (got " & _
      Setting("options", "showbox") & ")"
Finish
