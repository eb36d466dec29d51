' What screen readers need, in every dialog of every command and in the
' sub-dialogs they open (the layer list, the colour picker, the model
' editor and its name prompts, the filter of the group manager, the
' existing-file question, the message box): each field just after the
' label that names it, each control without a caption carrying a window
' name (uidriver a11y). And the Tab order where a label's window moved
' (the altitude value of command 12) stays the creation order.

Dim a, shown, oldFile
Set a = CreateObject("topaline3.kovar3")
oldFile = TestInstall & "\ancien.txt"
Fso.CreateTextFile(oldFile, True).Close
a.AXCalques = Array("Points", 0, 0, "Cadres", 0, 0)
a.AXPoints = Array("1A", 1, 1200.0, 5000.0, 100.0, "borne", "1B", 2, 1300.0, 5100.0, 101.0, "arbre")
a.AXGroupes = Array("1", "1", "Talus", "", 0, 0, 0, "2", "Bornes", "", 3, 100, 102)
Prepare "importe\modeles", Array("standard"), _
        Array("1|points|1|numeros|0.000|1|altitude|0.000|2|0||0.000|0.000|1|1|1|1|")
Prepare "importe", Array("models", "nomfic"), Array("standard", "")
Prepare "dessinpoint", Array("models"), Array("standard")
Prepare "sauvepoints", Array("nomfic"), Array(oldFile)

' Every "a11y=" line of the report says ok, and there are n of them.
Sub CheckA11y(shown, n, what)
  Dim lines, line, ok
  ok = 0
  lines = Split(shown, vbCrLf)
  For Each line In lines
    If line = "a11y=ok" Then
      ok = ok + 1
    ElseIf Left(line, 5) = "a11y=" Then
      Check False, what & ": " & line
    End If
  Next
  Check ok = n, what & ": " & n & " forms checked (got " & ok & ") in " & shown
End Sub

Dim runs, run
' Each run: command, its steps, how many forms they check, what it is.
runs = Array( _
  Array("0", Array("form=Gestionnaire des groupes", "a11y", "row=TVGroupes,0,0", "click=btAddCrit", _
                   "form=par crit", "a11y", "click=btAnnule", "closed", "form=Gestionnaire des groupes", _
                   "click=ToolButton3", "closed"), 2, "the group manager and its filter"), _
  Array("1", Array("form=Liste des points", "a11y", "click=btAnnule", "closed"), 1, "the points list (1)"), _
  Array("2", Array("form=Liste des points", "a11y", "click=btAnnule", "closed"), 1, "the points list (2)"), _
  Array("3", Array("form=Tableau des Coordonn", "a11y", "click=BitBtn1", "form=Liste des calques", "a11y", _
                   "click=btAnnule", "closed", "form=Tableau des Coordonn", "settext=calque,", "click=btAppliquer", _
                   "form=Message Norvel", "a11y", "click=Button1", "form=Tableau des Coordonn", "click=btAnnule", _
                   "closed"), 3, "the coordinates table, the layer list, the message box"), _
  Array("4", Array("form=Encadrement", "a11y", "click=cadcolor", "form=lectionner une couleur", "a11y", _
                   "click=Button5", "form=Encadrement", "click=btAnnule", "closed"), 2, "the frames and the colour picker"), _
  Array("5", Array("form=Non chevauchement", "a11y", "click=btAnnule", "closed"), 1, "the overlap"), _
  Array("6", Array("form=Taille des attributs", "a11y", "click=btAnnule", "closed"), 1, "the size"), _
  Array("7", Array("form=Rotation des attributs", "a11y", "click=btAnnule", "closed"), 1, "the rotation"), _
  Array("8", Array("form=Filtrer les entit", "a11y", "click=btAnnule", "closed"), 1, "the entity filter"), _
  Array("9", Array("form=Enregistrer des points", "a11y", "click=btAppliquer", "form=Fichier existant", "a11y", _
                   "click=Button3", "form=Enregistrer des points", "click=btAnnule", "closed"), 2, _
                   "save points and the existing-file question"), _
  Array("10", Array("form=Repositionnement", "a11y", "click=btAnnule", "closed"), 1, "the reposition"), _
  Array("11", Array("form=Charger un fichier", "a11y", "click=SpeedButton14", "form=Edition/modification", "a11y", _
                    "tab=PageControl1,1", "a11y", "tab=PageControl1,2", "a11y", _
                    "click=SpeedButton1", "form=Nouveau mod", "a11y", "click=btAnnule", "closed", _
                    "form=Edition/modification", "click=SpeedButton4", "form=Renommer un mod", "a11y", _
                    "click=btAnnule", "closed", "form=Edition/modification", "click=btAnnule", "closed", _
                    "form=Charger un fichier", "click=btAnnule", "closed"), 6, _
                    "the import, the model editor (its three tabs) and its two name prompts"), _
  Array("12", Array("form=Dessiner des points", "a11y", "click=btAnnule", "closed"), 1, "draw points"), _
  Array("13", Array("form=sur des entit", "a11y", "click=btAnnule", "closed"), 1, "create points on entities"), _
  Array("14", Array("form=des Groupes", "a11y", "click=btAnnule", "closed"), 1, "the group selection"), _
  Array("15", Array("form=Changement d'altitude", "a11y", "click=btAnnule", "closed"), 1, "change altitude"), _
  Array("16", Array("form=Options du programme", "a11y", "click=btAnnule", "closed"), 1, "the options"))

For Each run In runs
  a.alldata = Array("G1", 41)
  shown = RunDialog(a, run(0), run(1))
  CheckA11y shown, run(2), "command " & run(0) & ", " & run(3)
Next

' The label of the altitude value stands before it in the window order
' (the a11y check of command 12 above), not where it was created; Tab still
' goes from the constant's radio button (which the click focused) through
' the controls in their creation order.
a.alldata = Array("G1", 41)
shown = RunDialog(a, "12", Array("form=Dessiner des points", "click=altconst", "tabs=14", "click=btAnnule", "closed"))
CheckLine shown, "tabs=altval,models,SpeedButton14,echelle,prefixe,SpeedButton1,btAppliquer,btAnnule,btAide," & _
                 "startat,BitBtn8,increment,asknum,askdes", "the Tab order from the constant altitude"

' The names are in the interface language: French here, then English
' from the English labels and the picker's own English texts.
Dim langs, lg
langs = Array(Array("fr", TestInstall, "Encadrement", "Liste des points", "Couleur du cadre", "Rouge", _
                    "Palette des couleurs vives", "Liste des points", "lectionner une couleur"), _
              Array("en", "C:\topaline en", "Attribute frames", "List of points", "Frame colour", "Red", _
                    "Full colors palette", "Points list", "Color Selection"))
For Each lg In langs
  Shell.RegWrite ProductKey & "installpath", lg(1), "REG_SZ"
  Shell.RegWrite ProductKey & "langue", lg(0), "REG_SZ"
  shown = RunDialog(a, "4", Array("form=" & lg(2), "a11y", "text=cadcolor", "click=cadcolor", "form=" & lg(8), "a11y", _
                                  "text=Panel2", "text=coulset1", "click=Button5", "form=" & lg(2), "click=btAnnule", "closed"))
  CheckA11y shown, 2, lg(0) & ": the frames and the colour picker"
  CheckLine shown, "cadcolor.text=" & lg(4), lg(0) & ": the frame's swatch"
  CheckLine shown, "Panel2.text=" & lg(5), lg(0) & ": the first standard colour"
  CheckLine shown, "coulset1.text=" & lg(6), lg(0) & ": the full colours palette"
  shown = RunDialog(a, "1", Array("form=" & lg(3), "a11y", "text=TVPoints", "click=btAnnule", "closed"))
  CheckA11y shown, 1, lg(0) & ": the points list"
  CheckLine shown, "TVPoints.text=" & lg(7), lg(0) & ": the points grid"
Next
Shell.RegWrite ProductKey & "installpath", TestInstall, "REG_SZ"
Shell.RegWrite ProductKey & "langue", "fr", "REG_SZ"

Finish
