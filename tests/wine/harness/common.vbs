' Shared helpers of the Wine host tests: run_script.sh puts this file in
' front of each test script (Wine's script engine has no ExecuteGlobal).
' Each check prints "FAIL ..." when it does not hold; Finish prints "OK"
' when none failed. Calls that may fail go through the Try* functions, so
' that a failing call is a checked result and never stops the script.
Dim failures, LastError, Shell, Fso
failures = 0
Set Shell = CreateObject("WScript.Shell")
Set Fso = CreateObject("Scripting.FileSystemObject")
Const E_UNEXPECTED = &H8000FFFF
Const ProductKey = "HKCU\Software\Norvel\topaline3\"
' The driver program (tests/wine/driver) works the windows as a person.
Const UiDriver = "C:\topaline tools\uidriver.exe"

Sub Check(condition, what)
  If Not condition Then
    WScript.Echo "FAIL " & what
    failures = failures + 1
  End If
End Sub

Sub Finish()
  If failures = 0 Then
    WScript.Echo "OK"
  Else
    WScript.Echo failures & " check(s) failed"
  End If
End Sub

Function InstallPath()
  InstallPath = Shell.RegRead(ProductKey & "installpath")
End Function

' lance(cmd); returns Err.Number (0 on success) and keeps Err.Description.
Function TryLance(obj, cmd)
  On Error Resume Next
  Err.Clear
  obj.lance cmd
  TryLance = Err.Number
  LastError = Err.Description
  Err.Clear
End Function

Function Hex8(n)
  Hex8 = "&H" & Right("00000000" & Hex(n), 8)
End Function

' Reads a UTF-16 text file (with its byte-order mark); "" when missing.
' A file another program writes (the driver, the help viewer stand-in)
' may still be held by it for a moment: a read that fails is tried again,
' and a read that never succeeds is a failure of its own, not a silent end
' of the script.
Function ReadUnicode(path)
  Dim attempt, f, text, failed
  ReadUnicode = ""
  If Not Fso.FileExists(path) Then Exit Function
  For attempt = 1 To 10
    On Error Resume Next
    Err.Clear
    text = ""
    Set f = Fso.OpenTextFile(path, 1, False, -1)
    If Err.Number = 0 Then
      If Not f.AtEndOfStream Then text = f.ReadAll
      f.Close
    End If
    failed = Err.Number <> 0
    Err.Clear
    On Error GoTo 0
    If Not failed Then
      ReadUnicode = text
      Exit Function
    End If
    Pause 200
  Next
  Check False, "cannot read " & path
End Function

' Wine's script host has no WScript.Sleep: the driver program sleeps.
Sub Pause(ms)
  Shell.Run """" & UiDriver & """ sleep " & ms, 0, True
End Sub

Function WaitForFile(path, seconds)
  Dim start
  start = Timer
  Do While Not Fso.FileExists(path) And Abs(Timer - start) < seconds
    Pause 200
  Loop
  WaitForFile = Fso.FileExists(path)
End Function

Sub DeleteIfThere(path)
  Dim attempt, failed
  For attempt = 1 To 10
    If Not Fso.FileExists(path) Then Exit Sub
    On Error Resume Next
    Err.Clear
    Fso.DeleteFile path, True
    failed = Err.Number <> 0
    Err.Clear
    On Error GoTo 0
    If Not failed Then Exit Sub
    Pause 200
  Next
  Check False, "cannot delete " & path
End Sub

' Starts the message-box driver: it waits for the box with the given
' caption, writes what the box shows to report and clicks answer.
Sub AnswerBox(caption, answer, report)
  DeleteIfThere report
  Shell.Run """" & UiDriver & """ box """ & caption & """ " & answer & " """ & report & """", 0, False
End Sub

' Starts the driver on a dialog, step by step (uidriver steps), without
' waiting; report receives what it writes.
Sub DriveSteps(report, steps)
  Dim cmd, s
  DeleteIfThere report
  cmd = """" & UiDriver & """ steps """ & report & """"
  For Each s In steps
    cmd = cmd & " """ & s & """"
  Next
  Shell.Run cmd, 0, False
End Sub

' What the driver wrote, once it has finished; every step must have run.
Function StepsReport(report, seconds)
  Dim text
  Check WaitForFile(report, seconds), "the driver finished"
  text = ReadUnicode(report)
  Check InStr(text, "error=") = 0, "the driver did every step: " & text
  StepsReport = text
End Function
