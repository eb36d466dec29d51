' Command 9, save points to a file, worked through its real window: the
' file name check (label 711, a folder refused too), the existing-file
' question and its three answers, the file type and renumbering rules,
' the save-file dialog, Apply, Cancel, Escape, the close box, Help.

Dim a, shown, names, title, question, newFile, oldFile, values
Set a = CreateObject("topaline3.kovar3")
names = Array("nomfic", "typfic", "cn", "cx", "cy", "cz", "cdes", "separ", "nbdec", "gsi8", "gsi16", "gsidec", _
              "renum", "startat", "increment", "ecrase")
title = "Enregistrer des points dans un fichier"
question = "Fichier existant"
newFile = TestInstall & "\nouveau.txt"
oldFile = TestInstall & "\ancien.txt"
DeleteIfThere newFile
Fso.CreateTextFile(oldFile, True).Close
values = Array(newFile, "Fichier texte d" & Chr(233) & "limit" & Chr(233), "1", "2", "3", "4", "Ignore", "Virgule", _
               "3", "0", "1", "3", "0", "1", "1", "1")
Prepare "sauvepoints", names, values

' 1. A blank name and then a folder are refused with label 711; a new
'    file is accepted and ecrase keeps its stored value.
shown = RunDialog(a, "9", Array("form=" & title, "settext=nomfic,   ", "click=btAppliquer", "box=1", "alive", _
                                "settext=nomfic," & TestInstall, "click=btAppliquer", "box=1", "alive", _
                                "settext=nomfic," & newFile, "click=btAppliquer", "closed"))
CheckLine shown, "caption= Topaline - " & title, "the French caption"
CheckLine shown, "box.text=Indiquez le nom du fichier " & Chr(224) & " enregistrer.", "label 711 is shown"
Check UBound(Split(shown, "box.text=Indiquez")) = 2, "label 711 for the blank name and for the folder: " & shown
Check a.resultat = 1, "Apply gives resultat 1 (got " & a.resultat & ")"
CheckSection "sauvepoints", names, values, "a new file: everything as stored"

' 2. The existing file: replace, then append by Enter (the first button
'    has the focus), then back to the dialog by each of its three ways.
values(0) = oldFile
Prepare "sauvepoints", Array("nomfic"), Array(oldFile)
shown = RunDialog(a, "9", Array("form=" & title, "click=btAppliquer", "form=" & question, "click=Button2", "closed"))
CheckLine shown, "caption=" & question, "the question's caption"
Check a.resultat = 1, "replace: resultat 1 (got " & a.resultat & ")"
values(15) = "1"
CheckSection "sauvepoints", names, values, "replace stores ecrase 1"
shown = RunDialog(a, "9", Array("form=" & title, "click=btAppliquer", "form=" & question, "key=13", "closed"))
Check a.resultat = 1, "append: resultat 1 (got " & a.resultat & ")"
values(15) = "0"
CheckSection "sauvepoints", names, values, "append stores ecrase 0"
Dim backs, back
backs = Array("click=Button3", "key=27", "close")
For Each back In backs
  shown = RunDialog(a, "9", Array("form=" & title, "click=renum", "click=btAppliquer", "form=" & question, back, _
                                  "closed", "form=" & title, "alive", "click=btAnnule", "closed"))
  CheckLine shown, "alive=1", back & " on the question goes back to the dialog"
  Check a.resultat = 0, back & " then Cancel: resultat 0 (got " & a.resultat & ")"
  CheckSection "sauvepoints", names, values, back & " writes nothing"
Next

' 3. The file type governs the two panels, renum the renumbering one; the
'    save-file dialog offers the GSI type and gives nomfic the chosen file.
shown = RunDialog(a, "9", Array("form=" & title, "enabled=cn", "enabled=gsidec", "enabled=startat", _
                                "keyto=typfic,40", "enabled=cn", "enabled=gsidec", "click=renum", "enabled=startat", _
                                "click=BitBtn1", "file=Enregistrer les points,choisi", "text=nomfic", _
                                "click=btAppliquer", "closed"))
Check InStr(shown, "cn.enabled=1" & vbCrLf & "gsidec.enabled=0" & vbCrLf & "startat.enabled=0") > 0, _
      "text type: the text panel only, no renumbering: " & shown
Check InStr(shown, "cn.enabled=0" & vbCrLf & "gsidec.enabled=1" & vbCrLf & "startat.enabled=1") > 0, _
      "GSI type: the GSI panel only, renumbering: " & shown
CheckLine shown, "nomfic.text=" & TestInstall & "\choisi.gsi", "the chosen file, with the GSI extension, in nomfic's folder"
CheckLine shown, "file.owner= Topaline - " & title, "the save-file dialog is owned by the dialog"
CheckLine shown, "file.beneath=0", "the dialog is disabled while its save-file dialog is open"
Check a.resultat = 1, "Apply gives resultat 1 (got " & a.resultat & ")"
Check Setting("sauvepoints", "typfic") = "Fichier GSI", "typfic stored as its text"
Check Setting("sauvepoints", "renum") = "1", "renum stored"
Check Setting("sauvepoints", "nomfic") = TestInstall & "\choisi.gsi", "the chosen file stored"

' 4. Cancel, Escape and the close box write nothing.
Prepare "sauvepoints", names, values
Dim ways, way
ways = Array("click=btAnnule", "key=27", "close")
For Each way In ways
  shown = RunDialog(a, "9", Array("form=" & title, "click=renum", "settext=nomfic," & newFile, way, "closed"))
  Check a.resultat = 0, way & " leaves resultat 0 (got " & a.resultat & ")"
  CheckSection "sauvepoints", names, values, way & " writes nothing"
Next

' 5. Help opens the dialog's topic; the dialog goes on.
DeleteIfThere HelpArgs
shown = RunDialog(a, "9", Array("form=" & title, "click=btAide", "sleep=500", "alive", "click=btAnnule", "closed"))
CheckLine shown, "alive=1", "the dialog is still open after Help"
CheckHelp "tlsauvepoints"

DeleteIfThere oldFile
Finish
