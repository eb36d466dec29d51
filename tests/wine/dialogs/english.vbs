' The three dialogs in English: the host switches "langue" to "en" and
' "installpath" to a folder holding the English labels; each dialog
' relabels itself, and its message box speaks English too.

Dim a, shown, englishInstall
Set a = CreateObject("topaline3.kovar3")
englishInstall = "C:\topaline en"
Shell.RegWrite ProductKey & "installpath", englishInstall, "REG_SZ"
Shell.RegWrite ProductKey & "langue", "en", "REG_SZ"
Prepare "filtre", Array("point", "num", "alt", "des"), Array("0", "0", "0", "0")

' Command 8: captions, then Apply with nothing ticked gives label 708 in
' English; Help goes to the help file of the English installation.
DeleteIfThere HelpArgs
shown = RunDialog(a, "8", Array("form=Filter entities", "text=GroupBox1", "text=Label1", "text=point", "text=num", _
                                "text=alt", "text=des", "text=btAppliquer", "text=btAnnule", "text=btAide", _
                                "click=btAppliquer", "box=1", "click=btAide", "sleep=500", "click=btAnnule", "closed"))
CheckLine shown, "caption= Topaline - Filter entities", "the form's caption"
CheckLine shown, "GroupBox1.text= Filter entities ", "the group box"
CheckLine shown, "Label1.text=Choose the entities to select", "the label"
CheckLine shown, "point.text=Point", "point has no label and keeps its caption"
CheckLine shown, "num.text=Number", "num"
CheckLine shown, "alt.text=Elevation", "alt"
CheckLine shown, "des.text=Description", "des has no label and keeps its caption"
CheckLine shown, "btAppliquer.text=Apply", "Apply"
CheckLine shown, "btAnnule.text=Cancel", "Cancel"
CheckLine shown, "btAide.text=Help", "Help"
CheckLine shown, "box.text=Choose at least one kind of entity.", "label 708 in English"
CheckHelp "tlfil"
Check a.resultat = 0, "Cancel leaves resultat 0"

shown = RunDialog(a, "15", Array("form=Change elevations", "click=btAnnule", "closed"))
CheckLine shown, "caption= Topaline - Change elevations ", "command 15's caption"
shown = RunDialog(a, "16", Array("form=Program options", "click=btAnnule", "closed"))
CheckLine shown, "caption= Topaline - Program options", "command 16's caption"

Shell.RegWrite ProductKey & "installpath", TestInstall, "REG_SZ"
Shell.RegWrite ProductKey & "langue", "fr", "REG_SZ"
Finish
