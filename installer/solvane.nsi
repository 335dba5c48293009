; Installer of Tavro日历, one per architecture. Built by scripts/package.sh:
;   makensis -INPUTCHARSET UTF8 -DARCH=x64|x86 -DVERSION=1.0.0 -DFILES=files.nsh
;            -DICON=calendar.ico -DOUTFILE=setup.exe installer/solvane.nsi
;
; The program keeps its settings, festivals and memos beside its executable,
; so it installs per user (no elevation) into a folder the user can write.
;
; Command line (besides NSIS's own /S and /D=folder):
;   /AUTOSTART   start with Windows (preselects the component)
;   uninstaller: /PURGE  also remove the user's festivals, memos and settings
;                        (the silent uninstaller keeps them otherwise)
Unicode true
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!if "${ARCH}" == "x64"
  Target amd64-unicode
  !define ARCH_TEXT "64 位"
!else if "${ARCH}" == "x86"
  Target x86-unicode
  !define ARCH_TEXT "32 位"
!else
  !error "ARCH must be x64 or x86"
!endif

!define PRODUCT "Tavro日历"
!define EXE "Solvane.exe"
!define UNINSTALLER "Uninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
; The same value the program's settings dialog writes: named after the product,
; the executable's full path in quotes (older versions wrote it without; both
; are recognised).
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; The program's single-instance mutex.
!define RUNNING_MUTEX "{7976FE12-E6EB-4293-8BE4-16E8D506788B}"

Name "${PRODUCT}"
Caption "${PRODUCT} ${VERSION}（${ARCH_TEXT}）安装"
UninstallCaption "${PRODUCT} 卸载"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=2052 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=2052 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "FileDescription" "${PRODUCT} 安装程序"
VIAddVersionKey /LANG=2052 "LegalCopyright" ""

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include "${FILES}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

!define MUI_WELCOMEPAGE_TEXT "这个向导将把 ${PRODUCT} ${VERSION}（${ARCH_TEXT}）安装到您的电脑上。$\r$\n$\r$\n程序安装在您自己的用户文件夹中，不需要管理员权限。如果 ${PRODUCT} 正在运行，请先在托盘菜单中选择「退出」。$\r$\n$\r$\n单击「下一步」继续。"
!insertmacro MUI_PAGE_WELCOME
!define MUI_DIRECTORYPAGE_TEXT_TOP "程序的设置、节日和备忘保存在安装文件夹中，因此请选择一个您可以写入的文件夹。建议使用默认的个人文件夹。"
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE CheckInstallFolder
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE}"
!define MUI_FINISHPAGE_RUN_TEXT "运行 ${PRODUCT}"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "SimpChinese"

Var RemoveUserData

; Aborts (after offering to retry) while the program is running: its files are
; locked and it would write its settings back after they were replaced.
!macro WaitUntilNotRunning
  ${Do}
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${RUNNING_MUTEX}") p .r0'
    ${If} $0 P= 0
      ${Break}
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p r0)'
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "${PRODUCT} 正在运行。$\r$\n$\r$\n请右键单击任务栏通知区域中的日历图标，选择「退出」，然后单击「重试」。" \
      /SD IDCANCEL IDRETRY +3
    SetErrorLevel 2
    Quit
  ${Loop}
!macroend

; Leaves 1 in $0 when the folder $1 lies inside the folder $2, else 0.
Function IsInside
  StrLen $3 "$2"
  StrCpy $4 "$1" $3
  StrCpy $5 "$1" 1 $3
  StrCpy $0 0
  ${If} $3 > 0
  ${AndIf} $4 == "$2"
    ${If} $5 == ""
    ${OrIf} $5 == "\"
      StrCpy $0 1
    ${EndIf}
  ${EndIf}
FunctionEnd

Function CheckInstallFolder
  ; Under Program Files the program cannot save anything unless it runs
  ; elevated, so the user has to insist.
  StrCpy $1 "$INSTDIR"
  StrCpy $2 "$PROGRAMFILES"
  Call IsInside
  ${If} $0 == 0
    StrCpy $2 "$PROGRAMFILES64"
    Call IsInside
  ${EndIf}
  ${If} $0 == 0
    StrCpy $2 "$WINDIR"
    Call IsInside
  ${EndIf}
  ${If} $0 == 1
    MessageBox MB_YESNO|MB_ICONEXCLAMATION|MB_DEFBUTTON2 \
      "您选择的文件夹位于系统文件夹中：$\r$\n$INSTDIR$\r$\n$\r$\n${PRODUCT} 把设置、节日和备忘保存在自己的文件夹中，装在这里时只有以管理员身份运行才能保存它们，否则您的修改会丢失。$\r$\n$\r$\n建议使用默认的个人文件夹。仍要安装到这里吗？" \
      IDYES +2
    Abort
  ${EndIf}

  ; The folder must be writable now, or the installation fails half-way.
  StrCpy $6 0
  ${IfNot} ${FileExists} "$INSTDIR\*.*"
    StrCpy $6 1
  ${EndIf}
  ClearErrors
  CreateDirectory "$INSTDIR"
  FileOpen $7 "$INSTDIR\~write-test.tmp" w
  ${If} ${Errors}
    ${If} $6 == 1
      RMDir "$INSTDIR"
    ${EndIf}
    MessageBox MB_OK|MB_ICONSTOP "无法写入这个文件夹：$\r$\n$INSTDIR$\r$\n$\r$\n请选择其他文件夹，或者以管理员身份运行安装程序。"
    Abort
  ${EndIf}
  FileClose $7
  Delete "$INSTDIR\~write-test.tmp"
  ${If} $6 == 1
    RMDir "$INSTDIR"
  ${EndIf}
FunctionEnd

Section "!${PRODUCT}（必需）" SectionProgram
  SectionIn RO
  SetShellVarContext current
  !insertmacro InstallProgramFiles
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE},0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Section "开始菜单快捷方式" SectionStartMenu
  SetShellVarContext current
  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0
SectionEnd

Section /o "桌面快捷方式" SectionDesktop
  SetShellVarContext current
  CreateShortCut "$DESKTOP\${PRODUCT}.lnk" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0
SectionEnd

Section /o "开机自动运行" SectionAutoStart
  WriteRegStr HKCU "${RUN_KEY}" "${PRODUCT}" '"$INSTDIR\${EXE}"'
SectionEnd

; Unticked on an update: drop the value only when it starts this copy.
Section "-ClearAutoStart"
  ${IfNot} ${SectionIsSelected} ${SectionAutoStart}
    ReadRegStr $0 HKCU "${RUN_KEY}" "${PRODUCT}"
    ${If} $0 == "$INSTDIR\${EXE}"
    ${OrIf} $0 == '"$INSTDIR\${EXE}"'
      DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
    ${EndIf}
  ${EndIf}
SectionEnd

Function .onInit
  !insertmacro WaitUntilNotRunning
  ; An update keeps the start-with-Windows choice made in the settings dialog.
  ReadRegStr $0 HKCU "${RUN_KEY}" "${PRODUCT}"
  ${If} $0 == "$INSTDIR\${EXE}"
  ${OrIf} $0 == '"$INSTDIR\${EXE}"'
    !insertmacro SelectSection ${SectionAutoStart}
  ${EndIf}
  ${GetParameters} $1
  ClearErrors
  ${GetOptions} $1 "/AUTOSTART" $2
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SectionAutoStart}
  ${EndIf}
FunctionEnd

Function un.onInit
  !insertmacro WaitUntilNotRunning
  StrCpy $RemoveUserData 0
  ${GetParameters} $1
  ClearErrors
  ${GetOptions} $1 "/PURGE" $2
  ${IfNot} ${Errors}
    StrCpy $RemoveUserData 1
  ${EndIf}
FunctionEnd

Section "Uninstall"
  SetShellVarContext current
  ${If} $RemoveUserData == 0
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
      "是否同时删除您的节日、备忘和设置？$\r$\n$\r$\n选择「否」将保留它们（Solvane.ini、Ostrel\holidays.cfg、Ostrel\offdays.cfg 和 Reminders 文件夹），重新安装后可以继续使用。" \
      /SD IDNO IDNO keep_user_data
    StrCpy $RemoveUserData 1
    keep_user_data:
  ${EndIf}

  !insertmacro RemoveProgramFiles
  ${If} $RemoveUserData == 1
    !insertmacro RemoveUserFiles
  ${EndIf}
  Delete "$INSTDIR\${UNINSTALLER}"
  !insertmacro RemoveEmptyFolders
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$DESKTOP\${PRODUCT}.lnk"
  ; A portable copy elsewhere may have its own start-with-Windows value.
  ReadRegStr $0 HKCU "${RUN_KEY}" "${PRODUCT}"
  ${If} $0 == "$INSTDIR\${EXE}"
  ${OrIf} $0 == '"$INSTDIR\${EXE}"'
    DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
  ${EndIf}
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
