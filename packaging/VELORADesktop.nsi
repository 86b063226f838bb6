; The installer the service publishes: a per-user install of VELORA Desktop
; with its language files, a Start-menu entry and an uninstaller.
;
; Defines given by the build (makensis -D...):
;   VERSION     the program's four-part version, e.g. 0.9.6.4
;   BIN_DIR     the folder holding VELORADesktop.exe, de.lang and en.lang
;   OUT_FILE    where the installer is written
;   SERVICE_URL the service the program was built for (the installed-programs
;               entry links to it)
;
; Silent mode: "/S" on the command line, and always when the installer runs
; under the name "update.exe" - that is how the program's own update dialog
; saves and starts it, without parameters, just before it ends.
;
; A running copy of the program is asked to end (its application window gets
; WM_CLOSE and it shuts down as from its exit entry) before its files are
; replaced, and is started again afterwards. The user's settings in the
; application-data folder stay, unless the user ticks "Also remove my
; settings" in the uninstaller (silently: "uninstall.exe /S /REMOVESETTINGS");
; the stored login, protected inside the settings file, goes with them.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "WinMessages.nsh"
!include "FileFunc.nsh"
!include "nsDialogs.nsh"

!define PRODUCT "VELORA Desktop"
!define PUBLISHER "VELORA"
!define PROGRAM "VELORADesktop.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\VELORADesktop"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define FEATURE_CONTROL_KEY "Software\Microsoft\Internet Explorer\Main\FeatureControl"
; The program's application window and its instance mutex (one per log-on).
!define APP_WINDOW_CLASS "TApplication"
!define INSTANCE_MUTEX "veloraTray"
; The program's settings folder below the user's roaming application data.
!define SETTINGS_PARENT "$APPDATA\VELORA"
!define SETTINGS_FOLDER "$APPDATA\VELORA\Desktop"
; How long a running copy may take to end: 40 rounds of 250 ms.
!define END_WAIT_ROUNDS 40

Name "${PRODUCT}"
OutFile "${OUT_FILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "${PRODUCT}"

; Set when a running copy was ended or this is the program's own update: the
; program is started again once the new files are in place.
Var RestartProgram
; 1 when the uninstaller also removes the user's settings.
Var RemoveSettings
Var RemoveSettingsBox

!define MUI_ICON "${ICON_FILE}"
!define MUI_UNICON "${ICON_FILE}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\${PROGRAM}"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
UninstPage custom un.ShowSettingsChoice un.LeaveSettingsChoice
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "English"

LangString StillRunning ${LANG_GERMAN} "${PRODUCT} läuft noch. Bitte beenden Sie das Programm über sein Symbol im Infobereich und klicken Sie dann auf Wiederholen."
LangString StillRunning ${LANG_ENGLISH} "${PRODUCT} is still running. Please exit it from its icon in the notification area, then click Retry."
LangString SettingsTitle ${LANG_GERMAN} "Ihre Einstellungen"
LangString SettingsTitle ${LANG_ENGLISH} "Your settings"
LangString SettingsSubtitle ${LANG_GERMAN} "Die Einstellungen und die gespeicherte Anmeldung bleiben, sofern Sie nichts anderes wählen."
LangString SettingsSubtitle ${LANG_ENGLISH} "Your settings and the stored login stay unless you choose otherwise."
LangString RemoveSettingsBox ${LANG_GERMAN} "Auch meine &Einstellungen entfernen (mit der gespeicherten Anmeldung)"
LangString RemoveSettingsBox ${LANG_ENGLISH} "Also remove my &settings (with the stored login)"

; Asks every running copy in this log-on to end and waits until the last one
; has let go of its instance mutex (that happens only when its process ends).
; Sets $R9 to 1 when a copy was running, else 0. Aborts when one stays and
; the user gives up (in silent mode: at once).
!macro END_RUNNING_COPY un
Function ${un}EndRunningCopy
  StrCpy $R9 0
  retry:
  StrCpy $R8 0
  ${Do}
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${INSTANCE_MUTEX}") p .R7'
    ${If} $R7 P= 0
      Return
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p R7)'
    StrCpy $R9 1
    FindWindow $R6 "${APP_WINDOW_CLASS}" "${PRODUCT}"
    ${If} $R6 <> 0
      SendMessage $R6 ${WM_CLOSE} 0 0 /TIMEOUT=1000
    ${EndIf}
    Sleep 250
    IntOp $R8 $R8 + 1
  ${LoopUntil} $R8 >= ${END_WAIT_ROUNDS}
  MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(StillRunning)" /SD IDCANCEL IDRETRY retry
  Abort
FunctionEnd
!macroend
!insertmacro END_RUNNING_COPY ""
!insertmacro END_RUNNING_COPY "un."

Function un.onInit
  StrCpy $RemoveSettings 0
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/REMOVESETTINGS" $1
  ${IfNot} ${Errors}
    StrCpy $RemoveSettings 1
  ${EndIf}
FunctionEnd

; The choice whether the settings go too: off unless asked for.
Function un.ShowSettingsChoice
  !insertmacro MUI_HEADER_TEXT "$(SettingsTitle)" "$(SettingsSubtitle)"
  nsDialogs::Create 1018
  Pop $0
  ${If} $0 == error
    Abort
  ${EndIf}
  ${NSD_CreateCheckbox} 0 0 100% 24u "$(RemoveSettingsBox)"
  Pop $RemoveSettingsBox
  ${If} $RemoveSettings == 1
    ${NSD_Check} $RemoveSettingsBox
  ${EndIf}
  ${NSD_SetFocus} $RemoveSettingsBox
  nsDialogs::Show
FunctionEnd

Function un.LeaveSettingsChoice
  ${NSD_GetState} $RemoveSettingsBox $0
  ${If} $0 == ${BST_CHECKED}
    StrCpy $RemoveSettings 1
  ${Else}
    StrCpy $RemoveSettings 0
  ${EndIf}
FunctionEnd

Function .onInit
  StrCpy $RestartProgram 0
  ${If} $EXEFILE == "update.exe"
    SetSilent silent
    StrCpy $RestartProgram 1
  ${EndIf}
FunctionEnd

Section "Install"
  Call EndRunningCopy
  ${If} $R9 == 1
    StrCpy $RestartProgram 1
  ${EndIf}

  SetOutPath "$INSTDIR"
  File "${BIN_DIR}\${PROGRAM}"
  File "${BIN_DIR}\de.lang"
  File "${BIN_DIR}\en.lang"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${PROGRAM}"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "URLInfoAbout" "${SERVICE_URL}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "HelpLink" "${SERVICE_URL}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ; In KiB, as the installed-programs list shows it.
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" "$0"

  ; A start at log-on chosen for an earlier copy now starts this one.
  ReadRegStr $0 HKCU "${RUN_KEY}" "VELORADesktop"
  ${If} $0 != ""
    WriteRegStr HKCU "${RUN_KEY}" "VELORADesktop" '"$INSTDIR\${PROGRAM}"'
  ${EndIf}

  ; The finish page offers the start itself when the user watches.
  ${If} $RestartProgram == 1
  ${AndIf} ${Silent}
    Exec '"$INSTDIR\${PROGRAM}"'
  ${EndIf}
SectionEnd

Section "Uninstall"
  Call un.EndRunningCopy
  Delete "$INSTDIR\${PROGRAM}"
  Delete "$INSTDIR\de.lang"
  Delete "$INSTDIR\en.lang"
  Delete "$INSTDIR\uninstall.exe"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  ; A start at log-on of this copy would point at the removed program.
  ReadRegStr $0 HKCU "${RUN_KEY}" "VELORADesktop"
  ${If} $0 == '"$INSTDIR\${PROGRAM}"'
    DeleteRegValue HKCU "${RUN_KEY}" "VELORADesktop"
  ${EndIf}
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ; The browser control's settings the program wrote for its file name.
  DeleteRegValue HKCU "${FEATURE_CONTROL_KEY}\FEATURE_BROWSER_EMULATION" "${PROGRAM}"
  DeleteRegValue HKCU "${FEATURE_CONTROL_KEY}\FEATURE_SPELLCHECKING" "${PROGRAM}"
  ; Only when asked for: the settings folder, with the protected login in its
  ; settings file, and the parent folder once nothing else is left in it.
  ${If} $RemoveSettings == 1
    RMDir /r "${SETTINGS_FOLDER}"
    RMDir "${SETTINGS_PARENT}"
  ${EndIf}
  ; Last: the program's folder gone tells that the uninstall is complete.
  RMDir "$INSTDIR"
SectionEnd
