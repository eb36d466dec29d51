' Commands 11, 12 and 13 worked through their real windows with the model
' chooser, the model editor and its name prompts, the layer list and the
' colour picker: a new model given a layer from the list and a colour from
' a palette cell, stored and chosen, a rename and a delete cancelled, a rename applied, the refused
' Apply of the import without a file, names in another letter case, the
' Apply of a section with no values; the store checked in the registry.

Dim a, shown, store, dflt, second, steps, taken
Set a = CreateObject("topaline3.kovar3")
store = "importe\modeles"
dflt = "1|points|1|numeros|0.000|1|altitude|0.000|2|0||0.000|0.000|1|1|1|1|"
second = "1|calque2|1|numeros|0.000|1|altitude|0.000|2|0||0.000|0.000|56|1|1|1|"
Prepare store, Array("standard"), Array(dflt)
Prepare "dessinpoint", Array("models", "prefixe", "startat"), Array("", "", "7")
Prepare "immat", Array("models"), Array("standard")
Prepare "importe", Array("models", "nomfic"), Array("standard", "")
a.alldata = Array("G1", 41)
a.AXCalques = Array("points", 0, 0, "calque2", 0, 0)

' 1. Draw points: a new model from the editor, its point layer chosen in
'    the layer list and its point colour in the picker (the fifth column,
'    second row of the full colours: 56), stored, the editor applied; the
'    new model comes back selected and is saved.
shown = RunDialog(a, "12", Flat(Array("form=Dessiner des points", "text=startat", "click=SpeedButton14", _
    "form=Edition/modification", "click=SpeedButton1", "form=Nouveau mod", "text=Edit1", "type=Edit1,second", _
    "click=btAppliquer", "closed", "form=Edition/modification", "text=c1", "click=BitBtn4", _
    LayerSteps(1, "Edition/modification"), "text=c3", "click=c15", ColourSteps("coulset1", 5, 1, "Edition/modification"), _
    "click=SpeedButton3", "click=btAppliquer", "closed", "form=Dessiner des points", "text=models", _
    "click=btAppliquer", "closed")))
CheckLine shown, "startat.text=42", "the group's last number + 1"
Check InStr(shown, "Edit1.text=Nouveau mod") > 0, "the new model's name is preset (label 703): " & shown
CheckLine shown, "c1.text=second", "the new model is current"
CheckLine shown, "TVCalques=points|calque2", "the layer list shows the host's layers"
CheckLine shown, "c3.text=calque2", "the chosen layer fills the point layer"
CheckLine shown, "Edit1.text=56", "the clicked cell's colour is current in the picker"
CheckLine shown, "models.text=second", "the chooser selects the new model"
Check a.resultat = 1, "Apply gives resultat 1 (got " & a.resultat & ")"
CheckSection store, Array("standard", "second"), _
    Array(dflt, second), "the store after the editor's Apply"
CheckSection "dessinpoint", Array("models", "startat"), Array("second", "42"), "the section"

' 2. Create points: rename and delete in the editor, then Cancel: nothing
'    reaches the store.
shown = RunDialog(a, "13", Array("form=sur des entit", "text=models", "click=SpeedButton14", _
    "form=Edition/modification", "click=SpeedButton4", "form=Renommer un mod", "type=Edit1,renamed", "click=btAppliquer", _
    "closed", "form=Edition/modification", "click=SpeedButton2", "box=1", "text=c1", "click=btAnnule", "closed", _
    "form=sur des entit", "click=btAnnule", "closed"))
CheckLine shown, "models.text=standard", "the section's model is selected"
Check a.resultat = 0, "Cancel gives resultat 0"
CheckSection store, Array("standard", "second", "renamed"), _
    Array(dflt, second, "(none)"), "Cancel of the editor"

' 3. Load a points file: Apply without a file is refused (label 701); a
'    rename applied in the editor; then Apply with an existing file.
shown = RunDialog(a, "11", Array("form=Charger un fichier", "settext=nomfic,C:\no such file.txt", "click=btAppliquer", _
    "box=1", "alive", "click=SpeedButton14", "form=Edition/modification", "click=SpeedButton4", "form=Renommer un mod", _
    "type=Edit1,troisieme", "click=btAppliquer", "closed", "form=Edition/modification", "click=btAppliquer", "closed", _
    "form=Charger un fichier", "text=models", "settext=nomfic," & TestInstall & "\language.lng", "click=btAppliquer", "closed"))
CheckLine shown, "alive=1", "the dialog stays open after label 701"
CheckLine shown, "models.text=troisieme", "the renamed model stays chosen"
Check a.resultat = 1, "Apply gives resultat 1 (got " & a.resultat & ")"
CheckSection store, Array("standard", "troisieme"), Array("(none)", dflt), "the rename applied"
CheckSection "importe", Array("models", "nomfic"), Array("troisieme", TestInstall & "\language.lng"), "the section"

' 4. Names in another letter case are one model, as the registry holds
'    them, beyond Latin-1 too (the OE ligature, Y with diaeresis, Greek,
'    Cyrillic): the chooser finds the section's model written in small
'    letters, and the rename prompt refuses a model's name in another case
'    (label 705), its own included, so the editor's Apply keeps every model.
Dim oeBig, oeSmall, ydBig, ydSmall, omBig, omSmall, yaBig, yaSmall
oeBig = Wide("0152 0075 0076 0072 0065") : oeSmall = Wide("0153 0075 0076 0072 0065")
ydBig = Wide("0178 0061 0063 0068 0074") : ydSmall = Wide("00FF 0061 0063 0068 0074")
omBig = Wide("03A9 006D 0065 0067 0061") : omSmall = Wide("03C9 006D 0065 0067 0061")
yaBig = Wide("042F 0431 043B 043E 043A 043E") : yaSmall = Wide("044F 0431 043B 043E 043A 043E")
Prepare store, Array(oeBig, ydBig, omBig, yaBig), Array(dflt, dflt, dflt, second)
Prepare "immat", Array("models"), Array(yaSmall)
steps = Array("form=sur des entit", "text=models", "click=SpeedButton14", "form=Edition/modification", "text=c1", _
    "click=SpeedButton4", "form=Renommer un mod")
For Each taken In Array(yaSmall, oeSmall, ydSmall, omSmall)
  steps = Flat(Array(steps, "type=Edit1," & taken, "click=btAppliquer", "box=1"))
Next
shown = RunDialog(a, "13", Flat(Array(steps, "click=btAnnule", "closed", "form=Edition/modification", _
    "click=btAppliquer", "closed", "form=sur des entit", "click=btAppliquer", "closed")))
CheckLine shown, "models.text=" & yaBig, "the chooser selects the model the section names in small letters"
CheckLine shown, "c1.text=" & yaBig, "the editor opens on it"
Check UBound(Split(shown, "box.text=Un mod")) = 4, "each name in another case is refused (label 705): " & shown
Check a.resultat = 1, "Apply gives resultat 1 (got " & a.resultat & ")"
CheckSection store, Array("troisieme", oeBig, ydBig, omBig, yaBig), Array(dflt, dflt, dflt, dflt, second), _
    "every model kept"
CheckSection "immat", Array("models"), Array(yaBig), "the chosen model's name"

' 5. Create points with a section that holds no value: Apply tests
'    nothing, writes nothing, and gives resultat 1.
Shell.Run "reg delete """ & ProductKey & "immat"" /f", 0, True
shown = RunDialog(a, "13", Array("form=sur des entit", "click=btAppliquer", "closed"))
Check a.resultat = 1, "Apply of an empty section gives resultat 1 (got " & a.resultat & ")"
CheckSection "immat", Array("models", "startat", "prefixe"), Array("(none)", "(none)", "(none)"), _
    "the section with no values"

Finish
