; The Windows setup program: installs pennydance.scr into the system folder
; (both word sizes on 64-bit Windows), makes it the user's screen saver,
; registers an uninstaller with Apps and features, and takes it all away
; again. Built by tools/setup/build-setup.sh, which passes:
;   VERSION       the version the module's version record carries, as 1.02
;   FILE_VERSION  the same as four numbers, as 1.2.0.0
;   I686_MODULE, X86_64_MODULE, ICON, OUTFILE   absolute paths
; A 32-bit Unicode program, so that one file runs on every Windows from XP
; on; the zip serves the Windows 95 family and NT 4.

Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestSupportedOS all
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include x64.nsh
!include WinVer.nsh
!include FileFunc.nsh

!define PRODUCT Pennydance
!define MODULE pennydance.scr
; Written beside the module first, so that the module is never half written;
; moved over it at once, or at the next restart while the saver runs.
!define MODULE_NEW pennydance.scr.new
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define DESKTOP_KEY "Control Panel\Desktop"
!define SETTINGS_KEY "Software\Orvalex\Pennydance"
; The screen saver that was current before the setup made Pennydance current.
!define SETUP_KEY "Software\Orvalex\Pennydance Setup"
!define SPI_SETSCREENSAVEACTIVE 17
!define SPIF_UPDATEINIFILE_SENDCHANGE 3

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\${PRODUCT}"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_INSTFILES
!define MUI_PAGE_CUSTOMFUNCTION_PRE FinishPagePre
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "$(MakeCurrentText)"
!define MUI_FINISHPAGE_RUN_FUNCTION MakeCurrentSaver
!define MUI_FINISHPAGE_SHOWREADME
!define MUI_FINISHPAGE_SHOWREADME_TEXT "$(OpenSettingsText)"
!define MUI_FINISHPAGE_SHOWREADME_FUNCTION OpenSaverSettings
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

; The first is the default; Windows' user-interface language picks the
; other, as it picks the module's dialog.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"
!include "english.nsh"
!include "japanese.nsh"

VIProductVersion "${FILE_VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} ProductName "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} CompanyName "Orvalex"
VIAddVersionKey /LANG=${LANG_ENGLISH} FileDescription "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} FileVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} ProductVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} LegalCopyright "Copyright (C) 2026 the Pennydance developers"

; The setup's own record of the user's earlier screen saver, and the test
; whether a path names Pennydance, are needed by the installer and the
; uninstaller alike; NSIS wants a copy of each for the uninstaller.
!macro SAVER_FUNCTIONS UN
  ; The system folder of the module the desktop runs: the 64-bit one on
  ; 64-bit Windows, with file-system redirection off for this thread.
  Function ${UN}NativeSystemFolder
    ${If} ${RunningX64}
      ${DisableX64FSRedirection}
    ${EndIf}
  FunctionEnd

  Function ${UN}WowSystemFolder
    ${If} ${RunningX64}
      ${EnableX64FSRedirection}
    ${EndIf}
  FunctionEnd

  ; Top of stack: a path from SCRNSAVE.EXE; replaced by 1 when it names
  ; Pennydance (in either system folder, by its long or its short name,
  ; as the display settings or a copy by hand may have written it), else 0.
  Function ${UN}IsPennydance
    Exch $0
    Push $1
    Push $2
    StrCpy $2 ""
    Call ${UN}NativeSystemFolder
    GetFullPathName /SHORT $1 "$SYSDIR\${MODULE}"
    ${IfThen} $0 != "" ${|} GetFullPathName /SHORT $2 $0 ${|}
    Call ${UN}WowSystemFolder
    ; An empty short name means that file is not there.
    ${If} $1 == ""
      StrCpy $2 "none"
    ${EndIf}
    StrCpy $0 $0 "" -15
    ${If} $0 == "\${MODULE}"
    ${OrIf} $2 == $1
      StrCpy $0 1
    ${Else}
      StrCpy $0 0
    ${EndIf}
    Pop $2
    Pop $1
    Exch $0
  FunctionEnd
!macroend
!insertmacro SAVER_FUNCTIONS ""
!insertmacro SAVER_FUNCTIONS "un."

Function .onInit
  ${If} ${RunningX64}
    SetRegView 64
    StrCpy $INSTDIR "$PROGRAMFILES64\${PRODUCT}"
  ${EndIf}
  ; Windows before Vista starts the setup whatever the user's rights.
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "admin"
    MessageBox MB_ICONSTOP "$(NeedAdminText)" /SD IDOK
    SetErrorLevel 740
    Quit
  ${EndIf}
FunctionEnd

; Extracts the module beside its place and moves it there.
!macro PLACE_MODULE FOLDER SOURCE
  SetOutPath "${FOLDER}"
  File "/oname=${MODULE_NEW}" "${SOURCE}"
  Delete "${FOLDER}\${MODULE}"
  Rename /REBOOTOK "${FOLDER}\${MODULE_NEW}" "${FOLDER}\${MODULE}"
!macroend

Section
  ${If} ${RunningX64}
    Call NativeSystemFolder
    !insertmacro PLACE_MODULE "$SYSDIR" "${X86_64_MODULE}"
    Call WowSystemFolder
    ; So that 32-bit settings programs find it too.
    !insertmacro PLACE_MODULE "$WINDIR\SysWOW64" "${I686_MODULE}"
  ${Else}
    !insertmacro PLACE_MODULE "$SYSDIR" "${I686_MODULE}"
  ${EndIf}

  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" DisplayName "$(DisplayNameText)"
  WriteRegStr HKLM "${UNINSTALL_KEY}" DisplayVersion "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" Publisher "Orvalex"
  WriteRegStr HKLM "${UNINSTALL_KEY}" DisplayIcon "$SYSDIR\${MODULE},0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" InstallLocation "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" UninstallString '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" QuietUninstallString '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" NoModify 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" NoRepair 1
  ; Kilobytes: both modules and the uninstaller.
  ${GetSize} "$INSTDIR" "/S=0K /G=0" $0 $1 $2
  Call NativeSystemFolder
  ${GetSize} "$SYSDIR" "/M=${MODULE} /S=0K /G=0" $1 $2 $3
  Call WowSystemFolder
  IntOp $0 $0 + $1
  ${If} ${RunningX64}
    ${GetSize} "$WINDIR\SysWOW64" "/M=${MODULE} /S=0K /G=0" $1 $2 $3
    IntOp $0 $0 + $1
  ${EndIf}
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" EstimatedSize $0
SectionEnd

; The checked box of the finish page, and what a silent setup does.
Function MakeCurrentSaver
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" SCRNSAVE.EXE
  Push $0
  Call IsPennydance
  Pop $1
  ; Run again, or over a copy placed by hand, it keeps what came before.
  ${If} $1 == 0
    WriteRegStr HKCU "${SETUP_KEY}" PreviousScreenSaver $0
    ClearErrors
    ReadRegStr $0 HKCU "${DESKTOP_KEY}" ScreenSaveActive
    ${If} ${Errors}
      DeleteRegValue HKCU "${SETUP_KEY}" PreviousScreenSaveActive
    ${Else}
      WriteRegStr HKCU "${SETUP_KEY}" PreviousScreenSaveActive $0
    ${EndIf}
  ${EndIf}
  Call NativeSystemFolder
  GetFullPathName /SHORT $0 "$SYSDIR\${MODULE}"
  Call WowSystemFolder
  WriteRegStr HKCU "${DESKTOP_KEY}" SCRNSAVE.EXE $0
  ; Tells the running session, which writes ScreenSaveActive as well.
  System::Call "user32::SystemParametersInfo(i ${SPI_SETSCREENSAVEACTIVE}, i 1, p 0, i ${SPIF_UPDATEINIFILE_SENDCHANGE})"
  WriteRegStr HKCU "${DESKTOP_KEY}" ScreenSaveActive 1
FunctionEnd

Function OpenSaverSettings
  ${If} ${AtLeastWinVista}
    StrCpy $0 "@screensaver"
  ${Else}
    StrCpy $0 1
  ${EndIf}
  ; The 64-bit control panel on 64-bit Windows, where the 64-bit module is.
  Call NativeSystemFolder
  Exec '"$SYSDIR\control.exe" desk.cpl,,$0'
  Call WowSystemFolder
FunctionEnd

; A module in use waits for the restart; then the finish page asks for the
; restart instead of showing its boxes, so the default happens here.
Function FinishPagePre
  ${If} ${RebootFlag}
    Call MakeCurrentSaver
  ${EndIf}
FunctionEnd

Function .onInstSuccess
  ${If} ${Silent}
    Call MakeCurrentSaver
    ; What deployment tools read as "done, restart needed".
    ${If} ${RebootFlag}
      SetErrorLevel 3010
    ${EndIf}
  ${EndIf}
FunctionEnd

Function un.onInit
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
FunctionEnd

; Puts the user's earlier screen saver back, unless the user has chosen
; another since. Without a record Pennydance was already the screen saver
; when the setup came (copied by hand), and none is left.
Function un.RestoreSaver
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" SCRNSAVE.EXE
  Push $0
  Call un.IsPennydance
  Pop $1
  ClearErrors
  ReadRegStr $0 HKCU "${SETUP_KEY}" PreviousScreenSaver
  ${If} ${Errors}
    StrCpy $2 0
  ${Else}
    StrCpy $2 1
  ${EndIf}
  ${If} $1 == 1
    ${If} $0 == ""
      DeleteRegValue HKCU "${DESKTOP_KEY}" SCRNSAVE.EXE
    ${Else}
      WriteRegStr HKCU "${DESKTOP_KEY}" SCRNSAVE.EXE $0
    ${EndIf}
    ; ScreenSaveActive as it was, where the setup recorded it.
    ${If} $2 == 1
      ClearErrors
      ReadRegStr $0 HKCU "${SETUP_KEY}" PreviousScreenSaveActive
      ${If} ${Errors}
        DeleteRegValue HKCU "${DESKTOP_KEY}" ScreenSaveActive
      ${Else}
        WriteRegStr HKCU "${DESKTOP_KEY}" ScreenSaveActive $0
      ${EndIf}
    ${EndIf}
  ${EndIf}
  DeleteRegKey HKCU "${SETUP_KEY}"
FunctionEnd

!macro REMOVE_MODULE FOLDER
  Delete "${FOLDER}\${MODULE_NEW}"
  Delete /REBOOTOK "${FOLDER}\${MODULE}"
!macroend

Section "un.$(ProgramSectionText)"
  SectionIn RO
  ; While the module is there to compare its short name with.
  Call un.RestoreSaver
  Call un.NativeSystemFolder
  !insertmacro REMOVE_MODULE "$SYSDIR"
  Call un.WowSystemFolder
  ${If} ${RunningX64}
    !insertmacro REMOVE_MODULE "$WINDIR\SysWOW64"
  ${EndIf}
  Delete "$INSTDIR\uninstall.exe"
  RMDir /REBOOTOK "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

; Unticked, and so kept by a silent uninstall: an upgrade or a later
; install finds them again.
Section /o "un.$(SettingsSectionText)"
  DeleteRegKey HKCU "${SETTINGS_KEY}"
SectionEnd

Section "-un.Publisher"
  DeleteRegKey /ifempty HKCU "Software\Orvalex"
SectionEnd
