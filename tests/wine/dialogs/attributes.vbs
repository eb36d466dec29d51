' Commands 6 and 7, size and rotation of attributes, worked through their
' real windows: the attribute check (label 709), the height as a number or
' a percentage (label 733 on leaving, none on Enter, and again at Apply),
' the on-screen rule of the angle, Apply, Cancel, Escape, the close box, Help.

Dim a, shown, size, rot, sizeTitle, rotTitle
Set a = CreateObject("topaline3.kovar3")
size = Array("num", "alt", "des", "httxt")
rot = Array("num", "alt", "des", "onscreen", "angle")
sizeTitle = "Taille des attributs"
rotTitle = "Rotation des attributs"
Prepare "tailleattrib", size, Array("0", "0", "0", "2.500")
Prepare "rotationattrib", rot, Array("0", "0", "0", "1", "0.000")

' 1. Size: Apply with no attribute gives label 709 and the dialog stays;
'    150% with Enter is normalised without a message; the description is
'    ticked and applied.
shown = RunDialog(a, "6", Array("form=" & sizeTitle, "click=btAppliquer", "box=1", "alive", _
                                "type=httxt,150%", "keyto=httxt,13", "text=httxt", "click=des", "click=btAppliquer", "closed"))
CheckLine shown, "caption= Topaline - " & sizeTitle, "the French caption"
CheckLine shown, "box.text=Choisissez au moins un attribut " & Chr(224) & " modifier.", "label 709 is shown"
CheckLine shown, "alive=1", "the dialog stays open after the message"
CheckLine shown, "httxt.text=150.000%", "Enter normalises the percentage"
Check a.resultat = 1, "Apply gives resultat 1 (got " & a.resultat & ")"
CheckSection "tailleattrib", size, Array("0", "0", "1", "150.000%"), "size after Apply"

' 2. A stored height that is no number is refused by Apply with label 733;
'    a height typed with a comma is then accepted.
Prepare "tailleattrib", Array("httxt"), Array("auto")
shown = RunDialog(a, "6", Array("form=" & sizeTitle, "click=btAppliquer", "box=1", "alive", _
                                "type=httxt,0,25", "click=btAppliquer", "closed"))
Check InStr(shown, "box.text=Entrez un nombre valide") > 0, "label 733 is shown: " & shown
CheckLine shown, "alive=1", "the dialog stays open after the message"
Check a.resultat = 1, "Apply gives resultat 1 (got " & a.resultat & ")"
CheckSection "tailleattrib", size, Array("0", "0", "1", "0.250"), "the refused height did not reach the host"

' 3. Rotation: the stored on-screen choice disables the angle; unticking
'    it enables the angle, typed with a comma and normalised to 4 decimals;
'    ticked again, the (disabled) angle is stored all the same.
shown = RunDialog(a, "7", Array("form=" & rotTitle, "enabled=angle", "click=onscreen", "enabled=angle", _
                                "type=angle,-12,5", "keyto=angle,13", "text=angle", "click=alt", "click=onscreen", _
                                "enabled=angle", "click=btAppliquer", "closed"))
Check InStr(shown, "angle.enabled=0" & vbCrLf & "angle.enabled=1") > 0, "on screen disables the angle: " & shown
CheckLine shown, "angle.text=-12.5000", "4 decimals, no limits"
Check a.resultat = 1, "Apply gives resultat 1 (got " & a.resultat & ")"
CheckSection "rotationattrib", rot, Array("0", "1", "0", "1", "-12.5000"), "rotation after Apply"

' 4. Cancel, Escape and the close box write nothing, in both dialogs.
Dim ways, way
ways = Array("click=btAnnule", "key=27", "close")
For Each way In ways
  shown = RunDialog(a, "6", Array("form=" & sizeTitle, "click=num", "click=des", way, "closed"))
  Check a.resultat = 0, "6: " & way & " leaves resultat 0 (got " & a.resultat & ")"
  CheckSection "tailleattrib", size, Array("0", "0", "1", "0.250"), "6: " & way & " writes nothing"
  shown = RunDialog(a, "7", Array("form=" & rotTitle, "click=num", "click=onscreen", way, "closed"))
  Check a.resultat = 0, "7: " & way & " leaves resultat 0 (got " & a.resultat & ")"
  CheckSection "rotationattrib", rot, Array("0", "1", "0", "1", "-12.5000"), "7: " & way & " writes nothing"
Next

' 5. Help opens each dialog's topic; the dialog goes on.
DeleteIfThere HelpArgs
shown = RunDialog(a, "6", Array("form=" & sizeTitle, "click=btAide", "sleep=500", "alive", "click=btAnnule", "closed"))
CheckLine shown, "alive=1", "the size dialog is still open after Help"
CheckHelp "tltatt"
shown = RunDialog(a, "7", Array("form=" & rotTitle, "click=btAide", "sleep=500", "alive", "click=btAnnule", "closed"))
CheckLine shown, "alive=1", "the rotation dialog is still open after Help"
CheckHelp "tlratt"

Finish
