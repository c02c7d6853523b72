; Harfpad's installer: per user, no administrator rights, into %LOCALAPPDATA%\Programs\Harfpad.
; packaging/dist.sh compiles it once per target with these defines:
;   VERSION  the program's version, "1.2.3"
;   TARGET   amd64-unicode (the 64-bit installer) or x86-unicode (the 32-bit one)
;   EXE      the harfpad.exe to install
;   ICON     the program's icon
;   OUTFILE  the setup exe to write
Unicode true
Target ${TARGET}
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true
; A file that cannot be replaced ends the installation instead of being skipped.
AllowSkipFiles off

!include LogicLib.nsh
!include FileFunc.nsh
!include WinMessages.nsh

!define PRODUCT "Harfpad"
!define PUBLISHER "Zemrak Software"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define SYNCHRONIZE 0x00100000

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
Icon "${ICON}"
UninstallIcon "${ICON}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${PUBLISHER}"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; Asks every running Harfpad to end the way its user would, by closing its windows, and waits
; for each process to go: closing the main window ends a copy whose tray indicator is off, and
; closing the hidden tray window ends one that lives on in the tray. Gives up after a few
; rounds (a copy showing a message box, or hung); the user may retry, a silent run fails.
!macro CLOSE_RUNNING_FUNCTION PREFIX
Function ${PREFIX}CloseRunningHarfpad
  StrCpy $R0 0
  again:
  FindWindow $R1 "HarfpadForm"
  ${If} $R1 = 0
    FindWindow $R1 "HarfpadForm2"
  ${EndIf}
  ${If} $R1 = 0
    Return
  ${EndIf}
  ${If} $R0 >= 3
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "${PRODUCT} is still running. Close it, then choose Retry." /SD IDCANCEL IDRETRY retry
    DetailPrint "${PRODUCT} is still running."
    Abort
    retry:
    StrCpy $R0 0
  ${EndIf}
  IntOp $R0 $R0 + 1
  System::Call 'user32::GetWindowThreadProcessId(p $R1, *i .R2)'
  System::Call 'kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i $R2) p .R3'
  DetailPrint "Closing the running ${PRODUCT}"
  SendMessage $R1 ${WM_CLOSE} 0 0 /TIMEOUT=3000
  FindWindow $R4 "HarfpadForm2"
  ${If} $R4 <> 0
    System::Call 'user32::GetWindowThreadProcessId(p $R4, *i .R5)'
    ${If} $R5 = $R2
      SendMessage $R4 ${WM_CLOSE} 0 0 /TIMEOUT=3000
    ${EndIf}
  ${EndIf}
  ${If} $R3 P<> 0
    System::Call 'kernel32::WaitForSingleObject(p $R3, i 5000)'
    System::Call 'kernel32::CloseHandle(p $R3)'
  ${EndIf}
  Goto again
FunctionEnd
!macroend
!insertmacro CLOSE_RUNNING_FUNCTION ""
!insertmacro CLOSE_RUNNING_FUNCTION "un."

Function .onInit
  SetShellVarContext current
FunctionEnd

Function un.onInit
  SetShellVarContext current
FunctionEnd

Section "${PRODUCT}"
  Call CloseRunningHarfpad
  SetOutPath "$INSTDIR"
  File "/oname=harfpad.exe" "${EXE}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\harfpad.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\harfpad.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; The uninstaller runs from a copy in the temporary folder, so it can remove itself and the
; folder. Only the installed files are removed: anything the user put there keeps the folder.
Section "Uninstall"
  Call un.CloseRunningHarfpad
  Delete "$INSTDIR\harfpad.exe"
  ${If} ${FileExists} "$INSTDIR\harfpad.exe"
    MessageBox MB_OK|MB_ICONEXCLAMATION "$INSTDIR\harfpad.exe cannot be removed." /SD IDOK
    Abort
  ${EndIf}
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

; That copy is in a folder of its own, ~nsu*.tmp in %TEMP%, which NSIS only asks Windows to
; remove at the next restart, and without administrator rights not even that. A hidden command
; prompt removes it once this process has ended.
Function un.onUninstSuccess
  ${GetParent} "$EXEDIR" $0
  ${GetFileName} "$EXEDIR" $1
  StrCpy $1 $1 4
  ${If} $0 == $TEMP
  ${AndIf} $1 == "~nsu"
    SetOutPath "$TEMP"  ; the prompt's working folder, which must not be the one it removes
    ExecShell "" "$SYSDIR\cmd.exe" '/c for /l %i in (1,1,30) do @(ping -n 2 127.0.0.1 >nul & del /f /q "$EXEPATH" 2>nul & rmdir "$EXEDIR" 2>nul & if not exist "$EXEDIR" exit)' SW_HIDE
  ${EndIf}
FunctionEnd
