; The per-user installer of Horavo. Built by packaging/make_packages.py, which runs makensis in
; the package folder: the program tree in Horavo\, the icon, and the generated file lists
; (files.nsh installs them, unfiles.nsh removes the program's own ones).
;
; The program keeps its settings and events in its own folder, so it goes where the user can
; write without administrator rights, and nothing here asks for them.

Unicode true
!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!ifndef VERSION
  !define VERSION "3.0"
!endif
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Horavo"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; The value the program's settings page writes for "start with Windows".
!define RUN_VALUE "Horavo v3.0"
; The named mutex the running program holds.
!define RUNNING_MUTEX "mtxUIV2"

Name "Horavo ${VERSION}"
OutFile "Horavo-${VERSION}-setup.exe"
InstallDir "$LOCALAPPDATA\Programs\Horavo"
InstallDirRegKey HKCU "${UNINST_KEY}" "InstallLocation"
RequestExecutionLevel user
SetCompressor /SOLID lzma
BrandingText "Horavo ${VERSION}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1049 "ProductName" "Horavo"
VIAddVersionKey /LANG=1049 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "FileDescription" "Установка Horavo ${VERSION}"
VIAddVersionKey /LANG=1049 "LegalCopyright" "Horavo"

!define MUI_ICON "horavo.ico"
!define MUI_UNICON "horavo.ico"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\Horavo.exe"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Russian"

; Files in use cannot be replaced or removed: wait until the user closes the clock, or stop.
; In silent mode the answer is "cancel", and the run ends with exit code 2.
!macro WAIT_NOT_RUNNING un
  Function ${un}WaitNotRunning
    retry:
      System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${RUNNING_MUTEX}") p .r0'
      ${If} $0 P<> 0
        System::Call 'kernel32::CloseHandle(p r0)'
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Часы Horavo запущены. Закройте их (в меню часов: «Закрыть приложение») и нажмите «Повтор»." /SD IDCANCEL IDRETRY retry
        SetErrorLevel 2
        Quit
      ${EndIf}
  FunctionEnd
!macroend
!insertmacro WAIT_NOT_RUNNING ""
!insertmacro WAIT_NOT_RUNNING "un."

Section "Часы Horavo" SecProgram
  SectionIn RO
  Call WaitNotRunning
  ; The program's files are replaced; the user's settings, events and texts (Cfg, Gear, notes,
  ; days) are only put in place when missing, and added skins are never touched.
  !include "files.nsh"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortCut "$SMPROGRAMS\Horavo.lnk" "$INSTDIR\Horavo.exe" "" "$INSTDIR\Horavo.exe" 0

  WriteRegStr HKCU "${UNINST_KEY}" "DisplayName" "Horavo ${VERSION}"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\Horavo.exe"
  WriteRegStr HKCU "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINST_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINST_KEY}" "EstimatedSize" $0
SectionEnd

Section /o "Запускать вместе с Windows" SecAutostart
  WriteRegStr HKCU "${RUN_KEY}" "${RUN_VALUE}" "$INSTDIR\Horavo.exe"
SectionEnd

Section "Uninstall"
  Call un.WaitNotRunning
  !include "unfiles.nsh"
  Delete "$INSTDIR\Uninstall.exe"
  Delete "$SMPROGRAMS\Horavo.lnk"
  ; The run value names a program folder; only this folder's is removed.
  ReadRegStr $0 HKCU "${RUN_KEY}" "${RUN_VALUE}"
  ${If} $0 == "$INSTDIR\Horavo.exe"
    DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
  ${EndIf}

  ; The user's data stays unless they say otherwise; silent runs keep it.
  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "Удалить также ваши события, тексты напоминаний и настройки часов?$\n$\nЕсли ответить «Нет», они останутся в папке $INSTDIR и будут подхвачены при следующей установке." /SD IDNO IDNO keep
    RMDir /r "$INSTDIR\Cfg"
    RMDir /r "$INSTDIR\Gear"
    RMDir /r "$INSTDIR\notes"
    RMDir /r "$INSTDIR\days"
  keep:
  ; Removes the folder only when nothing is left in it (added skins and kept data stay).
  RMDir "$INSTDIR\Skins"
  RMDir "$INSTDIR"
  ; Last, so that a finished uninstallation is seen by its entry being gone.
  DeleteRegKey HKCU "${UNINST_KEY}"
SectionEnd

Function .onInit
  ; /AUTOSTART on the command line chooses "start with Windows", also in silent mode.
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/AUTOSTART" $1
  ${IfNot} ${Errors}
    SectionSetFlags ${SecAutostart} ${SF_SELECTED}
  ${EndIf}
FunctionEnd
