; The per-user installer: no administrator rights, everything under the
; user's own profile and HKCU. makensis -DVERSION=x.y.z -DSTAGE=dir -DOUT=file
; Silent: /S installs, /S /LOGON also starts Talvor Start at log on.
; 64-bit like the program: Wine without its 32-bit half runs it too.
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define APP "Talvor Start"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\TalvorStart"

Name "${APP}"
OutFile "${OUT}"
InstallDir "$LOCALAPPDATA\Programs\${APP}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${APP} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${APP}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${APP} ${VERSION} Setup"
VIAddVersionKey "CompanyName" "Talvor Start developers"
VIAddVersionKey "LegalCopyright" "Copyright (C) 2026 Talvor Start developers, MIT License"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_WELCOMEFINISHPAGE_BITMAP "${SIDE}"
!define MUI_WELCOMEPAGE_TEXT "Setup installs ${APP} ${VERSION} for you alone, in your own profile: \
it needs no administrator rights.$\r$\n$\r$\n${APP} runs one backup each time it starts: it starts \
TalvorStart.bat, which starts your backup program, and picks today's job by keystrokes. As it comes, \
the batch file starts a demo backup program.$\r$\n$\r$\nClick Next to continue."
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\talvorstart.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${APP} now"
!define MUI_FINISHPAGE_RUN_NOTCHECKED
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\README.txt"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE.txt"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "${APP}" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${STAGE}/talvorstart.exe"
  File "${STAGE}/demo-backup.exe"
  File "${STAGE}/talvorstart.hlp"
  File "${STAGE}/README.txt"
  File "${STAGE}/LICENSE.txt"
  File "${STAGE}/THIRD-PARTY-NOTICES.txt"
  ; The user's edits of the batch file survive an update.
  SetOverwrite off
  File "${STAGE}/TalvorStart.bat"
  SetOverwrite on
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortCut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\talvorstart.exe" "" "$INSTDIR\talvorstart.exe" 0 \
    SW_SHOWNORMAL "" "Starts backup via batch file then starts the backup process"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${APP}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Talvor Start developers"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "URLInfoAbout" "https://www.talvorstart.example/"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\talvorstart.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; A shortcut in the Startup folder rather than a scheduled task: it needs no
; rights, the user sees and turns it off in the Startup apps list, and the
; program needs the desktop that only a log on brings anyway.
Section /o "Start at log on (runs one backup at every log on)" SecLogon
  CreateShortCut "$SMSTARTUP\${APP}.lnk" "$INSTDIR\talvorstart.exe" "" "$INSTDIR\talvorstart.exe" 0 \
    SW_SHOWNORMAL "" "Runs one backup at log on"
SectionEnd

Section "-Tidy an earlier choice"
  ; Installed again without "Start at log on": no shortcut from before stays.
  ${IfNot} ${SectionIsSelected} ${SecLogon}
    Delete "$SMSTARTUP\${APP}.lnk"
  ${EndIf}
SectionEnd

Function .onInit
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/LOGON" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecLogon}
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Delete "$SMSTARTUP\${APP}.lnk"
  Delete "$SMPROGRAMS\${APP}.lnk"
  Delete "$INSTDIR\talvorstart.exe"
  Delete "$INSTDIR\demo-backup.exe"
  Delete "$INSTDIR\talvorstart.hlp"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\THIRD-PARTY-NOTICES.txt"
  Delete "$INSTDIR\TalvorStart.bat"
  Delete "$INSTDIR\uninstall.exe"
  ; Only when empty: files the user put there stay.
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ; The program's name for its notifications, registered by its first one.
  DeleteRegKey HKCU "Software\Classes\AppUserModelId\example.talvorstart.talvorstart"
  ; The settings under HKCU\Software\VB and VBA Program Settings\TalvorStart
  ; and the run history are the user's and stay for a later install.
SectionEnd
