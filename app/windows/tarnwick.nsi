; The Windows installer: tarnwick's terms first, then for the current user or for all users the program
; with its notices, a Start-menu entry and an uninstaller.
; Built by scripts/windows.sh: makensis -DVERSION=1.00 -DFILES=FOLDER -DICON=... -DOUTFILE=...
; FOLDER holds tarnwick.exe and the texts that go beside it.
; A 32-bit installer, like the program: it runs on 32- and 64-bit Windows alike, from XP SP3 on.
Target x86-unicode
; zlib rather than LZMA: zlib's licence asks nothing of a program that carries it, LZMA's (the CPL) does.
SetCompressor /SOLID zlib
ManifestDPIAware true

!define APP_NAME "DEBUG代码查询系统"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\tarnwick"

Name "${APP_NAME}"
OutFile "${OUTFILE}"
BrandingText "tarnwick ${VERSION}"

; Administrators choose per machine or per user; other users install for themselves without a UAC prompt.
; The uninstaller finds its mode again from the key the installer wrote (HKLM or HKCU).
!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE ; /AllUsers or /CurrentUser, also with /S
; For all users in Program Files, which on 64-bit Windows is the 32-bit programs' Program Files (x86).
!define MULTIUSER_INSTALLMODE_INSTDIR tarnwick
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME InstallLocation
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME InstallLocation
!define MULTIUSER_INIT_TEXT_ADMINREQUIRED "$(^Caption) 需要管理员权限。"
!define MULTIUSER_INIT_TEXT_POWERREQUIRED "$(^Caption) 至少需要 Power Users 权限。"
!define MULTIUSER_INIT_TEXT_ALLUSERSNOTPOSSIBLE "您的账户没有为本机所有用户安装 $(^Name) 的权限。"
!include MultiUser.nsh
!include MUI2.nsh
!include WinVer.nsh

; Everything that goes beside the program, installed and removed alike.
!macro EACH_FILE DO
    !insertmacro ${DO} tarnwick.exe
    !insertmacro ${DO} readme.txt
    !insertmacro ${DO} LICENSE.txt
    !insertmacro ${DO} THIRD-PARTY-NOTICES.txt
!macroend
!macro INSTALL NAME
    File "${FILES}/${NAME}"
!macroend
!macro REMOVE NAME
    Delete "$INSTDIR\${NAME}"
!macroend

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\tarnwick.exe"

!insertmacro MUI_PAGE_LICENSE "${FILES}/LICENSE.txt"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductName" "tarnwick"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileDescription" "${APP_NAME} 安装程序"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "CompanyName" "The tarnwick developers"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "LegalCopyright" "© 2026 The tarnwick developers"

Function .onInit
    ; The program needs Windows XP SP3 or later (XP x64 and Server 2003 report 5.2 and pass). Abort here
    ; ends a silent install with exit code 2.
    ; LogicLib reads the conditions left to right: (XP and below SP3) or below XP.
    ${If} ${IsWinXP}
    ${AndIfNot} ${AtLeastServicePack} 3
    ${OrIfNot} ${AtLeastWinXP}
        MessageBox MB_OK|MB_ICONSTOP "$(^Name) 需要 Windows XP SP3 或更新版本。" /SD IDOK
        Abort
    ${EndIf}
    ; The 32-bit view, which a 32-bit installer gets anyway on 64-bit Windows: said here, so that the
    ; uninstaller and any tool reading the entry look where it was written.
    SetRegView 32
    !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
    SetRegView 32
    !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section
    SetOutPath "$INSTDIR"
    !insertmacro EACH_FILE INSTALL
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortCut "$SMPROGRAMS\${APP_NAME}.lnk" "$INSTDIR\tarnwick.exe" "" "$INSTDIR\tarnwick.exe" 0

    ; Listed in Add/Remove Programs (Settings > Apps on Windows 10 and 11), with the mode the uninstaller
    ; needs.
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${APP_NAME}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tarnwick.exe,0"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "The tarnwick developers"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    Delete "$SMPROGRAMS\${APP_NAME}.lnk"
    !insertmacro EACH_FILE REMOVE
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR" ; only if empty: files the user put there stay
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
