; The installer of the Windows program: ruler.exe under Program Files, a
; shortcut in the Start menu for every user, and an uninstaller listed among
; the installed programs. The build passes what it knows:
;
;   makensis -INPUTCHARSET UTF8 -DVERSION=2.0.0 -DPROGRAM=ruler.exe
;            -DICON=ruler.ico -DAPP_ID=io.github.ostrel.Ruler
;            -DHOMEPAGE=https://... -DOUTFILE=ruler-2.0.0-installer-x64.exe ruler.nsi
;
; The program knows that it is installed because it lies under Program Files,
; and then keeps its settings per user, in %APPDATA%\ruler\ruler.ini. The
; uninstaller leaves that file alone: it belongs to a user, not to the
; machine, and a later install finds the ruler where it was left.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include MUI2.nsh
!include FileFunc.nsh

!define DISPLAY_NAME "Ostrel屏幕刻度尺"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP_ID}"
!define SHORTCUT "$SMPROGRAMS\${DISPLAY_NAME}.lnk"

Name "${DISPLAY_NAME}"
OutFile "${OUTFILE}"
; Always under Program Files: a copy anywhere else would keep its settings
; beside itself, where the uninstaller would leave them behind.
InstallDir "$PROGRAMFILES64\ruler"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${DISPLAY_NAME}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "${DISPLAY_NAME} 安装程序"
VIAddVersionKey /LANG=0 "CompanyName" "Ostrel"
VIAddVersionKey /LANG=0 "LegalCopyright" "Ostrel"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

Section
    SetShellVarContext all
    SetOutPath "$INSTDIR"
    File "/oname=ruler.exe" "${PROGRAM}"
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    CreateShortcut "${SHORTCUT}" "$INSTDIR\ruler.exe"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${DISPLAY_NAME}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\ruler.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Ostrel"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "URLInfoAbout" "${HOMEPAGE}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Removes what the installer made, and the folder only when nothing else
; was put in it.
Section "Uninstall"
    SetShellVarContext all
    Delete "${SHORTCUT}"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    Delete "$INSTDIR\ruler.exe"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"
SectionEnd
