; The Windows setup program: installs Glimora for the current user, without
; administrator rights, and registers it to be uninstalled from Settings > Apps.
; cmake/package_setup.cmake runs makensis on it with VERSION, VERSION_DOTTED,
; COPYRIGHT, ICON, PICTURE (the finish page's, drawn by tools/draw_icons), FILES
; (what the zip holds, as NSIS lines) and OUTFILE defined.
; 64-bit like the programs it installs: it runs wherever they run.
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Glimora"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define PUBLISHER "The Glimora developers"

; The pages and the branding line say which Glimora this is.
Name "Glimora ${VERSION}"
BrandingText "Glimora ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Glimora"
; Over an earlier install, the same folder.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "${FILES}"

VIProductVersion "${VERSION_DOTTED}"
VIFileVersion "${VERSION_DOTTED}"
VIAddVersionKey /LANG=1033 "ProductName" "Glimora"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "Glimora setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${COPYRIGHT}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${PICTURE}"
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Start Glimora"
!define MUI_FINISHPAGE_RUN_FUNCTION startGlimora
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Every face still running is asked to close as the window manager would ask
; it, so it stores its place; then the program file is waited for until it is
; free to replace or delete.
!macro CLOSE_FACES un
Function ${un}closeRunningFaces
  StrCpy $1 0
  next:
    FindWindow $0 "glimora" "eyes"
    StrCmp $0 0 closed
    SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
    Sleep 100
    IntOp $1 $1 + 1
    IntCmp $1 100 closed next closed
  closed:
  StrCpy $1 0
  IfFileExists "$INSTDIR\glimora.exe" 0 free
  waiting:
    ClearErrors
    FileOpen $0 "$INSTDIR\glimora.exe" a
    IfErrors 0 opened
    Sleep 100
    IntOp $1 $1 + 1
    IntCmp $1 100 free waiting free
  opened:
    FileClose $0
  free:
FunctionEnd
!macroend
!insertmacro CLOSE_FACES ""
!insertmacro CLOSE_FACES "un."

; Run in place, as the quiet uninstall runs it, the uninstaller cannot delete
; its own file while it runs: a copy of it in the temporary folder, started with
; /ERASE as it ends, deletes the file once it is free, and the folder if empty.
Function un.onInit
  ${GetOptions} $CMDLINE "/ERASE" $0
  IfErrors uninstall
  StrCpy $1 0
  erasing:
    Delete "$INSTDIR\uninstall.exe"
    IfFileExists "$INSTDIR\uninstall.exe" 0 erased
    Sleep 100
    IntOp $1 $1 + 1
    IntCmp $1 100 erased erasing erased
  erased:
  RMDir "$INSTDIR"
  Quit
  uninstall:
FunctionEnd

Function startGlimora
  ; The design finds skins\ and keeps eyes.ini in the working folder.
  SetOutPath "$INSTDIR"
  Exec '"$INSTDIR\glimora.exe"'
FunctionEnd

Section "Glimora"
  Call closeRunningFaces
  Delete "$TEMP\Glimora-uninstall.exe"  ; what an earlier uninstall left
  ; Replaces the program and the bundled skins; eyes.ini and skin folders the
  ; user added are not among them and stay.
  !insertmacro INSTALL_FILES
  WriteUninstaller "$INSTDIR\uninstall.exe"

  SetOutPath "$INSTDIR"  ; the shortcut's working folder
  CreateShortcut "$SMPROGRAMS\Glimora.lnk" "$INSTDIR\glimora.exe" "" "$INSTDIR\glimora.exe" 0 SW_SHOWNORMAL "" \
    "A face whose eyes follow the mouse pointer"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Glimora"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\glimora.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  ; Run in place (_?=), so that whoever runs it can wait until it has finished;
  ; otherwise it runs on from a copy of itself and returns at once.
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S _?=$INSTDIR'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  Call un.closeRunningFaces
  !insertmacro REMOVE_FILES
  Delete "$INSTDIR\uninstall.exe"
  IfFileExists "$INSTDIR\uninstall.exe" 0 +3
    CopyFiles /SILENT "$INSTDIR\uninstall.exe" "$TEMP\Glimora-uninstall.exe"
    Exec '"$TEMP\Glimora-uninstall.exe" /ERASE _?=$INSTDIR'
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Glimora.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ; "Run on start-up" of this install only; another copy's stays.
  ReadRegStr $0 HKCU "${RUN_KEY}" "Glimora"
  StrCmp $0 '"$INSTDIR\glimora.exe"' 0 +2
    DeleteRegValue HKCU "${RUN_KEY}" "Glimora"
  IfFileExists "$INSTDIR\*.*" 0 +3
    DetailPrint "Kept your settings (eyes.ini) and the skins you added in $INSTDIR"
    MessageBox MB_OK|MB_ICONINFORMATION \
      "Glimora is uninstalled. Your settings (eyes.ini) and the skins you added are kept in $INSTDIR." /SD IDOK
SectionEnd
